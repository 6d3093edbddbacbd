#include "common/FileReplace.h"

#include "common/Text.h"

bool ReplaceFileWith(platform::FileSystem& files, const std::string& path, const std::string& prefix,
                     const std::function<bool(const std::string& temporary)>& fill) {
    const std::string folder = ExtractFilePath(path);
    const std::string temporary = files.TempFileName(folder.empty() ? "." : folder, prefix);
    if (temporary.empty()) return false;
    // Flushed before the move: a power cut right after it must find the new content on the disk,
    // not a renamed file whose data were still in memory.
    if (fill(temporary) && files.FlushFile(temporary) && files.ReplaceFile(temporary, path)) return true;
    files.DeleteFile(temporary);
    return false;
}

bool CopyContent(platform::FileSystem& files, const std::string& from, const std::string& to, std::size_t maxSize) {
    if (!files.FileExists(from)) return true;
    std::string content;
    return files.ReadFile(from, content, maxSize) && files.WriteFile(to, content);
}
