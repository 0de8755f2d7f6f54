#include "ManagerTestSupport.h"

namespace VarnTest {
namespace {

const wchar_t kClassName[] = L"VarnManagerTestWindow";

void RegisterTestClass()
{
    static const bool registered = [] {
        WNDCLASSW wc = {};
        wc.lpfnWndProc = ::DefWindowProcW;
        wc.hInstance = ::GetModuleHandleW(nullptr);
        wc.lpszClassName = kClassName;
        return ::RegisterClassW(&wc) != 0;
    }();
    (void)registered;
}

} // namespace

TestWindow::TestWindow(int width, int height, HWND parent)
{
    RegisterTestClass();
    const DWORD style = parent != nullptr ? WS_CHILD : WS_POPUP;
    m_window = ::CreateWindowExW(0, kClassName, L"manager test", style, 0, 0, width, height, parent, nullptr,
                                 ::GetModuleHandleW(nullptr), nullptr);
}

TestWindow::~TestWindow()
{
    if (m_window != nullptr) ::DestroyWindow(m_window);
}

TestContainer::~TestContainer()
{
    for (VarnUI::CControlUI* child : m_children) delete child;
}

void TestContainer::Add(VarnUI::CControlUI* child)
{
    m_children.push_back(child);
    child->SetManager(GetManager(), this, false);
}

void TestContainer::SetManager(VarnUI::CManagerUI* manager, VarnUI::CControlUI* parent, bool init)
{
    for (VarnUI::CControlUI* child : m_children) child->SetManager(manager, this, init);
    CControlUI::SetManager(manager, parent, init);
}

VarnUI::CControlUI* TestContainer::FindControl(VarnUI::FindControlProc proc, void* data, UINT flags)
{
    if ((flags & VarnUI::FIND_VISIBLE) != 0 && !IsVisible()) return nullptr;
    if ((flags & VarnUI::FIND_ENABLED) != 0 && !IsEnabled()) return nullptr;
    if ((flags & VarnUI::FIND_HITTEST) != 0 && !::PtInRect(&GetPos(), *static_cast<POINT*>(data))) return nullptr;
    if ((flags & VarnUI::FIND_ME_FIRST) != 0) {
        if (VarnUI::CControlUI* found = CControlUI::FindControl(proc, data, flags)) return found;
    }
    const int count = static_cast<int>(m_children.size());
    for (int i = 0; i < count; ++i) {
        const int index = (flags & VarnUI::FIND_TOP_FIRST) != 0 ? count - 1 - i : i;
        if (VarnUI::CControlUI* found = m_children[index]->FindControl(proc, data, flags)) return found;
    }
    if ((flags & VarnUI::FIND_ME_FIRST) == 0) return CControlUI::FindControl(proc, data, flags);
    return nullptr;
}

VarnUI::CControlUI* MakeControl(const wchar_t* name, RECT pos)
{
    auto* control = new VarnUI::CControlUI;
    control->SetName(name);
    control->SetPos(pos, false);
    return control;
}

DWORD GdiObjectCount()
{
    return ::GetGuiResources(::GetCurrentProcess(), GR_GDIOBJECTS);
}

bool IsDeadGdiObject(HGDIOBJ object)
{
    return ::GetObjectType(object) == 0;
}

} // namespace VarnTest
