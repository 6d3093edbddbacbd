#pragma once
#include <gtest/gtest.h>

#include "startup/Startup.h"
#include "ui/fake/FakeGui.h"
#include "preferences/PreferencesForm.h"
#include "mainwindow/MainForm.h"

// A machine with Orvella installed in "C:\Program Files\Orvella" (with a language file that
// names the two languages and leaves every text built in) and the player in "C:\Winamp", and a
// settings key that exists.
struct OrvellaFixture : ::testing::Test {
    fake::FakeEnvironment p;
    static constexpr const char* kKey = "Software\\Orvella";
    static constexpr const char* kLanguageFile = "C:\\Program Files\\Orvella\\Language.dll";
    static constexpr const char* kRun = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
    static constexpr platform::RegistryRoot HKCU = platform::RegistryRoot::CurrentUser;

    OrvellaFixture() {
        p.files.AddFile("C:\\Program Files\\Orvella\\Orvella.exe", "exe");
        p.files.AddFile(kLanguageFile, "[Deutsch]\r\n[English]\r\n");
        p.files.AddFile("C:\\Winamp\\Winamp.exe", "player");
        p.registry.SetString(HKCU, "Software\\Winamp", "", "C:\\Winamp");
        p.registry.CreateKey(HKCU, kKey);
        p.registry.CreateKey(HKCU, kRun);
    }

    const fake::RegistryValue* Value(const char* name) { return p.registry.Find(HKCU, kKey, name); }
    std::uint32_t Dword(const char* name) {
        auto v = Value(name);
        EXPECT_TRUE(v && v->type == fake::RegistryValue::Type::Dword) << name;
        return v ? v->number : 0xDEAD;
    }
    std::string Text(const char* name) {
        auto v = Value(name);
        EXPECT_TRUE(v && v->type == fake::RegistryValue::Type::String) << name;
        return v ? v->text : "<missing>";
    }
};
