#pragma once
#include <stdexcept>
#include <string>

#include "startup/OrvellaFixture.h"

// INI files whose reads of one file fail, as they do when the system refuses to read it.
struct FailingIni : platform::IniFiles {
    explicit FailingIni(platform::IniFiles& inner) : inner(inner) {}
    platform::IniFiles& inner;
    std::string unreadable;

    std::string ReadString(const std::string& file, const std::string& section, const std::string& key,
                           const std::string& defaultValue) override {
        if (file == unreadable) throw std::runtime_error("Cannot read " + file);
        return inner.ReadString(file, section, key, defaultValue);
    }
    bool WriteString(const std::string& file, const std::string& section, const std::string& key,
                     const std::string& value) override {
        return inner.WriteString(file, section, key, value);
    }
    bool DeleteKey(const std::string& file, const std::string& section, const std::string& key) override {
        return inner.DeleteKey(file, section, key);
    }
    bool EraseSection(const std::string& file, const std::string& section) override {
        return inner.EraseSection(file, section);
    }
    std::vector<std::string> ReadSections(const std::string& file) override { return inner.ReadSections(file); }
    std::vector<std::string> ReadKeys(const std::string& file, const std::string& section) override {
        return inner.ReadKeys(file, section);
    }
};

// The installed machine, seen through an environment whose INI reads can be made to fail.
struct LanguageFixture : OrvellaFixture {
    FailingIni ini{p.ini};
    platform::Platform platform{p.registry, p.files, ini,     p.process, p.desktop, p.desktop,
                                p.desktop,  p.volume, p.sound, p.clock, p.system,  p.dialogs, p.app};
    ui::Environment environment{platform, p.gui};
};
