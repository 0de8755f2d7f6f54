// The tab layout: which page is selected as pages come and go, "tabselect", and the one
// page it places.
#include "LayoutTestSupport.h"

#include "../manager/ManagerTestSupport.h"
#include "ui/controls/TabLayoutUI.h"
#include "ui/manager/ManagerUI.h"

#include <gtest/gtest.h>

#include <vector>

using namespace VarnUI;
using VarnTest::Str;

namespace {

class TabLayout : public ::testing::Test {
protected:
    void SetUp() override
    {
        manager.Init(window.get());
        manager.AddNotifier(&log);
        tabs = new CTabLayoutUI;
        manager.AttachRoot(tabs);
        for (CControlUI*& page : pages) {
            page = new CControlUI;
            tabs->Add(page);
        }
    }
    bool Shown(int index) const { return tabs->GetItemAt(index)->IsVisible(); }
    std::vector<NotifyUI> Selects() const
    {
        std::vector<NotifyUI> found;
        for (const NotifyUI& record : log.records) {
            if (record.type == L"tabselect") found.push_back(record);
        }
        return found;
    }

    VarnTest::TestWindow window;
    CManagerUI manager;
    VarnTest::NotifyLog log;
    CTabLayoutUI* tabs = nullptr;
    CControlUI* pages[3] = {};
};

TEST_F(TabLayout, FirstVisiblePageIsSelectedAndTheRestHidden)
{
    EXPECT_EQ(tabs->GetCurSel(), 0);
    EXPECT_TRUE(Shown(0));
    EXPECT_FALSE(Shown(1));
    EXPECT_FALSE(Shown(2));
    EXPECT_TRUE(Selects().empty());
}

TEST_F(TabLayout, SelectingNotifiesOnlyARealChange)
{
    EXPECT_TRUE(tabs->SelectItem(2));
    EXPECT_EQ(tabs->GetCurSel(), 2);
    EXPECT_FALSE(Shown(0));
    EXPECT_TRUE(Shown(2));
    const auto selects = Selects();
    ASSERT_EQ(selects.size(), 1u);
    EXPECT_EQ(selects[0].sender, tabs);
    EXPECT_EQ(selects[0].wParam, 2u);
    EXPECT_EQ(selects[0].lParam, 0);

    EXPECT_TRUE(tabs->SelectItem(2));
    EXPECT_FALSE(tabs->SelectItem(3));
    EXPECT_FALSE(tabs->SelectItem(-1));
    EXPECT_TRUE(tabs->SelectItem(pages[1], false));
    EXPECT_EQ(tabs->GetCurSel(), 1);
    EXPECT_EQ(Selects().size(), 1u);
}

TEST_F(TabLayout, RemovingTheSelectedPageFallsBackToTheFirstSilently)
{
    tabs->SelectItem(2);
    log.records.clear();
    tabs->Remove(pages[2]);
    EXPECT_EQ(tabs->GetCurSel(), 0);
    EXPECT_TRUE(Shown(0));
    EXPECT_TRUE(Selects().empty());

    tabs->SelectItem(1);
    tabs->RemoveAt(0);
    EXPECT_EQ(tabs->GetCurSel(), 0) << "a page before the selection shifts it";
    EXPECT_EQ(tabs->GetItemAt(0), pages[1]);
    tabs->RemoveAll();
    EXPECT_EQ(tabs->GetCurSel(), -1);
}

TEST_F(TabLayout, InsertingBeforeTheSelectionKeepsTheSamePage)
{
    tabs->SelectItem(1);
    auto* inserted = new CControlUI;
    EXPECT_TRUE(tabs->AddAt(inserted, 0));
    EXPECT_FALSE(inserted->IsVisible());
    EXPECT_EQ(tabs->GetCurSel(), 2);
    EXPECT_EQ(tabs->GetItemAt(2), pages[1]);
}

TEST_F(TabLayout, SelectedIdAttributeSelectsAndIsKept)
{
    tabs->SetAttribute(L"selectedid", L"1");
    EXPECT_EQ(tabs->GetCurSel(), 1);
    EXPECT_STREQ(tabs->GetCustomAttribute(L"selectedid"), L"1");
}

TEST_F(TabLayout, PlacesOnlyTheSelectedPageInsideInsetAndPadding)
{
    tabs->SetInset({5, 5, 5, 5});
    pages[1]->SetPadding({1, 2, 3, 4});
    pages[1]->SetFixedHeight(30);
    tabs->SelectItem(1);
    tabs->SetPos({0, 0, 100, 100}, false);
    EXPECT_EQ(Str(pages[1]->GetPos()), Str({6, 7, 92, 37}));
    EXPECT_EQ(Str(pages[2]->GetPos()), Str({0, 0, 0, 0}));
}

TEST(TabLayoutPages, NoVisiblePageMeansNoSelection)
{
    CTabLayoutUI tabs;
    auto* hidden = new CControlUI;
    hidden->SetVisible(false);
    tabs.Add(hidden);
    EXPECT_EQ(tabs.GetCurSel(), -1);
    // A hidden tab layout still selects a shown page, though the page is hidden with it.
    tabs.SetVisible(false);
    auto* shown = new CControlUI;
    tabs.Add(shown);
    EXPECT_EQ(tabs.GetCurSel(), 1);
    tabs.SetVisible(true);
    EXPECT_TRUE(shown->IsVisible());
    EXPECT_FALSE(hidden->IsVisible());
}

} // namespace
