#include "WidgetTestSupport.h"

#include "ui/controls/GdiPlusFlat.h"
#include "ui/controls/LabelUI.h"
#include "ui/render/Renderer.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

using namespace VarnUI;
using namespace WidgetTest;

namespace {

constexpr RECT kLabelRect = {10, 10, 210, 50};

// Live GDI objects of the process; where the platform does not count them, the handle table
// is probed by index, which it accepts.
int CountGdiObjects()
{
    const DWORD reported = ::GetGuiResources(::GetCurrentProcess(), GR_GDIOBJECTS);
    if (reported != 0) return static_cast<int>(reported);
    int live = 0;
    for (unsigned index = 0; index < 0x10000; ++index) {
        if (::GetObjectType(reinterpret_cast<HGDIOBJ>(static_cast<ULONG_PTR>(index))) != 0) ++live;
    }
    return live;
}

// Pixels of the rectangle where one channel clearly dominates (0 red, 1 green, 2 blue).
int CountDominant(const CCanvas& canvas, const RECT& rc, int channel)
{
    int count = 0;
    for (int y = rc.top; y < rc.bottom; ++y) {
        for (int x = rc.left; x < rc.right; ++x) {
            const std::uint32_t p = canvas.Pixel(x, y);
            const int c[3] = {static_cast<int>(p >> 16 & 0xFF), static_cast<int>(p >> 8 & 0xFF),
                              static_cast<int>(p & 0xFF)};
            if (c[channel] > c[(channel + 1) % 3] + 80 && c[channel] > c[(channel + 2) % 3] + 80) ++count;
        }
    }
    return count;
}

TEST(LabelAttributes, AlignmentStyleTable)
{
    struct Case {
        const wchar_t* name;
        const wchar_t* value;
        UINT expected;
    };
    const Case cases[] = {
        {L"align", L"center", DT_SINGLELINE | DT_VCENTER | DT_CENTER},
        {L"align", L"right center", DT_SINGLELINE | DT_VCENTER | DT_RIGHT},   // right is tested last
        {L"align", L"left", DT_SINGLELINE | DT_VCENTER},
        {L"valign", L"top", DT_SINGLELINE},
        {L"valign", L"bottom vcenter", DT_SINGLELINE | DT_BOTTOM},
        {L"endellipsis", L"true", DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS},
        {L"multiline", L"true", DT_VCENTER | DT_WORDBREAK},
    };
    for (const Case& c : cases) {
        CLabelUI label;
        label.SetAttribute(c.name, c.value);
        EXPECT_EQ(label.GetTextStyle(), c.expected) << c.name << "=" << c.value;
    }
    CLabelUI label;
    label.SetAttribute(L"multiline", L"true");
    label.SetAttribute(L"multiline", L"false");
    EXPECT_EQ(label.GetTextStyle(), static_cast<UINT>(DT_SINGLELINE | DT_VCENTER | DT_WORDBREAK));
}

TEST(LabelAttributes, EffectValues)
{
    CLabelUI label;
    label.ApplyAttributeText(L"textcolor=\"#FF102030\" textcolor1=\"#FFFFFFFF\" luminousfuzzy=\"0.00001\" "
                             L"shadowoffset=\"10,90\" strokecolor=\"FF00FF00\" custom=\"kept\"");
    LabelEffectStyle style = label.GetEffectStyle();
    EXPECT_EQ(style.textColor, 0xFF102030u);
    EXPECT_TRUE(style.hasTextColor2) << "opaque white is a colour, not 'unset'";
    EXPECT_EQ(style.textColor2, 0xFFFFFFFFu);
    EXPECT_FALSE(style.hasShadowColorB);
    EXPECT_FLOAT_EQ(style.fuzziness, 3.0f);
    EXPECT_NEAR(style.shadowOffsetX, 0.0f, 1e-4);
    EXPECT_NEAR(style.shadowOffsetY, 10.0f, 1e-4);
    EXPECT_EQ(style.strokeColor, 0xFF00FF00u);
    EXPECT_STREQ(label.GetCustomAttribute(L"custom"), L"kept");

    label.SetAttribute(L"shadowoffset", L"4,-181");
    label.SetAttribute(L"luminousfuzzy", L"1.5");
    style = label.GetEffectStyle();
    EXPECT_NEAR(style.shadowOffsetY, 10.0f, 1e-4) << "an angle out of range is ignored";
    EXPECT_FLOAT_EQ(style.fuzziness, 1.5f);
}

TEST(LabelMeasure, SingleLineSizesToItsText)
{
    CWidgetHost host;
    auto* label = host.Add(new CLabelUI, kLabelRect);
    label->SetFont(0);
    label->SetText(L"Uninstall");
    label->SetTextPadding({3, 2, 5, 4});
    const SIZE text = CRenderer::MeasureText(nullptr, &host.manager(), L"Uninstall", 0);
    const int fontHeight = host.manager().GetFontInfo(0)->tm.tmHeight;
    SIZE measured = label->MeasureSize({500, 500});
    EXPECT_EQ(measured.cx, text.cx + 8);
    EXPECT_EQ(measured.cy, fontHeight + 8 + 6);

    label->SetText(L"Un");
    EXPECT_LT(label->MeasureSize({500, 500}).cx, measured.cx) << "a new text is measured again";
    label->SetFixedWidth(40);
    label->SetFixedHeight(12);
    measured = label->MeasureSize({500, 500});
    EXPECT_EQ(measured.cx, 40);
    EXPECT_EQ(measured.cy, 12);
}

TEST(LabelMeasure, MultiLineFollowsTheAvailableWidth)
{
    for (bool html : {false, true}) {
        CWidgetHost host;
        auto* label = host.Add(new CLabelUI, kLabelRect);
        label->SetAttribute(L"multiline", L"true");
        label->SetShowHtml(html);
        label->SetTextPadding({4, 3, 4, 3});
        label->SetText(L"the quick brown fox jumps over the lazy dog again and again");
        const SIZE wide = label->MeasureSize({600, 100});
        const SIZE narrow = label->MeasureSize({120, 100});
        EXPECT_EQ(wide.cx, 600);
        EXPECT_EQ(narrow.cx, 120);
        EXPECT_GT(narrow.cy, wide.cy) << "html " << html;
        // No room between the paddings: formatted text measures nothing rather than a page.
        if (html) {
            EXPECT_EQ(label->MeasureSize({6, 100}).cy, 6);
        }
    }
}

TEST(LabelPaint, EnabledAndDisabledColours)
{
    CWidgetHost host;
    auto* label = host.Add(new CLabelUI, kLabelRect);
    label->SetFont(0);
    label->ApplyAttributeText(L"text=\"Hello world\" textcolor=\"#FF0000FF\" disabledtextcolor=\"#FFFF0000\"");
    CCanvas canvas(220, 60);
    PaintInto(canvas, *label);
    EXPECT_GT(CountDominant(canvas, kLabelRect, 2), 20);
    EXPECT_EQ(CountDominant(canvas, kLabelRect, 0), 0);

    label->SetEnabled(false);
    canvas.Fill(0xFFFFFFFF);
    PaintInto(canvas, *label);
    EXPECT_GT(CountDominant(canvas, kLabelRect, 0), 20);
    EXPECT_EQ(CountDominant(canvas, kLabelRect, 2), 0);
}

TEST(LabelEffect, DrawsTextStrokeAndShadow)
{
    ASSERT_NE(GetGdiPlusApi(), nullptr) << "gdiplus.dll from the system folder";
    CWidgetHost host;
    auto* label = host.Add(new CLabelUI, kLabelRect);
    label->SetFont(0);
    label->ApplyAttributeText(L"text=\"Hello world\" textcolor=\"#FF0000FF\" enabledeffect=\"true\"");
    CCanvas canvas(220, 60);
    PaintInto(canvas, *label);
    EXPECT_GT(CountDominant(canvas, kLabelRect, 2), 20);
    EXPECT_EQ(CountDominant(canvas, kLabelRect, 0), 0);

    label->ApplyAttributeText(L"enabledstroke=\"true\" strokecolor=\"#FFFF0000\"");
    canvas.Fill(0xFFFFFFFF);
    PaintInto(canvas, *label);
    EXPECT_GT(CountDominant(canvas, kLabelRect, 0), 20) << "the stroke shows around the text";

    // A stroke gradient of no length (two equal points) is drawn solid instead of not at all.
    label->SetAttribute(L"gradientlength", L"-2");
    canvas.Fill(0xFFFFFFFF);
    PaintInto(canvas, *label);
    EXPECT_GT(CountDominant(canvas, kLabelRect, 0), 20);
    EXPECT_EQ(GdiPlusLiveObjects(), 0);

    label->ApplyAttributeText(L"enabledstroke=\"false\" enabledshadow=\"true\" textshadowcolora=\"#FF00FF00\" "
                              L"shadowoffset=\"6,90\"");
    canvas.Fill(0xFFFFFFFF);
    PaintInto(canvas, *label);
    EXPECT_GT(CountDominant(canvas, kLabelRect, 1), 20) << "the shadow shows below the text";
}

TEST(LabelEffect, ThousandDrawsLeaveNoObjectsBehind)
{
    ASSERT_NE(GetGdiPlusApi(), nullptr);
    CWidgetHost host;
    auto* label = host.Add(new CLabelUI, kLabelRect);
    label->SetFont(0);
    // Every effect at once, a fuzziness far below 1 and a gradient of no length included.
    label->ApplyAttributeText(L"text=\"Glow\" enabledeffect=\"true\" enabledluminous=\"true\" luminousfuzzy=\"0.001\" "
                              L"enabledstroke=\"true\" strokecolor=\"#FF00FF00\" enabledshadow=\"true\" "
                              L"textshadowcolorb=\"#FF0000FF\" textcolor1=\"#FFFF0000\" gradientangle=\"0\"");
    CCanvas canvas(220, 60);
    PaintInto(canvas, *label);
    const int before = CountGdiObjects();
    for (int i = 0; i < 1000; ++i) {
        PaintInto(canvas, *label);
        if (i == 500) label->SetAttribute(L"textcolor1", L"#FF00FFFF");
    }
    EXPECT_EQ(GdiPlusLiveObjects(), 0);
    EXPECT_EQ(CountGdiObjects(), before);
    EXPECT_GT(CountDominant(canvas, kLabelRect, 1), 0) << "the stroke was drawn";
}

TEST(LabelEffect, GdiPlusStartsOnTheFirstEffectPaintOnly)
{
    ASSERT_NE(GetGdiPlusApi(), nullptr);
    const long before = CGdiPlusSession::ActiveCount();
    CCanvas canvas(220, 60);
    {
        CWidgetHost host;
        auto* plain = host.Add(new CLabelUI, kLabelRect);
        plain->ApplyAttributeText(L"text=\"Plain\" textcolor=\"#FF0000FF\"");
        auto* effect = host.Add(new CLabelUI, kLabelRect);
        effect->ApplyAttributeText(L"text=\"Glow\" textcolor=\"#FF0000FF\" enabledeffect=\"true\"");
        PaintInto(canvas, *plain);
        EXPECT_EQ(CGdiPlusSession::ActiveCount(), before) << "neither label has drawn an effect yet";

        PaintInto(canvas, *effect);
        PaintInto(canvas, *effect);
        EXPECT_EQ(CGdiPlusSession::ActiveCount(), before + 1) << "one session, however often it paints";
        // Switching the effect off afterwards keeps the session until the label goes.
        effect->SetEffectEnabled(false);
        PaintInto(canvas, *effect);
        EXPECT_EQ(CGdiPlusSession::ActiveCount(), before + 1);
    }
    EXPECT_EQ(CGdiPlusSession::ActiveCount(), before) << "the label's destruction shut it down";
}

} // namespace
