// Objects a client keeps after their control or window went, the events a listening client
// receives, and what many rounds of queries leave behind.
#include "AccessibleTestSupport.h"

#include "ui/manager/AccessibleUI.h"

#include <gtest/gtest.h>

#include <vector>

using namespace VarnUI;
using namespace VarnTest;

namespace {

// Every call of the interface on an object that lost its control or window.
void ExpectEveryCallDisconnected(IAccessible* object)
{
    const VARIANT self = ChildId();
    BSTR text = nullptr;
    VARIANT value;
    LONG number = 0;
    IDispatch* dispatch = nullptr;
    EXPECT_EQ(object->get_accName(self, &text), RPC_E_DISCONNECTED);
    EXPECT_EQ(object->get_accValue(self, &text), RPC_E_DISCONNECTED);
    EXPECT_EQ(object->get_accDescription(self, &text), RPC_E_DISCONNECTED);
    EXPECT_EQ(object->get_accDefaultAction(self, &text), RPC_E_DISCONNECTED);
    EXPECT_EQ(object->get_accKeyboardShortcut(self, &text), RPC_E_DISCONNECTED);
    EXPECT_EQ(object->get_accRole(self, &value), RPC_E_DISCONNECTED);
    EXPECT_EQ(object->get_accState(self, &value), RPC_E_DISCONNECTED);
    EXPECT_EQ(object->get_accFocus(&value), RPC_E_DISCONNECTED);
    EXPECT_EQ(object->get_accSelection(&value), RPC_E_DISCONNECTED);
    EXPECT_EQ(object->get_accChildCount(&number), RPC_E_DISCONNECTED);
    EXPECT_EQ(object->get_accChild(ChildId(1), &dispatch), RPC_E_DISCONNECTED);
    EXPECT_EQ(object->get_accParent(&dispatch), RPC_E_DISCONNECTED);
    EXPECT_EQ(object->accLocation(&number, &number, &number, &number, self), RPC_E_DISCONNECTED);
    EXPECT_EQ(object->accNavigate(NAVDIR_NEXT, self, &value), RPC_E_DISCONNECTED);
    EXPECT_EQ(object->accHitTest(0, 0, &value), RPC_E_DISCONNECTED);
    EXPECT_EQ(object->accSelect(SELFLAG_TAKEFOCUS, self), RPC_E_DISCONNECTED);
    EXPECT_EQ(object->accDoDefaultAction(self), RPC_E_DISCONNECTED);
    EXPECT_EQ(text, nullptr);
    EXPECT_EQ(dispatch, nullptr);
}

TEST(AccessibleLifetime, ControlRemovedOrDeleted_ItsObjectAnswersDisconnected)
{
    ComScope com;
    const long before = CAccessibleUI::LiveCount();
    {
        AccessibleScene scene;
        AccPtr client = ClientObject(scene.host->get());
        AccPtr label = ChildObject(client.get(), 1);
        AccPtr pageLabel = ChildObject(ChildObject(ChildObject(client.get(), 14).get(), 1).get(), 1);
        ASSERT_EQ(NameOf(pageLabel.get()), L"On page");
        ASSERT_EQ(NameOf(label.get()), L"Hello world");

        // Taken out of the tree, the label waits for the delayed cleanup: alive, but gone.
        scene.root->Remove(scene.label);
        ExpectEveryCallDisconnected(label.get());
        HostWindow::Pump();
        ExpectEveryCallDisconnected(label.get());
        // Deleted at once with its page's container.
        static_cast<CContainerUI*>(scene.tab->GetItemAt(0))->SetDelayedDestroy(false);
        static_cast<CContainerUI*>(scene.tab->GetItemAt(0))->RemoveAll();
        ExpectEveryCallDisconnected(pageLabel.get());
        // The rest of the window is unaffected.
        EXPECT_EQ(ChildCountOf(client.get()), kSceneChildren - 1);
        EXPECT_EQ(NameOf(client.get(), 1), L"Bold and {x}");
    }
    EXPECT_EQ(CAccessibleUI::LiveCount(), before);
}

TEST(AccessibleLifetime, WindowGone_EveryObjectAnswersDisconnectedAndReleasesLater)
{
    ComScope com;
    const long before = CAccessibleUI::LiveCount();
    AccPtr client;
    AccPtr button;
    {
        AccessibleScene scene;
        client = ClientObject(scene.host->get());
        button = ChildObject(client.get(), 4);
        ASSERT_EQ(NameOf(button.get()), L"OK");
        // A press queued before the window goes reaches nothing.
        EXPECT_EQ(button->accDoDefaultAction(ChildId()), S_OK);
    }
    HostWindow::Pump();
    ExpectEveryCallDisconnected(client.get());
    ExpectEveryCallDisconnected(button.get());
    client.reset();
    button.reset();
    EXPECT_EQ(CAccessibleUI::LiveCount(), before);
}

TEST(AccessibleLifetime, NewRoot_TheClientObjectServesItAndOldObjectsAreCutOff)
{
    ComScope com;
    AccessibleScene scene;
    AccPtr client = ClientObject(scene.host->get());
    AccPtr button = ChildObject(client.get(), 4);
    auto* root = new CVerticalLayoutUI;
    auto* label = new CLabelUI;
    label->SetText(L"Only");
    root->Add(label);
    scene.host->manager().AttachRoot(root);
    ExpectEveryCallDisconnected(button.get());
    EXPECT_EQ(ChildNames(client.get()), std::vector<std::wstring>{L"Only"});
    HostWindow::Pump();
    ExpectEveryCallDisconnected(button.get());
}

// Visits every presented object below object, reading what a screen reader reads.
int Walk(IAccessible* object)
{
    int visited = 1;
    NameOf(object);
    RoleOf(object);
    StateOf(object);
    ValueOf(object);
    LocationOf(object);
    const LONG count = ChildCountOf(object);
    for (LONG i = 1; i <= count; ++i) {
        AccPtr child = ChildObject(object, i);
        if (child != nullptr) visited += Walk(child.get());
    }
    return visited;
}

TEST(AccessibleLifetime, ThousandRoundsOfQueries_LeaveGdiUserAndComWhereTheyWere)
{
    ComScope com;
    AccessibleScene scene;
    // One round first: whatever the platform sets up once is not counted.
    Walk(ClientObject(scene.host->get()).get());
    const int gdi = GdiObjects();
    const int user = UserObjects();
    const long objects = CAccessibleUI::LiveCount();
    int visited = 0;
    for (int round = 0; round < 1000; ++round) {
        AccPtr client = ClientObject(scene.host->get());
        ASSERT_NE(client, nullptr);
        visited = Walk(client.get());
    }
    // The client, its 18 children, two pages and a page's label, the scrolled container's
    // spacer and bar, two rows and two nodes.
    EXPECT_EQ(visited, 28);
    EXPECT_EQ(CAccessibleUI::LiveCount(), objects);
    EXPECT_EQ(GdiObjects(), gdi);
    EXPECT_EQ(UserObjects(), user);
}

struct HeardEvent {
    DWORD event;
    HWND window;
    LONG object;
    LONG child;
};
std::vector<HeardEvent> g_heard;

void CALLBACK Listen(HWINEVENTHOOK, DWORD event, HWND window, LONG object, LONG child, DWORD, DWORD)
{
    g_heard.push_back({event, window, object, child});
}

// The first event of that type heard for the window, waiting for it up to the time given.
const HeardEvent* WaitFor(DWORD event, HWND window, int milliseconds = 2000)
{
    for (int waited = 0; waited < milliseconds; waited += 10) {
        HostWindow::Pump();
        for (const HeardEvent& heard : g_heard) {
            if (heard.event == event && heard.window == window) return &heard;
        }
        ::Sleep(10);
    }
    return nullptr;
}

// The name (or, for value changes, the value) of the object an event names, as a listening
// client reads it.
std::wstring ReadEventObject(const HeardEvent& heard, bool value)
{
    IAccessible* object = nullptr;
    VARIANT child;
    child.vt = VT_EMPTY;
    if (FAILED(::AccessibleObjectFromEvent(heard.window, static_cast<DWORD>(heard.object),
                                           static_cast<DWORD>(heard.child), &object, &child))) {
        return L"<none>";
    }
    AccPtr held(object);
    return value ? ValueOf(object, child.lVal) : NameOf(object, child.lVal);
}

TEST(AccessibleEvents, ListeningClient_HearsFocusValueNameAndPageChanges)
{
    ComScope com;
    AccessibleScene scene;
    const HWND window = scene.host->get();
    g_heard.clear();
    // Without WINEVENT_SKIPOWNPROCESS: with it the platform delivers nothing at all.
    HWINEVENTHOOK hook = ::SetWinEventHook(EVENT_OBJECT_SHOW, EVENT_OBJECT_VALUECHANGE, nullptr, Listen,
                                           ::GetCurrentProcessId(), 0, WINEVENT_OUTOFCONTEXT);
    ASSERT_NE(hook, nullptr);

    scene.host->manager().SetFocus(scene.button);
    scene.progress->SetValue(70);
    scene.label->SetText(L"Renamed");
    scene.tab->SelectItem(1, false);

    const HeardEvent* focus = WaitFor(EVENT_OBJECT_FOCUS, window);
    const HeardEvent* valueChange = WaitFor(EVENT_OBJECT_VALUECHANGE, window);
    const HeardEvent* nameChange = WaitFor(EVENT_OBJECT_NAMECHANGE, window);
    const HeardEvent* shown = WaitFor(EVENT_OBJECT_SHOW, window);
    const HeardEvent* hidden = WaitFor(EVENT_OBJECT_HIDE, window);
    ASSERT_TRUE(focus && valueChange && nameChange && shown && hidden);
    EXPECT_EQ(focus->object, OBJID_CLIENT);
    EXPECT_EQ(focus->child, -scene.button->GetAccessibleId());
    EXPECT_EQ(ReadEventObject(*focus, false), L"OK");
    EXPECT_EQ(ReadEventObject(*valueChange, true), L"70%");
    EXPECT_EQ(ReadEventObject(*nameChange, false), L"Renamed");
    EXPECT_EQ(shown->child, -scene.tab->GetItemAt(1)->GetAccessibleId());
    EXPECT_EQ(hidden->child, -scene.tab->GetItemAt(0)->GetAccessibleId());

    // An unchanged value is no change.
    g_heard.clear();
    scene.progress->SetValue(70);
    EXPECT_EQ(WaitFor(EVENT_OBJECT_VALUECHANGE, window, 200), nullptr);
    ::UnhookWinEvent(hook);
}

} // namespace
