#include <algorithm>

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

std::string MaskEdit::Blanked(int start, int end) const {
    std::string result = text;
    result.resize(mask.size(), ' ');
    for (int i = std::max(start, 0); i < end && i < static_cast<int>(mask.size()); ++i)
        if (IsSlot(mask[i])) result[i] = ' ';
    return result;
}

int MaskEdit::Type(int start, int end, char c) {
    const int size = static_cast<int>(mask.size());
    start = std::clamp(start, 0, size);
    end = std::clamp(end, start, size);
    if (start < size && !IsSlot(mask[start]) && c == mask[start]) {
        text = Blanked(start, end);
        return start + 1;
    }
    int slot = start;
    while (slot < size && !IsSlot(mask[slot])) ++slot;
    if (slot >= size || !Accepts(slot, c)) return -1;
    text = Blanked(start, end);
    text[slot] = c;
    modified = true;
    // The caret waits behind the fixed characters that follow, where the next digit goes.
    int caret = slot + 1;
    while (caret < size && !IsSlot(mask[caret])) ++caret;
    return caret;
}

int MaskEdit::Erase(int start, int end, bool backward) {
    const int size = static_cast<int>(mask.size());
    start = std::clamp(start, 0, size);
    end = std::clamp(end, start, size);
    if (end == start) {
        int slot = backward ? start - 1 : start;
        while (slot >= 0 && slot < size && !IsSlot(mask[slot])) slot += backward ? -1 : 1;
        if (slot < 0 || slot >= size) return start;
        if (backward) start = slot;
        end = slot + 1;  // the fixed characters passed on the way are left alone
    }
    const std::string blanked = Blanked(start, end);
    if (blanked != text) modified = true;
    text = blanked;
    return start;
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
