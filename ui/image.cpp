#include "ui/image.h"

#include "ui/attribute_values.h"
#include "ui/dpi_manager.h"

namespace ui {
namespace {

// One pair of an attribute string: name='value'.
struct AttributePair {
    std::wstring name;
    std::wstring value;
};

bool IsBlank(wchar_t c) {
    return c >= 1 && c <= 32;
}

// Reads pairs separated by single spaces, stopping at the first one that is malformed.
class AttributeReader {
public:
    explicit AttributeReader(const std::wstring& text) : text_(text) {}

    bool Next(AttributePair& pair) {
        if (done_) return false;
        done_ = true;
        SkipBlanks();
        const std::size_t nameBegin = pos_;
        while (pos_ < text_.size() && text_[pos_] != L'=' && text_[pos_] > 32) ++pos_;
        pair.name = text_.substr(nameBegin, pos_ - nameBegin);
        if (!Expect(L'=') || !Expect(L'\'')) return false;
        const std::size_t close = text_.find(L'\'', pos_);
        if (close == std::wstring::npos) return false;
        pair.value = text_.substr(pos_, close - pos_);
        pos_ = close + 1;
        if (pos_ < text_.size() && text_[pos_] == L' ') {
            ++pos_;
            done_ = false;
        }
        return true;
    }

private:
    void SkipBlanks() {
        while (pos_ < text_.size() && IsBlank(text_[pos_])) ++pos_;
    }

    bool Expect(wchar_t c) {
        SkipBlanks();
        if (pos_ >= text_.size() || text_[pos_] != c) return false;
        ++pos_;
        return true;
    }

    const std::wstring& text_;
    std::size_t pos_ = 0;
    bool done_ = false;
};

}  // namespace

Image::Image() = default;

void Image::ParseAttribute(const std::wstring& attribute) {
    // "destscale" only affects a "dest" that follows it.
    bool destScale = true;
    AttributeReader reader(attribute);
    AttributePair pair;
    while (reader.Next(pair)) {
        const std::wstring& name = pair.name;
        const std::wstring& value = pair.value;
        if (name == L"file" || name == L"res") {
            file = value;
        } else if (name == L"destscale") {
            destScale = ParseBool(value);
        } else if (name == L"dest") {
            dest = ParseRect(value);
            if (destScale) DpiManager::GetInstance()->ScaleRect(dest);
        } else if (name == L"source") {
            source = ParseRect(value);
        } else if (name == L"corner") {
            corner = ParseRect(value);
        } else if (name == L"fade") {
            fade = static_cast<BYTE>(static_cast<unsigned>(ParseInt(value)) % 256);
        } else if (name == L"xtiled") {
            xTiled = ParseBool(value);
        } else if (name == L"ytiled") {
            yTiled = ParseBool(value);
        } else if (name == L"playcount") {
            playCount = ParseInt(value);
        }
    }
}

void Image::Clear() {
    Image cleared;
    cleared.imageCache = std::move(imageCache);
    cleared.currentFrame = currentFrame;
    cleared.playing = playing;
    cleared.playCounter = playCounter;
    *this = std::move(cleared);
}

void Image::ReleaseCache() {
    imageCache.reset();
    currentFrame = 0;
    playing = false;
    playCounter = 0;
}

bool Image::IsRectSet(const RECT& rect) {
    return rect.left != -1 && rect.top != -1 && rect.right != -1 && rect.bottom != -1;
}

}  // namespace ui
