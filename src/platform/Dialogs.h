#pragma once
#include <optional>
#include <string>

#include "platform/Windows.h"

namespace platform {

// Message box styles and answers, as Windows numbers them.
enum MessageBoxStyle : unsigned {
    MbOk = 0x0,
    MbYesNo = 0x4,
    MbIconError = 0x10,
    MbIconQuestion = 0x20,
    MbIconExclamation = 0x30,
    MbTopmost = 0x40000,
};
enum MessageBoxAnswer { IdOk = 1, IdCancel = 2, IdYes = 6, IdNo = 7 };

struct MessageBoxRequest {
    WindowHandle owner = 0;
    std::string text;
    std::string caption;
    unsigned style = 0;
    unsigned languageId = 0;
};

struct OpenFileRequest {
    WindowHandle owner = 0;
    std::string title;
    std::string filter;         // "Description|*.ext" pairs joined by '|'
    std::string initialFolder;
    std::string fileName;       // preselected file
};

class Dialogs {
public:
    virtual ~Dialogs() = default;
    virtual int MessageBox(const MessageBoxRequest& request) = 0;
    // The chosen file (which exists), or nothing when cancelled.
    virtual std::optional<std::string> OpenFile(const OpenFileRequest& request) = 0;
    // The chosen folder without a trailing separator, or nothing when cancelled.
    virtual std::optional<std::string> BrowseFolder(WindowHandle owner, const std::string& title) = 0;
    // A one-line text input box; nothing when cancelled.
    virtual std::optional<std::string> InputText(const std::string& caption, const std::string& prompt,
                                                 const std::string& initial) = 0;
};

}  // namespace platform
