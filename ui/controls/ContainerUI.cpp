// CContainerUI: the child list, attributes, events and the plain container's placement.
// Search and painting live in ContainerPaint.cpp, scrolling in ContainerScroll.cpp.
#include "ui/controls/ContainerUI.h"

#include "ui/base/AttributeValues.h"
#include "ui/controls/ScrollBarUI.h"
#include "ui/manager/ManagerUI.h"

#include <algorithm>

namespace VarnUI {

CContainerUI::CContainerUI() = default;

CContainerUI::~CContainerUI()
{
    // Children go at once, never through the deferred list: this container is going now.
    m_delayedDestroy = false;
    CUIPtrArray items(m_items);
    m_items.Empty();
    for (int i = 0; i < items.GetSize(); ++i) DisposeChild(static_cast<CControlUI*>(items[i]), false);
    if (m_verticalScrollBar != nullptr) m_verticalScrollBar->Destroy();
    if (m_horizontalScrollBar != nullptr) m_horizontalScrollBar->Destroy();
    m_verticalScrollBar = nullptr;
    m_horizontalScrollBar = nullptr;
}

CControlUI* CContainerUI::GetItemAt(int index) const
{
    return static_cast<CControlUI*>(m_items.GetAt(index));
}

int CContainerUI::GetItemIndex(CControlUI* control) const
{
    return control != nullptr ? m_items.Find(control) : -1;
}

bool CContainerUI::SetItemIndex(CControlUI* control, int index)
{
    const int current = GetItemIndex(control);
    // Checked before the move: a refused insert would drop the child from the list.
    if (current < 0 || index < 0 || index >= m_items.GetSize()) return false;
    if (current != index) {
        m_items.Remove(current);
        m_items.InsertAt(index, control);
    }
    RequestLayout();
    return true;
}

bool CContainerUI::SetMultiItemIndex(CControlUI* control, int count, int newIndex)
{
    if (control == nullptr || count < 0 || newIndex < 0) return false;
    const int start = GetItemIndex(control);
    if (start < 0) return false;
    if (newIndex == start) return true;
    const int size = m_items.GetSize();
    if (start + count > size || newIndex + count > size) return false;

    CUIPtrArray run;
    for (int i = 0; i < count; ++i) run.Add(m_items[start + i]);
    m_items.Remove(start, count);
    for (int i = 0; i < count; ++i) m_items.InsertAt(newIndex + i, run[i]);
    RequestLayout();
    return true;
}

int CContainerUI::GetCount() const
{
    return m_items.GetSize();
}

bool CContainerUI::Add(CControlUI* control)
{
    return InsertChild(control, m_items.GetSize());
}

bool CContainerUI::AddAt(CControlUI* control, int index)
{
    return InsertChild(control, index);
}

bool CContainerUI::InsertChild(CControlUI* control, int index)
{
    if (control == nullptr || index < 0 || index > m_items.GetSize()) return false;
    if (m_manager != nullptr) {
        m_manager->AdoptControls(control, this);
    } else {
        // Without a manager the child still needs its parent (float placement, clipping).
        control->SetManager(nullptr, this, false);
    }
    if (IsVisible()) {
        RequestLayout();
    } else {
        control->SetInheritedVisible(false);
    }
    return m_items.InsertAt(index, control);
}

bool CContainerUI::Remove(CControlUI* control, bool doNotDestroy)
{
    const int index = GetItemIndex(control);
    if (index < 0) return false;
    RequestLayout();
    m_items.Remove(index);
    DisposeChild(control, doNotDestroy);
    return true;
}

bool CContainerUI::RemoveAt(int index, bool doNotDestroy)
{
    CControlUI* control = GetItemAt(index);
    return control != nullptr && Remove(control, doNotDestroy);
}

void CContainerUI::RemoveAll()
{
    CUIPtrArray items(m_items);
    m_items.Empty();
    for (int i = 0; i < items.GetSize(); ++i) DisposeChild(static_cast<CControlUI*>(items[i]), false);
    RequestLayout();
}

void CContainerUI::DisposeChild(CControlUI* child, bool doNotDestroy)
{
    if (!doNotDestroy && m_autoDestroy) {
        if (m_delayedDestroy && m_manager != nullptr) {
            // Its destruction may run after this container is gone: it must not look back.
            child->SetManager(m_manager, nullptr, false);
            m_manager->DeferDelete(child);
        } else {
            child->Destroy();
        }
        return;
    }
    // A kept child outlives its place here; a parent pointer would dangle once we go.
    child->SetManager(m_manager, nullptr, false);
}

const wchar_t* CContainerUI::GetClassName() const
{
    return L"Container";
}

void* CContainerUI::GetInterface(const wchar_t* name)
{
    const CUIString key(name);
    if (key == L"IContainer") return static_cast<IContainerUI*>(this);
    if (key == L"Container") return static_cast<CContainerUI*>(this);
    return CControlUI::GetInterface(name);
}

void CContainerUI::SetManager(CManagerUI* manager, CControlUI* parent, bool init)
{
    // Children first: an Init that adds children must not see them attached a second time.
    for (int i = 0; i < m_items.GetSize(); ++i) ChildAt(i)->SetManager(manager, this, init);
    if (m_verticalScrollBar != nullptr) m_verticalScrollBar->SetManager(manager, this, init);
    if (m_horizontalScrollBar != nullptr) m_horizontalScrollBar->SetManager(manager, this, init);
    CControlUI::SetManager(manager, parent, init);
}

RECT CContainerUI::GetClientPos() const
{
    CUIRect rc = m_item;
    rc.left += m_inset.left;
    rc.top += m_inset.top;
    rc.right -= m_inset.right;
    rc.bottom -= m_inset.bottom;
    if (m_verticalScrollBar != nullptr && m_verticalScrollBar->IsVisible()) {
        rc.right -= m_verticalScrollBar->GetFixedWidth();
    }
    if (m_horizontalScrollBar != nullptr && m_horizontalScrollBar->IsVisible()) {
        rc.bottom -= m_horizontalScrollBar->GetFixedHeight();
    }
    return rc;
}

void CContainerUI::SetPos(RECT rc, bool needInvalidate)
{
    CControlUI::SetPos(rc, needInvalidate);
    if (m_items.IsEmpty()) return;
    CUIRect client = GetClientPos();
    if (m_verticalScrollBar != nullptr && m_verticalScrollBar->IsVisible()) {
        client.top -= m_verticalScrollBar->GetScrollPos();
        client.bottom += m_verticalScrollBar->GetScrollRange() - m_verticalScrollBar->GetScrollPos();
    }
    if (m_horizontalScrollBar != nullptr && m_horizontalScrollBar->IsVisible()) {
        client.left -= m_horizontalScrollBar->GetScrollPos();
        client.right += m_horizontalScrollBar->GetScrollRange() - m_horizontalScrollBar->GetScrollPos();
    }
    for (int i = 0; i < m_items.GetSize(); ++i) {
        CControlUI* child = FlowChild(i);
        if (child == nullptr) continue;
        int width = client.GetWidth();
        width = std::max(width, child->GetMinWidth());
        width = std::min(width, child->GetMaxWidth());
        int height = client.GetHeight();
        height = std::max(height, child->GetMinHeight());
        height = std::min(height, child->GetMaxHeight());
        child->SetPos({client.left, client.top, client.left + width, client.top + height}, false);
    }
}

int CContainerUI::CountFlowChildren() const
{
    int count = 0;
    for (int i = 0; i < m_items.GetSize(); ++i) {
        if (ChildAt(i)->IsVisible() && !ChildAt(i)->IsFloat()) ++count;
    }
    return count;
}

void CContainerUI::SetFloatPos(int index)
{
    CControlUI* child = GetItemAt(index);
    if (child == nullptr || !child->IsVisible() || !child->IsFloat()) return;
    const int width = m_item.GetWidth();
    const int height = m_item.GetHeight();
    const SIZE xy = child->GetFixedXY();
    const PercentInfoUI percent = child->GetFloatPercent();
    RECT rc;
    rc.left = static_cast<int>(width * percent.left) + xy.cx;
    rc.top = static_cast<int>(height * percent.top) + xy.cy;
    rc.right = static_cast<int>(width * percent.right) + xy.cx + child->GetFixedWidth();
    rc.bottom = static_cast<int>(height * percent.bottom) + xy.cy + child->GetFixedHeight();
    child->SetPos(rc, false);
}

void CContainerUI::Relayout(bool needInvalidate)
{
    SetPos(IsFloat() ? GetRelativePos() : RECT(m_item), needInvalidate);
}

void CContainerUI::Move(int dx, int dy, bool needInvalidate)
{
    CControlUI::Move(dx, dy, needInvalidate);
    if (m_verticalScrollBar != nullptr && m_verticalScrollBar->IsVisible()) m_verticalScrollBar->Move(dx, dy, false);
    if (m_horizontalScrollBar != nullptr && m_horizontalScrollBar->IsVisible()) {
        m_horizontalScrollBar->Move(dx, dy, false);
    }
    for (int i = 0; i < m_items.GetSize(); ++i) {
        CControlUI* child = ChildAt(i);
        if (child->IsVisible()) child->Move(dx, dy, false);
    }
}

void CContainerUI::SetVisible(bool visible)
{
    if (m_visible == visible) return;
    CControlUI::SetVisible(visible);
    for (int i = 0; i < m_items.GetSize(); ++i) ChildAt(i)->SetInheritedVisible(IsVisible());
}

void CContainerUI::SetInheritedVisible(bool visible)
{
    CControlUI::SetInheritedVisible(visible);
    for (int i = 0; i < m_items.GetSize(); ++i) ChildAt(i)->SetInheritedVisible(IsVisible());
}

void CContainerUI::SetMouseEnabled(bool enabled)
{
    CControlUI::SetMouseEnabled(enabled);
    if (m_verticalScrollBar != nullptr) m_verticalScrollBar->SetMouseEnabled(enabled);
    if (m_horizontalScrollBar != nullptr) m_horizontalScrollBar->SetMouseEnabled(enabled);
}

void CContainerUI::RescalePixels(int fromDpi, int toDpi)
{
    CControlUI::RescalePixels(fromDpi, toDpi);
    RescaleEach(fromDpi, toDpi, m_inset, m_childPadding);
    for (int i = 0; i < m_items.GetSize(); ++i) ChildAt(i)->SetDpi(toDpi);
    if (m_verticalScrollBar != nullptr) m_verticalScrollBar->SetDpi(toDpi);
    if (m_horizontalScrollBar != nullptr) m_horizontalScrollBar->SetDpi(toDpi);
}

RECT CContainerUI::GetInset() const { return m_inset; }

void CContainerUI::SetInset(RECT inset)
{
    const CUIRect old = m_inset;
    m_inset = inset;
    if (!::EqualRect(&old, &inset)) RequestLayout();
}

int CContainerUI::GetChildPadding() const { return m_childPadding; }

void CContainerUI::SetChildPadding(int padding)
{
    if (padding < 0) padding = 0;
    if (padding == m_childPadding) return;
    m_childPadding = padding;
    RequestLayout();
}

int CContainerUI::GetChildAlign() const { return m_childAlign; }

void CContainerUI::SetChildAlign(int align)
{
    if (align == m_childAlign) return;
    m_childAlign = align;
    RequestLayout();
}

int CContainerUI::GetChildVAlign() const { return m_childVAlign; }

void CContainerUI::SetChildVAlign(int align)
{
    if (align == m_childVAlign) return;
    m_childVAlign = align;
    RequestLayout();
}

bool CContainerUI::IsAutoDestroy() const { return m_autoDestroy; }
void CContainerUI::SetAutoDestroy(bool autoDestroy) { m_autoDestroy = autoDestroy; }
bool CContainerUI::IsDelayedDestroy() const { return m_delayedDestroy; }
void CContainerUI::SetDelayedDestroy(bool delayed) { m_delayedDestroy = delayed; }
bool CContainerUI::IsMouseChildEnabled() const { return m_mouseChildEnabled; }
void CContainerUI::SetMouseChildEnabled(bool enabled) { m_mouseChildEnabled = enabled; }

int CContainerUI::FindSelectable(int index, bool forward) const
{
    const int count = m_items.GetSize();
    if (count == 0) return -1;
    index = std::max(0, std::min(index, count - 1));
    auto selectable = [this](int i) {
        CControlUI* child = ChildAt(i);
        return child->GetInterface(L"IListItem") != nullptr && child->IsVisible() && child->IsEnabled();
    };
    if (!forward) {
        for (int i = index; i >= 0; --i) {
            if (selectable(i)) return i;
        }
        index = 0;
    }
    for (int i = index; i < count; ++i) {
        if (selectable(i)) return i;
    }
    return -1;
}

void CContainerUI::SetAttribute(const wchar_t* name, const wchar_t* value)
{
    if (name == nullptr || value == nullptr) return;
    const CUIString key(name);
    const bool isTrue = AttributeIsTrue(value);
    if (key == L"inset") {
        SetInset(Scaled(CUIRect(value)));
    } else if (key == L"mousechild") {
        SetMouseChildEnabled(isTrue);
    } else if (key == L"vscrollbar") {
        EnableScrollBar(isTrue, m_horizontalScrollBar != nullptr);
    } else if (key == L"vscrollbarstyle") {
        EnableScrollBar(true, m_horizontalScrollBar != nullptr);
        if (m_verticalScrollBar != nullptr) m_verticalScrollBar->ApplyAttributeText(value);
    } else if (key == L"hscrollbar") {
        EnableScrollBar(m_verticalScrollBar != nullptr, isTrue);
    } else if (key == L"hscrollbarstyle") {
        EnableScrollBar(m_verticalScrollBar != nullptr, true);
        if (m_horizontalScrollBar != nullptr) m_horizontalScrollBar->ApplyAttributeText(value);
    } else if (key == L"childpadding") {
        SetChildPadding(Scaled(AttributeInt(value)));
    } else if (key == L"childalign") {
        if (CUIString(value) == L"left") m_childAlign = ALIGN_LEFT;
        else if (CUIString(value) == L"center") m_childAlign = ALIGN_CENTER;
        else if (CUIString(value) == L"right") m_childAlign = ALIGN_RIGHT;
    } else if (key == L"childvalign") {
        if (CUIString(value) == L"top") m_childVAlign = VALIGN_TOP;
        else if (CUIString(value) == L"vcenter") m_childVAlign = VALIGN_VCENTER;
        else if (CUIString(value) == L"bottom") m_childVAlign = VALIGN_BOTTOM;
    } else {
        CControlUI::SetAttribute(name, value);
    }
}

void CContainerUI::HandleEvent(EventUI& event)
{
    if (ForwardMouseEventIfOff(event)) return;
    CScrollBarUI* vertical = m_verticalScrollBar;
    CScrollBarUI* horizontal = m_horizontalScrollBar;
    const bool verticalActive = vertical != nullptr && vertical->IsVisible() && vertical->IsEnabled();
    const bool horizontalActive = horizontal != nullptr && horizontal->IsVisible() && horizontal->IsEnabled();
    switch (event.type) {
    case EVT_SETFOCUS:
        m_focused = true;
        return;
    case EVT_KILLFOCUS:
        m_focused = false;
        return;
    case EVT_KEYDOWN:
        if (!IsKeyboardEnabled() || !IsEnabled()) break;
        if (verticalActive) {
            switch (event.key) {
            case VK_PRIOR: PageUp(); return;
            case VK_NEXT: PageDown(); return;
            case VK_END: EndDown(); return;
            case VK_HOME: HomeUp(); return;
            case VK_UP: LineUp(); return;
            case VK_DOWN: LineDown(); return;
            default: break;
            }
        } else if (horizontalActive) {
            switch (event.key) {
            case VK_PRIOR: PageLeft(); return;
            case VK_NEXT: PageRight(); return;
            case VK_END: EndRight(); return;
            case VK_HOME: HomeLeft(); return;
            case VK_UP: LineLeft(); return;
            case VK_DOWN: LineRight(); return;
            default: break;
            }
        }
        break;
    case EVT_SCROLLWHEEL: {
        const bool down = LOWORD(event.wParam) != 0;
        if (horizontalActive && ::PtInRect(&horizontal->GetPos(), event.mouse)) {
            down ? LineRight() : LineLeft();
            return;
        }
        if (verticalActive) {
            down ? LineDown() : LineUp();
            return;
        }
        if (horizontalActive) {
            down ? LineRight() : LineLeft();
            return;
        }
        break;
    }
    default:
        break;
    }
    CControlUI::HandleEvent(event);
}

CControlUI* CContainerUI::FindSubControl(const wchar_t* name) const
{
    if (m_manager == nullptr) return nullptr;
    return m_manager->FindChildByName(const_cast<CContainerUI*>(this), name);
}

int CContainerUI::GetSubControlFixedWidth(const wchar_t* name) const
{
    CControlUI* control = FindSubControl(name);
    return control != nullptr ? control->GetFixedWidth() : -1;
}

bool CContainerUI::SetSubControlFixedWidth(const wchar_t* name, int cx)
{
    CControlUI* control = FindSubControl(name);
    if (control == nullptr) return false;
    control->SetFixedWidth(cx);
    return true;
}

int CContainerUI::GetSubControlFixedHeight(const wchar_t* name) const
{
    CControlUI* control = FindSubControl(name);
    return control != nullptr ? control->GetFixedHeight() : -1;
}

bool CContainerUI::SetSubControlFixedHeight(const wchar_t* name, int cy)
{
    CControlUI* control = FindSubControl(name);
    if (control == nullptr) return false;
    control->SetFixedHeight(cy);
    return true;
}

CUIString CContainerUI::GetSubControlText(const wchar_t* name) const
{
    CControlUI* control = FindSubControl(name);
    return control != nullptr ? control->GetText() : CUIString();
}

bool CContainerUI::SetSubControlText(const wchar_t* name, const wchar_t* text)
{
    CControlUI* control = FindSubControl(name);
    if (control == nullptr) return false;
    control->SetText(text);
    return true;
}

CUIString CContainerUI::GetSubControlUserData(const wchar_t* name) const
{
    CControlUI* control = FindSubControl(name);
    return control != nullptr ? control->GetUserData() : CUIString();
}

bool CContainerUI::SetSubControlUserData(const wchar_t* name, const wchar_t* text)
{
    CControlUI* control = FindSubControl(name);
    if (control == nullptr) return false;
    control->SetUserData(text);
    return true;
}

} // namespace VarnUI
