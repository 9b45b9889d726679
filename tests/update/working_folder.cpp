#include "tests/update/working_folder.h"

#include <windows.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

ScopedWorkingFolder::ScopedWorkingFolder() : previous_(std::filesystem::current_path().wstring()) {
    static std::atomic<int> counter{0};
    path_ = (std::filesystem::temp_directory_path() /
             (L"tvn_selfupdate_" + std::to_wstring(::GetCurrentProcessId()) + L"_" + std::to_wstring(counter++)))
                .wstring();
    std::filesystem::remove_all(path_);
    if (!std::filesystem::create_directories(path_) || !::SetCurrentDirectoryW(path_.c_str()))
        throw std::runtime_error("cannot set up the working folder");
}

ScopedWorkingFolder::~ScopedWorkingFolder() {
    ::SetCurrentDirectoryW(previous_.c_str());
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

std::wstring ScopedWorkingFolder::Child(const std::wstring& relative) const { return path_ + L"\\" + relative; }

void ScopedWorkingFolder::Write(const std::wstring& relative, std::string_view bytes) const {
    const std::filesystem::path file(Child(relative));
    std::filesystem::create_directories(file.parent_path());
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out) throw std::runtime_error("cannot write a test file");
}

std::string ScopedWorkingFolder::Read(const std::wstring& relative) const {
    std::ifstream in(std::filesystem::path(Child(relative)), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool ScopedWorkingFolder::Exists(const std::wstring& relative) const {
    return std::filesystem::exists(std::filesystem::path(Child(relative)));
}
