#include "ui/win32/FormAccessible.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "platform/win32/LibraryFunction.h"
#include "ui/win32/NativeForm.h"

namespace win32 {

namespace {

bool IsSelf(const VARIANT& child) { return child.vt == VT_I4 && child.lVal == CHILDID_SELF; }

void SetLong(VARIANT* variant, long value) {
    variant->vt = VT_I4;
    variant->lVal = value;
}

// A text of the program (its code page) as a string an accessibility client frees.
HRESULT NewString(const std::string& text, BSTR* result) {
    static const auto allocate = LibraryFunction<decltype(SysAllocString)>("oleaut32.dll", "SysAllocString");
    if (!result) return E_INVALIDARG;
    *result = nullptr;
    if (!allocate) return E_OUTOFMEMORY;
    std::wstring wide(static_cast<std::size_t>(MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, nullptr, 0)), L'\0');
    if (!wide.empty()) MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, &wide[0], static_cast<int>(wide.size()));
    *result = allocate(wide.c_str());
    return *result ? S_OK : E_OUTOFMEMORY;
}

}  // namespace

FormAccessible::FormAccessible(NativeForm& form, const ui::Control* surface, HWND window, IAccessible* standard)
    : form_(&form), surface_(surface), window_(window), standard_(standard) {}

FormAccessible::~FormAccessible() {
    if (standard_) standard_->Release();
}

void FormAccessible::Disconnect() { form_ = nullptr; }

long FormAccessible::ElementCount() const {
    return form_ ? static_cast<long>(form_->AccessibleElements(surface_).size()) : 0;
}

ui::Control* FormAccessible::Element(const VARIANT& child) const {
    if (!form_ || child.vt != VT_I4) return nullptr;
    return form_->AccessibleElement(child.lVal, surface_);
}

bool FormAccessible::StandardChild(const VARIANT& child, VARIANT& theirs) const {
    if (!form_ || !standard_ || child.vt != VT_I4) return false;
    const long elements = ElementCount();
    if (child.lVal <= elements) return false;
    SetLong(&theirs, child.lVal - elements);
    return true;
}

HRESULT FormAccessible::QueryInterface(REFIID id, void** object) {
    if (!object) return E_POINTER;
    if (id == __uuidof(IUnknown) || id == __uuidof(IDispatch) || id == __uuidof(IAccessible)) {
        *object = static_cast<IAccessible*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

ULONG FormAccessible::AddRef() { return static_cast<ULONG>(InterlockedIncrement(&references_)); }

ULONG FormAccessible::Release() {
    const LONG left = InterlockedDecrement(&references_);
    if (left == 0) delete this;
    return static_cast<ULONG>(left);
}

HRESULT FormAccessible::GetTypeInfoCount(UINT* count) {
    if (count) *count = 0;
    return S_OK;
}
HRESULT FormAccessible::GetTypeInfo(UINT, LCID, ITypeInfo**) { return E_NOTIMPL; }
HRESULT FormAccessible::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) { return E_NOTIMPL; }
HRESULT FormAccessible::Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) { return E_NOTIMPL; }

HRESULT FormAccessible::get_accParent(IDispatch** parent) {
    if (!form_ || !standard_) return E_FAIL;
    return standard_->get_accParent(parent);
}

HRESULT FormAccessible::get_accChildCount(long* count) {
    if (!count) return E_POINTER;
    long windows = 0;
    if (form_ && standard_ && FAILED(standard_->get_accChildCount(&windows))) windows = 0;
    *count = ElementCount() + windows;
    return S_OK;
}

// The elements are simple children: clients ask this object about them by number.
HRESULT FormAccessible::get_accChild(VARIANT child, IDispatch** dispatch) {
    VARIANT theirs;
    if (StandardChild(child, theirs)) return standard_->get_accChild(theirs, dispatch);
    if (dispatch) *dispatch = nullptr;
    return form_ ? S_FALSE : E_FAIL;
}

HRESULT FormAccessible::get_accName(VARIANT child, BSTR* name) {
    if (!form_) return E_FAIL;
    VARIANT theirs;
    if (StandardChild(child, theirs)) return standard_->get_accName(theirs, name);
    if (IsSelf(child)) return standard_ ? standard_->get_accName(child, name) : NewString(form_->Model().caption, name);
    const ui::Control* element = Element(child);
    if (!element) return E_INVALIDARG;
    // A text reads out what it shows; its hint is its description.
    const bool text = element->accessibleRole == ui::AccessibleRole::Text;
    const std::string said = !text && !element->hint.empty() ? element->hint
                             : !element->accessibleName.empty() ? element->accessibleName
                                                                : element->caption;
    return NewString(said, name);
}

HRESULT FormAccessible::get_accValue(VARIANT child, BSTR* value) {
    if (!form_) return E_FAIL;
    VARIANT theirs;
    if (StandardChild(child, theirs)) return standard_->get_accValue(theirs, value);
    if (IsSelf(child)) return standard_ ? standard_->get_accValue(child, value) : S_FALSE;
    const ui::Control* element = Element(child);
    if (!element) return E_INVALIDARG;
    if (element->accessibleRole == ui::AccessibleRole::Slider) return NewString(element->accessibleValue, value);
    if (element->accessibleRole == ui::AccessibleRole::Text) return NewString(element->caption, value);
    if (value) *value = nullptr;
    return S_FALSE;
}

HRESULT FormAccessible::get_accDescription(VARIANT child, BSTR* description) {
    VARIANT theirs;
    if (StandardChild(child, theirs)) return standard_->get_accDescription(theirs, description);
    if (form_ && IsSelf(child) && standard_) return standard_->get_accDescription(child, description);
    const ui::Control* element = Element(child);
    if (element && element->accessibleRole == ui::AccessibleRole::Text && !element->hint.empty())
        return NewString(element->hint, description);
    if (description) *description = nullptr;
    return S_FALSE;
}

HRESULT FormAccessible::get_accRole(VARIANT child, VARIANT* role) {
    if (!form_ || !role) return E_FAIL;
    VARIANT theirs;
    if (StandardChild(child, theirs)) return standard_->get_accRole(theirs, role);
    if (IsSelf(child)) {
        if (standard_) return standard_->get_accRole(child, role);
        SetLong(role, ROLE_SYSTEM_CLIENT);
        return S_OK;
    }
    const ui::Control* element = Element(child);
    if (!element) return E_INVALIDARG;
    switch (element->accessibleRole) {
    case ui::AccessibleRole::PushButton: SetLong(role, ROLE_SYSTEM_PUSHBUTTON); break;
    case ui::AccessibleRole::Slider: SetLong(role, ROLE_SYSTEM_SLIDER); break;
    default: SetLong(role, ROLE_SYSTEM_STATICTEXT); break;
    }
    return S_OK;
}

HRESULT FormAccessible::get_accState(VARIANT child, VARIANT* state) {
    if (!form_ || !state) return E_FAIL;
    VARIANT theirs;
    if (StandardChild(child, theirs)) return standard_->get_accState(theirs, state);
    if (IsSelf(child)) {
        if (standard_) return standard_->get_accState(child, state);
        SetLong(state, 0);
        return S_OK;
    }
    const ui::Control* element = Element(child);
    if (!element) return E_INVALIDARG;
    long flags = element->enabled ? 0 : STATE_SYSTEM_UNAVAILABLE;
    if (element->accessibleRole == ui::AccessibleRole::Text) flags |= STATE_SYSTEM_READONLY;
    SetLong(state, flags);
    return S_OK;
}

HRESULT FormAccessible::get_accHelp(VARIANT child, BSTR* help) {
    VARIANT theirs;
    if (StandardChild(child, theirs)) return standard_->get_accHelp(theirs, help);
    if (help) *help = nullptr;
    return S_FALSE;
}

HRESULT FormAccessible::get_accHelpTopic(BSTR* file, VARIANT child, long* topic) {
    VARIANT theirs;
    if (StandardChild(child, theirs)) return standard_->get_accHelpTopic(file, theirs, topic);
    if (file) *file = nullptr;
    if (topic) *topic = 0;
    return S_FALSE;
}

HRESULT FormAccessible::get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) {
    VARIANT theirs;
    if (StandardChild(child, theirs)) return standard_->get_accKeyboardShortcut(theirs, shortcut);
    if (shortcut) *shortcut = nullptr;
    return S_FALSE;
}

HRESULT FormAccessible::get_accFocus(VARIANT* child) {
    if (!child) return E_POINTER;
    child->vt = VT_EMPTY;
    if (!form_) return E_FAIL;
    // A child window with the focus is the system object's to name.
    if (standard_ && GetFocus() && IsChild(window_, GetFocus())) return standard_->get_accFocus(child);
    if (GetFocus() != window_) return S_OK;
    SetLong(child, CHILDID_SELF);
    const std::vector<ui::Control*> elements = form_->AccessibleElements(surface_);
    const auto at = std::find(elements.begin(), elements.end(), form_->KeyElement());
    if (at != elements.end()) SetLong(child, static_cast<long>(at - elements.begin() + 1));
    return S_OK;
}

HRESULT FormAccessible::get_accSelection(VARIANT* children) {
    if (children) children->vt = VT_EMPTY;
    return S_OK;
}

HRESULT FormAccessible::get_accDefaultAction(VARIANT child, BSTR* action) {
    if (!form_) return E_FAIL;
    VARIANT theirs;
    if (StandardChild(child, theirs)) return standard_->get_accDefaultAction(theirs, action);
    const ui::Control* element = IsSelf(child) ? nullptr : Element(child);
    if (!element || element->accessibleRole != ui::AccessibleRole::PushButton) {
        if (action) *action = nullptr;
        return IsSelf(child) || element ? S_FALSE : E_INVALIDARG;
    }
    return NewString(element->accessibleAction, action);
}

HRESULT FormAccessible::accSelect(long flags, VARIANT child) {
    VARIANT theirs;
    if (StandardChild(child, theirs)) return standard_->accSelect(flags, theirs);
    return S_FALSE;
}

HRESULT FormAccessible::accLocation(long* left, long* top, long* width, long* height, VARIANT child) {
    if (!form_ || !left || !top || !width || !height) return E_FAIL;
    VARIANT theirs;
    if (StandardChild(child, theirs)) return standard_->accLocation(left, top, width, height, theirs);
    RECT rect{};
    if (IsSelf(child)) {
        GetClientRect(window_, &rect);
    } else {
        const ui::Control* element = Element(child);
        if (!element) return E_INVALIDARG;
        rect = form_->ElementRect(*element);
    }
    MapWindowPoints(window_, nullptr, reinterpret_cast<POINT*>(&rect), 2);
    *left = rect.left;
    *top = rect.top;
    *width = rect.right - rect.left;
    *height = rect.bottom - rect.top;
    return S_OK;
}

// Among the elements; the window itself and its child windows move as the system object says.
HRESULT FormAccessible::accNavigate(long direction, VARIANT start, VARIANT* end) {
    if (!form_ || !end) return E_FAIL;
    end->vt = VT_EMPTY;
    VARIANT theirs;
    if (StandardChild(start, theirs)) return standard_->accNavigate(direction, theirs, end);
    const long count = ElementCount();
    long from = IsSelf(start) ? 0 : start.vt == VT_I4 ? start.lVal : -1;
    if (from < 0 || from > count) return E_INVALIDARG;
    long to = 0;
    switch (direction) {
    case NAVDIR_FIRSTCHILD: to = from == 0 ? 1 : 0; break;
    case NAVDIR_LASTCHILD: to = from == 0 ? count : 0; break;
    case NAVDIR_NEXT:
    case NAVDIR_RIGHT:
    case NAVDIR_DOWN:
        if (from == 0) return standard_ ? standard_->accNavigate(direction, start, end) : S_FALSE;
        to = from + 1;
        break;
    case NAVDIR_PREVIOUS:
    case NAVDIR_LEFT:
    case NAVDIR_UP:
        if (from == 0) return standard_ ? standard_->accNavigate(direction, start, end) : S_FALSE;
        to = from - 1;
        break;
    default: return E_INVALIDARG;
    }
    if (to < 1 || to > count) return S_FALSE;
    SetLong(end, to);
    return S_OK;
}

HRESULT FormAccessible::accHitTest(long x, long y, VARIANT* child) {
    if (!form_ || !child) return E_FAIL;
    child->vt = VT_EMPTY;
    POINT point{x, y};
    ScreenToClient(window_, &point);
    RECT client{};
    GetClientRect(window_, &client);
    if (!PtInRect(&client, point)) return S_FALSE;
    // A child window lies over the elements painted beneath it.
    if (HWND over = ChildWindowFromPointEx(window_, point, CWP_SKIPINVISIBLE); over && over != window_ && standard_) {
        const HRESULT answer = standard_->accHitTest(x, y, child);
        if (answer == S_OK && child->vt == VT_I4 && child->lVal != CHILDID_SELF) child->lVal += ElementCount();
        return answer;
    }
    const std::vector<ui::Control*> elements = form_->AccessibleElements(surface_);
    // The last one painted is the one in front.
    for (std::size_t i = elements.size(); i-- > 0;) {
        const RECT rect = form_->ElementRect(*elements[i]);
        if (PtInRect(&rect, point)) {
            SetLong(child, static_cast<long>(i + 1));
            return S_OK;
        }
    }
    SetLong(child, CHILDID_SELF);
    return S_OK;
}

HRESULT FormAccessible::accDoDefaultAction(VARIANT child) {
    if (!form_) return E_FAIL;
    VARIANT theirs;
    if (StandardChild(child, theirs)) return standard_->accDoDefaultAction(theirs);
    if (IsSelf(child)) return S_FALSE;
    ui::Control* element = Element(child);
    if (!element) return E_INVALIDARG;
    if (element->accessibleRole != ui::AccessibleRole::PushButton) return DISP_E_MEMBERNOTFOUND;
    if (!element->enabled) return E_FAIL;
    form_->PressElement(*element);
    return S_OK;
}

HRESULT FormAccessible::put_accName(VARIANT, BSTR) { return E_NOTIMPL; }

// A slider that takes values takes a number from the client as a drag would set it.
HRESULT FormAccessible::put_accValue(VARIANT child, BSTR value) {
    if (!form_) return E_FAIL;
    VARIANT theirs;
    if (StandardChild(child, theirs)) return standard_->put_accValue(theirs, value);
    if (IsSelf(child)) return standard_ ? standard_->put_accValue(child, value) : E_NOTIMPL;
    ui::Control* element = Element(child);
    if (!element) return E_INVALIDARG;
    if (element->accessibleRole != ui::AccessibleRole::Slider || !element->OnAccessibleValue) return E_NOTIMPL;
    if (!element->enabled) return E_FAIL;
    if (!value) return E_INVALIDARG;
    std::string text(static_cast<std::size_t>(WideCharToMultiByte(CP_ACP, 0, value, -1, nullptr, 0, nullptr, nullptr)), '\0');
    if (!text.empty()) WideCharToMultiByte(CP_ACP, 0, value, -1, &text[0], static_cast<int>(text.size()), nullptr, nullptr);
    text.resize(std::strlen(text.c_str()));
    return form_->SetElementValue(*element, text) ? S_OK : E_INVALIDARG;
}

}  // namespace win32
