#include "AccessibleTestSupport.h"

#include "ui/controls/EditUI.h"
#include "ui/controls/ListUI.h"
#include "ui/controls/OptionUI.h"
#include "ui/controls/SliderUI.h"
#include "ui/controls/TextUI.h"
#include "ui/controls/TreeViewUI.h"

namespace VarnTest {
namespace {

constexpr int kLanguageId = 901;

std::wstring TakeBstr(HRESULT hr, BSTR text)
{
    std::wstring value = hr == S_OK && text != nullptr ? std::wstring(text, ::SysStringLen(text)) : std::wstring();
    ::SysFreeString(text);
    return value;
}

template <typename T>
T* Add(VarnUI::CContainerUI* parent, T* control, int height)
{
    control->SetFixedHeight(height);
    parent->Add(control);
    return control;
}

void AddTreeAndList(VarnUI::CVerticalLayoutUI* root)
{
    auto* list = Add(root, new VarnUI::CListUI, 50);
    for (const wchar_t* text : {L"Row 1", L"Row 2"}) {
        auto* row = new VarnUI::CListLabelElementUI;
        row->SetText(text);
        row->SetFixedHeight(20);
        list->Add(row);
    }
    list->SelectItem(1);

    auto* tree = Add(root, new VarnUI::CTreeViewUI, 50);
    auto* parent = new VarnUI::CTreeNodeUI;
    parent->SetText(L"Parent");
    parent->SetFixedHeight(20);
    auto* child = new VarnUI::CTreeNodeUI(parent);
    child->SetText(L"Child");
    child->SetFixedHeight(20);
    tree->Add(parent);
}

BOOL CALLBACK CountWindow(HWND, LPARAM count)
{
    ++*reinterpret_cast<int*>(count);
    return TRUE;
}

BOOL CALLBACK CountWindowAndChildren(HWND window, LPARAM count)
{
    CountWindow(window, count);
    ::EnumChildWindows(window, CountWindow, count);
    return TRUE;
}

} // namespace

VARIANT ChildId(LONG id)
{
    VARIANT child;
    child.vt = VT_I4;
    child.lVal = id;
    return child;
}

AccPtr ClientObject(HWND window)
{
    void* object = nullptr;
    if (FAILED(::AccessibleObjectFromWindow(window, static_cast<DWORD>(OBJID_CLIENT), VarnUI::kIidAccessible,
                                            &object))) {
        return nullptr;
    }
    return AccPtr(static_cast<IAccessible*>(object));
}

AccPtr FromVariant(VARIANT& value)
{
    if (value.vt != VT_DISPATCH || value.pdispVal == nullptr) return nullptr;
    void* object = nullptr;
    value.pdispVal->QueryInterface(VarnUI::kIidAccessible, &object);
    value.pdispVal->Release();
    value.vt = VT_EMPTY;
    return AccPtr(static_cast<IAccessible*>(object));
}

AccPtr ChildObject(IAccessible* parent, LONG id)
{
    IDispatch* dispatch = nullptr;
    if (parent == nullptr || parent->get_accChild(ChildId(id), &dispatch) != S_OK) return nullptr;
    VARIANT value;
    value.vt = VT_DISPATCH;
    value.pdispVal = dispatch;
    return FromVariant(value);
}

std::wstring NameOf(IAccessible* object, LONG child)
{
    BSTR text = nullptr;
    const HRESULT hr = object->get_accName(ChildId(child), &text);
    return TakeBstr(hr, text);
}

std::wstring ValueOf(IAccessible* object, LONG child)
{
    BSTR text = nullptr;
    const HRESULT hr = object->get_accValue(ChildId(child), &text);
    return TakeBstr(hr, text);
}

std::wstring DefaultActionOf(IAccessible* object, LONG child)
{
    BSTR text = nullptr;
    const HRESULT hr = object->get_accDefaultAction(ChildId(child), &text);
    return TakeBstr(hr, text);
}

LONG RoleOf(IAccessible* object, LONG child)
{
    VARIANT role;
    role.vt = VT_EMPTY;
    return object->get_accRole(ChildId(child), &role) == S_OK && role.vt == VT_I4 ? role.lVal : -1;
}

LONG StateOf(IAccessible* object, LONG child)
{
    VARIANT state;
    state.vt = VT_EMPTY;
    return object->get_accState(ChildId(child), &state) == S_OK && state.vt == VT_I4 ? state.lVal : -1;
}

LONG ChildCountOf(IAccessible* object)
{
    LONG count = -1;
    return object->get_accChildCount(&count) == S_OK ? count : -1;
}

RECT LocationOf(IAccessible* object, LONG child)
{
    LONG left = 0;
    LONG top = 0;
    LONG width = 0;
    LONG height = 0;
    if (object->accLocation(&left, &top, &width, &height, ChildId(child)) != S_OK) return {-1, -1, -1, -1};
    return {left, top, left + width, top + height};
}

std::vector<std::wstring> ChildNames(IAccessible* object)
{
    std::vector<std::wstring> names;
    const LONG count = ChildCountOf(object);
    for (LONG i = 1; i <= count; ++i) {
        AccPtr child = ChildObject(object, i);
        names.push_back(child != nullptr ? NameOf(child.get()) : L"<none>");
    }
    return names;
}

AccessibleScene::AccessibleScene(bool visible) : host(new HostWindow(300, 420, visible))
{
    using namespace VarnUI;
    CManagerUI::AddLanguageString(kLanguageId, L"world");
    root = new CVerticalLayoutUI;
    label = Add(root, new CLabelUI, 14);
    label->SetText(L"Hello %{901}");
    auto* formatted = Add(root, new CLabelUI, 14);
    formatted->SetAttribute(L"showhtml", L"true");
    formatted->SetText(L"{b}Bold{/b} and <{>x<}>");
    auto* text = Add(root, new CTextUI, 14);
    text->SetAttribute(L"showhtml", L"true");
    text->SetText(L"Link {a next}here{/a}");
    button = Add(root, new CButtonUI, 14);
    button->SetText(L"OK");
    button->SetToolTip(L"Confirms");
    Add(root, new CButtonUI, 14)->SetToolTip(L"Tip<n>more");
    namedButton = Add(root, new CButtonUI, 14);
    namedButton->SetAccessibleName(L"卸载");
    auto* option = Add(root, new COptionUI, 14);
    option->SetText(L"Choice");
    option->SetGroup(L"choices");
    option->Selected(true, false);
    check = Add(root, new CCheckBoxUI, 14);
    check->SetText(L"Agree");
    auto* disabled = Add(root, new CCheckBoxUI, 14);
    disabled->SetText(L"Off");
    disabled->SetEnabled(false);
    progress = Add(root, new CProgressUI, 14);
    progress->SetValue(55);
    auto* slider = Add(root, new CSliderUI, 14);
    slider->SetMaxValue(200);
    slider->SetValue(50);
    Add(root, new CControlUI, 14);
    Add(root, new CContainerUI, 14);

    tab = Add(root, new CTabLayoutUI, 30);
    for (int i = 0; i < 2; ++i) tab->Add(new CVerticalLayoutUI);
    pageLabel = new CLabelUI;
    pageLabel->SetText(L"On page");
    static_cast<CContainerUI*>(tab->GetItemAt(0))->Add(pageLabel);

    auto* scrolled = Add(root, new CVerticalLayoutUI, 30);
    scrolled->EnableScrollBar(true, false);
    Add(scrolled, new CControlUI, 100);

    AddTreeAndList(root);
    auto* edit = Add(root, new CEditUI, 16);
    edit->SetText(L"typed");
    edit->SetToolTip(L"Your name");
    Add(root, new CLabelUI, 14)->SetVisible(false);

    host->manager().AttachRoot(root);
    host->manager().AddNotifier(&notes);
    if (visible) {
        host->PaintNow();
        host->PaintNow();
    }
    // Painting focused the first tab stop; the tests give the focus themselves.
    host->manager().SetFocus(nullptr);
}

AccessibleScene::~AccessibleScene()
{
    if (host != nullptr) host->manager().RemoveNotifier(&notes);
    host.reset();
    VarnUI::CManagerUI::RemoveLanguageString(kLanguageId);
}

int GdiObjects()
{
    const DWORD reported = GdiObjectCount();
    if (reported != 0) return static_cast<int>(reported);
    int live = 0;
    for (unsigned index = 0; index < 0x10000; ++index) {
        if (!IsDeadGdiObject(reinterpret_cast<HGDIOBJ>(static_cast<ULONG_PTR>(index)))) ++live;
    }
    return live;
}

int UserObjects()
{
    const DWORD reported = ::GetGuiResources(::GetCurrentProcess(), GR_USEROBJECTS);
    if (reported != 0) return static_cast<int>(reported);
    int windows = 0;
    ::EnumThreadWindows(::GetCurrentThreadId(), CountWindowAndChildren, reinterpret_cast<LPARAM>(&windows));
    return windows;
}

} // namespace VarnTest
