#pragma once
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/IniFiles.h"
#include "platform/fake/FakeFileSystem.h"

namespace fake {

// Private-profile INI files kept as text in the fake file system, so tests see the bytes
// a real file would hold. Lines written anew end with CR LF and read "key=value"; the others
// stay as they were.
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
    // A non-blank line as a lookup sees it: a section header or a key, its name folded.
    struct Entry {
        bool section = false;
        std::string name;
        std::string value;
        bool hasValue = false;
    };
    // The file's lines parsed for lookups; kept while the file's content stays the same, so
    // that reading the many keys of one file parses it once.
    const std::vector<Entry>& Entries(const std::string& file);
    // The value a lookup of section and key finds, by their folded names: the first key of
    // that name in the first section of that name. Kept with `parsed_`.
    struct Found {
        std::string value;
        bool hasValue = false;
    };
    std::unordered_map<std::string, std::unordered_map<std::string, Found>> lookup_;
    // The key names of the first section of each (folded) name, as written.
    std::unordered_map<std::string, std::vector<std::string>> keysOf_;
    std::string parsedPath_;  // the path as the last lookup spelled it, with its key in `parsedFile_`
    bool parsedValid_ = false;
    std::vector<std::string> Lines(const std::string& file);
    bool Store(const std::string& file, const std::vector<std::string>& lines);
    FakeFileSystem& files_;
    std::string parsedFile_, parsedContent_;
    std::vector<Entry> parsed_;
};

}  // namespace fake
