// Helpers for the accessibility tests: a client's view of a window through the platform's
// accessibility library (objects, names, roles, states, values as plain values), and a shown
// window holding one control of every class.
#pragma once

#include "ManagerTestSupport.h"

#include "ui/controls/ButtonUI.h"
#include "ui/controls/CheckBoxUI.h"
#include "ui/controls/LabelUI.h"
#include "ui/controls/ProgressUI.h"
#include "ui/controls/TabLayoutUI.h"
#include "ui/controls/VerticalLayoutUI.h"
#include "ui/manager/OleAccLibrary.h"

#include <memory>
#include <string>
#include <vector>

namespace VarnTest {

// COM on the test thread for the test's lifetime.
class ComScope {
public:
    ComScope() { ::CoInitialize(nullptr); }
    ~ComScope() { ::CoUninitialize(); }
    ComScope(const ComScope&) = delete;
    ComScope& operator=(const ComScope&) = delete;
};

struct ComRelease {
    void operator()(IUnknown* object) const
    {
        if (object != nullptr) object->Release();
    }
};
using AccPtr = std::unique_ptr<IAccessible, ComRelease>;

VARIANT ChildId(LONG id = CHILDID_SELF);

// The window's client object, as a client process gets it.
AccPtr ClientObject(HWND window);
// The object a child id names, through get_accChild (null on failure).
AccPtr ChildObject(IAccessible* parent, LONG id);
// The object a VARIANT answer holds (VT_DISPATCH), or null; releases nothing else.
AccPtr FromVariant(VARIANT& value);

// Plain values of one object (or of a child id of it); empty or -1 where the call fails.
std::wstring NameOf(IAccessible* object, LONG child = CHILDID_SELF);
std::wstring ValueOf(IAccessible* object, LONG child = CHILDID_SELF);
std::wstring DefaultActionOf(IAccessible* object, LONG child = CHILDID_SELF);
LONG RoleOf(IAccessible* object, LONG child = CHILDID_SELF);
LONG StateOf(IAccessible* object, LONG child = CHILDID_SELF);
LONG ChildCountOf(IAccessible* object);
RECT LocationOf(IAccessible* object, LONG child = CHILDID_SELF);
// The children's names, in order.
std::vector<std::wstring> ChildNames(IAccessible* object);

// A shown window with a vertical root holding, from the top: a label, a formatted label, a
// text with a link, a button with text, a picture button named by its tooltip, a picture
// button named by the application, a grouped option (selected), a check box, a disabled
// check box, a progress bar at 55, a slider at 50 of 200, a bare control, an empty
// container, a tab layout of two pages (the first shown, holding a label), a scrolled
// container, a list of two rows (the second selected), a tree of a node with a child node,
// an edit, and a hidden label. Laid out and painted.
struct AccessibleScene {
    explicit AccessibleScene(bool visible = true);
    ~AccessibleScene();

    std::unique_ptr<HostWindow> host;
    NotifyLog notes;
    VarnUI::CVerticalLayoutUI* root = nullptr;
    VarnUI::CLabelUI* label = nullptr;
    VarnUI::CButtonUI* button = nullptr;
    VarnUI::CButtonUI* namedButton = nullptr;
    VarnUI::CCheckBoxUI* check = nullptr;
    VarnUI::CProgressUI* progress = nullptr;
    VarnUI::CTabLayoutUI* tab = nullptr;
    VarnUI::CLabelUI* pageLabel = nullptr;
};

// The number of children the scene's root presents (the hidden label is not one of them).
constexpr LONG kSceneChildren = 18;

// GDI and USER objects of the process: the platform's counts, or, where it does not count,
// the live GDI handles probed by index and the windows of this thread.
int GdiObjects();
int UserObjects();

} // namespace VarnTest
