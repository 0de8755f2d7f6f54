#include "ui/skin/SkinBuilder.h"

#include "ui/controls/ChildLayoutUI.h"
#include "ui/controls/ContainerUI.h"
#include "ui/controls/TreeViewUI.h"
#include "ui/manager/ManagerUI.h"
#include "ui/skin/SkinResources.h"

#include "../manager/ManagerTestSupport.h"
#include "ZipTestSupport.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

using namespace VarnUI;
using VarnTest::HostWindow;

namespace {

// Counts its own destruction, so that a test sees which controls the builder threw away.
class ProbeControl : public CControlUI {
public:
    explicit ProbeControl(int* deaths) : m_deaths(deaths) {}
    ~ProbeControl() override { ++*m_deaths; }
    const wchar_t* GetClassName() const override { return L"Probe"; }

private:
    int* m_deaths;
};

class RefusingContainer : public CContainerUI {
public:
    bool Add(CControlUI*) override { return false; }
};

class Callback : public IDialogBuilderCallback {
public:
    CControlUI* CreateControl(const wchar_t* name) override
    {
        asked.push_back(name);
        return make ? make(name) : nullptr;
    }
    std::vector<std::wstring> asked;
    std::function<CControlUI*(const std::wstring&)> make;
};

std::wstring ClassOf(CControlUI* control)
{
    return control != nullptr ? control->GetClassName() : L"(none)";
}

CContainerUI* Box(CControlUI* control)
{
    return control != nullptr ? static_cast<CContainerUI*>(control->GetInterface(L"Container")) : nullptr;
}

std::wstring ChildClasses(CContainerUI* box)
{
    std::wstring out;
    for (int i = 0; box != nullptr && i < box->GetCount(); ++i) out += ClassOf(box->GetItemAt(i)) + L" ";
    return out;
}

// The skin folder the builder reads files from, emptied of archives for these tests.
class SkinBuilderTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_folder = SkinTest::ScratchDir() + L"builder\\";
        ::CreateDirectoryW(m_folder.c_str(), nullptr);
        CSkinResources::SetInstance(::GetModuleHandleW(nullptr));
        CSkinResources::SetResourceZip(L"", false);
        CSkinResources::SetResourcePath(m_folder.c_str());
    }

    void TearDown() override
    {
        for (const std::wstring& name : m_written) ::DeleteFileW((m_folder + name).c_str());
        ::RemoveDirectoryW(m_folder.c_str());
    }

    void WriteSkinFile(const std::wstring& name, const std::string& text)
    {
        m_written.push_back(name);
        ASSERT_TRUE(SkinTest::WriteWholeFile(m_folder + name, text.data(), text.size()));
    }

    // Builds without a manager; the caller owns the result.
    static CControlUI* Build(const wchar_t* xml, IDialogBuilderCallback* callback = nullptr)
    {
        CSkinBuilder builder;
        return builder.Create(xml, nullptr, callback);
    }

    // Builds with the host's manager and makes the result the window's tree.
    CControlUI* Attach(const wchar_t* xml, IDialogBuilderCallback* callback = nullptr)
    {
        CSkinBuilder builder;
        CControlUI* root = builder.Create(xml, nullptr, callback, &host.manager());
        if (root != nullptr) host.manager().AttachRoot(root);
        return root;
    }

    HostWindow host{300, 200};
    std::wstring m_folder;
    std::vector<std::wstring> m_written;
};

TEST_F(SkinBuilderTest, ElementNames_AnyCaseButGifAnim_CreateTheirClass)
{
    CControlUI* root = Build(L"<Window><Container>"
                             L"<Control/><container/><VBox/><hbox/><VERTICALLAYOUT/><HorizontalLayout/><TabLayout/>"
                             L"<tilelayout/><ChildLayout/><label/><Text/><Button/><button/><BUTTON/><Option/>"
                             L"<checkbox/><Progress/><Slider/><ScrollBar/><Edit/><richedit/><Combo/><ComboBox/>"
                             L"<DateTime/><List/><ListHeader/><ListHeaderItem/><ListTextElement/><ListLabelElement/>"
                             L"<ListHBoxElement/><listcontainerelement/><Tree/><TREEVIEW/><ActiveX/><WebBrowser/>"
                             L"<GifAnim/><gifanim/><GIFANIM/><Buttons/><Butto/>"
                             L"</Container></Window>");
    ASSERT_NE(Box(root), nullptr);
    EXPECT_EQ(ChildClasses(Box(root)),
              L"Control Container VerticalLayout HorizontalLayout VerticalLayout HorizontalLayout TabLayout "
              L"TileLayout ChildLayout Label Text Button Button Button Option CheckBox Progress Slider ScrollBar "
              L"Edit RichEdit Combo Combo DateTime List ListHeader ListHeaderItem ListTextElement ListLabelElement "
              L"ListHBoxElement ListContainerElement TreeView TreeView ActiveX WebBrowser GifAnim ");
    root->Destroy();
}

TEST_F(SkinBuilderTest, UnknownNames_GoToTheCallback_OrVanishWithTheirChildren)
{
    Callback callback;
    callback.make = [](const std::wstring& name) -> CControlUI* {
        return name == L"Mystery" ? new CContainerUI : nullptr;
    };
    CControlUI* root = Build(L"<Window><Container>"
                             L"<Mystery name=\"m\" width=\"33\"><Button/></Mystery>"
                             L"<Stranger><Button/><Unheard/></Stranger>"
                             L"<gifanim/>"
                             L"</Container></Window>",
                             &callback);
    ASSERT_NE(Box(root), nullptr);
    EXPECT_EQ(callback.asked, (std::vector<std::wstring>{L"Mystery", L"Stranger", L"gifanim"}));
    ASSERT_EQ(Box(root)->GetCount(), 1);
    CControlUI* mystery = Box(root)->GetItemAt(0);
    EXPECT_EQ(mystery->GetName(), L"m");
    EXPECT_EQ(mystery->GetFixedWidth(), 33);
    EXPECT_EQ(ChildClasses(Box(mystery)), L"Button ");
    root->Destroy();
}

TEST_F(SkinBuilderTest, DefaultLists_ComeFirst_KeyedByTheNameAsWritten_WhereverDeclared)
{
    CControlUI* root = Attach(L"<Window><Container>"
                              L"<Button name=\"own\" height=\"20\"/>"
                              L"<button name=\"lower\"/>"
                              L"</Container>"
                              L"<Default name=\"Button\" value=\"width=&quot;10&quot; height=&quot;7&quot;\"/>"
                              L"</Window>");
    ASSERT_NE(root, nullptr);
    auto size = [this](const wchar_t* name) {
        CControlUI* control = host.manager().FindControlByName(name);
        return std::to_wstring(control->GetFixedWidth()) + L"x" + std::to_wstring(control->GetFixedHeight());
    };
    EXPECT_EQ(size(L"own"), L"10x20");
    EXPECT_EQ(size(L"lower"), L"0x0");
}

TEST_F(SkinBuilderTest, FontsAndLanguageStrings_RegisterWhatTheyDeclare_AndIgnoreIncompleteOnes)
{
    ASSERT_NE(Attach(L"<Window>"
                     L"<Font id=\"40\" name=\"Arial\" size=\"15\" bold=\"TRUE\" default=\"true\"/>"
                     L"<FONT ID=\"41\" NAME=\"Tahoma\" SIZE=\"9\" Italic=\"true\"/>"
                     L"<Font name=\"Verdana\" size=\"30\"/>"
                     L"<Font id=\"43\" size=\"30\"/>"
                     L"<MultiLanguage id=\"9101\" value=\"hello\"/>"
                     L"<multilanguage value=\"lost\"/>"
                     L"<Control/>"
                     L"</Window>"),
              nullptr);
    CManagerUI& manager = host.manager();
    FontInfoUI* arial = manager.GetFontInfo(40);
    EXPECT_EQ(arial->faceName, L"Arial");
    EXPECT_EQ(arial->size, 15);
    EXPECT_TRUE(arial->bold);
    EXPECT_EQ(manager.GetDefaultFontInfo()->faceName, L"Arial");
    EXPECT_EQ(manager.GetDefaultFontInfo()->size, 15);
    EXPECT_EQ(manager.GetFontInfo(41)->faceName, L"Tahoma");
    EXPECT_TRUE(manager.GetFontInfo(41)->italic);
    EXPECT_EQ(manager.GetFontInfo(43), manager.GetDefaultFontInfo());
    EXPECT_EQ(manager.FindFont(L"Verdana", 30, false, false, false), nullptr);
    EXPECT_STREQ(CManagerUI::GetLanguageString(9101), L"hello");
}

TEST_F(SkinBuilderTest, RootWindowAttributes_OnlyForARootNamedWindow_WithAPaintWindow)
{
    const struct {
        const wchar_t* root;
        bool applied;
    } cases[] = {{L"Window", true}, {L"window", true}, {L"WINDOW", true}, {L"Windows", false}, {L"Dialog", false}};
    for (const auto& c : cases) {
        HostWindow window;
        const std::wstring xml =
            std::wstring(L"<") + c.root + L" caption=\"1,2,3,4\" flavour=\"x\"><Control/></" + c.root + L">";
        CSkinBuilder builder;
        CControlUI* root = builder.Create(xml.c_str(), nullptr, nullptr, &window.manager());
        ASSERT_NE(root, nullptr);
        window.manager().AttachRoot(root);
        EXPECT_EQ(window.manager().GetCaptionRect().bottom, c.applied ? 4 : 0) << c.root;
        EXPECT_EQ(window.manager().GetWindowCustomAttribute(L"flavour") != nullptr, c.applied) << c.root;
    }
    CManagerUI unbound;
    CSkinBuilder builder;
    CControlUI* root = builder.Create(L"<Window caption=\"1,2,3,4\"><Control/></Window>", nullptr, nullptr, &unbound);
    EXPECT_EQ(unbound.GetCaptionRect().bottom, 0);
    root->Destroy();
}

TEST_F(SkinBuilderTest, Cover_OnlyForExactlyTrue)
{
    CControlUI* root = Build(L"<Window><Container>"
                             L"<Label name=\"c\" cover=\"true\"/><Label name=\"d\" cover=\"TRUE\"/>"
                             L"<Label name=\"e\" cover=\"true \"/>"
                             L"</Container></Window>");
    ASSERT_NE(Box(root), nullptr);
    ASSERT_NE(root->GetCover(), nullptr);
    EXPECT_EQ(root->GetCover()->GetName(), L"c");
    EXPECT_EQ(Box(root)->GetCount(), 2);
    root->Destroy();
}

TEST_F(SkinBuilderTest, ChildrenOfANonContainer_AreDestroyedAndStopTheLevel_RefusedOnesOnlyThemselves)
{
    int deaths = 0;
    Callback callback;
    callback.make = [&deaths](const std::wstring& name) -> CControlUI* {
        if (name == L"Probe") return new ProbeControl(&deaths);
        return name == L"Refuser" ? new RefusingContainer : nullptr;
    };
    CControlUI* root = Build(L"<Window><Container>"
                             L"<Label name=\"p\"><Probe/><Probe/></Label>"
                             L"<Refuser><Probe/><Probe/></Refuser>"
                             L"<Label name=\"z\"/>"
                             L"</Container></Window>",
                             &callback);
    ASSERT_NE(Box(root), nullptr);
    EXPECT_EQ(callback.asked, (std::vector<std::wstring>{L"Probe", L"Refuser", L"Probe", L"Probe"}));
    EXPECT_EQ(deaths, 3);
    EXPECT_EQ(ChildClasses(Box(root)), L"Label Container Label ");
    root->Destroy();
}

TEST_F(SkinBuilderTest, TopLevel_FirstControlIsTheResult_FurtherOnesAreNotLeaked)
{
    int deaths = 0;
    Callback callback;
    callback.make = [&deaths](const std::wstring&) -> CControlUI* { return new ProbeControl(&deaths); };
    CControlUI* root = Build(L"<Window><Include source=\"&lt;W&gt;&lt;Probe/&gt;&lt;/W&gt;\"/>"
                             L"<Probe name=\"first\"/><Probe name=\"second\"/></Window>",
                             &callback);
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(root->GetName(), L"first");
    EXPECT_EQ(deaths, 2);
    root->Destroy();
    EXPECT_EQ(deaths, 3);
}

TEST_F(SkinBuilderTest, IntoAnAttachedParent_TheControlIsAttachedAndFoundByName)
{
    auto* root = new CVerticalLayoutUI;
    host.manager().AttachRoot(root);
    CSkinBuilder builder;
    CControlUI* built = builder.Create(L"<Windows><Label name=\"late\" text=\"t\"/></Windows>", nullptr, nullptr,
                                       &host.manager(), root);
    ASSERT_NE(built, nullptr);
    EXPECT_EQ(host.manager().FindControlByName(L"late"), built);
    EXPECT_EQ(built->GetManager(), &host.manager());
    EXPECT_EQ(built->GetParent(), root);
    EXPECT_EQ(root->GetCount(), 1);
}

TEST_F(SkinBuilderTest, Include_WithCount_BuildsEachTime_ParsingTheDocumentOnce)
{
    WriteSkinFile(L"probe.xml", "<Windows><Probe/><Label name=\"x\"/></Windows>");
    int deaths = 0;
    Callback callback;
    // Were the document read again, the second and third copies would be buttons.
    callback.make = [&](const std::wstring&) -> CControlUI* {
        WriteSkinFile(L"probe.xml", "<Windows><Button/></Windows>");
        return new ProbeControl(&deaths);
    };
    CControlUI* root =
        Build(L"<Window><Container><Include source=\"probe.xml\" count=\"3\"/></Container></Window>", &callback);
    ASSERT_NE(Box(root), nullptr);
    EXPECT_EQ(ChildClasses(Box(root)), L"Probe Label Probe Label Probe Label ");
    root->Destroy();
}

TEST_F(SkinBuilderTest, FailedIncludes_BuildNothing_AndLeaveTheirSiblings)
{
    WriteSkinFile(L"one.xml", "<Windows><Button/></Windows>");
    WriteSkinFile(L"broken.xml", "<Windows><Button></Windows>");
    CControlUI* root = Build(L"<Window><Container><Label name=\"a\"/>"
                             L"<Include source=\"missing.xml\"/><Include source=\"broken.xml\"/>"
                             L"<Include source=\"&lt;Windows&gt;&lt;Button&gt;&lt;Label&gt;\"/>"
                             L"<Include source=\"one.xml\" count=\"0\"/><Include source=\"one.xml\" count=\"-2\"/>"
                             L"<Include Source=\"one.xml\"/><Include count=\"2\"/><Include/>"
                             L"<Label name=\"b\"/></Container></Window>");
    ASSERT_NE(Box(root), nullptr);
    EXPECT_EQ(ChildClasses(Box(root)), L"Label Label ");
    root->Destroy();
}

TEST_F(SkinBuilderTest, IncludeSource_KeepsAtMost499Characters)
{
    for (const size_t length : {499u, 500u}) {
        // An inline document of exactly that length; cut, it loses its closing tag.
        const std::wstring head = L"&lt;W&gt;&lt;Label/&gt;", tail = L"&lt;/W&gt;";
        const std::wstring inline_ = head + std::wstring(length - 15, L' ') + tail;
        const std::wstring xml = L"<Window><Container><Include source=\"" + inline_ + L"\"/></Container></Window>";
        CControlUI* root = Build(xml.c_str());
        ASSERT_NE(Box(root), nullptr);
        EXPECT_EQ(Box(root)->GetCount(), length == 499 ? 1 : 0) << length;
        root->Destroy();
    }
}

TEST_F(SkinBuilderTest, IncludeCycles_AreCutWhereTheyCloseInsteadOfRecursing)
{
    WriteSkinFile(L"self.xml", "<Windows><Label/><Include source=\"self.xml\"/></Windows>");
    WriteSkinFile(L"ping.xml", "<Windows><Label/><Include source=\"pong.xml\"/></Windows>");
    WriteSkinFile(L"pong.xml", "<Windows><Button/><Include source=\"PING.xml\"/></Windows>");
    CControlUI* root = Build(L"<Window><Container><Include source=\"self.xml\"/><Include source=\"ping.xml\"/>"
                             L"</Container></Window>");
    ASSERT_NE(Box(root), nullptr);
    EXPECT_EQ(ChildClasses(Box(root)), L"Label Label Button ");
    root->Destroy();
}

TEST_F(SkinBuilderTest, IncludeChains_BuildThirtyTwoLevelsDeep)
{
    // level1.xml includes level2.xml and so on; each level adds one label.
    for (int level = 1; level <= 40; ++level) {
        WriteSkinFile(L"level" + std::to_wstring(level) + L".xml",
                      "<Windows><Label/><Include source=\"level" + std::to_string(level + 1) + ".xml\"/></Windows>");
    }
    CControlUI* root = Build(L"<Window><Container><Include source=\"level1.xml\"/></Container></Window>");
    ASSERT_NE(Box(root), nullptr);
    EXPECT_EQ(Box(root)->GetCount(), 32);
    root->Destroy();
}

TEST_F(SkinBuilderTest, FromAResource_IncludesAreResourceIdsOfTheSameType)
{
    CSkinBuilder builder;
    CControlUI* root = builder.Create(MAKEINTRESOURCEW(301), L"xml");
    ASSERT_NE(Box(root), nullptr);
    EXPECT_EQ(root->GetName(), L"outer");
    EXPECT_EQ(ChildClasses(Box(root)), L"Label Label ");
    root->Destroy();

    EXPECT_EQ(builder.Create(MAKEINTRESOURCEW(399), L"xml"), nullptr);
    EXPECT_EQ(builder.Create(MAKEINTRESOURCEW(301), nullptr), nullptr);
}

TEST_F(SkinBuilderTest, ChildLayout_BuildsItsFileAsItsOnlyChild)
{
    WriteSkinFile(L"child.xml", "<Window><HorizontalLayout name=\"child_root\"><Label name=\"child_label\"/>"
                                "</HorizontalLayout></Window>");
    WriteSkinFile(L"loop.xml", "<Window><ChildLayout name=\"inner\" xmlfile=\"loop.xml\"/></Window>");
    ASSERT_NE(Attach(L"<Window><VerticalLayout>"
                     L"<ChildLayout name=\"cl\" xmlfile=\"child.xml\"><Button name=\"skin_child\"/></ChildLayout>"
                     L"<ChildLayout name=\"none\" xmlfile=\"nothing.xml\"/>"
                     L"<ChildLayout name=\"outer\" xmlfile=\"loop.xml\"/>"
                     L"</VerticalLayout></Window>"),
              nullptr);
    CManagerUI& manager = host.manager();
    auto layout = [&](const wchar_t* name) {
        return static_cast<CChildLayoutUI*>(manager.FindControlByName(name)->GetInterface(L"ChildLayout"));
    };
    ASSERT_EQ(layout(L"cl")->GetCount(), 1);
    EXPECT_EQ(layout(L"cl")->GetItemAt(0)->GetName(), L"child_root");
    EXPECT_NE(manager.FindControlByName(L"child_label"), nullptr);
    EXPECT_EQ(manager.FindControlByName(L"skin_child"), nullptr);
    EXPECT_EQ(layout(L"none")->GetCount(), 0);
    // The layout inside loop.xml names the file being built: it stays empty.
    ASSERT_EQ(layout(L"outer")->GetCount(), 1);
    EXPECT_EQ(layout(L"inner")->GetCount(), 0);

    layout(L"cl")->Init();
    EXPECT_EQ(layout(L"cl")->GetCount(), 1);
}

TEST_F(SkinBuilderTest, TreeNodes_GoBelowTheirParentNode_OrIntoTheView_ElsewhereTheLevelStops)
{
    ASSERT_NE(Attach(L"<Window><VerticalLayout><TreeView name=\"tv\">"
                     L"<TreeNode name=\"n1\"><Label name=\"row_label\"/><TreeNode name=\"n2\"/></TreeNode>"
                     L"<TreeNode name=\"n3\"/>"
                     L"</TreeView>"
                     L"<Container name=\"plain\"><TreeNode/><Label/></Container>"
                     L"</VerticalLayout></Window>"),
              nullptr);
    CManagerUI& manager = host.manager();
    auto node = [&](const wchar_t* name) {
        CControlUI* found = manager.FindControlByName(name);
        return found != nullptr ? static_cast<CTreeNodeUI*>(found->GetInterface(L"TreeNode")) : nullptr;
    };
    ASSERT_TRUE(node(L"n1") != nullptr && node(L"n2") != nullptr && node(L"n3") != nullptr);
    CControlUI* view = manager.FindControlByName(L"tv");
    EXPECT_EQ(node(L"n1")->GetTreeView(), view->GetInterface(L"TreeView"));
    EXPECT_EQ(node(L"n3")->GetTreeView(), view->GetInterface(L"TreeView"));
    EXPECT_EQ(node(L"n2")->GetParentNode(), node(L"n1"));
    EXPECT_EQ(node(L"n1")->GetChildNodeCount(), 1);
    EXPECT_EQ(node(L"n1")->GetCount(), 1);
    EXPECT_EQ(node(L"n1")->GetItemAt(0), manager.FindControlByName(L"row_label"));
    EXPECT_EQ(Box(manager.FindControlByName(L"plain"))->GetCount(), 0);
}

} // namespace
