#include "ui/manager/AccessibleTraits.h"

#include "ui/controls/ChildLayoutUI.h"
#include "ui/controls/ControlState.h"
#include "ui/controls/EditUI.h"
#include "ui/controls/ListHeaderUI.h"
#include "ui/controls/ListElementUI.h"
#include "ui/controls/OptionUI.h"
#include "ui/controls/ProgressUI.h"
#include "ui/controls/RichEditUI.h"
#include "ui/controls/ScrollBarUI.h"
#include "ui/controls/SliderUI.h"
#include "ui/controls/TabLayoutUI.h"
#include "ui/controls/TreeViewUI.h"
#include "ui/manager/ManagerUI.h"
#include "ui/render/FormattedTextTokens.h"

#include <oleacc.h>

#include <cwchar>

namespace VarnUI {
namespace {

struct ClassKind {
    const wchar_t* className;
    AccessibleKind kind;
};

// The framework's own classes by name: one string compare each, no interface queries.
const ClassKind kClassKinds[] = {
    {L"Control", AccessibleKind::Whitespace},
    {L"Container", AccessibleKind::Grouping},
    {L"VerticalLayout", AccessibleKind::Grouping},
    {L"HorizontalLayout", AccessibleKind::Grouping},
    {L"TileLayout", AccessibleKind::Grouping},
    {L"ChildLayout", AccessibleKind::Grouping},
    {L"TabLayout", AccessibleKind::TabLayout},
    {L"Label", AccessibleKind::Label},
    {L"Text", AccessibleKind::Text},
    {L"Button", AccessibleKind::Button},
    {L"Option", AccessibleKind::Option},
    {L"CheckBox", AccessibleKind::CheckBox},
    {L"Progress", AccessibleKind::Progress},
    {L"Slider", AccessibleKind::Slider},
    {L"ScrollBar", AccessibleKind::ScrollBar},
    {L"List", AccessibleKind::List},
    {L"ListBody", AccessibleKind::ListBody},
    {L"ListElement", AccessibleKind::ListItem},
    {L"ListLabelElement", AccessibleKind::ListItem},
    {L"ListTextElement", AccessibleKind::ListItem},
    {L"ListContainerElement", AccessibleKind::ListItem},
    {L"ListHBoxElement", AccessibleKind::ListItem},
    {L"ListHeader", AccessibleKind::ListHeader},
    {L"ListHeaderItem", AccessibleKind::ListHeaderItem},
    {L"TreeView", AccessibleKind::TreeView},
    {L"TreeNode", AccessibleKind::TreeNode},
    {L"Edit", AccessibleKind::Edit},
    {L"RichEdit", AccessibleKind::Edit},
    {L"Combo", AccessibleKind::Combo},
    {L"DateTime", AccessibleKind::DateTime},
    {L"GifAnim", AccessibleKind::Animation},
    {L"ActiveX", AccessibleKind::Client},
    {L"WebBrowser", AccessibleKind::Client},
};

// Classes the application derives: asked by interface, most derived first (a check box is
// an option is a button is a label).
const ClassKind kInterfaceKinds[] = {
    {L"TreeNode", AccessibleKind::TreeNode},
    {L"IListItem", AccessibleKind::ListItem},
    {L"CheckBox", AccessibleKind::CheckBox},
    {L"Option", AccessibleKind::Option},
    {L"Button", AccessibleKind::Button},
    {L"Slider", AccessibleKind::Slider},
    {L"Progress", AccessibleKind::Progress},
    {L"Edit", AccessibleKind::Edit},
    {L"RichEdit", AccessibleKind::Edit},
    {L"DateTime", AccessibleKind::DateTime},
    {L"Text", AccessibleKind::Text},
    {L"Label", AccessibleKind::Label},
    {L"ScrollBar", AccessibleKind::ScrollBar},
    {L"TabLayout", AccessibleKind::TabLayout},
    {L"TreeView", AccessibleKind::TreeView},
    {L"List", AccessibleKind::List},
    {L"Combo", AccessibleKind::Combo},
    {L"ListHeader", AccessibleKind::ListHeader},
    {L"ListHeaderItem", AccessibleKind::ListHeaderItem},
    {L"GifAnim", AccessibleKind::Animation},
    {L"ActiveX", AccessibleKind::Client},
    {L"Container", AccessibleKind::Grouping},
    {L"ChildLayout", AccessibleKind::Grouping},
};

bool IsTabLayout(CControlUI* control)
{
    return control != nullptr && KindOfControl(control) == AccessibleKind::TabLayout;
}

bool IsButtonKind(AccessibleKind kind)
{
    return kind == AccessibleKind::Button || kind == AccessibleKind::Option || kind == AccessibleKind::CheckBox;
}

// Containers whose children are their content; the others (editable and dropping-down
// controls keep their parts to themselves) are leaves.
CContainerUI* AsContainer(CControlUI* control, AccessibleKind kind)
{
    switch (kind) {
    case AccessibleKind::Grouping:
    case AccessibleKind::TabLayout:
    case AccessibleKind::List:
    case AccessibleKind::ListBody:
    case AccessibleKind::ListItem:
    case AccessibleKind::ListHeader:
    case AccessibleKind::TreeView:
    case AccessibleKind::TreeNode:
        break;
    default:
        return nullptr;
    }
    if (auto* container = static_cast<CContainerUI*>(control->GetInterface(L"Container"))) return container;
    return static_cast<CChildLayoutUI*>(control->GetInterface(L"ChildLayout"));
}

// A list's body and a tree node's row are presented through their parent.
bool IsSkipped(CControlUI* control)
{
    const wchar_t* className = control->GetClassName();
    if (className == nullptr) return false;
    if (std::wcscmp(className, L"ListBody") == 0) return true;
    if (std::wcscmp(className, L"HorizontalLayout") != 0) return false;
    CControlUI* parent = control->GetParent();
    auto* node = parent != nullptr ? static_cast<CTreeNodeUI*>(parent->GetInterface(L"TreeNode")) : nullptr;
    return node != nullptr && node->GetRow() == control;
}

// A list without columns still has its header; it shows nothing and says nothing.
bool IsEmptyHeader(CControlUI* control)
{
    auto* header = static_cast<CListHeaderUI*>(control->GetInterface(L"ListHeader"));
    return header != nullptr && header->GetCount() == 0;
}

UINT ButtonState(CControlUI* control, AccessibleKind kind)
{
    if (IsButtonKind(kind)) return static_cast<CButtonUI*>(control)->GetState();
    if (kind == AccessibleKind::Slider) return static_cast<CSliderUI*>(control)->GetState();
    if (kind == AccessibleKind::ScrollBar) {
        auto* bar = static_cast<CScrollBarUI*>(control);
        return bar->GetButton1State() | bar->GetButton2State() | bar->GetThumbState();
    }
    return 0;
}

CUIString Percent(long long part, long long whole)
{
    if (whole <= 0) whole = 1;
    if (part < 0) part = 0;
    if (part > whole) part = whole;
    CUIString text;
    text.Format(L"%d%%", static_cast<int>((part * 100 + whole / 2) / whole));
    return text;
}

bool IsEditable(AccessibleKind kind)
{
    return kind == AccessibleKind::Edit || kind == AccessibleKind::Combo || kind == AccessibleKind::DateTime;
}

bool IsPassword(CControlUI* control)
{
    if (auto* edit = static_cast<CEditUI*>(control->GetInterface(L"Edit"))) return edit->IsPasswordMode();
    if (auto* rich = static_cast<CRichEditUI*>(control->GetInterface(L"RichEdit"))) return rich->IsPasswordMode();
    return false;
}

bool IsReadOnlyEdit(CControlUI* control)
{
    if (auto* edit = static_cast<CEditUI*>(control->GetInterface(L"Edit"))) return edit->IsReadOnly();
    if (auto* rich = static_cast<CRichEditUI*>(control->GetInterface(L"RichEdit"))) return rich->IsReadOnly();
    return false;
}

CUIString DisplayedText(CControlUI* control)
{
    CUIString text = control->GetText();
    CManagerUI::ExpandLanguageTokens(text);
    auto* label = static_cast<CLabelUI*>(control->GetInterface(L"Label"));
    if (label != nullptr && label->IsShowHtml()) return StripFormatting(text.GetData());
    return text;
}

CUIString ToolTip(CControlUI* control)
{
    CUIString tip = control->GetToolTip();
    CManagerUI::ExpandLanguageTokens(tip);
    tip.Replace(L"\r\n", L" ");
    return tip;
}

CUIString ToolTipOrOwnName(CControlUI* control)
{
    const CUIString tip = ToolTip(control);
    return tip.IsEmpty() ? control->GetAccessibleName() : tip;
}

LONG SelectionStates(CControlUI* control, AccessibleKind kind)
{
    switch (kind) {
    case AccessibleKind::Option:
    case AccessibleKind::CheckBox:
        return static_cast<COptionUI*>(control)->IsSelected() ? STATE_SYSTEM_CHECKED : 0;
    case AccessibleKind::ListItem:
    case AccessibleKind::TreeNode: {
        auto* item = static_cast<IListItemUI*>(control->GetInterface(L"IListItem"));
        LONG state = STATE_SYSTEM_SELECTABLE;
        if (item != nullptr && item->IsSelected()) state |= STATE_SYSTEM_SELECTED;
        auto* node = static_cast<CTreeNodeUI*>(control->GetInterface(L"TreeNode"));
        if (node != nullptr && node->GetChildNodeCount() > 0) {
            state |= node->IsExpanded() ? STATE_SYSTEM_EXPANDED : STATE_SYSTEM_COLLAPSED;
        }
        return state;
    }
    default:
        break;
    }
    // The shown page of a tab layout is its selection.
    CControlUI* parent = control->GetParent();
    if (IsTabLayout(parent)) {
        auto* tab = static_cast<CTabLayoutUI*>(parent);
        if (tab->GetItemAt(tab->GetCurSel()) == control) return STATE_SYSTEM_SELECTED;
    }
    return 0;
}

} // namespace

AccessibleKind KindOfControl(CControlUI* control)
{
    const wchar_t* className = control->GetClassName();
    if (className != nullptr) {
        for (const ClassKind& entry : kClassKinds) {
            if (std::wcscmp(className, entry.className) == 0) return entry.kind;
        }
    }
    for (const ClassKind& entry : kInterfaceKinds) {
        if (control->GetInterface(entry.className) != nullptr) return entry.kind;
    }
    return AccessibleKind::Whitespace;
}

LONG AccessibleRole(CControlUI* control)
{
    if (IsTabLayout(control->GetParent())) return ROLE_SYSTEM_PROPERTYPAGE;
    switch (KindOfControl(control)) {
    case AccessibleKind::Whitespace:
        // A bare control that something names is a picture, not blank space.
        return ToolTipOrOwnName(control).IsEmpty() ? ROLE_SYSTEM_WHITESPACE : ROLE_SYSTEM_GRAPHIC;
    case AccessibleKind::Grouping: return ROLE_SYSTEM_GROUPING;
    case AccessibleKind::Client: return ROLE_SYSTEM_CLIENT;
    case AccessibleKind::Label:
    case AccessibleKind::Text: return ROLE_SYSTEM_STATICTEXT;
    case AccessibleKind::Button: return ROLE_SYSTEM_PUSHBUTTON;
    case AccessibleKind::Option: return ROLE_SYSTEM_RADIOBUTTON;
    case AccessibleKind::CheckBox: return ROLE_SYSTEM_CHECKBUTTON;
    case AccessibleKind::Progress: return ROLE_SYSTEM_PROGRESSBAR;
    case AccessibleKind::Slider: return ROLE_SYSTEM_SLIDER;
    case AccessibleKind::ScrollBar: return ROLE_SYSTEM_SCROLLBAR;
    case AccessibleKind::TabLayout: return ROLE_SYSTEM_PAGETABLIST;
    case AccessibleKind::List:
    case AccessibleKind::ListBody: return ROLE_SYSTEM_LIST;
    case AccessibleKind::ListItem: return ROLE_SYSTEM_LISTITEM;
    case AccessibleKind::ListHeader: return ROLE_SYSTEM_GROUPING;
    case AccessibleKind::ListHeaderItem: return ROLE_SYSTEM_COLUMNHEADER;
    case AccessibleKind::TreeView: return ROLE_SYSTEM_OUTLINE;
    case AccessibleKind::TreeNode: return ROLE_SYSTEM_OUTLINEITEM;
    case AccessibleKind::Edit: return ROLE_SYSTEM_TEXT;
    case AccessibleKind::Combo: return ROLE_SYSTEM_COMBOBOX;
    case AccessibleKind::DateTime: return ROLE_SYSTEM_DROPLIST;
    case AccessibleKind::Animation: return ROLE_SYSTEM_ANIMATION;
    }
    return ROLE_SYSTEM_GROUPING;
}

CUIString AccessibleName(CControlUI* control)
{
    if (!IsEditable(KindOfControl(control))) {
        CUIString text = DisplayedText(control);
        if (!text.IsEmpty()) return text;
    }
    return ToolTipOrOwnName(control);
}

CUIString AccessibleDescription(CControlUI* control)
{
    const CUIString tip = ToolTip(control);
    return tip == AccessibleName(control) ? CUIString() : tip;
}

LONG AccessibleState(CControlUI* control, bool focused)
{
    const AccessibleKind kind = KindOfControl(control);
    LONG state = 0;
    RECT bounds;
    if (!control->IsVisible()) {
        state |= STATE_SYSTEM_INVISIBLE;
    } else if (!AccessibleBounds(control, bounds)) {
        state |= STATE_SYSTEM_OFFSCREEN;
    }
    if (!control->IsEnabled()) state |= STATE_SYSTEM_UNAVAILABLE;
    if (control->IsVisible() && control->IsEnabled() && (control->QueryControlFlags() & CTLFLAG_TABSTOP) != 0) {
        state |= STATE_SYSTEM_FOCUSABLE;
    }
    if (focused) state |= STATE_SYSTEM_FOCUSED;
    const UINT buttonState = ButtonState(control, kind);
    if ((buttonState & STATE_HOT) != 0) state |= STATE_SYSTEM_HOTTRACKED;
    if (IsButtonKind(kind) && (buttonState & STATE_PUSHED) != 0) state |= STATE_SYSTEM_PRESSED;
    state |= SelectionStates(control, kind);
    switch (kind) {
    case AccessibleKind::Label:
    case AccessibleKind::Text:
    case AccessibleKind::Progress:
        state |= STATE_SYSTEM_READONLY;
        break;
    case AccessibleKind::Edit:
        if (IsReadOnlyEdit(control)) state |= STATE_SYSTEM_READONLY;
        if (IsPassword(control)) state |= STATE_SYSTEM_PROTECTED;
        break;
    default:
        break;
    }
    return state;
}

bool AccessibleValue(CControlUI* control, CUIString& value)
{
    const AccessibleKind kind = KindOfControl(control);
    switch (kind) {
    case AccessibleKind::Progress:
    case AccessibleKind::Slider: {
        auto* progress = static_cast<CProgressUI*>(control);
        const long long min = progress->GetMinValue();
        value = Percent(progress->GetValue() - min, static_cast<long long>(progress->GetMaxValue()) - min);
        return true;
    }
    case AccessibleKind::ScrollBar: {
        auto* bar = static_cast<CScrollBarUI*>(control);
        value = Percent(bar->GetScrollPos(), bar->GetScrollRange());
        return true;
    }
    case AccessibleKind::TreeNode:
        value.Format(L"%d", static_cast<CTreeNodeUI*>(control->GetInterface(L"TreeNode"))->GetTreeLevel());
        return true;
    case AccessibleKind::Edit:
    case AccessibleKind::Combo:
    case AccessibleKind::DateTime:
        // A password is never read out.
        if (IsPassword(control)) return false;
        value = DisplayedText(control);
        return true;
    default:
        return false;
    }
}

const wchar_t* AccessibleDefaultAction(CControlUI* control)
{
    switch (KindOfControl(control)) {
    case AccessibleKind::Button:
        return L"Press";
    case AccessibleKind::Option:
        return L"Check";
    case AccessibleKind::CheckBox:
        return static_cast<COptionUI*>(control)->IsSelected() ? L"Uncheck" : L"Check";
    default:
        return nullptr;
    }
}

void AccessibleChildren(CControlUI* control, CUIPtrArray& children)
{
    if (!control->IsVisible()) return;
    const AccessibleKind kind = KindOfControl(control);
    if (CContainerUI* container = AsContainer(control, kind)) {
        const bool pages = kind == AccessibleKind::TabLayout;
        const bool list = kind == AccessibleKind::List || kind == AccessibleKind::TreeView;
        // The container's own list: lists and tree nodes answer the interface with their rows.
        const int count = container->CContainerUI::GetCount();
        for (int i = 0; i < count; ++i) {
            CControlUI* child = container->CContainerUI::GetItemAt(i);
            if (child == nullptr || (!pages && !child->IsVisible())) continue;
            if (list && IsEmptyHeader(child)) continue;
            if (IsSkipped(child)) {
                AccessibleChildren(child, children);
            } else {
                children.Add(child);
            }
        }
        CControlUI* bars[] = {container->GetVerticalScrollBar(), container->GetHorizontalScrollBar()};
        for (CControlUI* bar : bars) {
            if (bar != nullptr && bar->IsVisible()) children.Add(bar);
        }
    }
    CControlUI* cover = control->GetCover();
    if (cover != nullptr && cover->IsVisible()) children.Add(cover);
}

CControlUI* AccessibleParent(CControlUI* control)
{
    CControlUI* parent = control->GetParent();
    if (parent == nullptr) {
        // Scroll bars hang on their owner, not in its child list.
        auto* bar = static_cast<CScrollBarUI*>(control->GetInterface(L"ScrollBar"));
        parent = bar != nullptr ? bar->GetOwner() : nullptr;
    }
    while (parent != nullptr && IsSkipped(parent)) parent = parent->GetParent();
    return parent;
}

bool AccessibleBounds(CControlUI* control, RECT& bounds)
{
    bounds = control->GetPos();
    RECT shown = bounds;
    for (CControlUI* up = AccessibleParent(control); up != nullptr; up = AccessibleParent(up)) {
        if (!::IntersectRect(&shown, &shown, &up->GetPos())) return false;
    }
    bounds = shown;
    return true;
}

CUIString StripFormatting(const wchar_t* text)
{
    CUIString plain;
    if (text == nullptr) return plain;
    bool raw = false;
    const wchar_t* at = text;
    for (;;) {
        const FmtToken token = ReadFmtToken(at, raw);
        switch (token.kind) {
        case FmtTokenKind::End:
            return plain;
        case FmtTokenKind::Text:
            plain += CUIString(at, token.length);
            break;
        case FmtTokenKind::Blank:
        case FmtTokenKind::LineFeed:
            plain += L' ';
            break;
        case FmtTokenKind::Escape:
            plain += token.character;
            break;
        case FmtTokenKind::Tag:
            if (token.letter == L'r') raw = true;
            if (token.letter == L'n' || token.letter == L'p') plain += L' ';
            break;
        case FmtTokenKind::RawEnd:
            raw = false;
            break;
        case FmtTokenKind::ClosingTag:
            break;
        }
        at += token.length;
    }
}

} // namespace VarnUI
