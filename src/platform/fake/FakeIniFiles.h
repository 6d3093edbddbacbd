#pragma once
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/IniFiles.h"
#include "platform/IniText.h"
#include "platform/fake/FakeFileSystem.h"

namespace fake {

// Private-profile INI files kept as text in the fake file system, so tests see the bytes
// a real file would hold. Lookups read the text as platform::IniText does. Lines written anew
// end with CR LF and read "key=value"; the others stay as they were (a UTF-16 file stays UTF-16).
class FakeIniFiles : public platform::IniFiles {
public:
    explicit FakeIniFiles(FakeFileSystem& files) : files_(files) {}

    std::string ReadString(const std::string& file, const std::string& section, const std::string& key,
                           const std::string& defaultValue) override;
    bool WriteString(const std::string& file, const std::string& section, const std::string& key,
                     const std::string& value) override;
    bool DeleteKey(const std::string& file, const std::string& section, const std::string& key) override;
    bool EraseSection(const std::string& file, const std::string& section) override;
    std::vector<std::string> ReadSections(const std::string& file) override;
    std::vector<std::string> ReadKeys(const std::string& file, const std::string& section) override;

private:
    // The file parsed for lookups; kept while the file keeps its stamp (size and write count),
    // so that reading the many keys of one file parses it once.
    const platform::IniText& Parsed(const std::string& file);
    FakeFileSystem& files_;
    std::string lookedUpPath_, lookedUpKey_;  // the last path asked for, and the file it names
    std::string parsedFile_;
    bool parsedExists_ = false;
    platform::FileStamp parsedStamp_;
    platform::IniText parsed_;
    // The section last looked up by name in parsed_; forgotten at each parse.
    bool sectionFound_ = false;
    std::string foundName_;
    const platform::IniText::Section* foundSection_ = nullptr;
    // The first key of each name in the found section, so that the keys read one after another
    // cost no walk over a section of a million keys each.
    std::unordered_map<std::string, const platform::IniText::Key*> foundKeys_;
};

}  // namespace fake
