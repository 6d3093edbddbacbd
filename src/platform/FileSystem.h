#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace platform {

// File attribute bits as Windows defines them.
enum FileAttribute : std::uint32_t {
    AttrReadOnly = 0x01,
    AttrHidden = 0x02,
    AttrSystem = 0x04,
    AttrDirectory = 0x10,
    AttrArchive = 0x20,
    AttrNormal = 0x80,
};

struct FileStamp {
    std::uint64_t size = 0;
    std::uint64_t writeTime = 0;
    bool operator==(const FileStamp& other) const { return size == other.size && writeTime == other.writeTime; }
    bool operator!=(const FileStamp& other) const { return !(*this == other); }
};

class FileSystem {
public:
    virtual ~FileSystem() = default;
    virtual bool FileExists(const std::string& path) = 0;       // a file, not a folder
    virtual bool DirectoryExists(const std::string& path) = 0;
    // True when the file or folder itself is a link to another place: a symbolic link, a
    // junction, a mount point (a reparse point). Links on the way to a path (a linked folder)
    // are always followed. A link named by the path itself is followed by the readers, the
    // stamp, CopyFile and SetAttributes; DeleteFile and RemoveDirectory remove the link and
    // leave the target alone; WriteFile and ReplaceFile put a file in the link's place (they
    // rename over the path), the target left as it was.
    virtual bool IsLink(const std::string& path) = 0;
    virtual bool CreateDirectory(const std::string& path) = 0;  // one level
    virtual bool RemoveDirectory(const std::string& path) = 0;  // only an empty folder
    virtual bool CopyFile(const std::string& from, const std::string& to, bool overwrite) = 0;
    virtual bool DeleteFile(const std::string& path) = 0;
    // Moves a file over another one in the same folder in one step: afterwards `to` holds
    // either its old content or all of `from`'s.
    virtual bool ReplaceFile(const std::string& from, const std::string& to) = 0;
    // Writes what the system still holds of the file in memory to the disk, so that a power cut
    // after it finds the whole content there; false when that fails.
    virtual bool FlushFile(const std::string& path) = 0;
    // The whole file when it holds at most `maxSize` bytes; false when it is missing, cannot be
    // read or is larger, and `content` stays as it was.
    virtual bool ReadFile(const std::string& path, std::string& content, std::size_t maxSize) = 0;
    // The size and the time of the last write of a file, to tell whether it changed; false when
    // it does not exist.
    virtual bool GetFileStamp(const std::string& path, FileStamp& stamp) = 0;
    // Replaces the whole file; on failure the old content stays as it was.
    virtual bool WriteFile(const std::string& path, const std::string& content) = 0;
    // Names (without folder) of the files matching `folder` + `pattern` ("*" and "?" wildcards,
    // case-insensitive). Folders never match.
    virtual std::vector<std::string> FindFiles(const std::string& folder,
                                               const std::string& pattern) = 0;
    virtual bool SetAttributes(const std::string& path, std::uint32_t attributes) = 0;
    // The temporary-files folder, ending with a backslash.
    virtual std::string TempPath() = 0;
    // Creates an empty, uniquely named file "<folder><prefix><hex>.tmp"; empty text on failure.
    virtual std::string TempFileName(const std::string& folder, const std::string& prefix) = 0;
    virtual bool SetCurrentDirectory(const std::string& path) = 0;
    // The existing file or folder named with the short (8.3) name of every part that has one;
    // empty text when it does not exist.
    virtual std::string ShortPathName(const std::string& path) = 0;
};

}  // namespace platform
