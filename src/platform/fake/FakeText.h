#pragma once
#include <string>
#include <vector>

namespace fake {

std::string Lower(const std::string& text);
std::vector<std::string> Split(const std::string& text, char separator);
// Windows file-name matching with '*' and '?', case-insensitive.
bool WildcardMatch(const std::string& pattern, const std::string& name);

}  // namespace fake
