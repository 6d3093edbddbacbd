#include "uninstaller/RemovalBatch.h"

#include <cstdlib>
#include <vector>

#include "common/Text.h"
#include "uninstaller/RemovalPaths.h"

namespace remover {

namespace {

bool IsUnsafeInBatch(char c) {
    const auto code = static_cast<unsigned char>(c);
    return code < 0x20 || c == '"' || c == '*' || c == '?' || c == '<' || c == '>' || c == '|';
}

// Adds `command "path"` for an absolute path that can be named safely.
void AddLine(std::vector<std::string>& lines, const std::string& command, const std::string& path) {
    if (!IsAbsolutePath(path)) return;
    if (auto quoted = QuoteForBatch(path)) lines.push_back(command + " " + *quoted);
}

std::string WithoutTrailingBackslash(std::string folder) {
    while (folder.size() > 3 && folder.back() == '\\') folder.pop_back();
    return folder;
}

}  // namespace

std::optional<std::string> QuoteForBatch(const std::string& path) {
    std::string quoted = "\"";
    for (char c : path) {
        if (IsUnsafeInBatch(c)) return std::nullopt;
        quoted += c;
        if (c == '%') quoted += '%';
    }
    return quoted + "\"";
}

std::string BuildRemovalBatch(const std::string& tempFolder, const std::string& installFolder,
                              const std::string& batchFile) {
    std::vector<std::string> lines{":Label1",
                                   // A user who turned delayed expansion on by default would
                                   // otherwise lose every "!" in the paths below.
                                   "setlocal DisableDelayedExpansion"};
    const std::string copyFolder = IsAbsolutePath(tempFolder) ? JoinPath(tempFolder, "Orvella") : "";
    if (!copyFolder.empty()) {
        AddLine(lines, "del", JoinPath(copyFolder, "OrvellaRemover.exe"));
        AddLine(lines, "del", JoinPath(copyFolder, "Orvella.dll"));
    }
    if (IsAbsolutePath(installFolder)) {
        AddLine(lines, "del", JoinPath(installFolder, "OrvellaRemover.exe"));
        AddLine(lines, "rmdir", WithoutTrailingBackslash(installFolder));
    }
    AddLine(lines, "rmdir", copyFolder);
    AddLine(lines, "del", batchFile);

    std::string text;
    for (const auto& line : lines) text += line + "\r\n";
    return text;
}

void WriteRemovalBatch(platform::Platform& platform, const std::string& installFolder) {
    const std::string tempFolder = platform.files.TempPath();
    const std::string tempFile = IsAbsolutePath(tempFolder) ? platform.files.TempFileName(tempFolder, "uis") : "";
    // The empty temporary file stays: its name keeps the batch's name unique.
    const std::string batchFile = tempFile.empty() ? "" : ChangeFileExt(tempFile, ".bat");

    // A read-only uninstaller file could not be deleted by the batch.
    platform.files.SetAttributes(platform.process.ModuleFileName(), platform::AttrNormal);

    if (IsAbsolutePath(batchFile) &&
        platform.files.WriteFile(batchFile, BuildRemovalBatch(tempFolder, installFolder, batchFile))) {
        // The batch must not keep the install folder busy as its current folder.
        platform.files.SetCurrentDirectory(tempFolder);
        // Quoted, so that a blank in the folder's name cannot make Windows start another program.
        platform.shell.Execute("\"" + batchFile + "\"", platform::ShowHide);
    }
    platform.process.Exit(0);
    std::abort();  // not reached: the compiler cannot see that a virtual Exit never returns
}

}  // namespace remover
