// A screen reader's part in the end-to-end tests: from its own process it reads a window
// through the platform's accessibility calls, presses a button the way a reader does and
// follows the progress. Output is UTF-8, one line per finding.
//   accclient uninstall <title> <button name>
//       "node <depth> <role> <state hex> <x> <y> <width> <height> <name>" for every presented
//       object (x and y relative to the window), then "pressed", then "value <text>" for each
//       progress value read and "event <text>" for each value change announced, then
//       "ended <exit code>" once the window's process is gone
//   accclient list <title>
//       the "node" lines alone
//   accclient focus <title>
//       "focus <name>" for the object with the keyboard focus, "focus -" for none
// Exit 1 when the window, its objects or the button cannot be found.
#include <windows.h>
#include <ole2.h>
#include <oleacc.h>

#include <cstdio>
#include <cwchar>
#include <deque>
#include <utility>
#include <string>

namespace {

// Defined here: the import library's own is an import thunk (see the notes on Wine).
const IID kIidAccessible = {0x618736e0, 0x3c3d, 0x11cf, {0x81, 0x0c, 0x00, 0xaa, 0x00, 0x38, 0x9b, 0x71}};
constexpr DWORD kPollMs = 10;
constexpr DWORD kFollowLimitMs = 60000;

std::string Utf8(const std::wstring& text)
{
    std::string out(text.size() * 3 + 1, '\0');
    const int bytes = ::WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), &out[0],
                                            static_cast<int>(out.size()), nullptr, nullptr);
    out.resize(bytes > 0 ? static_cast<size_t>(bytes) : 0);
    return out;
}

void Say(const char* what, const std::wstring& text)
{
    std::printf("%s %s\n", what, Utf8(text).c_str());
    std::fflush(stdout);
}

// An owned interface pointer.
class Acc {
public:
    explicit Acc(IAccessible* object = nullptr) : m_object(object) {}
    Acc(Acc&& other) noexcept : m_object(other.m_object) { other.m_object = nullptr; }
    Acc& operator=(Acc&& other) noexcept
    {
        std::swap(m_object, other.m_object);
        return *this;
    }
    Acc(const Acc&) = delete;
    Acc& operator=(const Acc&) = delete;
    ~Acc()
    {
        if (m_object != nullptr) m_object->Release();
    }
    IAccessible* operator->() const { return m_object; }
    IAccessible* get() const { return m_object; }
    explicit operator bool() const { return m_object != nullptr; }

private:
    IAccessible* m_object;
};

VARIANT Self()
{
    VARIANT self;
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    return self;
}

std::wstring Text(HRESULT hr, BSTR text)
{
    std::wstring value = hr == S_OK && text != nullptr ? std::wstring(text, ::SysStringLen(text)) : L"";
    ::SysFreeString(text);
    return value;
}

std::wstring Name(IAccessible* object)
{
    BSTR text = nullptr;
    const HRESULT hr = object->get_accName(Self(), &text);
    return Text(hr, text);
}

std::wstring Value(IAccessible* object, HRESULT* result = nullptr)
{
    BSTR text = nullptr;
    const HRESULT hr = object->get_accValue(Self(), &text);
    if (result != nullptr) *result = hr;
    return Text(hr, text);
}

LONG Number(HRESULT hr, const VARIANT& value)
{
    return hr == S_OK && value.vt == VT_I4 ? value.lVal : -1;
}

LONG Role(IAccessible* object)
{
    VARIANT role;
    role.vt = VT_EMPTY;
    const HRESULT hr = object->get_accRole(Self(), &role);
    return Number(hr, role);
}

LONG State(IAccessible* object)
{
    VARIANT state;
    state.vt = VT_EMPTY;
    const HRESULT hr = object->get_accState(Self(), &state);
    return Number(hr, state);
}

Acc Child(IAccessible* parent, LONG index)
{
    VARIANT id = Self();
    id.lVal = index;
    IDispatch* dispatch = nullptr;
    if (parent->get_accChild(id, &dispatch) != S_OK || dispatch == nullptr) return Acc();
    void* object = nullptr;
    dispatch->QueryInterface(kIidAccessible, &object);
    dispatch->Release();
    return Acc(static_cast<IAccessible*>(object));
}

HWND FindVisibleWindow(const wchar_t* title)
{
    for (DWORD waited = 0; waited < 20000; waited += 20) {
        HWND window = ::FindWindowW(nullptr, title);
        if (window != nullptr && ::IsWindowVisible(window)) return window;
        ::Sleep(20);
    }
    return nullptr;
}

Acc ClientOf(HWND window)
{
    void* object = nullptr;
    if (FAILED(::AccessibleObjectFromWindow(window, static_cast<DWORD>(OBJID_CLIENT), kIidAccessible, &object))) {
        return Acc();
    }
    return Acc(static_cast<IAccessible*>(object));
}

// Prints the tree under object; returns a new reference to the first object whose role and
// name match (when it is not invisible), else nothing.
Acc Walk(IAccessible* object, int depth, const RECT& window, LONG role, const std::wstring& name)
{
    LONG x = 0;
    LONG y = 0;
    LONG w = 0;
    LONG h = 0;
    object->accLocation(&x, &y, &w, &h, Self());
    const std::wstring own = Name(object);
    const LONG ownRole = Role(object);
    const LONG state = State(object);
    std::printf("node %d %ld %lx %ld %ld %ld %ld %s\n", depth, ownRole, static_cast<unsigned long>(state),
                x - window.left, y - window.top, w, h, Utf8(own).c_str());
    Acc found;
    if (ownRole == role && own == name && (state & STATE_SYSTEM_INVISIBLE) == 0) {
        object->AddRef();
        found = Acc(object);
    }
    LONG count = 0;
    object->get_accChildCount(&count);
    for (LONG i = 1; i <= count; ++i) {
        Acc child = Child(object, i);
        if (!child) continue;
        Acc match = Walk(child.get(), depth + 1, window, role, name);
        if (match && !found) found = std::move(match);
    }
    return found;
}

// The first visible progress bar or slider under object.
Acc FindProgress(IAccessible* object)
{
    const LONG role = Role(object);
    if ((State(object) & STATE_SYSTEM_INVISIBLE) != 0) return Acc();
    if (role == ROLE_SYSTEM_SLIDER || role == ROLE_SYSTEM_PROGRESSBAR) {
        object->AddRef();
        return Acc(object);
    }
    LONG count = 0;
    object->get_accChildCount(&count);
    for (LONG i = 1; i <= count; ++i) {
        Acc child = Child(object, i);
        if (!child) continue;
        Acc found = FindProgress(child.get());
        if (found) return found;
    }
    return Acc();
}

struct Announcement {
    HWND window;
    LONG object;
    LONG child;
};
std::deque<Announcement> g_announced;

void CALLBACK OnValueChange(HWINEVENTHOOK, DWORD, HWND window, LONG object, LONG child, DWORD, DWORD)
{
    g_announced.push_back({window, object, child});
}

// Reads out the value of every announced change.
void ReadAnnouncements()
{
    while (!g_announced.empty()) {
        const Announcement change = g_announced.front();
        g_announced.pop_front();
        IAccessible* object = nullptr;
        VARIANT child;
        child.vt = VT_EMPTY;
        if (FAILED(::AccessibleObjectFromEvent(change.window, static_cast<DWORD>(change.object),
                                               static_cast<DWORD>(change.child), &object, &child))) {
            continue;
        }
        Acc held(object);
        BSTR text = nullptr;
        const HRESULT hr = object->get_accValue(child, &text);
        const std::wstring value = Text(hr, text);
        if (!value.empty()) Say("event", value);
    }
}

// Polls the progress value until the window's process ends, pumping the announcements.
int Follow(HWND window, IAccessible* client)
{
    DWORD pid = 0;
    ::GetWindowThreadProcessId(window, &pid);
    HANDLE process = ::OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid);
    if (process == nullptr) return 1;
    // Without WINEVENT_SKIPOWNPROCESS: with it Wine delivers nothing.
    HWINEVENTHOOK hook = ::SetWinEventHook(EVENT_OBJECT_VALUECHANGE, EVENT_OBJECT_VALUECHANGE, nullptr,
                                           OnValueChange, pid, 0, WINEVENT_OUTOFCONTEXT);
    Acc progress;
    std::wstring last;
    for (DWORD waited = 0; waited < kFollowLimitMs; waited += kPollMs) {
        if (::MsgWaitForMultipleObjects(1, &process, FALSE, kPollMs, QS_ALLINPUT) == WAIT_OBJECT_0) break;
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&msg);
        ReadAnnouncements();
        if (!progress) progress = FindProgress(client);
        if (!progress) continue;
        HRESULT hr = S_OK;
        const std::wstring value = Value(progress.get(), &hr);
        if (hr == S_OK && value != last) Say("value", value);
        if (hr == S_OK) last = value;
    }
    ReadAnnouncements();
    if (hook != nullptr) ::UnhookWinEvent(hook);
    DWORD code = STILL_ACTIVE;
    ::GetExitCodeProcess(process, &code);
    ::CloseHandle(process);
    std::printf("ended %lu\n", static_cast<unsigned long>(code));
    return code == STILL_ACTIVE ? 1 : 0;
}

int Uninstall(const wchar_t* title, const wchar_t* buttonName)
{
    HWND window = FindVisibleWindow(title);
    if (window == nullptr) return 1;
    Acc client = ClientOf(window);
    if (!client) return 1;
    RECT rect = {};
    ::GetWindowRect(window, &rect);
    Acc button = Walk(client.get(), 0, rect, ROLE_SYSTEM_PUSHBUTTON, buttonName);
    if (!button || button->accDoDefaultAction(Self()) != S_OK) return 1;
    std::printf("pressed\n");
    return Follow(window, client.get());
}

int List(const wchar_t* title)
{
    HWND window = FindVisibleWindow(title);
    Acc client = window != nullptr ? ClientOf(window) : Acc();
    if (!client) return 1;
    RECT rect = {};
    ::GetWindowRect(window, &rect);
    Walk(client.get(), 0, rect, -1, L"");
    return 0;
}

int Focus(const wchar_t* title)
{
    HWND window = FindVisibleWindow(title);
    Acc client = window != nullptr ? ClientOf(window) : Acc();
    if (!client) return 1;
    VARIANT focus;
    focus.vt = VT_EMPTY;
    if (client->get_accFocus(&focus) == S_OK && focus.vt == VT_DISPATCH) {
        void* object = nullptr;
        focus.pdispVal->QueryInterface(kIidAccessible, &object);
        focus.pdispVal->Release();
        Acc focused(static_cast<IAccessible*>(object));
        Say("focus", focused ? Name(focused.get()) : L"-");
    } else {
        Say("focus", L"-");
    }
    return 0;
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    ::CoInitialize(nullptr);
    int code = 2;
    if (argc >= 4 && std::wcscmp(argv[1], L"uninstall") == 0) {
        code = Uninstall(argv[2], argv[3]);
    } else if (argc >= 3 && std::wcscmp(argv[1], L"list") == 0) {
        code = List(argv[2]);
    } else if (argc >= 3 && std::wcscmp(argv[1], L"focus") == 0) {
        code = Focus(argv[2]);
    } else {
        std::printf("usage: accclient uninstall <title> <button name> | list <title> | focus <title>\n");
    }
    std::fflush(stdout);
    // The window's process may be gone with proxies still held: end without unwinding COM.
    ::ExitProcess(static_cast<UINT>(code));
}
