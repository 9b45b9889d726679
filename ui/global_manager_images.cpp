#include "ui/global_manager.h"

#include <cstdint>
#include <map>

#include <objidl.h>  // PROPID, which the GDI+ headers need under WIN32_LEAN_AND_MEAN
#include <gdiplus.h>

#include "base/string_util.h"
#include "ui/global_block.h"
#include "ui/image_info.h"

namespace ui {
namespace {

// Paths mostly share their folders and differ in the file name, so the comparison starts at
// the end.
struct ImageKeyLess {
    bool operator()(const std::wstring& a, const std::wstring& b) const {
        if (a.size() != b.size()) return a.size() < b.size();
        for (std::size_t i = a.size(); i-- > 0;) {
            if (a[i] != b[i]) return static_cast<std::uint16_t>(a[i]) < static_cast<std::uint16_t>(b[i]);
        }
        return false;
    }
};

using ImageCache = std::map<std::wstring, std::weak_ptr<ImageInfo>, ImageKeyLess>;

// Shared so that an image released after the cache's static destruction finds it gone.
const std::shared_ptr<ImageCache>& Cache() {
    static const std::shared_ptr<ImageCache> cache = std::make_shared<ImageCache>();
    return cache;
}

std::wstring ImageKey(const std::wstring& path) {
    std::wstring key = kbase::NormalizePathSeparators(path);
    return GlobalManager::HasResourceZip() ? NormalizeZipPath(key) : key;
}

// The image at key from the open archive; null without one, when the archive lacks it and
// when it does not decode.
std::unique_ptr<ImageInfo> DecodeFromArchive(const std::wstring& key) {
    ScopedGlobalBlock block(GlobalManager::ReadZipItem(key));
    IStream* raw = nullptr;
    if (!block || FAILED(::CreateStreamOnHGlobal(block.Get(), TRUE, &raw))) return nullptr;
    block.Release();  // the stream frees it
    // The bitmap holds the stream while it lives.
    const std::unique_ptr<IStream, void (*)(IStream*)> stream(raw, [](IStream* s) { s->Release(); });
    return ImageInfo::LoadFromBitmap(std::make_unique<Gdiplus::Bitmap>(stream.get()), key);
}

std::unique_ptr<ImageInfo> DecodeFile(const std::wstring& path) {
    return ImageInfo::LoadFromBitmap(std::make_unique<Gdiplus::Bitmap>(path.c_str()), path);
}

// Owner of a cached image: drops its entry when the last user lets go, unless the entry was
// replaced by a newer image of the same path meanwhile.
struct CachedImageDeleter {
    std::weak_ptr<ImageCache> cache;

    void operator()(ImageInfo* image) const {
        std::unique_ptr<ImageInfo> owned(image);
        const std::shared_ptr<ImageCache> entries = cache.lock();
        if (!entries || !image->IsCached() || image->GetPath().empty()) return;
        const auto it = entries->find(image->GetPath());
        if (it != entries->end() && it->second.expired()) entries->erase(it);
    }
};

}  // namespace

std::shared_ptr<ImageInfo> GlobalManager::GetImage(const std::wstring& path) {
    const std::wstring key = ImageKey(path);
    ImageCache& cache = *Cache();
    std::weak_ptr<ImageInfo>& entry = cache[key];
    if (std::shared_ptr<ImageInfo> cached = entry.lock()) return cached;

    std::unique_ptr<ImageInfo> decoded = DecodeFromArchive(key);
    if (!decoded) decoded = DecodeFile(key);
    if (!decoded) {
        cache.erase(key);
        return nullptr;
    }
    std::shared_ptr<ImageInfo> image(decoded.release(), CachedImageDeleter{Cache()});
    entry = image;
    image->SetCached(true);
    return image;
}

std::shared_ptr<ImageInfo> GlobalManager::GetCachedImage(const std::wstring& path) {
    const ImageCache& cache = *Cache();
    const auto it = cache.find(ImageKey(path));
    return it == cache.end() ? nullptr : it->second.lock();
}

void GlobalManager::ClearImageCache() {
    Cache()->clear();
}

std::wstring NormalizeZipPath(const std::wstring& path) {
    std::wstring normal = path;
    kbase::ReplaceAll(L"\\", L"/", normal);
    kbase::ReplaceAll(L"//", L"/", normal);
    std::size_t i = 0;
    while (i < normal.size()) {
        const bool segmentStart = i == 0 || normal[i - 1] == L'/';
        const std::wstring_view rest = std::wstring_view(normal).substr(i);
        if (!segmentStart) {
            ++i;
        } else if (rest.starts_with(L"/")) {
            normal.erase(i, 1);
        } else if (rest.starts_with(L"./")) {
            normal.erase(i, 2);
        } else if (rest.starts_with(L"../")) {
            // The segment before, with its "/"; a "../" with nothing (but "..") to climb out of stays.
            const std::size_t before = i >= 2 ? normal.rfind(L'/', i - 2) : std::wstring::npos;
            const std::size_t start = before == std::wstring::npos ? 0 : before + 1;
            if (i == 0 || normal.compare(start, i - start, L"../") == 0) {
                i += 3;
            } else {
                normal.erase(start, i + 3 - start);
                i = start;
            }
        } else {
            ++i;
        }
    }
    return normal;
}

}  // namespace ui
