#pragma once
#include <string>

// Rounds to the nearest whole number, halves to the even neighbour.
int RoundHalfEven(double value);

// The folder part of a path, with its trailing backslash ("C:\a\b.exe" gives "C:\a\").
std::string ExtractFilePath(const std::string& path);
// The name part of a path ("C:\a\b.exe" gives "b.exe").
std::string ExtractFileName(const std::string& path);
// Appends a backslash unless the text is empty or already ends with one.
std::string IncludeTrailingBackslash(const std::string& folder);
// Replaces the extension (the text from the last '.' of the name part) with `extension`.
std::string ChangeFileExt(const std::string& path, const std::string& extension);
