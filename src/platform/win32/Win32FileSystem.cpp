#include "platform/win32/WinApi.h"

#include "platform/win32/Win32FileSystem.h"

#include <algorithm>

namespace win32 {

namespace {

const DWORD kNoAttributes = INVALID_FILE_ATTRIBUTES;
// A reader never stands in the way of a writer: another program (the agent, the main program)
// may replace or delete the file while it is open here.
const DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

std::string FolderOf(const std::string& path) {
    const auto slash = path.find_last_of("\\/");
    if (slash == std::string::npos) return ".";
    if (slash == 0 || (slash == 2 && path[1] == ':')) return path.substr(0, slash + 1);
    return path.substr(0, slash);
}

std::string WithSeparator(std::string folder) {
    if (!folder.empty() && folder.back() != '\\' && folder.back() != '/') folder += '\\';
    return folder;
}

bool WriteAll(HANDLE file, const std::string& content) {
    std::size_t done = 0;
    while (done < content.size()) {
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(content.size() - done, 1u << 20));
        DWORD written = 0;
        if (!::WriteFile(file, content.data() + done, chunk, &written, nullptr) || written == 0) return false;
        done += written;
    }
    return true;
}

}  // namespace

bool Win32FileSystem::FileExists(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != kNoAttributes && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool Win32FileSystem::DirectoryExists(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != kNoAttributes && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool Win32FileSystem::IsLink(const std::string& path) {
    // Asked by the link's own name, without a trailing backslash.
    std::string name = path;
    while (name.size() > 3 && name.back() == '\\') name.pop_back();
    const DWORD attributes = GetFileAttributesA(name.c_str());
    return attributes != kNoAttributes && (attributes & FILE_ATTRIBUTE_REPARSE_POINT);
}

bool Win32FileSystem::CreateDirectory(const std::string& path) {
    return ::CreateDirectoryA(path.c_str(), nullptr) != 0;
}

bool Win32FileSystem::RemoveDirectory(const std::string& path) { return ::RemoveDirectoryA(path.c_str()) != 0; }

bool Win32FileSystem::CopyFile(const std::string& from, const std::string& to, bool overwrite) {
    return ::CopyFileA(from.c_str(), to.c_str(), overwrite ? FALSE : TRUE) != 0;
}

bool Win32FileSystem::DeleteFile(const std::string& path) { return ::DeleteFileA(path.c_str()) != 0; }

bool Win32FileSystem::ReplaceFile(const std::string& from, const std::string& to) {
    return MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

// The cache is the file's, not the handle's: a handle of its own flushes what another one (the
// profile functions', a copy's) wrote.
bool Win32FileSystem::FlushFile(const std::string& path) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, kShareAll, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                              nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    const bool flushed = FlushFileBuffers(file) != 0;
    CloseHandle(file);
    return flushed;
}

bool Win32FileSystem::ReadFile(const std::string& path, std::string& content, std::size_t maxSize) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, kShareAll, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                              nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    // Asked first so that a file too large is not read at all; the reading stops at the limit too,
    // since the file may grow meanwhile.
    LARGE_INTEGER size;
    bool ok = GetFileSizeEx(file, &size) && static_cast<unsigned long long>(size.QuadPart) <= maxSize;
    std::string data;
    if (ok) data.reserve(static_cast<std::size_t>(size.QuadPart));
    char buffer[65536];
    while (ok) {
        DWORD got = 0;
        if (!::ReadFile(file, buffer, sizeof buffer, &got, nullptr) || got > maxSize - data.size()) {
            ok = false;
            break;
        }
        if (got == 0) break;
        data.append(buffer, got);
    }
    CloseHandle(file);
    if (ok) content.swap(data);
    return ok;
}

bool Win32FileSystem::GetFileStamp(const std::string& path, platform::FileStamp& stamp) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data) ||
        (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        return false;
    stamp.size = (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    stamp.writeTime = (static_cast<std::uint64_t>(data.ftLastWriteTime.dwHighDateTime) << 32) |
                      data.ftLastWriteTime.dwLowDateTime;
    return true;
}

bool Win32FileSystem::WriteFile(const std::string& path, const std::string& content) {
    // The new content goes to a file of its own in the same folder first, so that a full disk
    // or a crash never leaves the old file cut short; the rename then swaps it in at once.
    // A read-only target must stay untouched, as writing to it directly would fail.
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes != kNoAttributes && (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)))
        return false;
    char temp[MAX_PATH];
    if (!GetTempFileNameA(FolderOf(path).c_str(), "orv", 0, temp)) return false;
    HANDLE file = CreateFileA(temp, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        ::DeleteFileA(temp);
        return false;
    }
    bool ok = WriteAll(file, content);
    ok = FlushFileBuffers(file) && ok;
    CloseHandle(file);
    if (ok) ok = MoveFileExA(temp, path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
    if (!ok) {
        ::DeleteFileA(temp);
        return false;
    }
    // The replacement is a new file: give it back the old one's hidden or system marks.
    if (attributes != kNoAttributes) SetFileAttributesA(path.c_str(), attributes);
    return true;
}

std::vector<std::string> Win32FileSystem::FindFiles(const std::string& folder, const std::string& pattern) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((WithSeparator(folder) + pattern).c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.emplace_back(found.cFileName);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return names;
}

bool Win32FileSystem::SetAttributes(const std::string& path, std::uint32_t attributes) {
    return SetFileAttributesA(path.c_str(), attributes) != 0;
}

std::string Win32FileSystem::TempPath() {
    char buffer[MAX_PATH + 1];
    const DWORD length = GetTempPathA(sizeof buffer, buffer);
    if (length == 0 || length > sizeof buffer) return "";
    return WithSeparator(std::string(buffer, length));
}

std::string Win32FileSystem::TempFileName(const std::string& folder, const std::string& prefix) {
    char buffer[MAX_PATH];
    if (!GetTempFileNameA(folder.c_str(), prefix.c_str(), 0, buffer)) return "";
    return buffer;
}

bool Win32FileSystem::SetCurrentDirectory(const std::string& path) {
    return ::SetCurrentDirectoryA(path.c_str()) != 0;
}

std::string Win32FileSystem::ShortPathName(const std::string& path) {
    char buffer[MAX_PATH];
    const DWORD length = GetShortPathNameA(path.c_str(), buffer, sizeof buffer);
    if (length == 0 || length >= sizeof buffer) return "";
    return std::string(buffer, length);
}

}  // namespace win32
