#pragma once
#include <cstddef>
#include <functional>
#include <string>

#include "platform/FileSystem.h"

// Changes a file in one step: `fill` makes the new file at a temporary path in the file's own
// folder (named "<prefix><hex>.tmp"), which is then flushed to the disk and replaces the file.
// A failed write in between, or a power cut, never leaves half a file for the program, the
// agent or the user: when any step fails, the file stays as it was, the temporary file is
// removed, and the answer is false.
bool ReplaceFileWith(platform::FileSystem& files, const std::string& path, const std::string& prefix,
                     const std::function<bool(const std::string& temporary)>& fill);

// For a `fill` that changes the file through the INI service: the temporary file starts as a
// copy of the file's content (empty when the file does not exist yet). False when the file is
// larger than `maxSize` or cannot be copied.
bool CopyContent(platform::FileSystem& files, const std::string& from, const std::string& to, std::size_t maxSize);
