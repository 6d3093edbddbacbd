#include "ui/Controls.h"
#include "ui/Form.h"

namespace ui {

namespace {

bool IsSlot(char maskChar) { return maskChar == '0' || maskChar == '9'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

MaskEdit::MaskEdit(Form* owner, std::string name, std::string mask)
    : Control(owner, ControlKind::MaskEdit, std::move(name)), mask(std::move(mask)) {
    color = clWindow;
    text = BlankText();
}

bool MaskEdit::Accepts(std::size_t position, char c) const {
    if (position >= mask.size()) return false;
    const char m = mask[position];
    if (!IsSlot(m)) return c == m;
    return IsDigit(c) || (m == '9' && c == ' ');
}

std::string MaskEdit::BlankText() const {
    std::string blank = mask;
    for (char& c : blank)
        if (IsSlot(c)) c = ' ';
    return blank;
}

int MaskEdit::FirstMissing() const {
    for (std::size_t i = 0; i < mask.size(); ++i)
        if (mask[i] == '0' && (i >= text.size() || !IsDigit(text[i]))) return static_cast<int>(i);
    return -1;
}

void MaskEdit::Enter() {
    entered_ = text;
    modified = false;
}

void MaskEdit::Revert() {
    text = entered_;
    modified = false;
}

bool MaskEdit::Exit() {
    if (!modified || Complete()) {
        modified = false;
        return true;
    }
    RefuseInput();
    return false;
}

void MaskEdit::RefuseInput() {
    platform::Platform& p = owner->platform;
    p.system.Beep();
    platform::MessageBoxRequest request;
    request.owner = p.app.ApplicationWindow();
    request.text = "Invalid input value.  Use escape key to abandon changes";
    request.caption = owner->caption;
    request.style = platform::MbOk | platform::MbIconError;
    request.languageId = p.system.DefaultLanguageId();
    p.app.BeforeBlocking();
    p.dialogs.MessageBox(request);
    owner->FocusControl(*this);
}

}  // namespace ui
