#include "../manager/ManagerTestSupport.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

using namespace VarnUI;
using VarnTest::Canvas;

namespace {

constexpr DWORD kWhite = 0xFFFFFF;

// Every channel of rgb within tolerance of expected.
bool Near(DWORD rgb, DWORD expected, int tolerance = 24)
{
    for (int shift = 0; shift <= 16; shift += 8) {
        const int a = static_cast<int>((rgb >> shift) & 0xFF);
        const int b = static_cast<int>((expected >> shift) & 0xFF);
        if (std::abs(a - b) > tolerance) return false;
    }
    return true;
}

// A 40 x 40 control at the canvas origin.
struct PaintBox {
    Canvas canvas{60, 60};
    CControlUI control;
    PaintBox() { control.SetPos({0, 0, 40, 40}, false); }
    void Paint(RECT update = {0, 0, 60, 60})
    {
        canvas.Fill(kWhite);
        control.Paint(canvas.dc(), update);
    }
};

TEST(ControlPaint, BackColour_OpaqueFillsThePaintRectTranslucentTheWholeItem)
{
    PaintBox box;
    box.control.SetBkColor(0xFF00FF00);
    box.Paint({0, 0, 20, 60});
    EXPECT_EQ(box.canvas.At(10, 10), 0x00FF00u);
    EXPECT_EQ(box.canvas.At(30, 10), kWhite);

    box.control.SetBkColor(0x80000000);
    box.Paint({0, 0, 20, 60});
    EXPECT_TRUE(Near(box.canvas.At(30, 10), 0x7F7F7F, 3)) << std::hex << box.canvas.At(30, 10);
    EXPECT_EQ(box.canvas.At(50, 50), kWhite);

    box.control.SetBkColor(0);  // none
    box.Paint();
    EXPECT_EQ(box.canvas.At(10, 10), kWhite);
}

TEST(ControlPaint, BackColour_GradientsOfTwoAndThreeColours)
{
    PaintBox box;
    box.control.SetBkColor(0xFFFF0000);
    box.control.SetBkColor2(0xFF0000FF);
    box.Paint();
    EXPECT_TRUE(Near(box.canvas.At(20, 0), 0xFF0000)) << std::hex << box.canvas.At(20, 0);
    EXPECT_TRUE(Near(box.canvas.At(20, 39), 0x0000FF)) << std::hex << box.canvas.At(20, 39);

    box.control.SetBkColor3(0xFF00FF00);  // red to blue over the upper half, blue to green below
    box.Paint();
    EXPECT_TRUE(Near(box.canvas.At(20, 0), 0xFF0000)) << std::hex << box.canvas.At(20, 0);
    EXPECT_TRUE(Near(box.canvas.At(20, 20), 0x0000FF)) << std::hex << box.canvas.At(20, 20);
    EXPECT_TRUE(Near(box.canvas.At(20, 39), 0x00FF00)) << std::hex << box.canvas.At(20, 39);
}

TEST(ControlPaint, Border_Rules)
{
    struct Case {
        const wchar_t* sizes;
        std::initializer_list<POINT> drawn;
        std::initializer_list<POINT> blank;
    };
    const Case cases[] = {
        // A left width of 0 draws no border at all.
        {L"0,2,2,2", {}, {{0, 20}, {20, 0}, {39, 20}, {20, 39}, {38, 20}}},
        {L"2", {{0, 20}, {1, 20}, {39, 20}, {20, 0}, {20, 39}}, {{2, 20}, {20, 20}}},
        {L"4,0,0,0", {{0, 20}, {3, 20}}, {{20, 0}, {39, 20}, {20, 39}, {20, 20}}},
        {L"2,0,6,0", {{0, 20}, {35, 20}, {39, 20}}, {{20, 0}, {20, 39}, {20, 20}}},
        {L"1,1,0,3", {{0, 20}, {20, 0}, {20, 38}}, {{20, 20}, {20, 34}, {39, 20}}},
    };
    for (const Case& c : cases) {
        PaintBox box;
        box.control.SetAttribute(L"bordercolor", L"#FFFF0000");
        box.control.SetAttribute(L"bordersize", c.sizes);
        box.Paint();
        for (POINT pt : c.drawn) {
            EXPECT_EQ(box.canvas.At(pt.x, pt.y), 0xFF0000u) << c.sizes << " at " << pt.x << "," << pt.y;
        }
        for (POINT pt : c.blank) {
            EXPECT_EQ(box.canvas.At(pt.x, pt.y), kWhite) << c.sizes << " at " << pt.x << "," << pt.y;
        }
    }
}

TEST(ControlPaint, Border_FocusColourAndRoundCorners)
{
    PaintBox box;
    box.control.SetBorderColor(0xFFFF0000);
    box.control.SetBorderSize(2);
    box.Paint();
    EXPECT_EQ(box.canvas.At(0, 20), 0xFF0000u);  // no focus colour: the plain one, even when focused
    box.control.SetFocusBorderColor(0xFF0000FF);
    EventUI focus;
    focus.type = EVT_SETFOCUS;
    box.control.Event(focus);
    box.Paint();
    EXPECT_EQ(box.canvas.At(0, 20), 0x0000FFu);

    box.control.SetBkColor(0xFF00FF00);
    box.control.SetBorderRound({16, 16});
    box.Paint();
    EXPECT_EQ(box.canvas.At(0, 0), kWhite);  // clipped round, background included
    EXPECT_EQ(box.canvas.At(0, 20), 0x0000FFu);
    EXPECT_EQ(box.canvas.At(20, 20), 0x00FF00u);
}

// Logs the paint steps in the order they run.
class StepControl : public CControlUI {
public:
    explicit StepControl(std::wstring* log) : m_log(log) {}
    void PaintBackColor(HDC) override { *m_log += L"back "; }
    void PaintBackImage(HDC) override { *m_log += L"image "; }
    void PaintStateImage(HDC) override { *m_log += L"state "; }
    void PaintText(HDC) override { *m_log += L"text "; }
    void PaintBorder(HDC) override { *m_log += L"border "; }

private:
    std::wstring* m_log;
};

bool Refuse(void*)
{
    return false;
}

TEST(ControlPaint, Steps_OrderCoverListenersAndStop)
{
    Canvas canvas(60, 60);
    std::wstring log;
    StepControl owner(&log);
    owner.SetPos({0, 0, 40, 40}, false);
    auto* cover = new StepControl(&log);
    cover->SetPos({0, 0, 20, 20}, false);
    owner.SetCover(cover);

    EXPECT_TRUE(owner.Paint(canvas.dc(), {0, 0, 60, 60}));
    EXPECT_EQ(log, L"back image state text border back image state text border ");
    EXPECT_EQ(owner.GetPos().right, 40);

    log.clear();
    EXPECT_TRUE(owner.Paint(canvas.dc(), {30, 30, 60, 60}));  // the cover lies outside
    EXPECT_EQ(log, L"back image state text border ");

    log.clear();
    EXPECT_TRUE(owner.Paint(canvas.dc(), {50, 50, 60, 60}));  // nothing to paint, painting goes on
    EXPECT_FALSE(owner.Paint(canvas.dc(), {0, 0, 60, 60}, &owner));
    owner.OnPaint().Add(Refuse);
    EXPECT_TRUE(owner.Paint(canvas.dc(), {0, 0, 60, 60}));
    EXPECT_EQ(log, L"");
}

} // namespace
