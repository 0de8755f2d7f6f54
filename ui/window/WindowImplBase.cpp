#include "ui/window/WindowImplBase.h"

#include "ui/controls/ControlUI.h"

namespace VarnUI {

namespace {

const NotifyMapEntry kEntries[] = {
    NotifyOnRecord<WindowImplBase, &WindowImplBase::OnClick>(L"click"),
    NotifyMapEnd(),
};

const wchar_t kZipResourceType[] = L"ZIPRES";

// A decimal resource id written as text ("157" or "#157"); 0 when the text is not one.
UINT ParseResourceNumber(const wchar_t* text)
{
    if (*text == L'#') ++text;
    if (*text < L'0' || *text > L'9') return 0;
    UINT value = 0;
    for (; *text != L'\0'; ++text) {
        if (*text < L'0' || *text > L'9' || value > 0xFFFF) return 0;
        value = value * 10 + static_cast<UINT>(*text - L'0');
    }
    return value <= 0xFFFF ? value : 0;
}

bool SelectZipResourceById(const wchar_t* id)
{
    if (id == nullptr) return false;
    if (IS_INTRESOURCE(id)) {
        const UINT number = LOWORD(reinterpret_cast<ULONG_PTR>(id));
        return number != 0 && CSkinResources::SelectZipResource(number, kZipResourceType);
    }
    if (*id == L'\0') return false;
    const UINT number = ParseResourceNumber(id);
    if (number != 0) return CSkinResources::SelectZipResource(number, kZipResourceType);
    return CSkinResources::SelectZipResource(id, kZipResourceType);
}

} // namespace

const NotifyMap WindowImplBase::s_notifyMap = {&CNotifyPump::s_notifyMap, kEntries};

WindowImplBase::WindowImplBase() = default;

WindowImplBase::~WindowImplBase()
{
    // The manager goes before the window base does: a window that outlives the object must
    // stop reaching it first.
    DetachFromWindow();
}

const NotifyMap* WindowImplBase::MessageMap() const
{
    return &s_notifyMap;
}

const wchar_t* WindowImplBase::SuperclassName() const
{
    return nullptr;
}

UINT WindowImplBase::ClassStyle() const
{
    return CS_DBLCLKS;
}

LRESULT WindowImplBase::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    // Any step may destroy the window and with it this object (OnFinalMessage may delete
    // it); each later step first checks that the window is still there.
    const HWND window = m_window;
    bool handled = true;
    LRESULT result = 0;
    switch (message) {
    case WM_CREATE: result = OnCreate(message, wParam, lParam, handled); break;
    case WM_CLOSE: result = OnClose(message, wParam, lParam, handled); break;
    case WM_DESTROY: result = OnDestroy(message, wParam, lParam, handled); break;
    case WM_NCACTIVATE: result = OnNcActivate(message, wParam, lParam, handled); break;
    case WM_NCCALCSIZE: result = OnNcCalcSize(message, wParam, lParam, handled); break;
    case WM_NCPAINT: result = OnNcPaint(message, wParam, lParam, handled); break;
    case WM_NCHITTEST: result = OnNcHitTest(message, wParam, lParam, handled); break;
    case WM_GETMINMAXINFO: result = OnGetMinMaxInfo(message, wParam, lParam, handled); break;
    case WM_MOUSEWHEEL: result = OnMouseWheel(message, wParam, lParam, handled); break;
    case WM_MOUSEHOVER: result = OnMouseHover(message, wParam, lParam, handled); break;
    case WM_SIZE: result = OnSize(message, wParam, lParam, handled); break;
    case WM_CHAR: result = OnChar(message, wParam, lParam, handled); break;
    case WM_SYSCOMMAND: result = OnSysCommand(message, wParam, lParam, handled); break;
    case WM_KEYDOWN: result = OnKeyDown(message, wParam, lParam, handled); break;
    case WM_KILLFOCUS: result = OnKillFocus(message, wParam, lParam, handled); break;
    case WM_SETFOCUS: result = OnSetFocus(message, wParam, lParam, handled); break;
    case WM_LBUTTONDOWN: result = OnLButtonDown(message, wParam, lParam, handled); break;
    case WM_LBUTTONUP: result = OnLButtonUp(message, wParam, lParam, handled); break;
    case WM_MOUSEMOVE: result = OnMouseMove(message, wParam, lParam, handled); break;
    default: handled = false; break;
    }
    if (handled) return result;
    if (!::IsWindow(window)) return 0;

    result = OnCustomMessage(message, wParam, lParam, handled);
    if (handled) return result;
    if (!::IsWindow(window)) return 0;

    if (m_manager.MessageHandler(message, wParam, lParam, result)) return result;
    if (!::IsWindow(window)) return 0;
    return CWindowWnd::HandleMessage(message, wParam, lParam);
}

void WindowImplBase::OnFinalMessage(HWND /*window*/)
{
    m_manager.RemovePreMessageFilter(this);
    m_manager.RemoveNotifier(this);
    // Forgetting the root also ends the manager's ownership of it, so the tree is handed to
    // the deferred-delete list, which the manager empties after the current message or when
    // it is destroyed: the tree is deleted exactly once either way.
    CControlUI* root = m_manager.GetRoot();
    if (root != nullptr) {
        m_manager.ForgetControl(root);
        m_manager.DeferDelete(root);
    }
}

void WindowImplBase::OnInitWindow() {}

void WindowImplBase::OnClick(NotifyUI& msg)
{
    if (msg.sender == nullptr) return;
    const CUIString& name = msg.sender->GetName();
    if (name == L"closebtn") {
        Close(1);
    } else if (name == L"minbtn") {
        SendMessage(WM_SYSCOMMAND, SC_MINIMIZE, 0);
    } else if (name == L"maxbtn") {
        SendMessage(WM_SYSCOMMAND, SC_MAXIMIZE, 0);
    } else if (name == L"restorebtn") {
        SendMessage(WM_SYSCOMMAND, SC_RESTORE, 0);
    }
}

bool WindowImplBase::OnDefaultKey(WPARAM key)
{
    if (key == VK_ESCAPE) {
        Close(1);
        return true;
    }
    return false;
}

SkinSourceKind WindowImplBase::ResourceType() const
{
    return SKIN_FOLDER;
}

CUIString WindowImplBase::ZipFileName() const
{
    return CUIString();
}

const wchar_t* WindowImplBase::ResourceId() const
{
    return L"";
}

LRESULT WindowImplBase::OnClose(UINT, WPARAM, LPARAM, bool& handled)
{
    handled = false;
    return 0;
}

LRESULT WindowImplBase::OnDestroy(UINT, WPARAM, LPARAM, bool& handled)
{
    handled = false;
    return 0;
}

LRESULT WindowImplBase::OnMouseWheel(UINT, WPARAM, LPARAM, bool& handled)
{
    handled = false;
    return 0;
}

LRESULT WindowImplBase::OnMouseHover(UINT, WPARAM, LPARAM, bool& handled)
{
    handled = false;
    return 0;
}

LRESULT WindowImplBase::OnChar(UINT, WPARAM, LPARAM, bool& handled)
{
    handled = false;
    return 0;
}

LRESULT WindowImplBase::OnKeyDown(UINT, WPARAM, LPARAM, bool& handled)
{
    handled = false;
    return 0;
}

LRESULT WindowImplBase::OnKillFocus(UINT, WPARAM, LPARAM, bool& handled)
{
    handled = false;
    return 0;
}

LRESULT WindowImplBase::OnSetFocus(UINT, WPARAM, LPARAM, bool& handled)
{
    handled = false;
    return 0;
}

LRESULT WindowImplBase::OnLButtonDown(UINT, WPARAM, LPARAM, bool& handled)
{
    handled = false;
    return 0;
}

LRESULT WindowImplBase::OnLButtonUp(UINT, WPARAM, LPARAM, bool& handled)
{
    handled = false;
    return 0;
}

LRESULT WindowImplBase::OnMouseMove(UINT, WPARAM, LPARAM, bool& handled)
{
    handled = false;
    return 0;
}

LRESULT WindowImplBase::OnCustomMessage(UINT, WPARAM, LPARAM, bool& handled)
{
    handled = false;
    return 0;
}

LRESULT WindowImplBase::OnCreate(UINT, WPARAM, LPARAM, bool&)
{
    ::SetWindowLongPtrW(m_window, GWL_STYLE, WindowStyle() | WS_CLIPSIBLINGS | WS_CLIPCHILDREN);
    // Re-applying the size recalculates the frame, which from now on is all client area.
    // The position stays where the creator put it.
    RECT client = {};
    ::GetClientRect(m_window, &client);
    ::SetWindowPos(m_window, nullptr, 0, 0, client.right - client.left, client.bottom - client.top,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);

    m_manager.Init(m_window);
    m_manager.AddPreMessageFilter(this);

    // Without its archive resource the window stays empty, and says nothing.
    if (!SelectSkinSource()) return 0;

    CControlUI* root = BuildSkin();
    if (root == nullptr) {
        ::MessageBoxW(nullptr, L"加载资源文件失败", L"VarnUI", MB_ICONERROR);
        ::ExitProcess(1);
    }
    if (!m_manager.AttachRoot(root)) {
        delete root;
        return 0;
    }
    // The skin's "size" may have come before its "roundcorner", so the size change that
    // would have cut the corners came too early.
    if (!::IsIconic(m_window)) ApplyRoundCorner();
    m_manager.AddNotifier(this);
    OnInitWindow();
    return 0;
}

LONG WindowImplBase::WindowStyle() const
{
    const LONG style = static_cast<LONG>(::GetWindowLongPtrW(m_window, GWL_STYLE));
    return style & ~static_cast<LONG>(WS_CAPTION);
}

void WindowImplBase::Notify(NotifyUI& msg)
{
    DispatchNotify(msg);
}

LRESULT WindowImplBase::MessageHandler(UINT message, WPARAM wParam, LPARAM /*lParam*/, bool& /*handled*/)
{
    // The key is only looked at: it goes on to the manager and the window either way.
    if (message == WM_KEYDOWN && (wParam == VK_RETURN || wParam == VK_ESCAPE)) {
        return OnDefaultKey(wParam) ? TRUE : FALSE;
    }
    return 0;
}

CControlUI* WindowImplBase::CreateControl(const wchar_t* /*name*/)
{
    return nullptr;
}

bool WindowImplBase::SelectSkinSource()
{
    if (CSkinResources::GetResourcePath().IsEmpty()) {
        const CUIString path = CSkinResources::GetInstancePath() + SkinFolder();
        CSkinResources::SetResourcePath(path.GetData());
    }
    switch (ResourceType()) {
    case SKIN_ZIPFILE:
        CSkinResources::SetResourceZip(ZipFileName().GetData(), true);
        return true;
    case SKIN_ZIPRESOURCE:
        return SelectZipResourceById(ResourceId());
    default:
        return true;
    }
}

CControlUI* WindowImplBase::BuildSkin()
{
    CSkinBuilder builder;
    const CUIString file = SkinFile();
    if (ResourceType() == SKIN_RESOURCE) {
        const UINT id = ParseResourceNumber(file.GetData());
        if (id == 0) return nullptr;
        return builder.Create(MAKEINTRESOURCEW(id), L"xml", this, &m_manager, nullptr);
    }
    return builder.Create(file.GetData(), nullptr, this, &m_manager, nullptr);
}

} // namespace VarnUI
