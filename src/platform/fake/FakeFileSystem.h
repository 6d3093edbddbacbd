#pragma once
#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/FileSystem.h"
#include "platform/fake/MutationCounter.h"

namespace fake {

// In-memory files and folders with Windows path rules: case-insensitive, '\' separators,
// a doubled backslash counts as one. Paths must be absolute ("C:\..."). A link (a symbolic
// link or junction, AddLink) stands for its target in every path that goes through it, and
// for itself where FileSystem.h says so.
class FakeFileSystem : public platform::FileSystem {
public:
    FakeFileSystem();

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
    // The write time is the time of the last write on the attached clock, in whole steps of
    // `timeResolutionMs` as FAT keeps it (2 s): two writes of the same size within one step give
    // the same stamp, as they can on Windows.
    bool GetFileStamp(const std::string& path, platform::FileStamp& stamp) override;
    // All or nothing, as the Windows layer writes a working copy and renames it over the file.
    bool WriteFile(const std::string& path, const std::string& content) override;
    // The write of the system's INI functions, in the file itself: failing halfway, it leaves
    // the first part of the new content.
    bool WriteInPlace(const std::string& path, const std::string& content);
    std::vector<std::string> FindFiles(const std::string& folder, const std::string& pattern) override;
    bool SetAttributes(const std::string& path, std::uint32_t attributes) override;
    std::string TempPath() override { return tempPath; }
    std::string TempFileName(const std::string& folder, const std::string& prefix) override;
    bool SetCurrentDirectory(const std::string& path) override;
    // The name set in `shortPaths`, else the path itself while it exists.
    std::string ShortPathName(const std::string& path) override;

    // Test set-up: creates the file and every missing parent folder.
    void AddFile(const std::string& path, const std::string& content = "",
                 std::uint32_t attributes = platform::AttrArchive);
    void AddDirectory(const std::string& path);  // with parents
    // Makes `path` a link to `target` (a file or a folder, which need not exist).
    void AddLink(const std::string& path, const std::string& target);
    std::string Content(const std::string& path) const;
    std::uint32_t Attributes(const std::string& path) const;
    // A file that is in use: it can be read but not deleted or replaced.
    void Lock(const std::string& path) { locked.insert(Key(path)); }
    std::size_t FileCount() const { return files.size(); }

    static std::string Key(const std::string& path);      // normalised lower-case path
    static std::string Parent(const std::string& key);
    // The key of the place `path` names, every link on the way followed; with `keepLast`, a
    // link in the last part is kept (the link itself, as DeleteFile and RemoveDirectory see it).
    std::string Resolve(const std::string& path, bool keepLast = false) const;

    struct File {
        std::string path;  // as first written
        std::string content;
        std::uint32_t attributes = platform::AttrArchive;
        // Set at each write (WriteFile, AddFile); a copy or a move takes the file's along.
        std::uint64_t writeTime = 0;
        // A new number with each write, never the same twice: what the fake INI files go by to
        // tell whether the content changed, which the write time cannot tell.
        std::uint64_t version = 0;
    };
    std::map<std::string, File> files;
    std::map<std::string, std::string> directories;  // key -> path as written
    std::set<std::string> locked;
    std::map<std::string, std::string> links;  // key of a link -> key of its target
    std::map<std::string, std::string> shortPaths;  // key -> short path; FindFiles matches it too
    std::string tempPath = "C:\\Temp\\";
    std::string currentDirectory = "C:\\";
    unsigned nextTempNumber = 0x1A2B;
    bool failWrites = false;
    std::set<std::string> unreadable;  // keys of files that exist but cannot be read (in use)
    std::uint64_t writeCount = 0;
    // While `recordCalls` is set: the calls that changed a file's content or place, and the
    // flushes, in their order, with the keys of their files: "create" (a temporary file),
    // "write", "copy" (`path` the copy), "flush", "replace" (`path` moved over `to`), "delete".
    struct Call {
        std::string call, path, to;
    };
    bool recordCalls = false;
    std::vector<Call> journal;
    // The clock that write times come from (milliseconds); without one, each write counts one step.
    const std::uint64_t* clockMs = nullptr;
    std::uint64_t timeResolutionMs = 2000;
    // Counts the mutating calls and fails the chosen one; none while null.
    MutationCounter* mutations = nullptr;

private:
    bool Refused() { return mutations && mutations->Fails(); }
    void Record(const char* call, const std::string& path, const std::string& to = "") {
        if (recordCalls) journal.push_back({call, path, to});
    }
    bool Write(const std::string& path, const std::string& content, bool inPlace);
    // Stamps a write: a new version, and the write time from the clock.
    void Stamp(File& file);
};

}  // namespace fake
