#pragma once
#include <string>
#include <vector>

#include "platform/FileSystem.h"

namespace skin {

// The names of the skin files in `folder`, in the order the file system lists them. Only a
// name whose extension is ".skn" itself counts: the file finder also matches the short-name
// alias of a longer extension ("NIGHT~1.SKN" for "Night.sknold").
std::vector<std::string> SkinFileNames(platform::FileSystem& files, const std::string& folder);

}  // namespace skin
