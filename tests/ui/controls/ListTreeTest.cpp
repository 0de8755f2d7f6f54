// The list family, the combo box and the tree: header and body layout, rows and their
// selection, ownership of rows and nodes, and the rules for adding tree nodes.
#include "WidgetTestSupport.h"

#include "ui/controls/ComboUI.h"
#include "ui/controls/ControlState.h"
#include "ui/controls/ListUI.h"
#include "ui/controls/RichEditUI.h"
#include "ui/controls/TreeViewUI.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

using namespace VarnUI;
using namespace WidgetTest;

namespace {

// How many times each control was destroyed (destroy listeners run in the destructor).
std::map<void*, int> g_destroyed;

bool CountDestroy(void* control)
{
    ++g_destroyed[control];
    return true;
}

// Freed addresses come back for new controls, so tracking starts each count afresh.
template <typename T>
T* Tracked(T* control)
{
    g_destroyed[control] = 0;
    control->OnDestroy().Add(&CountDestroy);
    return control;
}

int DestroyedOnce(const std::vector<void*>& controls)
{
    int count = 0;
    for (void* control : controls) count += g_destroyed[control] == 1 ? 1 : 0;
    return count;
}

std::string Str(const RECT& rc)
{
    return std::to_string(rc.left) + "," + std::to_string(rc.top) + "," + std::to_string(rc.right) + "," +
           std::to_string(rc.bottom);
}

CListLabelElementUI* Row(const wchar_t* text, int height = 20)
{
    auto* row = new CListLabelElementUI;
    row->SetText(text);
    row->SetFixedHeight(height);
    return row;
}

CListHeaderUI* Header(std::initializer_list<int> widths, int height = 24)
{
    auto* header = new CListHeaderUI;
    for (int width : widths) {
        auto* item = new CListHeaderItemUI;
        item->SetFixedWidth(width);
        item->SetFixedHeight(height);
        header->Add(item);
    }
    return header;
}

CTreeNodeUI* Node(const wchar_t* name)
{
    auto* node = new CTreeNodeUI;
    node->SetName(name);
    node->SetFixedHeight(20);
    return node;
}

std::wstring Order(CListUI& list)
{
    std::wstring order;
    for (int i = 0; i < list.GetCount(); ++i) {
        if (!order.empty()) order += L' ';
        order += list.GetItemAt(i)->GetName().GetData();
    }
    return order;
}

TEST(ListLayout, HeaderOnTopBodyBelowRowsStackedAndCellsInTheHeaderColumns)
{
    CWidgetHost host;
    auto* list = host.Add(new CListUI, {10, 10, 210, 160});
    CListHeaderUI* header = Header({60, 100});
    ASSERT_TRUE(list->Add(header));
    for (int i = 0; i < 3; ++i) {
        auto* row = new CListHBoxElementUI;
        row->SetFixedHeight(20);
        row->Add(new CControlUI);
        row->Add(new CControlUI);
        row->Add(new CControlUI);   // a third cell has no column to go to
        ASSERT_TRUE(list->Add(row));
    }
    list->SetPos({10, 10, 210, 160}, false);

    EXPECT_EQ(list->GetHeader(), header);
    EXPECT_EQ(Str(header->GetPos()), "10,10,210,34");
    EXPECT_EQ(Str(list->GetList()->GetPos()), "10,34,210,160");
    EXPECT_EQ(Str(header->GetItemAt(1)->GetPos()), "70,10,170,34");
    EXPECT_EQ(list->GetListInfo()->columns, 2);
    const char* rows[] = {"10,34,210,54", "10,54,210,74", "10,74,210,94"};
    for (int i = 0; i < 3; ++i) {
        auto* row = static_cast<CContainerUI*>(list->GetItemAt(i));
        EXPECT_EQ(Str(row->GetPos()), rows[i]);
        EXPECT_EQ(row->GetItemAt(0)->GetPos().right, 70);
        EXPECT_EQ(row->GetItemAt(1)->GetPos().left, 70);
        EXPECT_EQ(row->GetItemAt(1)->GetPos().right, 170);
        EXPECT_EQ(row->GetItemAt(2)->GetPos().right - row->GetItemAt(2)->GetPos().left, 0);
    }
}

TEST(ListLayout, EmptyOrHiddenHeaderTakesNoRoomAndRowsWithoutWishesTakeALine)
{
    CWidgetHost host;
    auto* list = host.Add(new CListUI, {0, 0, 200, 150});
    list->Add(Row(L"fixed", 30));
    auto* free = new CListLabelElementUI;
    list->Add(free);
    list->SetPos({0, 0, 200, 150}, false);
    EXPECT_EQ(list->GetList()->GetPos().top, 0);
    EXPECT_EQ(Str(list->GetItemAt(0)->GetPos()), "0,0,200,30");
    // A row without a height wish is one line of the item font plus a margin, not a share.
    const int line = host.manager().GetDefaultFontInfo()->tm.tmHeight;
    EXPECT_EQ(free->GetPos().bottom - free->GetPos().top, line + 8);

    list->Add(Header({50}));
    list->SetAttribute(L"header", L"hidden");
    list->SetPos({0, 0, 200, 150}, false);
    EXPECT_EQ(list->GetList()->GetPos().top, 0);
    list->SetAttribute(L"header", L"shown");
    list->SetPos({0, 0, 200, 150}, false);
    EXPECT_EQ(list->GetList()->GetPos().top, 24);
}

TEST(ListHeader, FirstHeaderReplacesTheEmptyDefaultASecondIsRefused)
{
    g_destroyed.clear();
    CListUI list;
    CListHeaderUI* defaultHeader = Tracked(list.GetHeader());
    CListHeaderUI* first = Header({40});
    ASSERT_TRUE(list.Add(first));
    EXPECT_EQ(list.GetHeader(), first);
    EXPECT_EQ(g_destroyed[defaultHeader], 1);
    EXPECT_EQ(list.GetCount(), 0);   // headers are no rows

    CListHeaderUI* second = Tracked(Header({40}));
    EXPECT_FALSE(list.Add(second));
    EXPECT_FALSE(list.AddAt(first, 0));
    EXPECT_FALSE(list.Remove(first));
    EXPECT_EQ(list.GetHeader(), first);
    second->Destroy();
    EXPECT_EQ(g_destroyed[second], 1);
}

TEST(ListRows, IndexesAndSelectionFollowInsertMoveAndRemove)
{
    CWidgetHost host;
    auto* list = host.Add(new CListUI, {0, 0, 200, 150});
    std::vector<CListLabelElementUI*> rows;
    for (const wchar_t* text : {L"a", L"b", L"c", L"d"}) {
        rows.push_back(Row(text));
        list->Add(rows.back());
    }
    ASSERT_TRUE(list->SelectItem(2));
    ASSERT_EQ(host.notes.size(), 1u);
    EXPECT_EQ(host.notes[0].type, L"itemselect");
    EXPECT_EQ(host.notes[0].wParam, 2u);
    EXPECT_TRUE(rows[2]->IsSelected());

    list->AddAt(Row(L"new"), 0);
    EXPECT_EQ(list->GetCurSel(), 3);
    EXPECT_EQ(rows[2]->GetIndex(), 3);
    EXPECT_EQ(rows[0]->GetIndex(), 1);

    list->SetItemIndex(rows[2], 0);
    EXPECT_EQ(list->GetCurSel(), 0);
    EXPECT_EQ(rows[2]->GetIndex(), 0);

    CControlUI* added = list->GetItemAt(1);
    list->RemoveAt(1, true);   // kept: it leaves unowned
    EXPECT_EQ(list->GetCurSel(), 0);
    EXPECT_EQ(static_cast<CListLabelElementUI*>(added)->GetOwner(), nullptr);
    added->Destroy();
    list->Remove(rows[2]);
    EXPECT_EQ(list->GetCurSel(), -1);
    EXPECT_EQ(rows[0]->GetIndex(), 0);
    EXPECT_EQ(rows[3]->GetIndex(), 2);
}

TEST(ListRows, HiddenDisabledOrMissingRowsAreRefusedAndTheSelectionStays)
{
    CWidgetHost host;
    auto* list = host.Add(new CListUI, {0, 0, 200, 150});
    for (const wchar_t* text : {L"a", L"b", L"c"}) list->Add(Row(text));
    list->Add(new CControlUI);   // a control that is no list item
    ASSERT_TRUE(list->SelectItem(0));
    list->GetItemAt(1)->SetEnabled(false);
    list->GetItemAt(2)->SetVisible(false);
    EXPECT_FALSE(list->SelectItem(1));
    EXPECT_FALSE(list->SelectItem(2));
    EXPECT_FALSE(list->SelectItem(3));
    EXPECT_FALSE(list->SelectItem(9));
    EXPECT_EQ(list->GetCurSel(), 0);
    EXPECT_FALSE(static_cast<CListLabelElementUI*>(list->GetItemAt(1))->Select(true));

    // Hiding the selected row gives the selection up; -1 clears without a notification.
    list->GetItemAt(0)->SetVisible(false);
    EXPECT_EQ(list->GetCurSel(), -1);
    list->GetItemAt(0)->SetVisible(true);
    ASSERT_TRUE(list->SelectItem(0));
    host.notes.clear();
    EXPECT_TRUE(list->SelectItem(-1));
    EXPECT_FALSE(static_cast<CListLabelElementUI*>(list->GetItemAt(0))->IsSelected());
    EXPECT_TRUE(host.notes.empty());
}

TEST(ListRows, ClickSelectsArrowKeysSkipDisabledRowsDoubleClickActivates)
{
    CWidgetHost host;
    auto* list = host.Add(new CListUI, {0, 0, 200, 150});
    for (const wchar_t* text : {L"a", L"b", L"c"}) list->Add(Row(text));
    list->SetPos({0, 0, 200, 150}, false);
    list->GetItemAt(1)->SetEnabled(false);

    host.Send(list->GetItemAt(0), EVT_BUTTONDOWN, {10, 10});
    EXPECT_EQ(list->GetCurSel(), 0);
    host.Send(list->GetItemAt(0), EVT_KEYDOWN, {10, 10}, 0, VK_DOWN);
    EXPECT_EQ(list->GetCurSel(), 2);
    host.Send(list->GetItemAt(2), EVT_KEYDOWN, {10, 50}, 0, VK_DOWN);
    EXPECT_EQ(list->GetCurSel(), 2);
    host.Send(list->GetItemAt(2), EVT_KEYDOWN, {10, 50}, 0, VK_HOME);
    EXPECT_EQ(list->GetCurSel(), 0);
    host.Send(list->GetItemAt(1), EVT_BUTTONDOWN, {10, 30});   // disabled
    EXPECT_EQ(list->GetCurSel(), 0);
    host.Send(list->GetItemAt(0), EVT_DBLCLICK, {10, 10});

    const std::vector<std::wstring> expected = {L"itemselect", L"itemselect", L"itemselect", L"itemactivate"};
    EXPECT_EQ(host.Types(), expected);
    EXPECT_EQ(host.notes.back().sender, list->GetItemAt(0));
}

TEST(ListRows, RowsPaintTheOwnersColoursForTheirState)
{
    CWidgetHost host;
    auto* list = host.Add(new CListUI, {0, 0, 200, 100});
    list->ApplyAttributeText(L"itembkcolor=\"#FF0000FF\" itemselectedbkcolor=\"#FFFF0000\" "
                             L"itemhotbkcolor=\"#FF00FF00\" itemaltbk=\"true\" itemlinecolor=\"#FF000000\"");
    for (const wchar_t* text : {L"", L"", L"", L""}) list->Add(Row(text));
    list->SetPos({0, 0, 200, 100}, false);
    list->SelectItem(2);
    host.Send(list->GetItemAt(3), EVT_MOUSEENTER, {10, 70});

    CCanvas canvas(200, 100);
    PaintInto(canvas, *list);
    EXPECT_EQ(canvas.Pixel(100, 10), 0x0000FFu);   // row 0, plain
    EXPECT_EQ(canvas.Pixel(100, 30), 0xFFFFFFu);   // row 1, odd: the alternate rows leave it
    EXPECT_EQ(canvas.Pixel(100, 50), 0xFF0000u);   // row 2, selected
    EXPECT_EQ(canvas.Pixel(100, 70), 0x00FF00u);   // row 3, hot
    EXPECT_EQ(canvas.Pixel(100, 19), 0x000000u);   // the line under row 0
}

TEST(ListRows, SelectingByKeysScrollsTheBodySoTheRowShows)
{
    CWidgetHost host;
    auto* list = host.Add(new CListUI, {0, 0, 200, 100});
    list->SetAttribute(L"vscrollbar", L"true");
    ASSERT_NE(list->GetVerticalScrollBar(), nullptr);
    EXPECT_EQ(list->GetVerticalScrollBar(), list->GetList()->GetVerticalScrollBar());
    for (int i = 0; i < 10; ++i) list->Add(Row(L"row"));
    list->SetPos({0, 0, 200, 100}, false);
    EXPECT_EQ(list->GetScrollRange().cy, 100);

    host.Send(list, EVT_KEYDOWN, {10, 10}, 0, VK_END);
    EXPECT_EQ(list->GetCurSel(), 9);
    EXPECT_EQ(list->GetScrollPos().cy, 100);
    EXPECT_EQ(list->GetItemAt(9)->GetPos().bottom, 100);
    host.Send(list, EVT_KEYDOWN, {10, 10}, 0, VK_UP);
    EXPECT_EQ(list->GetScrollPos().cy, 100);   // row 8 shows already
    host.Send(list, EVT_KEYDOWN, {10, 10}, 0, VK_HOME);
    EXPECT_EQ(list->GetScrollPos().cy, 0);
    EXPECT_EQ(list->GetItemAt(0)->GetPos().top, 0);
}

TEST(ListRows, TextRowsDrawEachColumnsTextInsideThatColumn)
{
    CWidgetHost host;
    auto* list = host.Add(new CListUI, {0, 0, 200, 100});
    list->Add(Header({60, 80, 60}));
    list->SetAttribute(L"itemtextcolor", L"#FF000000");
    auto* row = new CListTextElementUI;
    row->SetFixedHeight(30);
    row->SetText(1, L"WWWWWWWWWWWWWWWWWWWW");   // far wider than its column
    list->Add(row);
    list->SetPos({0, 0, 200, 100}, false);
    EXPECT_EQ(std::wstring(row->GetText(1).GetData()), L"WWWWWWWWWWWWWWWWWWWW");
    EXPECT_EQ(row->GetText(kListMaxColumns).GetLength(), 0);

    CCanvas canvas(200, 100);
    PaintInto(canvas, *row);
    const RECT cell = row->GetPos();
    EXPECT_GT(canvas.CountOther({60, cell.top, 140, cell.bottom}, 0xFFFFFF), 20);
    EXPECT_EQ(canvas.CountOther({0, cell.top, 60, cell.bottom}, 0xFFFFFF), 0);
    EXPECT_EQ(canvas.CountOther({140, cell.top, 200, cell.bottom}, 0xFFFFFF), 0);
}

// Removes the selected row from inside the notification that its own click raised.
class RemoveOnSelect : public INotifyUI {
public:
    explicit RemoveOnSelect(CListUI* list) : m_list(list) {}
    void Notify(NotifyUI& msg) override
    {
        if (msg.type == L"itemselect") m_list->RemoveAt(static_cast<int>(msg.wParam));
    }

private:
    CListUI* m_list;
};

TEST(ListRows, ARowRemovedByItsOwnClickIsDeletedAfterTheEvent)
{
    g_destroyed.clear();
    CWidgetHost host;
    auto* list = host.Add(new CListUI, {0, 0, 200, 100});
    CListLabelElementUI* first = Tracked(Row(L"a"));
    list->Add(first);
    list->Add(Row(L"b"));
    list->SetPos({0, 0, 200, 100}, false);
    RemoveOnSelect remover(list);
    host.manager().AddNotifier(&remover);

    host.Send(first, EVT_BUTTONDOWN, {10, 10});
    EXPECT_EQ(list->GetCount(), 1);
    EXPECT_EQ(list->GetCurSel(), -1);
    EXPECT_EQ(g_destroyed[first], 0);   // still handling its event
    host.Pump(50);
    EXPECT_EQ(g_destroyed[first], 1);
    EXPECT_EQ(static_cast<CListLabelElementUI*>(list->GetItemAt(0))->GetIndex(), 0);
    host.manager().RemoveNotifier(&remover);
}

TEST(ListHeader, ItemsReportAClickReleasedOverThemOnly)
{
    CWidgetHost host;
    auto* list = host.Add(new CListUI, {0, 0, 200, 100});
    CListHeaderUI* header = Header({60, 80});
    list->Add(header);
    list->SetPos({0, 0, 200, 100}, false);
    auto* item = static_cast<CListHeaderItemUI*>(header->GetItemAt(0));

    host.Send(item, EVT_BUTTONDOWN, {30, 10});
    EXPECT_EQ(item->GetButtonState() & STATE_PUSHED, static_cast<UINT>(STATE_PUSHED));
    host.Send(item, EVT_BUTTONUP, {100, 10});   // released over the next column
    EXPECT_TRUE(host.notes.empty());
    host.Send(item, EVT_BUTTONDOWN, {30, 10});
    host.Send(item, EVT_BUTTONUP, {31, 11});
    ASSERT_EQ(host.Types(), std::vector<std::wstring>(1, L"headerclick"));
    EXPECT_EQ(host.notes[0].sender, item);
    EXPECT_EQ(item->GetButtonState(), 0u);
}

TEST(Combo, ShowsTheSelectedRowsTextAndPlacesNoRows)
{
    CWidgetHost host;
    auto* combo = host.Add(new CComboUI, {10, 10, 160, 40});
    combo->SetText(L"choose");
    for (const wchar_t* text : {L"one", L"two", L"three"}) combo->Add(Row(text));
    combo->SetPos({10, 10, 160, 40}, false);
    EXPECT_EQ(std::wstring(combo->GetText().GetData()), L"choose");
    EXPECT_EQ(combo->GetItemAt(0)->GetWidth(), 0);
    POINT inside = {20, 20};
    EXPECT_EQ(host.manager().FindControlAt(inside), combo);

    host.Send(combo, EVT_SCROLLWHEEL, inside, 1);   // one notch down
    EXPECT_EQ(combo->GetCurSel(), 0);
    host.Send(combo, EVT_KEYDOWN, inside, 0, VK_END);
    EXPECT_EQ(std::wstring(combo->GetText().GetData()), L"three");
    host.Send(combo, EVT_SCROLLWHEEL, inside, 0);   // one notch up
    EXPECT_EQ(combo->GetCurSel(), 1);
    EXPECT_EQ(host.Types(), std::vector<std::wstring>(3, L"itemselect"));

    combo->RemoveAt(1);
    EXPECT_EQ(combo->GetCurSel(), -1);
    EXPECT_EQ(std::wstring(combo->GetText().GetData()), L"choose");
    EXPECT_EQ(static_cast<CListLabelElementUI*>(combo->GetItemAt(1))->GetIndex(), 1);
}

TEST(Ownership, ContainersAmongTheFurtherControlsDestroyTheirChildrenOnce)
{
    g_destroyed.clear();
    std::vector<void*> children;
    auto track = [&children](CControlUI* control) {
        children.push_back(Tracked(control));
        return control;
    };
    auto* richEdit = new CRichEditUI;
    richEdit->Add(track(new CControlUI));
    auto* row = new CListContainerElementUI;
    row->Add(track(new CControlUI));
    auto* combo = new CComboUI;
    combo->Add(track(Row(L"x")));
    auto* list = new CListUI;
    list->Add(track(Header({10})));
    list->Add(track(Row(L"y")));
    list->Add(track(row));
    auto* kept = Tracked(Row(L"kept"));
    list->Add(kept);
    ASSERT_TRUE(list->Remove(kept, true));
    EXPECT_EQ(static_cast<CListLabelElementUI*>(kept)->GetOwner(), nullptr);

    richEdit->Destroy();
    combo->Destroy();
    list->Destroy();
    EXPECT_EQ(DestroyedOnce(children), static_cast<int>(children.size()));
    EXPECT_EQ(g_destroyed[kept], 0);
    kept->Destroy();
}

TEST(TreeRules, AddingNodesRefusesNullSelfCyclesAndNodesOwnedElsewhere)
{
    CTreeNodeUI root;
    CTreeNodeUI* child = Node(L"child");
    CTreeNodeUI* grandchild = Node(L"grandchild");
    EXPECT_FALSE(root.AddChildNode(nullptr));
    EXPECT_FALSE(root.AddChildNode(&root));
    ASSERT_TRUE(root.AddChildNode(child));
    ASSERT_TRUE(child->AddChildNode(grandchild));
    EXPECT_FALSE(grandchild->AddChildNode(&root));     // its own ancestor
    EXPECT_FALSE(root.AddChildNode(grandchild));       // already has a parent node
    EXPECT_EQ(grandchild->GetTreeLevel(), 2);
    EXPECT_TRUE(root.IsAncestorOf(grandchild));
    EXPECT_FALSE(grandchild->IsAncestorOf(&root));

    // A free node that is itself an ancestor through a third node.
    CTreeNodeUI top;
    CTreeNodeUI* middle = Node(L"middle");
    ASSERT_TRUE(top.AddChildNode(middle));
    EXPECT_FALSE(middle->AddChildNode(&top));

    // The view takes nodes only, and no child node on its own; a node takes no node as a row control.
    CTreeViewUI view;
    CControlUI plain;
    EXPECT_FALSE(view.Add(&plain));
    EXPECT_FALSE(view.Add(child));
    CTreeNodeUI* rowNode = Node(L"rownode");
    EXPECT_FALSE(root.Add(rowNode));
    rowNode->Destroy();
    EXPECT_TRUE(root.Add(new CControlUI));
    EXPECT_EQ(root.GetCount(), 1);

    // A node in a view is not taken again, by the view or by another node.
    CTreeNodeUI* inView = Node(L"inview");
    ASSERT_TRUE(view.Add(inView));
    EXPECT_FALSE(view.Add(inView));
    EXPECT_FALSE(top.AddChildNode(inView));
    EXPECT_EQ(inView->GetTreeView(), &view);
}

TEST(TreeView, ChildNodesFollowTheirParentAndLaterChildrenJoinBelowItsSubtree)
{
    CWidgetHost host;
    auto* view = host.Add(new CTreeViewUI, {0, 0, 200, 180});
    CTreeNodeUI* a = Node(L"A");
    CTreeNodeUI* a1 = Node(L"A1");
    CTreeNodeUI* a1a = Node(L"A1a");
    CTreeNodeUI* a2 = Node(L"A2");
    a->AddChildNode(a1);
    a1->AddChildNode(a1a);
    a->AddChildNode(a2);
    ASSERT_TRUE(view->Add(a));
    ASSERT_TRUE(view->Add(Node(L"B")));
    EXPECT_EQ(Order(*view), L"A A1 A1a A2 B");

    ASSERT_TRUE(a1->AddChildNode(Node(L"A1b")));
    EXPECT_EQ(Order(*view), L"A A1 A1a A1b A2 B");
    ASSERT_TRUE(new CTreeNodeUI(a2) != nullptr);   // a node made with a parent joins it
    EXPECT_EQ(a2->GetChildNodeCount(), 1);
    EXPECT_EQ(view->GetCount(), 7);

    // Rows move right by the indent per level; row controls start there too.
    view->SetAttribute(L"indent", L"10");
    auto* icon = new CControlUI;
    icon->SetFixedWidth(16);
    a1a->Add(icon);
    view->SetPos({0, 0, 200, 180}, false);
    EXPECT_EQ(Str(a1a->GetPos()), "0,40,200,60");
    EXPECT_EQ(Str(icon->GetPos()), "20,40,36,60");
}

TEST(TreeView, RemovingANodeTakesItsSubtreeAndKeptNodesOwnTheirChildrenAgain)
{
    g_destroyed.clear();
    CTreeViewUI view;
    CTreeNodeUI* a = Tracked(Node(L"A"));
    CTreeNodeUI* a1 = Tracked(Node(L"A1"));
    CTreeNodeUI* a1a = Tracked(Node(L"A1a"));
    CTreeNodeUI* a2 = Tracked(Node(L"A2"));
    CTreeNodeUI* b = Tracked(Node(L"B"));
    a->AddChildNode(a1);
    a1->AddChildNode(a1a);
    a->AddChildNode(a2);
    view.Add(a);
    view.Add(b);

    ASSERT_TRUE(a->RemoveChildNode(a1));
    EXPECT_EQ(Order(view), L"A A2 B");
    EXPECT_EQ(DestroyedOnce({a1, a1a}), 2);
    EXPECT_EQ(a->GetChildNodeCount(), 1);

    ASSERT_TRUE(view.Remove(a, true));
    EXPECT_EQ(Order(view), L"B");
    EXPECT_EQ(a->GetTreeView(), nullptr);
    EXPECT_EQ(a->GetChildNode(0), a2);
    EXPECT_EQ(g_destroyed[a2], 0);
    a->Destroy();   // a free node takes its children along
    EXPECT_EQ(DestroyedOnce({a, a2}), 2);
    CTreeNodeUI stranger;
    EXPECT_FALSE(view.Remove(&stranger));
}

TEST(TreeView, DestroyingTheViewOrAFreeNodeDestroysEveryNodeOnce)
{
    g_destroyed.clear();
    std::vector<void*> nodes;
    auto node = [&nodes](const wchar_t* name) {
        CTreeNodeUI* made = Tracked(Node(name));
        nodes.push_back(made);
        return made;
    };
    auto* view = new CTreeViewUI;
    CTreeNodeUI* a = node(L"A");
    a->AddChildNode(node(L"A1"));
    a->GetChildNode(0)->AddChildNode(node(L"A1a"));
    view->Add(a);
    view->Add(node(L"B"));
    view->Destroy();
    EXPECT_EQ(DestroyedOnce(nodes), 4);

    nodes.clear();
    CTreeNodeUI* free = node(L"F");
    free->AddChildNode(node(L"F1"));
    free->AddChildNode(node(L"F2"));
    free->GetChildNode(1)->AddChildNode(node(L"F2a"));
    free->Destroy();
    EXPECT_EQ(DestroyedOnce(nodes), 4);
}

TEST(TreeView, ANodesTextStartsAtItsIndent)
{
    CWidgetHost host;
    auto* view = host.Add(new CTreeViewUI, {0, 0, 200, 100});
    view->ApplyAttributeText(L"indent=\"40\" itemtextcolor=\"#FF000000\"");
    CTreeNodeUI* parent = Node(L"P");
    CTreeNodeUI* child = Node(L"C");
    child->SetText(L"MMMM");
    parent->AddChildNode(child);
    view->Add(parent);
    view->SetPos({0, 0, 200, 100}, false);
    ASSERT_EQ(Str(child->GetPos()), "0,20,200,40");

    CCanvas canvas(200, 100);
    PaintInto(canvas, *child);
    EXPECT_EQ(canvas.CountOther({0, 20, 40, 40}, 0xFFFFFF), 0);
    EXPECT_GT(canvas.CountOther({40, 20, 120, 40}, 0xFFFFFF), 20);
}

TEST(TreeView, FoldingHidesDescendantsAndUnfoldingShowsThoseWhoseAncestorsAreOpen)
{
    CWidgetHost host;
    auto* view = host.Add(new CTreeViewUI, {0, 0, 200, 180});
    CTreeNodeUI* a = Node(L"A");
    CTreeNodeUI* a1 = Node(L"A1");
    CTreeNodeUI* a1a = Node(L"A1a");
    a->AddChildNode(a1);
    a1->AddChildNode(a1a);
    a1->SetAttribute(L"expand", L"false");
    view->Add(a);
    EXPECT_TRUE(a1->IsVisible());
    EXPECT_FALSE(a1a->IsVisible());

    view->SelectItem(1);
    a->SetExpand(false);
    EXPECT_FALSE(a1->IsVisible());
    EXPECT_EQ(view->GetCurSel(), -1);   // a hidden row keeps no selection
    a->SetExpand(true);
    EXPECT_TRUE(a1->IsVisible());
    EXPECT_FALSE(a1a->IsVisible());

    view->SetPos({0, 0, 200, 180}, false);
    host.Send(a1, EVT_DBLCLICK, {10, 30});
    EXPECT_TRUE(a1->IsExpanded());
    EXPECT_TRUE(a1a->IsVisible());
}

} // namespace
