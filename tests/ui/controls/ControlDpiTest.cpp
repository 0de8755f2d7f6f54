// Controls on a display of another scale: skin lengths scaled where they are stored (also the
// constructors' own), values set in code kept as real pixels, layouts placed at the scaled
// sizes, and everything brought to another DPI without creeping.
#include "../manager/ManagerTestSupport.h"

#include "ui/controls/ContainerUI.h"
#include "ui/controls/HorizontalLayoutUI.h"
#include "ui/controls/LabelUI.h"
#include "ui/controls/ScrollBarUI.h"
#include "ui/controls/SliderUI.h"
#include "ui/controls/TextUI.h"
#include "ui/controls/TileLayoutUI.h"
#include "ui/skin/SkinBuilder.h"

#include <gtest/gtest.h>

#include <string>

using namespace VarnUI;

namespace {

const wchar_t kSkin[] =
    L"<Window><VerticalLayout name=\"root\" inset=\"2,2,2,2\" childpadding=\"5\" vscrollbar=\"true\">"
    L"<HorizontalLayout name=\"row\" height=\"40\" sepwidth=\"3\" padding=\"1,2,3,4\">"
    L"<Label name=\"label\" width=\"100\" textpadding=\"4,0,4,0\" bordersize=\"1\" borderround=\"6,6\"/>"
    L"<Slider name=\"slider\" width=\"200\" thumbsize=\"10,11\"/>"
    L"<Text name=\"text\" width=\"50\" minwidth=\"7\" maxheight=\"33\"/></HorizontalLayout>"
    L"<TileLayout name=\"tiles\" itemsize=\"30,20\" childvpadding=\"3\"/>"
    L"<Control name=\"float\" float=\"true\" pos=\"10,20,110,70\"/>"
    L"</VerticalLayout></Window>";

std::wstring Text(const RECT& rc)
{
    return std::to_wstring(rc.left) + L"," + std::to_wstring(rc.top) + L"," + std::to_wstring(rc.right) + L"," +
           std::to_wstring(rc.bottom);
}

std::wstring Text(SIZE size)
{
    return std::to_wstring(size.cx) + L"," + std::to_wstring(size.cy);
}

// The skin built into a manager at one DPI.
class ScaledTree {
public:
    explicit ScaledTree(int dpi)
    {
        m_manager.Init(m_window.get());
        m_manager.SetDpi(dpi);
        CSkinBuilder builder;
        m_root = builder.Create(kSkin, nullptr, nullptr, &m_manager);
        if (m_root != nullptr) m_manager.AttachRoot(m_root);
    }
    CManagerUI& Manager() { return m_manager; }
    CControlUI* Root() const { return m_root; }
    template <typename T>
    T* Find(const wchar_t* name)
    {
        return static_cast<T*>(m_manager.FindControlByName(name));
    }
    // Every length the skin set, as text, to compare whole trees at one go.
    std::wstring Lengths()
    {
        auto* root = Find<CContainerUI>(L"root");
        auto* row = Find<CHorizontalLayoutUI>(L"row");
        auto* label = Find<CLabelUI>(L"label");
        auto* slider = Find<CSliderUI>(L"slider");
        auto* text = Find<CTextUI>(L"text");
        auto* tiles = Find<CTileLayoutUI>(L"tiles");
        auto* floating = Find<CControlUI>(L"float");
        return Text(root->GetInset()) + L" " + std::to_wstring(root->GetChildPadding()) + L" " +
               std::to_wstring(root->GetVerticalScrollBar()->GetFixedWidth()) + L" | " +
               std::to_wstring(row->GetFixedHeight()) + L" " + std::to_wstring(row->GetSepWidth()) + L" " +
               Text(row->GetPadding()) + L" | " + std::to_wstring(label->GetFixedWidth()) + L" " +
               Text(label->GetTextPadding()) + L" " + Text(label->GetBorderSize()) + L" " +
               Text(label->GetBorderRound()) + L" | " + Text(slider->GetThumbSize()) + L" " +
               std::to_wstring(slider->GetFixedHeight()) + L" | " + Text(text->GetTextPadding()) + L" " +
               std::to_wstring(text->GetMinWidth()) + L" " + std::to_wstring(text->GetMaxHeight()) + L" | " +
               Text(tiles->GetItemSize()) + L" " + std::to_wstring(tiles->GetChildVPadding()) + L" | " +
               Text(floating->GetFixedXY()) + L" " + std::to_wstring(floating->GetFixedWidth()) + L" " +
               std::to_wstring(floating->GetFixedHeight());
    }
    // Where the layout put every named control, laid out in a root of that size.
    std::wstring Places(int width, int height)
    {
        m_root->SetPos({0, 0, width, height}, false);
        std::wstring places;
        for (const wchar_t* name : {L"row", L"label", L"slider", L"text", L"tiles", L"float"}) {
            places += std::wstring(name) + L" " + Text(Find<CControlUI>(name)->GetPos()) + L"; ";
        }
        return places;
    }

private:
    VarnTest::TestWindow m_window{400, 300};
    CManagerUI m_manager;
    CControlUI* m_root = nullptr;
};

// Every number of a rectangle list doubled.
std::wstring Doubled(const std::wstring& places)
{
    std::wstring out;
    std::wstring number;
    for (wchar_t ch : places + L" ") {
        if (ch >= L'0' && ch <= L'9') {
            number += ch;
            continue;
        }
        if (!number.empty()) out += std::to_wstring(2 * std::stoi(number));
        number.clear();
        out += ch;
    }
    out.pop_back();
    return out;
}

TEST(ControlDpi, SkinLengthsAndConstructorDefaults_ScaledWhereStored_CodeValuesAsGiven)
{
    ScaledTree tree(144);
    ASSERT_NE(tree.Root(), nullptr);
    // The slider's height 12 and the text's padding 2,0,2,0 are the constructors' own; the
    // scroll bar's width 16 too.
    EXPECT_EQ(tree.Lengths(), L"3,3,3,3 8 24 | 60 5 2,3,5,6 | 150 6,0,6,0 2,2,2,2 9,9 | 15,17 18 | 3,0,3,0 11 50 | "
                              L"45,30 5 | 15,30 150 75");
    auto* label = tree.Find<CLabelUI>(L"label");
    label->SetFixedWidth(100);
    label->SetTextPadding({1, 1, 1, 1});
    EXPECT_EQ(label->GetFixedWidth(), 100);
    EXPECT_EQ(Text(label->GetTextPadding()), L"1,1,1,1");
}

TEST(ControlDpi, Layout_AtTwiceTheDpi_IsTheSameLayoutTwiceAsLarge)
{
    ScaledTree normal(96);
    ScaledTree doubled(192);
    ASSERT_NE(normal.Root(), nullptr);
    ASSERT_NE(doubled.Root(), nullptr);
    EXPECT_EQ(doubled.Places(800, 600), Doubled(normal.Places(400, 300)));
}

TEST(ControlDpi, AnotherDpi_EveryLengthAsIfReadThere_AndBackExactly)
{
    ScaledTree tree(96);
    ASSERT_NE(tree.Root(), nullptr);
    const std::wstring at96 = tree.Lengths();
    tree.Manager().SetDpi(144);
    EXPECT_EQ(tree.Lengths(), ScaledTree(144).Lengths());
    tree.Manager().SetDpi(192);
    EXPECT_EQ(tree.Lengths(), ScaledTree(192).Lengths());
    tree.Manager().SetDpi(96);
    EXPECT_EQ(tree.Lengths(), at96);
}

TEST(ControlDpi, ControlsWithoutAWindowKeepTheSkinsNumbers_UntilAManagerAdoptsThem)
{
    CScrollBarUI bar;
    bar.SetHorizontal(true);
    bar.SetAttribute(L"width", L"10");
    EXPECT_EQ(bar.GetFixedWidth(), 10);
    EXPECT_EQ(bar.GetFixedHeight(), 16);
    CManagerUI manager;
    manager.SetDpi(144);
    bar.SetManager(&manager, nullptr, false);
    EXPECT_EQ(bar.GetDpi(), 144);
    EXPECT_EQ(bar.GetFixedWidth(), 15);
    EXPECT_EQ(bar.GetFixedHeight(), 24);
    EXPECT_EQ(bar.GetLineSize(), 12);
}

} // namespace
