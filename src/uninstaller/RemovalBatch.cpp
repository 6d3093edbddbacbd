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

bool IsAscii(const std::string& text) {
    for (char c : text)
        if (static_cast<unsigned char>(c) >= 0x80) return false;
    return true;
}

// A folder as the batch names it: by its short name when the long one holds letters beyond
// ASCII and the short one does not, since plain ASCII reads the same in every code page.
// Windows reads the batch in the code page its "chcp" line sets, but the command interpreter
// of Wine 8 reads batch files in the OEM code page whatever "chcp" says; Wine's short names
// are always plain ASCII. On Windows short names are often missing or keep letters such as
// "Ü", and the "chcp" line does the work.
std::string FolderForBatch(platform::FileSystem& files, const std::string& folder) {
    if (IsAscii(folder) || !IsAbsolutePath(folder)) return folder;
    const std::string shortName = files.ShortPathName(folder);
    return !shortName.empty() && IsAscii(shortName) ? shortName : folder;
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
                              const std::string& batchFile, unsigned codePage, bool copyFolderIsLink) {
    std::vector<std::string> lines{
        ":Label1",
        // A user who turned delayed expansion on by default would otherwise lose every "!" in
        // the paths below.
        "setlocal DisableDelayedExpansion",
        // The command interpreter decodes each line as it reads it, in the console's code page
        // of that moment. The batch's new console starts in the OEM code page (850, 437), the
        // paths are in the ANSI one: switch before the first line that names a path. The old
        // code page is taken from chcp's own report, which every Windows language words
        // differently but ends with ": <number>", in German followed by a full stop.
        "for /f \"tokens=2 delims=:.\" %%a in ('chcp') do set OrvellaCodePage=%%a",
        "chcp " + std::to_string(codePage) + " >nul"};
    const std::string copyFolder = IsAbsolutePath(tempFolder) ? JoinPath(tempFolder, "Orvella") : "";
    if (!copyFolder.empty() && !copyFolderIsLink) {
        AddLine(lines, "del", JoinPath(copyFolder, "OrvellaRemover.exe"));
        AddLine(lines, "del", JoinPath(copyFolder, "Orvella.dll"));
    }
    if (IsAbsolutePath(installFolder)) {
        AddLine(lines, "del", JoinPath(installFolder, "OrvellaRemover.exe"));
        AddLine(lines, "rmdir", WithoutTrailingBackslash(installFolder));
    }
    AddLine(lines, "rmdir", copyFolder);
    // The old code page comes back on the self-deleting line, after the "del": the line is read
    // whole before it runs, so its path is still decoded in the ANSI code page, and a number
    // misread from another wording only makes that last chcp fail, in a console that closes
    // with the batch anyway.
    const std::string restore = "chcp %OrvellaCodePage% >nul";
    const auto quotedBatch = IsAbsolutePath(batchFile) ? QuoteForBatch(batchFile) : std::nullopt;
    lines.push_back(quotedBatch ? "del " + *quotedBatch + " & " + restore : restore);

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

    if (IsAbsolutePath(batchFile)) {
        // The batch names itself the way it names the temporary folder.
        const std::string batchTempFolder = FolderForBatch(platform.files, tempFolder);
        const std::string text =
            BuildRemovalBatch(batchTempFolder, FolderForBatch(platform.files, installFolder),
                              JoinPath(batchTempFolder, ExtractFileName(batchFile)), platform.system.AnsiCodePage(),
                              platform.files.IsLink(JoinPath(tempFolder, "Orvella")));
        if (platform.files.WriteFile(batchFile, text)) {
            // The batch must not keep the install folder busy as its current folder.
            platform.files.SetCurrentDirectory(tempFolder);
            // Quoted, so that a blank in the folder's name cannot make Windows start another program.
            platform.shell.Execute("\"" + batchFile + "\"", platform::ShowHide);
        }
    }
    platform.process.Exit(0);
    std::abort();  // not reached: the compiler cannot see that a virtual Exit never returns
}

}  // namespace remover
