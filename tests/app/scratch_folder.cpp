#include "tests/app/scratch_folder.h"

#include <atomic>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

#include <windows.h>

ScratchFolder::ScratchFolder() {
    static std::atomic<int> counter{0};
    path_ = (std::filesystem::temp_directory_path() /
             (L"tvn_scratch_" + std::to_wstring(::GetCurrentProcessId()) + L"_" +
              std::to_wstring(counter++)))
                .wstring();
    std::filesystem::remove_all(path_);
    if (!std::filesystem::create_directories(path_))
        throw std::runtime_error("cannot create the scratch folder");
}

ScratchFolder::~ScratchFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

std::wstring ScratchFolder::Child(const std::wstring& relative) const {
    return path_ + L"\\" + relative;
}

void ScratchFolder::WriteFile(const std::wstring& relative, std::string_view bytes) const {
    std::ofstream out(std::filesystem::path(Child(relative)), std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out) throw std::runtime_error("cannot write a scratch file");
}

std::string ReadWholeFile(const std::wstring& path) {
    std::ifstream in(std::filesystem::path(path), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}
