// The window attributes of the skin's root "Window" element, custom window attributes,
// whole-window opacity and per-pixel layered mode.
#include "ui/manager/ManagerUI.h"

#include "ui/base/AttributeValues.h"
#include "ui/base/RunOnce.h"
#include "ui/controls/ControlUI.h"
#include "ui/manager/AttributeList.h"
#include "ui/manager/ManagerShared.h"
#include "ui/render/Renderer.h"

namespace VarnUI {
namespace {

using SetLayeredWindowAttributesFn = BOOL(WINAPI*)(HWND, COLORREF, BYTE, DWORD);

FARPROC User32Proc(const char* name)
{
    HMODULE user32 = ::GetModuleHandleW(L"User32.dll");
    return user32 != nullptr ? ::GetProcAddress(user32, name) : nullptr;
}

bool HasUpdateLayeredWindow()
{
    static INIT_ONCE once = INIT_ONCE_STATIC_INIT;
    return RunOnce(once, [] { return User32Proc("UpdateLayeredWindow") != nullptr; });
}

void ChangeExStyle(HWND window, DWORD add, DWORD remove)
{
    const LONG style = ::GetWindowLongW(window, GWL_EXSTYLE);
    ::SetWindowLongW(window, GWL_EXSTYLE, (style | static_cast<LONG>(add)) & ~static_cast<LONG>(remove));
}

} // namespace

void CManagerUI::SetWindowAttribute(const wchar_t* name, const wchar_t* value)
{
    if (name == nullptr || value == nullptr) return;
    const CUIString key(name);
    auto is = [&](const wchar_t* attribute) { return key.CompareNoCase(attribute) == 0; };

    if (is(L"size")) {
        const SIZE size = Scale(CUISize(value));
        SetInitSize(size.cx, size.cy);
    } else if (is(L"sizebox")) {
        m_sizeBox = Scale(CUIRect(value));
    } else if (is(L"caption")) {
        m_caption = Scale(CUIRect(value));
    } else if (is(L"roundcorner")) {
        m_roundCorner = Scale(CUISize(value));
    } else if (is(L"mininfo")) {
        m_minTrack = Scale(CUISize(value));
    } else if (is(L"maxinfo")) {
        m_maxTrack = Scale(CUISize(value));
    } else if (is(L"showdirty")) {
        m_showDirty = AttributeIsTrueNoCase(value);
    } else if (key == L"noactivate") {
        m_noActivate = AttributeIsTrueNoCase(value);
    } else if (is(L"opacity")) {
        SetOpacity(AttributeByte(value));
    } else if (key == L"layeredopacity") {
        SetLayeredOpacity(AttributeByte(value));
    } else if (key == L"layeredimage") {
        SetLayered(true);
        SetLayeredImage(value);
    } else if (is(L"disabledfontcolor")) {
        SetDefaultDisabledColor(AttributeColor(value));
    } else if (is(L"defaultfontcolor")) {
        SetDefaultFontColor(AttributeColor(value));
    } else if (is(L"linkfontcolor")) {
        SetDefaultLinkFontColor(AttributeColor(value));
    } else if (is(L"linkhoverfontcolor")) {
        SetDefaultLinkHoverFontColor(AttributeColor(value));
    } else if (is(L"selectedcolor")) {
        SetDefaultSelectedBkColor(AttributeColor(value));
    } else {
        AddWindowCustomAttribute(name, value);
    }
}

void CManagerUI::SetWindowAttributeList(const wchar_t* text)
{
    ParseAttributeList(text, [this](const wchar_t* name, const wchar_t* value) { SetWindowAttribute(name, value); });
}

const wchar_t* CManagerUI::GetWindowCustomAttribute(const wchar_t* name) const
{
    if (name == nullptr || name[0] == L'\0') return nullptr;
    auto* value = static_cast<CUIString*>(m_customAttributes.Find(name));
    return value != nullptr ? value->GetData() : nullptr;
}

void CManagerUI::AddWindowCustomAttribute(const wchar_t* name, const wchar_t* value)
{
    if (name == nullptr || name[0] == L'\0' || value == nullptr || value[0] == L'\0') return;
    if (m_customAttributes.Find(name) != nullptr) return;
    auto* stored = new CUIString(value);
    if (!m_customAttributes.Insert(name, stored)) delete stored;
}

bool CManagerUI::RemoveWindowCustomAttribute(const wchar_t* name)
{
    if (name == nullptr || name[0] == L'\0') return false;
    auto* value = static_cast<CUIString*>(m_customAttributes.Find(name));
    if (value == nullptr) return false;
    delete value;
    return m_customAttributes.Remove(name);
}

void CManagerUI::RemoveAllWindowCustomAttributes()
{
    DeleteAllValues<CUIString>(m_customAttributes);
}

void CManagerUI::SetInitSize(int cx, int cy)
{
    m_initSize = {cx, cy};
    // Once a tree is attached the window has its size; a late "size" only records the value.
    if (m_root == nullptr && m_paintWindow != nullptr) {
        ::SetWindowPos(m_paintWindow, nullptr, 0, 0, cx, cy, SWP_NOZORDER | SWP_NOMOVE | SWP_NOACTIVATE);
    }
}

void CManagerUI::SetOpacity(BYTE opacity)
{
    m_opacity = opacity;
    if (m_paintWindow == nullptr || !::IsWindow(m_paintWindow)) return;
    ChangeExStyle(m_paintWindow, WS_EX_LAYERED, 0);
    auto setAttributes = reinterpret_cast<SetLayeredWindowAttributesFn>(
        reinterpret_cast<void*>(User32Proc("SetLayeredWindowAttributes")));
    if (setAttributes == nullptr) return;
    setAttributes(m_paintWindow, 0, opacity, LWA_ALPHA);
    if (m_layered) {
        // Constant alpha replaces per-pixel mode; its refresh timer has nothing left to do.
        ::KillTimer(m_paintWindow, kLayeredTimerId);
        m_layered = false;
    }
    Invalidate();
}

void CManagerUI::SetLayered(bool layered)
{
    if (m_paintWindow == nullptr || !::IsWindow(m_paintWindow) || layered == m_layered) return;
    if ((::GetWindowLongW(m_paintWindow, GWL_STYLE) & WS_CHILD) != 0) return;
    if (!HasUpdateLayeredWindow()) return;
    if (layered) {
        ::SetTimer(m_paintWindow, kLayeredTimerId, kLayeredTimerElapse, nullptr);
        ChangeExStyle(m_paintWindow, WS_EX_LAYERED, 0);
    } else {
        ::KillTimer(m_paintWindow, kLayeredTimerId);
        ChangeExStyle(m_paintWindow, 0, WS_EX_LAYERED);
    }
    m_layered = layered;
    if (m_root != nullptr) m_root->RequestLayout();
    Invalidate();
}

void CManagerUI::SetLayeredInset(const RECT& inset)
{
    m_layeredInset = inset;
    m_layeredChanged = true;
    Invalidate();
}

void CManagerUI::SetLayeredOpacity(BYTE opacity)
{
    m_layeredOpacity = opacity;
    m_layeredChanged = true;
    Invalidate();
}

void CManagerUI::SetLayeredImage(const wchar_t* drawString)
{
    m_layeredImage.Clear();
    m_layeredImage.drawString = drawString;
    const RECT none = {0, 0, 0, 0};
    // Parsing without a DC loads the image into the cache; the next paint draws it.
    CRenderer::DrawImageString(nullptr, this, none, none, m_layeredImage);
    m_layeredChanged = true;
    Invalidate();
}

} // namespace VarnUI
