#include "WidgetTestSupport.h"

#include "ui/controls/ButtonUI.h"

#include <gtest/gtest.h>

using namespace VarnUI;
using namespace WidgetTest;

namespace {

constexpr RECT kButtonRect = {10, 10, 110, 40};
constexpr POINT kInside = {50, 25};
constexpr POINT kOutside = {150, 25};
constexpr std::uint32_t kBlue = 0x0000FF;
constexpr std::uint32_t kGreen = 0x00FF00;
constexpr std::uint32_t kRed = 0xFF0000;

CButtonUI* AddColouredButton(CWidgetHost& host)
{
    auto* button = host.Add(new CButtonUI, kButtonRect);
    button->ApplyAttributeText(L"normalimage=\"color='#FF0000FF'\" hotimage=\"color='#FF00FF00'\" "
                               L"pushedimage=\"color='#FFFF0000'\"");
    return button;
}

std::uint32_t CentrePixel(CButtonUI& button)
{
    CCanvas canvas(200, 60);
    PaintInto(canvas, button);
    return canvas.Pixel(kInside.x, kInside.y);
}

TEST(ButtonClick, DragOutAndReleaseRaisesNothing_DragBackRaisesClick)
{
    CWidgetHost host;
    auto* button = host.Add(new CButtonUI, kButtonRect);

    host.Send(button, EVT_BUTTONDOWN, kInside);
    EXPECT_EQ(button->GetState(), static_cast<UINT>(STATE_PUSHED | STATE_CAPTURED));
    host.Send(button, EVT_MOUSEMOVE, kOutside);
    EXPECT_EQ(button->GetState(), static_cast<UINT>(STATE_CAPTURED));
    host.Send(button, EVT_BUTTONUP, kOutside);
    EXPECT_TRUE(host.notes.empty());
    EXPECT_EQ(button->GetState(), 0u);

    host.Send(button, EVT_BUTTONDOWN, kInside);
    host.Send(button, EVT_MOUSEMOVE, kOutside);
    host.Send(button, EVT_MOUSEMOVE, kInside);
    EXPECT_EQ(button->GetState(), static_cast<UINT>(STATE_PUSHED | STATE_CAPTURED));
    host.Send(button, EVT_BUTTONUP, kInside);
    ASSERT_EQ(host.notes.size(), 1u);
    EXPECT_EQ(host.notes[0].type, L"click");
    EXPECT_EQ(host.notes[0].sender, button);
    EXPECT_EQ(button->GetState(), 0u);
}

TEST(ButtonClick, RealMouseMessages)
{
    CWidgetHost host;
    auto* button = host.Add(new CButtonUI, kButtonRect);

    host.MouseDown(kInside);
    EXPECT_NE(button->GetState() & STATE_PUSHED, 0u);
    host.MouseMove(kOutside);
    EXPECT_EQ(button->GetState() & STATE_PUSHED, 0u);
    host.MouseUp(kOutside);
    EXPECT_TRUE(host.notes.empty());

    host.MouseDown(kInside);
    host.MouseMove(kOutside);
    host.MouseMove(kInside);
    host.MouseUp(kInside);
    EXPECT_EQ(host.Types(), std::vector<std::wstring>{L"click"});
}

TEST(ButtonEvents, DisablingDropsHotPushedAndCaptured)
{
    CWidgetHost host;
    auto* button = host.Add(new CButtonUI, kButtonRect);
    host.Send(button, EVT_MOUSEENTER, kInside);
    host.Send(button, EVT_BUTTONDOWN, kInside);
    EXPECT_EQ(button->GetState(), static_cast<UINT>(STATE_HOT | STATE_PUSHED | STATE_CAPTURED));
    button->SetEnabled(false);
    EXPECT_EQ(button->GetState(), 0u);
    host.Send(button, EVT_BUTTONUP, kInside);
    EXPECT_TRUE(host.notes.empty());
    EXPECT_EQ(button->QueryControlFlags() & CTLFLAG_SETCURSOR, 0u);
}

TEST(ButtonEvents, KeysMenuAndMouseOff)
{
    CWidgetHost host;
    auto* button = host.Add(new CButtonUI, kButtonRect);
    host.Send(button, EVT_KEYDOWN, kOutside, 0, VK_SPACE);
    host.Send(button, EVT_KEYDOWN, kOutside, 0, VK_RETURN);
    host.Send(button, EVT_KEYDOWN, kOutside, 0, L'A');
    EXPECT_EQ(host.Types(), (std::vector<std::wstring>{L"click", L"click"}));
    button->SetKeyboardEnabled(false);
    host.Send(button, EVT_KEYDOWN, kOutside, 0, VK_SPACE);
    EXPECT_EQ(host.notes.size(), 2u);
    EXPECT_EQ(button->QueryControlFlags(), static_cast<UINT>(CTLFLAG_SETCURSOR));

    // A context menu never reaches the parent, and raises "menu" only when asked for.
    host.notes.clear();
    host.Send(button, EVT_CONTEXTMENU, kInside);
    button->SetContextMenuUsed(true);
    host.Send(button, EVT_CONTEXTMENU, kInside);
    EXPECT_EQ(host.Types(), std::vector<std::wstring>{L"menu"});

    button->SetMouseEnabled(false);
    host.Send(button, EVT_BUTTONDOWN, kInside);
    EXPECT_EQ(button->GetState(), 0u);
    EXPECT_EQ(host.root().bubbled, (std::vector<int>{EVT_KEYDOWN, EVT_KEYDOWN, EVT_BUTTONDOWN}));
}

TEST(ButtonPaint, NormalHotAndPushedFrames)
{
    CWidgetHost host;
    auto* button = AddColouredButton(host);
    EXPECT_EQ(CentrePixel(*button), kBlue);
    host.Send(button, EVT_MOUSEENTER, kInside);
    EXPECT_EQ(CentrePixel(*button), kGreen);
    host.Send(button, EVT_BUTTONDOWN, kInside);
    EXPECT_EQ(CentrePixel(*button), kRed);
    host.Send(button, EVT_MOUSEMOVE, kOutside);   // dragged out: hot again, not pushed
    EXPECT_EQ(CentrePixel(*button), kGreen);
    host.Send(button, EVT_BUTTONUP, kOutside);
    host.Send(button, EVT_MOUSELEAVE, kOutside);
    EXPECT_EQ(CentrePixel(*button), kBlue);
}

TEST(ButtonPaint, HotBackgroundStopsBeforeTheForegroundImage)
{
    CWidgetHost host;
    auto* button = host.Add(new CButtonUI, kButtonRect);
    button->ApplyAttributeText(L"hotbkcolor=\"#FFFFFF00\" foreimage=\"color='#FF0000FF'\"");
    EXPECT_EQ(CentrePixel(*button), kBlue);
    host.Send(button, EVT_MOUSEENTER, kInside);
    EXPECT_EQ(CentrePixel(*button), 0xFFFF00u);
}

TEST(ButtonFade, TimerWalksTheAlphaBothWaysAndStopsItself)
{
    CWidgetHost host;
    auto* button = AddColouredButton(host);
    button->SetAttribute(L"fadedelta", L"100");
    host.Send(button, EVT_MOUSEENTER, kInside);
    EXPECT_EQ(CentrePixel(*button), kBlue);   // alpha 255: the normal image still shows

    const BYTE down[] = {155, 55, 0};
    for (BYTE expected : down) {
        host.Send(button, EVT_TIMER, kInside, CButtonUI::kFadeTimer);
        EXPECT_EQ(button->GetFadeAlpha(), expected);
    }
    EXPECT_EQ(CentrePixel(*button), kGreen);
    EXPECT_FALSE(host.manager().KillTimer(button, CButtonUI::kFadeTimer)) << "stopped at 0";

    host.Send(button, EVT_MOUSELEAVE, kOutside);
    const BYTE up[] = {100, 200, 255};
    for (BYTE expected : up) {
        host.Send(button, EVT_TIMER, kInside, CButtonUI::kFadeTimer);
        EXPECT_EQ(button->GetFadeAlpha(), expected);
    }
    EXPECT_FALSE(host.manager().KillTimer(button, CButtonUI::kFadeTimer)) << "stopped at 255";
    EXPECT_EQ(CentrePixel(*button), kBlue);
}

TEST(ButtonFade, AlphaEqualToTheDeltaStillFallsAWholeDelta)
{
    CWidgetHost host;
    auto* button = AddColouredButton(host);
    button->SetAttribute(L"fadedelta", L"85");
    host.Send(button, EVT_MOUSEENTER, kInside);
    const BYTE down[] = {170, 85, 0};
    for (BYTE expected : down) {
        host.Send(button, EVT_TIMER, kInside, CButtonUI::kFadeTimer);
        EXPECT_EQ(button->GetFadeAlpha(), expected);
    }
    // The fall to 0 was a whole delta: the timer runs one more tick, which stops it.
    EXPECT_FALSE(host.manager().SetTimer(button, CButtonUI::kFadeTimer, 30)) << "still running";
    host.Send(button, EVT_TIMER, kInside, CButtonUI::kFadeTimer);
    EXPECT_EQ(button->GetFadeAlpha(), 0);
    EXPECT_FALSE(host.manager().KillTimer(button, CButtonUI::kFadeTimer)) << "stopped at 0";
}

TEST(ButtonFade, RealTimerAndNoFadingWithDeltaZero)
{
    CWidgetHost host;
    auto* button = AddColouredButton(host);
    button->SetAttribute(L"fadedelta", L"120");
    host.Send(button, EVT_MOUSEENTER, kInside);
    host.Pump(400);
    EXPECT_EQ(button->GetFadeAlpha(), 0);

    auto* plain = AddColouredButton(host);
    plain->SetPos({120, 10, 190, 40}, false);
    host.Send(plain, EVT_MOUSEENTER, {150, 25});
    // No fading: the timer was never started, so it can be started now.
    EXPECT_TRUE(host.manager().SetTimer(plain, CButtonUI::kFadeTimer, 1000));
    CCanvas canvas(200, 60);
    PaintInto(canvas, *plain);
    EXPECT_EQ(canvas.Pixel(150, 25), kGreen);
}

TEST(ButtonFiveStatus, EachStateShowsItsFifth)
{
    // Five 20-pixel columns; a 102-pixel picture adds two magenta columns that never show.
    const std::uint32_t colours[] = {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFF00, 0x00FFFF, 0xFF00FF};
    for (int width : {100, 102}) {
        const std::wstring file = WriteBmp(width == 100 ? L"five100" : L"five102", width, 8,
                                           [&](int x, int) { return colours[x / 20]; });
        CWidgetHost host;
        auto* button = host.Add(new CButtonUI, kButtonRect);
        button->SetAttribute(L"fivestatusimage", file.c_str());

        CCanvas canvas(200, 60);
        auto frame = [&](std::uint32_t expected, const char* what) {
            canvas.Fill(0xFFFFFFFF);
            PaintInto(canvas, *button);
            EXPECT_EQ(canvas.Count(kButtonRect, expected), 100 * 30) << what << " at width " << width;
        };
        frame(colours[0], "normal");
        host.Send(button, EVT_MOUSEENTER, kInside);
        frame(colours[2], "hot");
        host.Send(button, EVT_BUTTONDOWN, kInside);
        frame(colours[1], "pushed");
        host.Send(button, EVT_BUTTONUP, kOutside);
        host.Send(button, EVT_MOUSELEAVE, kOutside);
        button->SetFocus();
        frame(colours[3], "focused");
        button->SetEnabled(false);
        frame(colours[4], "disabled");
    }
}

TEST(ButtonFiveStatus, SetBeforeAttachingIsCutAtTheFirstPaint)
{
    const std::wstring file = WriteBmp(L"fivelate", 100, 8, [](int x, int) { return x < 20 ? 0xFF0000u : 0x0000FFu; });
    auto* button = new CButtonUI;
    button->SetAttribute(L"fivestatusimage", file.c_str());   // no manager to load it yet
    CWidgetHost host;
    host.Add(button, kButtonRect);
    CCanvas canvas(200, 60);
    PaintInto(canvas, *button);
    EXPECT_EQ(canvas.Count(kButtonRect, kRed), 100 * 30) << "only the normal fifth shows";
}

TEST(ButtonFiveStatus, FloatButtonTakesOneFifthAsItsSize)
{
    const std::wstring file = WriteBmp(L"fivefloat", 100, 8, [](int, int) { return 0x123456u; });
    CWidgetHost host;
    auto* button = host.Add(new CButtonUI, kButtonRect);
    button->SetFloat(true);
    button->SetAttribute(L"fivestatusimage", file.c_str());
    EXPECT_EQ(button->GetFixedWidth(), 20);
    EXPECT_EQ(button->GetFixedHeight(), 8);
}

} // namespace
