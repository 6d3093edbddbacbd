#pragma once
#include "platform/FileSystem.h"

namespace win32 {

// Files and folders through the kernel32 ANSI calls.
class Win32FileSystem : public platform::FileSystem {
public:
    bool FileExists(const std::string& path) override;
    bool DirectoryExists(const std::string& path) override;
    bool IsLink(const std::string& path) override;
    bool CreateDirectory(const std::string& path) override;
    bool RemoveDirectory(const std::string& path) override;
    bool CopyFile(const std::string& from, const std::string& to, bool overwrite) override;
    bool DeleteFile(const std::string& path) override;
    bool ReplaceFile(const std::string& from, const std::string& to) override;
    bool FlushFile(const std::string& path) override;
    bool ReadFile(const std::string& path, std::string& content, std::size_t maxSize) override;
    bool GetFileStamp(const std::string& path, platform::FileStamp& stamp) override;
    bool WriteFile(const std::string& path, const std::string& content) override;
    std::vector<std::string> FindFiles(const std::string& folder, const std::string& pattern) override;
    bool SetAttributes(const std::string& path, std::uint32_t attributes) override;
    std::string TempPath() override;
    std::string TempFileName(const std::string& folder, const std::string& prefix) override;
    bool SetCurrentDirectory(const std::string& path) override;
    std::string ShortPathName(const std::string& path) override;
};

}  // namespace win32
