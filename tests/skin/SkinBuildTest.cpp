// The uninstaller's window built from the embedded skin archive, as the window base builds it.
#include "ui/controls/ContainerUI.h"
#include "ui/controls/TabLayoutUI.h"
#include "ui/manager/ManagerUI.h"
#include "ui/skin/SkinBuilder.h"
#include "ui/skin/SkinResources.h"

#include "../ui/manager/ManagerTestSupport.h"

#include <gtest/gtest.h>

#include <string>

using namespace VarnUI;

namespace {

const wchar_t kYaHei[] = L"\u5fae\u8f6f\u96c5\u9ed1";

class SkinBuildTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        CSkinResources::SetInstance(::GetModuleHandleW(nullptr));
        ASSERT_TRUE(CSkinResources::SelectZipResource(157));
    }

    void SetUp() override
    {
        CSkinBuilder builder;
        root = builder.Create(L"install.xml", nullptr, nullptr, &host.manager());
        ASSERT_NE(root, nullptr);
        host.manager().AttachRoot(root);
        CControlUI* found = host.manager().FindControlByName(L"wizard_setup_tab");
        ASSERT_NE(found, nullptr);
        tab = static_cast<CTabLayoutUI*>(found->GetInterface(L"TabLayout"));
        ASSERT_NE(tab, nullptr);
    }

    // Selects a page and lays the window out through a real paint.
    void ShowPage(int index)
    {
        ASSERT_TRUE(tab->SelectItem(index, false));
        host.manager().Invalidate();
        host.PaintNow();
    }

    VarnTest::HostWindow host{100, 100, true};
    CControlUI* root = nullptr;
    CTabLayoutUI* tab = nullptr;
};

CContainerUI* Box(CControlUI* control)
{
    return static_cast<CContainerUI*>(control->GetInterface(L"Container"));
}

// "Class name l,t,r,b" for the control and its descendants, depth first.
void Outline(CControlUI* control, std::wstring& out)
{
    const RECT rc = control->GetPos();
    out += std::wstring(control->GetClassName()) + L" " + control->GetName().GetData() + L" " +
           std::to_wstring(rc.left) + L"," + std::to_wstring(rc.top) + L"," + std::to_wstring(rc.right) + L"," +
           std::to_wstring(rc.bottom) + L"\n";
    CContainerUI* box = Box(control);
    for (int i = 0; box != nullptr && i < box->GetCount(); ++i) Outline(box->GetItemAt(i), out);
}

std::wstring Outline(CControlUI* control)
{
    std::wstring out;
    Outline(control, out);
    return out;
}

TEST_F(SkinBuildTest, Window_HasItsSizeSixPagesAndEveryNameTheApplicationLooksUp)
{
    EXPECT_EQ(host.manager().GetInitSize().cx, 454);
    EXPECT_EQ(host.manager().GetInitSize().cy, 200);
    RECT client = {};
    ::GetClientRect(host.get(), &client);
    EXPECT_EQ(client.right, 454);
    EXPECT_EQ(client.bottom, 200);
    EXPECT_EQ(host.manager().GetCaptionRect().bottom, 220);

    ASSERT_EQ(tab->GetCount(), 6);
    EXPECT_NE(host.manager().FindChildByName(tab->GetItemAt(3), L"btn_uninstall"), nullptr);
    EXPECT_NE(host.manager().FindChildByName(tab->GetItemAt(4), L"slr_uninst_progress"), nullptr);
    EXPECT_NE(host.manager().FindChildByName(tab->GetItemAt(5), L"btn_uninstalled"), nullptr);
    for (const wchar_t* name : {L"slr_uninst_progress", L"un_progress_pos", L"btn_close", L"btn_min",
                                L"btn_uninstall", L"btn_cancle", L"edit_dir", L"ckbox_agree", L"btn_exec"}) {
        EXPECT_NE(host.manager().FindControlByName(name), nullptr) << name;
    }
}

TEST_F(SkinBuildTest, Resources_SixSharedFontsWithTheFirstAsDefault_AndTheScrollBarDefaults)
{
    const struct {
        const wchar_t* face;
        int size;
        bool bold;
    } fonts[] = {{kYaHei, 12, false}, {kYaHei, 12, true},  {kYaHei, 24, false},
                 {kYaHei, 16, false}, {L"\u5b8b\u4f53", 32, false}, {kYaHei, 14, false}};
    for (int id = 0; id < 6; ++id) {
        FontInfoUI* info = host.manager().GetFontInfo(id);
        ASSERT_NE(info, host.manager().GetDefaultFontInfo()) << id;
        EXPECT_EQ(info->faceName, fonts[id].face) << id;
        EXPECT_EQ(info->size, fonts[id].size) << id;
        EXPECT_EQ(info->bold, fonts[id].bold) << id;
        EXPECT_FALSE(info->underline || info->italic) << id;
    }
    EXPECT_EQ(host.manager().GetDefaultFontInfo()->faceName, kYaHei);
    EXPECT_EQ(host.manager().GetDefaultFontInfo()->size, 12);

    const wchar_t* scrollBar = host.manager().GetDefaultAttributes(L"VScrollBar");
    ASSERT_NE(scrollBar, nullptr);
    EXPECT_NE(std::wstring(scrollBar).find(L"railnormalimage=\"file='scroll1.png' source='0,0,8,33'"),
              std::wstring::npos);
}

TEST_F(SkinBuildTest, InstallPage_MissingImagesAreNotDrawn_AndStopNothing)
{
    ShowPage(0);
    EXPECT_NE(host.manager().GetImage(L"bgtop.png"), nullptr);
    EXPECT_EQ(host.manager().GetImage(L"arrow_down.png"), nullptr);
    EXPECT_NE(host.manager().FindControlByName(L"btn_hide_more"), nullptr);
}

TEST_F(SkinBuildTest, UninstallPages_AndTitleRow_LaidOutAt454x200)
{
    ShowPage(3);
    EXPECT_EQ(Outline(tab->GetItemAt(3)),
              L"VerticalLayout  0,0,454,200\n"
              L"VerticalLayout  0,0,454,200\n"
              L"Control  0,0,162,105\n"
              L"HorizontalLayout  0,150,454,200\n"
              L"Control  0,150,250,200\n"
              L"Button btn_uninstall 250,150,318,176\n"
              L"Control  318,150,343,200\n"
              L"Button btn_cancle 343,150,411,176\n"
              L"Control  411,150,436,200\n");
    EXPECT_EQ(Outline(Box(root)->GetItemAt(1)),
              L"HorizontalLayout  0,0,562,32\n"
              L"Container  0,0,393,26\n"
              L"Button btn_min 393,0,423,26\n"
              L"Button btn_close 423,0,453,26\n");

    ShowPage(4);
    EXPECT_EQ(Outline(tab->GetItemAt(4)),
              L"VerticalLayout  0,0,454,200\n"
              L"VerticalLayout  0,0,454,200\n"
              L"Control  0,0,454,125\n"
              L"Slider slr_uninst_progress 25,160,429,163\n"
              L"HorizontalLayout  25,178,429,198\n"
              L"Label un_progress_tip 25,178,115,198\n"
              L"Control  115,178,379,198\n"
              L"Label un_progress_pos 379,178,429,198\n"
              L"Control  0,198,454,200\n");
}

} // namespace
