// How assistive technology sees one control: its role (by class), name, state, value and
// default action, which controls it presents as children and which one as its parent. These
// read the control and never change it; they run on the window's thread.
//
// The presented tree follows the control tree with three adjustments: a container shows only
// its visible children (a tab layout shows every page, the hidden ones without children); a
// container's scroll bars and a control's cover come after its children; the body of a list
// and the row of a tree node are skipped, so rows and their controls sit directly under the
// list and the node.
#pragma once

#include "ui/base/UIPtrArray.h"
#include "ui/base/UIString.h"

#include <windows.h>

namespace VarnUI {

class CControlUI;

enum class AccessibleKind {
    Whitespace,      // a bare control: a spacer, or a picture when something names it
    Grouping,        // any other container
    Client,          // hosted foreign content
    Label,
    Text,
    Button,
    Option,
    CheckBox,
    Progress,
    Slider,
    ScrollBar,
    TabLayout,
    List,
    ListBody,        // skipped: its rows belong to the list
    ListItem,
    ListHeader,
    ListHeaderItem,
    TreeView,
    TreeNode,
    Edit,
    Combo,
    DateTime,
    Animation,
};

AccessibleKind KindOfControl(CControlUI* control);

// The platform's role (ROLE_SYSTEM_...). A tab layout's children are property pages whatever
// their class.
LONG AccessibleRole(CControlUI* control);

// The text (language tokens expanded, formatting tags stripped where the control formats),
// else the tooltip, else the name the application set. Editable controls give their text as
// their value, not their name.
CUIString AccessibleName(CControlUI* control);

// The tooltip when it says more than the name (the name came from the text), else empty.
CUIString AccessibleDescription(CControlUI* control);

// STATE_SYSTEM_... bits; focused comes from the caller, which knows the window's focus.
LONG AccessibleState(CControlUI* control, bool focused);

// False when the control has no value. Progress bars, sliders and scroll bars give a
// percentage ("55%"), editable controls their text, tree nodes their level.
bool AccessibleValue(CControlUI* control, CUIString& value);

// The default action's name, or null when the control has none. The action itself is a
// click (CAccessibleTreeUI performs it).
const wchar_t* AccessibleDefaultAction(CControlUI* control);

// Appends the controls presented as children of control, in order.
void AccessibleChildren(CControlUI* control, CUIPtrArray& children);

// The control presented as parent (a scroll bar's is its owner); null for the root.
CControlUI* AccessibleParent(CControlUI* control);

// The part of the control's rectangle that its ancestors leave in view (window client
// coordinates), as painting clips it; false, with the whole rectangle, when nothing is left.
bool AccessibleBounds(CControlUI* control, RECT& bounds);

// The text without the markup of formatted text: tags dropped, escapes resolved, line breaks
// as spaces.
CUIString StripFormatting(const wchar_t* text);

} // namespace VarnUI
