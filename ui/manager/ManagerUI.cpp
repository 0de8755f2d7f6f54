#include "ui/manager/ManagerUI.h"

#include "ui/base/SystemLibrary.h"
#include "ui/controls/ControlUI.h"
#include "ui/manager/ManagerShared.h"

namespace VarnUI {
namespace {

constexpr COLORREF kDirtyPenColor = RGB(220, 0, 0);

struct ClassSearch {
    const wchar_t* className;
    int index;              // counts down to the match wanted
    CUIPtrArray* found;     // collects every match when set
};

bool MatchesClass(CControlUI* control, const wchar_t* className)
{
    if (className == nullptr) return false;
    if (className[0] == L'*' && className[1] == L'\0') return true;
    const wchar_t* own = control->GetClassName();
    return own != nullptr && CUIString(own) == className;
}

} // namespace

CManagerUI::SharedState CManagerUI::s_shared;

CManagerUI::SharedState& CManagerUI::Shared()
{
    return s_shared;
}

CManagerUI::CManagerUI()
{
    SharedState& shared = Shared();
    ResourceBlock& block = shared.block;
    if (block.defaultFont.faceName.IsEmpty()) {
        block.disabledColor = 0xFFA7A6AA;
        block.fontColor = 0xFF000000;
        block.linkColor = 0xFF0000FF;
        block.linkHoverColor = 0xFFD3215F;
        block.selectedBkColor = 0xFFBAE4FF;
        LOGFONTW lf = {};
        ::GetObjectW(::GetStockObject(DEFAULT_GUI_FONT), sizeof(lf), &lf);
        lf.lfCharSet = DEFAULT_CHARSET;
        block.defaultFont.font.reset(::CreateFontIndirectW(&lf));
        block.defaultFont.faceName = lf.lfFaceName;
        // The system makes its GUI font for its own DPI; the record keeps the skin size.
        block.defaultFont.dpi = WindowDpi(nullptr);
        block.defaultFont.size = RescaleDpi(-lf.lfHeight, block.defaultFont.dpi, kBaseDpi);
        block.defaultFont.bold = lf.lfWeight >= FW_BOLD;
        block.defaultFont.underline = lf.lfUnderline != FALSE;
        block.defaultFont.italic = lf.lfItalic != FALSE;
        block.defaultFont.tm = {};
    }
    m_own.disabledColor = block.disabledColor;
    m_own.fontColor = block.fontColor;
    m_own.linkColor = block.linkColor;
    m_own.linkHoverColor = block.linkHoverColor;
    m_own.selectedBkColor = block.selectedBkColor;

    if (!shared.dirtyPen) {
        shared.dirtyPen.reset(::CreatePen(PS_SOLID, 1, kDirtyPenColor));
        shared.msimg32 = LoadSystemLibrary(L"msimg32.dll");
    }
}

CManagerUI::~CManagerUI()
{
    DisconnectAccessible();
    DeleteDelayedControls(true);
    DeleteAsyncNotifications();
    m_nameMap.Resize(CUIStringMap::kDefaultBuckets);
    // The tree's destructors report back through ForgetControl, which clears m_root.
    CControlUI* root = m_root;
    m_root = nullptr;
    delete root;
    // Controls added to the lists while the tree went down would outlive the manager.
    DeleteDelayedControls(true);
    DeleteAsyncNotifications();

    m_own.defaultFont = FontInfoUI();
    m_layeredImage.Clear();
    ReleaseWindowTables();
    DestroyTooltip();
    ReleaseOffscreen();
    m_paintDC.reset();

    CUIPtrArray& managers = Shared().managers;
    const int index = managers.Find(this);
    if (index >= 0) managers.Remove(index);
    LifeGuard::MarkAll(m_lifeGuards);
}

void CManagerUI::Init(HWND window, const wchar_t* name)
{
    m_nameMap.Resize(CUIStringMap::kDefaultBuckets);
    m_layeredImage.image = nullptr;
    m_layeredImage.loaded = false;
    ReleaseWindowTables();

    m_name = name;

    if (window != m_paintWindow) {
        m_paintWindow = window;
        // Re-binding gives the old window its DC back; a window-less manager holds none.
        m_paintDC.reset();
        if (window != nullptr) m_paintDC.reset(window, ::GetDC(window));
        ReleaseOffscreen();
        CUIPtrArray& managers = Shared().managers;
        if (managers.Find(this) < 0) managers.Add(this);
        if (window != nullptr) SetDpi(WindowDpi(window));
    }
}

// The window's own fonts, images, default lists, custom attributes, option groups and
// timers; the shared tables stay.
void CManagerUI::ReleaseWindowTables()
{
    FreeFonts(m_own);
    ReleaseDpiCopies();
    FreeImages(m_own);
    FreeAttributeLists(m_own);
    RemoveAllWindowCustomAttributes();
    RemoveAllOptionGroups();
    RemoveAllTimers();
}

bool CManagerUI::AttachRoot(CControlUI* root)
{
    SetFocus(nullptr, true);
    m_keyControl = nullptr;
    m_hover = nullptr;
    m_click = nullptr;
    m_lastTooltipOwner = nullptr;

    if (m_root != nullptr) {
        DeleteDelayedControls();
        DeleteAsyncNotifications();
        m_nameMap.Resize(CUIStringMap::kDefaultBuckets);
        m_postPaintControls.Empty();
        m_nativeWindows.Empty();
        m_nativeWindowControls.Empty();
        CControlUI* old = m_root;
        m_root = nullptr;
        old->SetManager(this, nullptr, false);
        DeferDelete(old);
    }

    m_root = root;
    m_firstLayout = true;
    m_updateNeeded = true;
    m_focusNeeded = true;
    return AdoptControls(root, nullptr);
}

bool CManagerUI::AdoptControls(CControlUI* control, CControlUI* parent)
{
    if (control == nullptr) return false;
    control->SetManager(this, parent != nullptr ? parent : control->GetParent(), true);
    control->FindControl(CollectNamed, this, 0);
    return true;
}

CManagerUI* CManagerUI::GetManagerByName(const wchar_t* name)
{
    if (name == nullptr || name[0] == L'\0') return nullptr;
    const CUIPtrArray& managers = Shared().managers;
    for (int i = 0; i < managers.GetSize(); ++i) {
        auto* manager = static_cast<CManagerUI*>(managers[i]);
        if (manager->m_name == name) return manager;
    }
    return nullptr;
}

int CManagerUI::GetManagerCount()
{
    return Shared().managers.GetSize();
}

CManagerUI* CManagerUI::GetManagerAt(int index)
{
    return static_cast<CManagerUI*>(Shared().managers.GetAt(index));
}

CControlUI* CManagerUI::CollectNamed(CControlUI* control, void* data)
{
    auto* manager = static_cast<CManagerUI*>(data);
    const CUIString& name = control->GetName();
    if (!name.IsEmpty()) manager->m_nameMap.Set(name.GetData(), control);
    return nullptr;
}

CControlUI* CManagerUI::FindByName(CControlUI* control, void* data)
{
    const CUIString& name = control->GetName();
    if (name.IsEmpty()) return nullptr;
    return name.CompareNoCase(static_cast<const wchar_t*>(data)) == 0 ? control : nullptr;
}

CControlUI* CManagerUI::FindByPoint(CControlUI* control, void* data)
{
    const RECT& rc = control->GetPos();
    return ::PtInRect(&rc, *static_cast<POINT*>(data)) ? control : nullptr;
}

CControlUI* CManagerUI::FindByClass(CControlUI* control, void* data)
{
    auto* search = static_cast<ClassSearch*>(data);
    if (!MatchesClass(control, search->className)) return nullptr;
    return search->index-- == 0 ? control : nullptr;
}

CControlUI* CManagerUI::FindAllByClass(CControlUI* control, void* data)
{
    auto* search = static_cast<ClassSearch*>(data);
    if (MatchesClass(control, search->className)) search->found->Add(control);
    return nullptr;
}

CControlUI* CManagerUI::FindControlByName(const wchar_t* name) const
{
    return static_cast<CControlUI*>(m_nameMap.Find(name));
}

CControlUI* CManagerUI::FindControlAt(POINT pt) const
{
    return FindSubControlAt(nullptr, pt);
}

CControlUI* CManagerUI::FindChildByName(CControlUI* parent, const wchar_t* name) const
{
    CControlUI* start = parent != nullptr ? parent : m_root;
    if (start == nullptr) return nullptr;
    return start->FindControl(FindByName, const_cast<wchar_t*>(name != nullptr ? name : L""), 0);
}

CControlUI* CManagerUI::FindSubControlByClass(CControlUI* parent, const wchar_t* className, int index) const
{
    CControlUI* start = parent != nullptr ? parent : m_root;
    if (start == nullptr || index < 0) return nullptr;
    ClassSearch search = {className, index, nullptr};
    return start->FindControl(FindByClass, &search, 0);
}

CUIPtrArray* CManagerUI::FindSubControlsByClass(CControlUI* parent, const wchar_t* className)
{
    m_foundControls.Empty();
    CControlUI* start = parent != nullptr ? parent : m_root;
    if (start != nullptr) {
        ClassSearch search = {className, 0, &m_foundControls};
        start->FindControl(FindAllByClass, &search, 0);
    }
    return &m_foundControls;
}

CControlUI* CManagerUI::FindSubControlAt(CControlUI* parent, POINT pt) const
{
    CControlUI* start = parent != nullptr ? parent : m_root;
    if (start == nullptr) return nullptr;
    return start->FindControl(FindByPoint, &pt, FIND_VISIBLE | FIND_HITTEST | FIND_TOP_FIRST);
}

bool CManagerUI::RenameControl(CControlUI* control, const wchar_t* newName)
{
    if (control == nullptr || control->GetManager() != this) return false;
    if (newName == nullptr || newName[0] == L'\0') return false;
    if (control->GetName() == newName) return true;
    if (m_nameMap.Find(newName) != nullptr) return false;

    ForgetName(control);
    // Also a control not (yet) below the root: it leaves the map when it leaves this manager
    // (ForgetName from its SetManager) or goes, so the entry never outlives it.
    if (!m_nameMap.Insert(newName, control)) return false;
    control->m_name = newName;
    return true;
}

void CManagerUI::ForgetName(CControlUI* control)
{
    // Another control of the same name may own the entry; it keeps it.
    const CUIString& name = control->GetName();
    if (!name.IsEmpty() && m_nameMap.Find(name.GetData()) == control) m_nameMap.Remove(name.GetData());
}

void CManagerUI::ForgetControl(CControlUI* control)
{
    if (control == nullptr) return;
    if (m_root == control) m_root = nullptr;
    if (m_keyControl == control) m_keyControl = nullptr;
    if (m_hover == control) m_hover = nullptr;
    if (m_click == control) m_click = nullptr;
    if (m_focus == control) m_focus = nullptr;
    if (m_lastTooltipOwner == control) m_lastTooltipOwner = nullptr;
    ForgetAccessible(control);
    KillTimers(control);

    ForgetName(control);

    for (int i = 0; i < m_asyncNotify.GetSize(); ++i) {
        auto* record = static_cast<NotifyUI*>(m_asyncNotify[i]);
        if (record->sender == control) record->sender = nullptr;
    }
    for (int i = 0; i < m_deliveringNotify.GetSize(); ++i) {
        auto* record = static_cast<NotifyUI*>(m_deliveringNotify[i]);
        if (record->sender == control) record->sender = nullptr;
    }
    for (int i = 0; i < m_controlWatches.GetSize(); ++i) {
        auto** slot = static_cast<CControlUI**>(m_controlWatches[i]);
        if (*slot == control) *slot = nullptr;
    }

    // The lists below are walked later; a control deleted directly must not stay on them.
    RemoveAll(m_mouseLeaveListeners, control);
    RemoveAll(m_postPaintControls, control);
    RemoveAll(m_delayedCleanup, control);
    for (int i = m_nativeWindowControls.GetSize() - 1; i >= 0; --i) {
        if (m_nativeWindowControls[i] == control) {
            m_nativeWindowControls.Remove(i);
            m_nativeWindows.Remove(i);
        }
    }
    CUIPtrArray emptied;
    ForEachEntry(m_optionGroups, [&](const wchar_t* group, void* value) {
        auto* members = static_cast<CUIPtrArray*>(value);
        RemoveAll(*members, control);
        if (members->IsEmpty()) emptied.Add(const_cast<wchar_t*>(group));
    });
    for (int i = emptied.GetSize() - 1; i >= 0; --i) {
        CUIString group = static_cast<const wchar_t*>(emptied[i]);
        delete static_cast<CUIPtrArray*>(m_optionGroups.Find(group.GetData(), false));
        m_optionGroups.Remove(group.GetData());
    }
}

void CManagerUI::RemoveAll(CUIPtrArray& list, void* item)
{
    for (int i = list.GetSize() - 1; i >= 0; --i) {
        if (list[i] == item) list.Remove(i);
    }
}

void CManagerUI::DeleteDelayedControls(bool evenInEvent)
{
    // Each control leaves the live list before it is deleted; destructors report back
    // through ForgetControl, which takes any other listed control they delete off the list,
    // so nothing is deleted twice. A control still inside its own event (a modal loop run
    // from it dispatched this message) stays listed for a later pass.
    int index = 0;
    while (index < m_delayedCleanup.GetSize()) {
        auto* control = static_cast<CControlUI*>(m_delayedCleanup[index]);
        if (!evenInEvent && control->IsInEvent()) {
            ++index;
            continue;
        }
        m_delayedCleanup.Remove(index);
        delete control;
        if (index > m_delayedCleanup.GetSize()) index = m_delayedCleanup.GetSize();
    }
}

void CManagerUI::DeleteAsyncNotifications()
{
    for (int i = 0; i < m_asyncNotify.GetSize(); ++i) delete static_cast<NotifyUI*>(m_asyncNotify[i]);
    m_asyncNotify.Empty();
}

void CManagerUI::ReleaseOffscreen()
{
    // The DCs go first so that no bitmap is still selected when it is deleted.
    m_offscreenDC.reset();
    m_backgroundDC.reset();
    m_offscreenBitmap.reset();
    m_offscreenBits = nullptr;
    m_backgroundBitmap.reset();
    m_backgroundBits = nullptr;
}

bool CManagerUI::AddOptionGroup(const wchar_t* group, CControlUI* control)
{
    if (group == nullptr || group[0] == L'\0' || control == nullptr) return false;
    auto* members = static_cast<CUIPtrArray*>(m_optionGroups.Find(group));
    if (members == nullptr) {
        members = new CUIPtrArray(6);
        if (!m_optionGroups.Insert(group, members)) {
            delete members;
            return false;
        }
    }
    if (members->Find(control) >= 0) return false;
    return members->Add(control);
}

CUIPtrArray* CManagerUI::GetOptionGroup(const wchar_t* group) const
{
    if (group == nullptr || group[0] == L'\0') return nullptr;
    return static_cast<CUIPtrArray*>(m_optionGroups.Find(group));
}

void CManagerUI::RemoveOptionGroup(const wchar_t* group, CControlUI* control)
{
    CUIPtrArray* members = GetOptionGroup(group);
    if (members == nullptr) return;
    const int index = members->Find(control);
    if (index >= 0) members->Remove(index);
    if (members->IsEmpty()) {
        delete members;
        m_optionGroups.Remove(group);
    }
}

void CManagerUI::RemoveAllOptionGroups()
{
    DeleteAllValues<CUIPtrArray>(m_optionGroups);
}

void CManagerUI::Invalidate()
{
    if (m_paintWindow == nullptr) return;
    if (m_layered) {
        RECT client = {};
        ::GetClientRect(m_paintWindow, &client);
        ::UnionRect(&m_layeredDirty, &m_layeredDirty, &client);
    } else {
        ::InvalidateRect(m_paintWindow, nullptr, FALSE);
    }
}

void CManagerUI::Invalidate(const RECT& rc)
{
    // Without a window, InvalidateRect(nullptr, ...) would repaint every window on the desktop.
    // An empty rectangle adds nothing, yet costs a round trip to the window server: controls
    // not placed yet (a skin being built) ask for one with every attribute.
    if (m_paintWindow == nullptr || ::IsRectEmpty(&rc)) return;
    RECT clamped = rc;
    if (clamped.left < 0) clamped.left = 0;
    if (clamped.top < 0) clamped.top = 0;
    if (clamped.right < clamped.left) clamped.right = clamped.left;
    if (clamped.bottom < clamped.top) clamped.bottom = clamped.top;
    if (m_layered) {
        ::UnionRect(&m_layeredDirty, &m_layeredDirty, &clamped);
    } else {
        ::InvalidateRect(m_paintWindow, &clamped, FALSE);
    }
}

} // namespace VarnUI
