#include "ui/controls/ControlUI.h"
#include "ui/window/NotifyPump.h"

#include <gtest/gtest.h>

#include <string>

using VarnUI::CNotifyPump;
using VarnUI::NotifyMap;
using VarnUI::NotifyMapEntry;
using VarnUI::NotifyUI;

namespace {

// Laid out before the pump part, so that the pump does not start the object.
struct Padding {
    virtual ~Padding() = default;
    char bytes[24] = {};
};

class BasePump : public Padding, public CNotifyPump {
public:
    const NotifyMap* MessageMap() const override { return &s_notifyMap; }
    static const NotifyMap s_notifyMap;
    void OnAny(NotifyUI&) { log += tag + "any "; }
    void OnLastAny(NotifyUI&) { log += tag + "lastany "; }
    void OnOk(NotifyUI& msg) { log += tag + "ok" + std::to_string(msg.wParam) + " "; }
    void OnValue(WPARAM w, LPARAM l) { log += tag + "value" + std::to_string(w) + std::to_string(l) + " "; }
    std::string log;
    std::string tag = "base.";
};

const NotifyMapEntry kBaseEntries[] = {
    VarnUI::NotifyOnRecord<BasePump, &BasePump::OnAny>(L"click"),
    VarnUI::NotifyOnRecord<BasePump, &BasePump::OnOk>(L"click", L"ok"),
    VarnUI::NotifyOnRecord<BasePump, &BasePump::OnLastAny>(L"click"),
    VarnUI::NotifyOnParams<BasePump, &BasePump::OnValue>(L"valuechanged"),
    VarnUI::NotifyOnRecord<BasePump, &BasePump::OnAny>(L"odd"),
    VarnUI::NotifyMapEnd(),
};
const NotifyMap BasePump::s_notifyMap = {&CNotifyPump::s_notifyMap, kBaseEntries};

class DerivedPump : public BasePump {
public:
    DerivedPump() { tag = "derived."; }
    const NotifyMap* MessageMap() const override { return &s_notifyMap; }
    static const NotifyMap s_notifyMap;
    void OnCancel(NotifyUI&) { log += tag + "cancel "; }
};

NotifyMapEntry UnknownKind(NotifyMapEntry entry)
{
    entry.kind = 3;
    return entry;
}

const NotifyMapEntry kDerivedEntries[] = {
    VarnUI::NotifyOnRecord<DerivedPump, &DerivedPump::OnCancel>(L"click", L"cancel"),
    UnknownKind(VarnUI::NotifyOnRecord<DerivedPump, &DerivedPump::OnCancel>(L"odd")),
    VarnUI::NotifyMapEnd(),
};
const NotifyMap DerivedPump::s_notifyMap = {&BasePump::s_notifyMap, kDerivedEntries};

// A pump of its own, used as a virtual window.
class PagePump : public CNotifyPump {
public:
    const NotifyMap* MessageMap() const override { return &s_notifyMap; }
    static const NotifyMap s_notifyMap;
    void OnCancel(NotifyUI&) { log += "page.cancel "; }
    std::string log;
};

const NotifyMapEntry kPageEntries[] = {
    VarnUI::NotifyOnRecord<PagePump, &PagePump::OnCancel>(L"click", L"cancel"),
    VarnUI::NotifyMapEnd(),
};
const NotifyMap PagePump::s_notifyMap = {&CNotifyPump::s_notifyMap, kPageEntries};

// Dispatches one notification from a control of that name (none for null).
bool Send(CNotifyPump& pump, const wchar_t* type, const wchar_t* sender, WPARAM wParam = 0, LPARAM lParam = 0,
          const wchar_t* virtualWnd = L"")
{
    VarnUI::CControlUI control;
    if (sender != nullptr) control.SetName(sender);
    NotifyUI msg;
    msg.type = type;
    msg.sender = sender != nullptr ? &control : nullptr;
    msg.wParam = wParam;
    msg.lParam = lParam;
    msg.virtualWnd = virtualWnd;
    return pump.DispatchNotify(msg);
}

} // namespace

TEST(NotifyPump, Dispatch_NamedEntryBeatsAnyControl_LastAnyControlEntryWins_NamesExact)
{
    BasePump pump;
    EXPECT_TRUE(Send(pump, L"click", L"ok", 9));
    EXPECT_TRUE(Send(pump, L"click", L"other"));
    EXPECT_TRUE(Send(pump, L"click", nullptr));
    EXPECT_TRUE(Send(pump, L"click", L"OK"));
    EXPECT_FALSE(Send(pump, L"Click", L"ok"));
    // Kind 1 takes the parameters, through the object adjusted from its pump part.
    EXPECT_TRUE(Send(pump, L"valuechanged", L"slider", 3, 4));
    EXPECT_EQ(pump.log, "base.ok9 base.lastany base.lastany base.lastany base.value34 ");
}

TEST(NotifyPump, Dispatch_OwnTableFirstThenBaseTables_UnknownKindEndsTheWalk)
{
    DerivedPump pump;
    EXPECT_TRUE(Send(pump, L"click", L"cancel"));
    EXPECT_TRUE(Send(pump, L"click", L"ok", 1));
    EXPECT_TRUE(Send(pump, L"valuechanged", L"ok", 2, 3));
    EXPECT_FALSE(Send(pump, L"unknown", L"ok"));
    // The base table's "odd" entry is never reached.
    EXPECT_FALSE(Send(pump, L"odd", L"ok"));
    EXPECT_EQ(pump.log, "derived.cancel derived.ok1 derived.value23 ");

    CNotifyPump root;
    EXPECT_EQ(root.MessageMap()->base, nullptr);
    EXPECT_FALSE(Send(root, L"click", L"ok"));
}

TEST(NotifyPump, VirtualWindows_MatchedWithoutCase_FallBackToOwnTable)
{
    PagePump page;
    BasePump owner;
    EXPECT_TRUE(owner.AddVirtualWindow(L"Page", &page));
    EXPECT_FALSE(owner.AddVirtualWindow(L"Page", &page));
    EXPECT_TRUE(Send(owner, L"click", L"cancel", 0, 0, L"PAGE"));
    // The page has no entry for this one: the owner's own table takes it.
    EXPECT_TRUE(Send(owner, L"valuechanged", L"cancel", 1, 2, L"page"));
    EXPECT_TRUE(Send(owner, L"click", L"cancel", 0, 0, L"elsewhere"));
    EXPECT_EQ(page.log, "page.cancel ");
    EXPECT_EQ(owner.log, "base.value12 base.lastany ");

    EXPECT_TRUE(owner.RemoveVirtualWindow(L"Page"));
    EXPECT_FALSE(owner.RemoveVirtualWindow(L"Page"));
    EXPECT_TRUE(Send(owner, L"click", L"cancel", 0, 0, L"Page"));
    EXPECT_EQ(page.log, "page.cancel ");
}
