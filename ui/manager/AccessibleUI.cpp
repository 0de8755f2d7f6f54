// The object's identity, its lifetime and the properties a client reads.
#include "ui/manager/AccessibleUI.h"

#include "ui/controls/ControlUI.h"
#include "ui/manager/AccessibleTraits.h"
#include "ui/manager/AccessibleTreeUI.h"
#include "ui/manager/ManagerUI.h"

#include <atomic>

namespace VarnUI {
namespace {

// Defined here for the same reason as kIidAccessible.
const IID kIidUnknown = {0x00000000, 0x0000, 0x0000, {0xc0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
const IID kIidDispatch = {0x00020400, 0x0000, 0x0000, {0xc0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};

std::atomic<long> g_liveObjects{0};

void Clear(BSTR* out) { *out = nullptr; }
void Clear(IDispatch** out) { *out = nullptr; }
void Clear(VARIANT* out) { out->vt = VT_EMPTY; }

CUIString WindowTitle(HWND window)
{
    wchar_t title[256] = {};
    ::GetWindowTextW(window, title, 256);
    return CUIString(title);
}

} // namespace

CAccessibleUI::CAccessibleUI(CAccessibleTreeUI* tree, CControlUI* control)
    : m_tree(tree), m_control(control), m_client(control == nullptr)
{
    m_tree->AddRef();
    ++g_liveObjects;
}

CAccessibleUI::~CAccessibleUI()
{
    m_tree->Unregister(this);
    m_tree->Release();
    --g_liveObjects;
}

long CAccessibleUI::LiveCount()
{
    return g_liveObjects;
}

HRESULT CAccessibleUI::QueryInterface(REFIID iid, void** object)
{
    if (object == nullptr) return E_POINTER;
    if (IsEqualIID(iid, kIidUnknown) || IsEqualIID(iid, kIidDispatch) || IsEqualIID(iid, kIidAccessible)) {
        *object = static_cast<IAccessible*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

ULONG CAccessibleUI::AddRef()
{
    return static_cast<ULONG>(::InterlockedIncrement(&m_refs));
}

ULONG CAccessibleUI::Release()
{
    const LONG refs = ::InterlockedDecrement(&m_refs);
    if (refs == 0) delete this;
    return static_cast<ULONG>(refs);
}

HRESULT CAccessibleUI::GetTypeInfoCount(UINT* count)
{
    if (count == nullptr) return E_POINTER;
    *count = 0;
    return S_OK;
}

HRESULT CAccessibleUI::GetTypeInfo(UINT, LCID, ITypeInfo** info)
{
    if (info != nullptr) *info = nullptr;
    return E_NOTIMPL;
}

HRESULT CAccessibleUI::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*)
{
    return E_NOTIMPL;
}

HRESULT CAccessibleUI::Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*)
{
    return E_NOTIMPL;
}

CControlUI* CAccessibleUI::Self() const
{
    if (!m_connected) return nullptr;
    if (m_client) {
        CManagerUI* manager = m_tree->GetManager();
        return manager != nullptr ? manager->GetRoot() : nullptr;
    }
    return m_tree->IsInTree(m_control) ? m_control : nullptr;
}

HRESULT CAccessibleUI::Resolve(const VARIANT& child, CControlUI*& control) const
{
    control = nullptr;
    CControlUI* self = Self();
    if (self == nullptr) return RPC_E_DISCONNECTED;
    if (child.vt != VT_I4) return E_INVALIDARG;
    const LONG id = child.lVal;
    if (id == CHILDID_SELF) {
        control = self;
    } else if (id > 0) {
        CUIPtrArray children;
        AccessibleChildren(self, children);
        control = static_cast<CControlUI*>(children.GetAt(id - 1));
    } else {
        control = CAccessibleTreeUI::FindById(self, -id);
    }
    return control != nullptr ? S_OK : E_INVALIDARG;
}

HRESULT CAccessibleUI::ToBstr(const CUIString& text, BSTR* out)
{
    *out = nullptr;
    if (text.IsEmpty()) return S_FALSE;
    const OleAccApi* api = GetOleAccApi();
    if (api == nullptr) return E_OUTOFMEMORY;
    *out = api->sysAllocStringLen(text.GetData(), static_cast<UINT>(text.GetLength()));
    return *out != nullptr ? S_OK : E_OUTOFMEMORY;
}

void CAccessibleUI::ObjectVariant(CControlUI* control, VARIANT* out)
{
    if (control == Self()) {
        out->vt = VT_I4;
        out->lVal = CHILDID_SELF;
        return;
    }
    out->vt = VT_DISPATCH;
    out->pdispVal = m_tree->ObjectFor(control);
    if (out->pdispVal == nullptr) out->vt = VT_EMPTY;
}

template <typename Out, typename Reader>
HRESULT CAccessibleUI::ReadChild(const VARIANT& child, Out* out, Reader reader)
{
    if (out == nullptr) return E_POINTER;
    Clear(out);
    CControlUI* control = nullptr;
    const HRESULT hr = Resolve(child, control);
    return hr != S_OK ? hr : reader(control, out);
}

HRESULT CAccessibleUI::get_accParent(IDispatch** parent)
{
    if (parent == nullptr) return E_POINTER;
    *parent = nullptr;
    CControlUI* self = Self();
    if (self == nullptr) return RPC_E_DISCONNECTED;
    if (m_client) {
        // Above the client area stands the window's frame, which the platform presents.
        *parent = m_tree->FrameObject();
        return *parent != nullptr ? S_OK : S_FALSE;
    }
    CControlUI* up = AccessibleParent(self);
    if (up == nullptr) return S_FALSE;
    *parent = m_tree->ObjectFor(up);
    return *parent != nullptr ? S_OK : S_FALSE;
}

HRESULT CAccessibleUI::get_accChildCount(LONG* count)
{
    if (count == nullptr) return E_POINTER;
    *count = 0;
    CControlUI* self = Self();
    if (self == nullptr) return RPC_E_DISCONNECTED;
    CUIPtrArray children;
    AccessibleChildren(self, children);
    *count = children.GetSize();
    return S_OK;
}

HRESULT CAccessibleUI::get_accChild(VARIANT child, IDispatch** object)
{
    return ReadChild(child, object, [this, &child](CControlUI* control, IDispatch** out) {
        if (child.lVal == CHILDID_SELF) return E_INVALIDARG;
        *out = m_tree->ObjectFor(control);
        return *out != nullptr ? S_OK : E_INVALIDARG;
    });
}

HRESULT CAccessibleUI::get_accName(VARIANT child, BSTR* name)
{
    return ReadChild(child, name, [this](CControlUI* control, BSTR* out) {
        if (m_client && control == Self()) return ToBstr(WindowTitle(m_tree->GetWindow()), out);
        return ToBstr(AccessibleName(control), out);
    });
}

HRESULT CAccessibleUI::get_accValue(VARIANT child, BSTR* value)
{
    return ReadChild(child, value, [](CControlUI* control, BSTR* out) {
        CUIString text;
        if (!AccessibleValue(control, text)) return DISP_E_MEMBERNOTFOUND;
        ToBstr(text, out);
        return S_OK;
    });
}

HRESULT CAccessibleUI::get_accDescription(VARIANT child, BSTR* description)
{
    return ReadChild(child, description,
                     [](CControlUI* control, BSTR* out) { return ToBstr(AccessibleDescription(control), out); });
}

HRESULT CAccessibleUI::get_accRole(VARIANT child, VARIANT* role)
{
    return ReadChild(child, role, [this](CControlUI* control, VARIANT* out) {
        out->vt = VT_I4;
        out->lVal = m_client && control == Self() ? ROLE_SYSTEM_CLIENT : AccessibleRole(control);
        return S_OK;
    });
}

HRESULT CAccessibleUI::get_accState(VARIANT child, VARIANT* state)
{
    return ReadChild(child, state, [this](CControlUI* control, VARIANT* out) {
        LONG bits = AccessibleState(control, m_tree->HasFocus(control));
        if (m_client && control == Self()) {
            // The client area has the focus while the window has it and no control does.
            bits |= STATE_SYSTEM_FOCUSABLE;
            if (m_tree->HasFocus(nullptr)) bits |= STATE_SYSTEM_FOCUSED;
            if (!::IsWindowVisible(m_tree->GetWindow())) bits |= STATE_SYSTEM_INVISIBLE;
        }
        out->vt = VT_I4;
        out->lVal = bits;
        return S_OK;
    });
}

HRESULT CAccessibleUI::get_accHelp(VARIANT child, BSTR* help)
{
    return ReadChild(child, help, [](CControlUI*, BSTR*) { return S_FALSE; });
}

HRESULT CAccessibleUI::get_accHelpTopic(BSTR* helpFile, VARIANT child, LONG* topic)
{
    if (topic == nullptr) return E_POINTER;
    *topic = -1;
    return ReadChild(child, helpFile, [](CControlUI*, BSTR*) { return S_FALSE; });
}

HRESULT CAccessibleUI::get_accKeyboardShortcut(VARIANT child, BSTR* shortcut)
{
    return ReadChild(child, shortcut, [](CControlUI* control, BSTR* out) {
        const wchar_t key = control->GetShortcut();
        if (key == 0) return S_FALSE;
        // The manager reads shortcuts with Alt held (WM_SYSCHAR).
        CUIString text(L"Alt+");
        text += static_cast<wchar_t>(
            reinterpret_cast<UINT_PTR>(::CharUpperW(reinterpret_cast<LPWSTR>(static_cast<UINT_PTR>(key)))));
        return ToBstr(text, out);
    });
}

HRESULT CAccessibleUI::get_accDefaultAction(VARIANT child, BSTR* action)
{
    return ReadChild(child, action, [](CControlUI* control, BSTR* out) {
        const wchar_t* name = AccessibleDefaultAction(control);
        return name != nullptr ? ToBstr(CUIString(name), out) : DISP_E_MEMBERNOTFOUND;
    });
}

HRESULT CAccessibleUI::accLocation(LONG* left, LONG* top, LONG* width, LONG* height, VARIANT child)
{
    if (left == nullptr || top == nullptr || width == nullptr || height == nullptr) return E_POINTER;
    *left = *top = *width = *height = 0;
    CControlUI* control = nullptr;
    const HRESULT hr = Resolve(child, control);
    if (hr != S_OK) return hr;
    RECT rc;
    AccessibleBounds(control, rc);
    if (m_client && control == Self()) ::GetClientRect(m_tree->GetWindow(), &rc);
    POINT origin = {rc.left, rc.top};
    ::ClientToScreen(m_tree->GetWindow(), &origin);
    *left = origin.x;
    *top = origin.y;
    *width = rc.right - rc.left;
    *height = rc.bottom - rc.top;
    return S_OK;
}

HRESULT CAccessibleUI::put_accName(VARIANT, BSTR)
{
    return E_NOTIMPL;
}

HRESULT CAccessibleUI::put_accValue(VARIANT, BSTR)
{
    return E_NOTIMPL;
}

} // namespace VarnUI
