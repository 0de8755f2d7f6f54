#include "ui/controls/ControlUI.h"

#include "ui/controls/ControlState.h"
#include "ui/manager/ManagerUI.h"
#include "ui/render/Renderer.h"

#include <cmath>

namespace VarnUI {

CControlUI::CControlUI() = default;

void CControlUI::Destroy()
{
    if (m_manager != nullptr) m_manager->RemoveMouseLeaveListener(this);
    if (m_eventDepth > 0 && m_manager != nullptr && !m_destroyPending) {
        // Deleting now would pull the object from under the code still running for it.
        // Forgotten now, it can no longer receive events; detached, it forwards nothing to
        // a parent that may go first.
        m_destroyPending = true;
        m_parent = nullptr;
        m_manager->ForgetControl(this);
        if (m_manager->DeferDelete(this)) return;
    }
    if (m_destroyPending && m_eventDepth > 0) return;
    delete this;
}

CControlUI::~CControlUI()
{
    CControlUI* cover = m_cover;
    m_cover = nullptr;
    delete cover;
    RemoveAllCustomAttributes();
    m_onDestroy.Invoke(this);
    if (m_manager != nullptr) m_manager->ForgetControl(this);
}

const CUIString& CControlUI::GetName() const
{
    return m_name;
}

void CControlUI::SetName(const wchar_t* name)
{
    if (m_name == name) return;
    // The manager moves the name map entry and stores the name; a control it does not
    // accept (no manager, or the name is taken in the map) still keeps the name.
    if (m_manager != nullptr && m_manager->RenameControl(this, name)) return;
    m_name = name;
}

const wchar_t* CControlUI::GetClassName() const
{
    return L"Control";
}

void* CControlUI::GetInterface(const wchar_t* name)
{
    return CUIString(name) == L"Control" ? this : nullptr;
}

UINT CControlUI::QueryControlFlags() const
{
    return 0;
}

HWND CControlUI::GetNativeWindow() const
{
    return nullptr;
}

bool CControlUI::Activate()
{
    return IsVisible() && IsEnabled();
}

CManagerUI* CControlUI::GetManager() const
{
    return m_manager;
}

void CControlUI::SetManager(CManagerUI* manager, CControlUI* parent, bool init)
{
    // Lengths set before (constructor defaults, attributes read without a window) follow the
    // window's DPI from here on.
    if (manager != nullptr) SetDpi(manager->GetDpi());
    if (m_cover != nullptr) m_cover->SetManager(manager, this, init);
    // The old manager could otherwise find a control it no longer hears about.
    if (m_manager != nullptr && m_manager != manager) m_manager->ForgetName(this);
    m_manager = manager;
    m_parent = parent;
    if (init && parent != nullptr) Init();
}

CControlUI* CControlUI::GetParent() const
{
    return m_parent;
}

CControlUI* CControlUI::GetCover() const
{
    return m_cover;
}

void CControlUI::SetCover(CControlUI* cover)
{
    if (cover == m_cover) return;
    if (m_cover != nullptr) m_cover->Destroy();
    m_cover = cover;
    if (cover == nullptr) return;
    if (m_manager != nullptr) {
        m_manager->AdoptControls(cover, this);
    } else {
        cover->SetManager(nullptr, this, false);
    }
    if (IsVisible()) {
        RequestLayout();
    } else {
        cover->SetInheritedVisible(false);
    }
}

CUIString CControlUI::GetText() const
{
    return m_text;
}

void CControlUI::SetText(const wchar_t* text)
{
    if (m_text == text) return;
    m_text = text;
    Invalidate();
}

const RECT& CControlUI::GetPos() const
{
    return m_item;
}

RECT CControlUI::GetRelativePos() const
{
    if (m_parent == nullptr) return CUIRect();
    CUIRect rc = m_item;
    const RECT& parent = m_parent->GetPos();
    rc.Offset(-parent.left, -parent.top);
    return rc;
}

RECT CControlUI::GetClientPos() const
{
    return m_item;
}

bool CControlUI::ClipToAncestors(CUIRect& rc) const
{
    for (CControlUI* parent = m_parent; parent != nullptr; parent = parent->GetParent()) {
        if (!parent->IsVisible()) return false;
        const RECT& bounds = parent->GetPos();
        if (!::IntersectRect(&rc, &rc, &bounds)) return false;
    }
    return true;
}

void CControlUI::SetPos(RECT rc, bool needInvalidate)
{
    if (rc.right < rc.left) rc.right = rc.left;
    if (rc.bottom < rc.top) rc.bottom = rc.top;
    CUIRect invalid = m_item;
    if (::IsRectEmpty(&invalid)) invalid = rc;

    if (m_float) {
        if (m_parent != nullptr) {
            const RECT& parent = m_parent->GetPos();
            m_item = rc;
            m_item.Offset(parent.left, parent.top);
            const int width = parent.right - parent.left;
            const int height = parent.bottom - parent.top;
            m_fixedXY.cx = rc.left - static_cast<int>(m_floatPercent.left * width);
            m_fixedXY.cy = rc.top - static_cast<int>(m_floatPercent.top * height);
            m_fixedWidth = rc.right - static_cast<int>(m_floatPercent.right * width) - m_fixedXY.cx;
            m_fixedHeight = rc.bottom - static_cast<int>(m_floatPercent.bottom * height) - m_fixedXY.cy;
        }
    } else {
        m_item = rc;
    }
    if (m_manager == nullptr) return;

    if (!m_inSizeNotify) {
        m_inSizeNotify = true;
        m_onSize.Invoke(this);
        m_inSizeNotify = false;
    }
    m_updateNeeded = false;

    if (needInvalidate && IsVisible()) {
        invalid.Join(m_item);
        if (ClipToAncestors(invalid)) m_manager->Invalidate(invalid);
    }

    if (m_cover == nullptr || !m_cover->IsVisible()) return;
    if (m_cover->IsFloat()) {
        const SIZE xy = m_cover->GetFixedXY();
        const PercentInfoUI percent = m_cover->GetFloatPercent();
        const int width = m_item.GetWidth();
        const int height = m_item.GetHeight();
        RECT coverRect;
        coverRect.left = static_cast<int>(width * percent.left) + xy.cx;
        coverRect.top = static_cast<int>(height * percent.top) + xy.cy;
        coverRect.right = static_cast<int>(width * percent.right) + xy.cx + m_cover->GetFixedWidth();
        coverRect.bottom = static_cast<int>(height * percent.bottom) + xy.cy + m_cover->GetFixedHeight();
        m_cover->SetPos(coverRect, false);
    } else {
        int width = rc.right - rc.left;
        if (width < m_cover->GetMinWidth()) width = m_cover->GetMinWidth();
        if (width > m_cover->GetMaxWidth()) width = m_cover->GetMaxWidth();
        int height = rc.bottom - rc.top;
        if (height < m_cover->GetMinHeight()) height = m_cover->GetMinHeight();
        if (height > m_cover->GetMaxHeight()) height = m_cover->GetMaxHeight();
        // A float owner was given a rectangle relative to its parent; the cover is placed in
        // window coordinates, over where the owner really is.
        const int left = m_item.left;
        const int top = m_item.top;
        m_cover->SetPos({left, top, left + width, top + height}, false);
    }
}

void CControlUI::Move(int dx, int dy, bool needInvalidate)
{
    CUIRect invalid = m_item;
    m_item.Offset(dx, dy);
    if (needInvalidate && m_manager != nullptr && IsVisible()) {
        invalid.Join(m_item);
        if (ClipToAncestors(invalid)) m_manager->Invalidate(invalid);
    }
    if (m_cover != nullptr && m_cover->IsVisible()) m_cover->Move(dx, dy, false);
}

// The size wishes a parent's layout reads: a negative value is no wish, and only a change
// lays the parent out again.
void CControlUI::SetDpi(int dpi)
{
    if (dpi <= 0 || dpi == m_dpi) return;
    const int from = m_dpi;
    m_dpi = dpi;
    RescalePixels(from, dpi);
}

void CControlUI::RescalePixels(int fromDpi, int toDpi)
{
    RescaleEach(fromDpi, toDpi, m_padding, m_fixedXY, m_fixedWidth, m_fixedHeight, m_minWidth, m_minHeight,
                m_maxWidth, m_maxHeight, m_borderSize, m_borderRound, m_toolTipWidth);
    m_updateNeeded = true;
    if (m_cover != nullptr) m_cover->SetDpi(toDpi);
}

void CControlUI::SetSizeWish(int& wish, int value)
{
    if (value < 0 || value == wish) return;
    wish = value;
    RequestParentLayout();
}

int CControlUI::GetWidth() const { return m_item.GetWidth(); }
int CControlUI::GetHeight() const { return m_item.GetHeight(); }
int CControlUI::GetX() const { return m_item.left; }
int CControlUI::GetY() const { return m_item.top; }
RECT CControlUI::GetPadding() const { return m_padding; }

void CControlUI::SetPadding(RECT padding)
{
    m_padding = padding;
    RequestParentLayout();
}

SIZE CControlUI::GetFixedXY() const { return m_fixedXY; }

void CControlUI::SetFixedXY(SIZE xy)
{
    m_fixedXY = xy;
    RequestParentLayout();
}

PercentInfoUI CControlUI::GetFloatPercent() const { return m_floatPercent; }

void CControlUI::SetFloatPercent(PercentInfoUI percent)
{
    m_floatPercent = percent;
    RequestParentLayout();
}

int CControlUI::GetFixedWidth() const { return m_fixedWidth; }

void CControlUI::SetFixedWidth(int cx)
{
    if (cx < 0) return;
    m_fixedWidth = cx;
    RequestParentLayout();
}

int CControlUI::GetFixedHeight() const { return m_fixedHeight; }

void CControlUI::SetFixedHeight(int cy)
{
    if (cy < 0) return;
    m_fixedHeight = cy;
    RequestParentLayout();
}

int CControlUI::GetMinWidth() const { return m_minWidth; }

void CControlUI::SetMinWidth(int cx)
{
    SetSizeWish(m_minWidth, cx);
}

int CControlUI::GetMaxWidth() const { return m_maxWidth > m_minWidth ? m_maxWidth : m_minWidth; }

void CControlUI::SetMaxWidth(int cx)
{
    SetSizeWish(m_maxWidth, cx);
}

int CControlUI::GetMinHeight() const { return m_minHeight; }

void CControlUI::SetMinHeight(int cy)
{
    SetSizeWish(m_minHeight, cy);
}

int CControlUI::GetMaxHeight() const { return m_maxHeight > m_minHeight ? m_maxHeight : m_minHeight; }

void CControlUI::SetMaxHeight(int cy)
{
    SetSizeWish(m_maxHeight, cy);
}

CUIString CControlUI::GetToolTip() const { return m_toolTip; }

void CControlUI::SetToolTip(const wchar_t* text)
{
    m_toolTip = text;
    m_toolTip.Replace(L"<n>", L"\r\n");
}

void CControlUI::SetToolTipWidth(int width) { m_toolTipWidth = width; }
int CControlUI::GetToolTipWidth() const { return m_toolTipWidth; }
wchar_t CControlUI::GetShortcut() const { return m_shortcut; }
void CControlUI::SetShortcut(wchar_t ch) { m_shortcut = ch; }
bool CControlUI::IsContextMenuUsed() const { return m_menuUsed; }
void CControlUI::SetContextMenuUsed(bool used) { m_menuUsed = used; }
const CUIString& CControlUI::GetUserData() const { return m_userData; }
void CControlUI::SetUserData(const wchar_t* text) { m_userData = text; }
UINT_PTR CControlUI::GetTag() const { return m_tag; }
void CControlUI::SetTag(UINT_PTR tag) { m_tag = tag; }

bool CControlUI::IsVisible() const
{
    return m_visible && m_inheritedVisible;
}

void CControlUI::SetVisible(bool visible)
{
    if (m_visible == visible) return;
    const bool wasVisible = IsVisible();
    m_visible = visible;
    m_focused = false;
    if (!visible && m_manager != nullptr && m_manager->GetFocus() == this) m_manager->SetFocus(nullptr);
    if (IsVisible() != wasVisible) RequestParentLayout();
    if (m_cover != nullptr) m_cover->SetInheritedVisible(IsVisible());
}

void CControlUI::SetInheritedVisible(bool visible)
{
    m_inheritedVisible = visible;
    if (!visible && m_manager != nullptr && m_manager->GetFocus() == this) m_manager->SetFocus(nullptr);
    if (m_cover != nullptr) m_cover->SetInheritedVisible(IsVisible());
}

bool CControlUI::IsEnabled() const { return m_enabled; }

void CControlUI::SetEnabled(bool enabled)
{
    if (m_enabled == enabled) return;
    m_enabled = enabled;
    Invalidate();
}

bool CControlUI::IsMouseEnabled() const { return m_mouseEnabled; }
void CControlUI::SetMouseEnabled(bool enabled) { m_mouseEnabled = enabled; }
bool CControlUI::IsKeyboardEnabled() const { return m_keyboardEnabled; }
void CControlUI::SetKeyboardEnabled(bool enabled) { m_keyboardEnabled = enabled; }
bool CControlUI::IsFocused() const { return m_focused; }

void CControlUI::SetFocus()
{
    if (m_manager != nullptr) m_manager->SetFocus(this);
}

bool CControlUI::IsFloat() const { return m_float; }

void CControlUI::SetFloat(bool isFloat)
{
    if (m_float == isFloat) return;
    m_float = isFloat;
    RequestParentLayout();
}

CControlUI* CControlUI::FindControl(FindControlProc proc, void* data, UINT flags)
{
    if ((flags & FIND_VISIBLE) != 0 && !IsVisible()) return nullptr;
    if ((flags & FIND_ENABLED) != 0 && !IsEnabled()) return nullptr;
    if ((flags & FIND_HITTEST) != 0 && !::PtInRect(&m_item, *static_cast<const POINT*>(data))) return nullptr;
    if ((flags & FIND_UPDATETEST) != 0 && proc(this, data) != nullptr) return nullptr;

    const bool mayAnswer = (flags & FIND_HITTEST) == 0 || IsMouseEnabled();
    if ((flags & FIND_ME_FIRST) != 0 && mayAnswer) {
        if (CControlUI* found = proc(this, data)) return found;
    }
    if (m_cover != nullptr) {
        if (CControlUI* found = m_cover->FindControl(proc, data, flags)) return found;
    }
    if ((flags & FIND_ME_FIRST) == 0 && mayAnswer) return proc(this, data);
    return nullptr;
}

void CControlUI::Init()
{
    InitSelf();
    m_onInit.Invoke(this);
}

void CControlUI::InitSelf()
{
}

void CControlUI::Event(EventUI& event)
{
    EventDepthScope busy(*this);
    if (m_onEvent.Invoke(&event) && !m_destroyPending) HandleEvent(event);
}

void CControlUI::HandleEvent(EventUI& event)
{
    switch (event.type) {
    case EVT_SETCURSOR:
        ::SetCursor(::LoadCursorW(nullptr, MAKEINTRESOURCEW(32512)));  // IDC_ARROW
        return;
    case EVT_SETFOCUS:
        m_focused = true;
        Invalidate();
        return;
    case EVT_KILLFOCUS:
        m_focused = false;
        Invalidate();
        return;
    case EVT_TIMER:
        if (m_manager != nullptr) m_manager->SendNotify(this, L"timer", event.wParam, event.lParam);
        return;
    case EVT_CONTEXTMENU:
        if (m_menuUsed) {
            if (m_manager != nullptr) m_manager->SendNotify(this, L"menu", event.wParam, event.lParam);
            return;
        }
        break;
    default:
        break;
    }
    if (m_parent != nullptr) ForwardEvent(event, m_parent);
}

bool CControlUI::ForwardMouseEventIfOff(EventUI& event)
{
    return ForwardMouseEventIfOff(event, m_parent);
}

bool CControlUI::ForwardMouseEventIfOff(EventUI& event, CControlUI* target)
{
    if (!IsMouseEvent(event.type) || IsMouseEnabled()) return false;
    ForwardEvent(event, target);
    return true;
}

void CControlUI::ForwardEvent(EventUI& event, CControlUI* target)
{
    if (target == nullptr) {
        CControlUI::HandleEvent(event);
        return;
    }
    EventDepthScope busy(*target);
    target->HandleEvent(event);
}

SIZE CControlUI::MeasureSize(SIZE)
{
    return {m_fixedWidth, m_fixedHeight};
}

void CControlUI::Invalidate()
{
    if (!IsVisible() || m_manager == nullptr) return;
    CUIRect rc = m_item;
    for (CControlUI* parent = m_parent; parent != nullptr; parent = parent->GetParent()) {
        const RECT& bounds = parent->GetPos();
        if (!::IntersectRect(&rc, &rc, &bounds)) return;
    }
    m_manager->Invalidate(rc);
}

void CControlUI::RequestLayout()
{
    if (!IsVisible()) return;
    m_updateNeeded = true;
    Invalidate();
    if (m_manager != nullptr) m_manager->RequestLayout();
}

void CControlUI::RequestParentLayout()
{
    if (m_parent != nullptr) {
        m_parent->RequestLayout();
        m_parent->Invalidate();
    } else {
        RequestLayout();
    }
    if (m_manager != nullptr) m_manager->RequestLayout();
}

CUIString CControlUI::GetVirtualWnd() const
{
    if (!m_virtualWnd.IsEmpty()) return m_virtualWnd;
    if (m_parent != nullptr) return m_parent->GetVirtualWnd();
    return CUIString();
}

void CControlUI::SetVirtualWnd(const wchar_t* name)
{
    m_virtualWnd = name;
    if (m_manager != nullptr) m_manager->SetUsedVirtualWnd(true);
}

DWORD CControlUI::GetAdjustColor(DWORD color) const
{
    // With the adjustment switched off, colours show as written, like images do.
    if (!m_colorHSL || !CManagerUI::IsHSLEnabled()) return color;
    short hue = 180;
    short saturation = 100;
    short lightness = 100;
    CManagerUI::GetHSL(&hue, &saturation, &lightness);
    return CRenderer::AdjustColorHSL(color, hue, saturation, lightness);
}

} // namespace VarnUI
