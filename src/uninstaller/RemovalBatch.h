#pragma once
#include <optional>
#include <string>

#include "platform/Platform.h"

namespace remover {

// A path as one quoted argument of a batch line, or nothing when the path cannot be named
// safely there: a double quote would end the quoting, a line break would start a new command,
// and a wildcard would make "del" delete more than the one file. None of these can be part
// of a real Windows path. Inside the quotes only "%" is still expanded, so it is doubled.
std::optional<std::string> QuoteForBatch(const std::string& path);

// The text of the batch that deletes what the running uninstaller cannot: its own file in the
// temporary copy and in the install folder, the copy's folder, the emptied install folder and
// finally the batch itself. Lines whose path is unknown, relative or unsafe are left out, so
// that nothing is deleted relative to the folder the batch happens to run in. The paths are
// in the ANSI code page `codePage`; the batch reads them in it and puts the console's code
// page back at the end. When the copy's folder is a link (a junction, a symbolic link), nothing
// is deleted through it: "rmdir" removes the link alone.
std::string BuildRemovalBatch(const std::string& tempFolder, const std::string& installFolder,
                              const std::string& batchFile, unsigned codePage, bool copyFolderIsLink = false);

// Writes the batch into the temporary-files folder, starts it hidden and ends the uninstaller
// at once with exit code 0. Folders with letters beyond ASCII are named by their short names
// where those are plain ASCII. Never returns.
[[noreturn]] void WriteRemovalBatch(platform::Platform& platform, const std::string& installFolder);

}  // namespace remover
