#pragma once
#include "platform/Application.h"
#include "platform/Dialogs.h"

namespace win32 {

// Message boxes, the common file and folder choosers, and a small text input box.
class Win32Dialogs : public platform::Dialogs {
public:
    explicit Win32Dialogs(platform::Application& app) : app_(app) {}
    int MessageBox(const platform::MessageBoxRequest& request) override;
    std::optional<std::string> OpenFile(const platform::OpenFileRequest& request) override;
    std::optional<std::string> BrowseFolder(platform::WindowHandle owner, const std::string& title) override;
    std::optional<std::string> InputText(const std::string& caption, const std::string& prompt,
                                         const std::string& initial) override;

private:
    platform::Application& app_;
};

// The input box on its own (Win32InputBox.cpp).
std::optional<std::string> ShowInputBox(const std::string& caption, const std::string& prompt,
                                        const std::string& initial);

}  // namespace win32
