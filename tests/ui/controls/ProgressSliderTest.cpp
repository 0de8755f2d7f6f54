#include "WidgetTestSupport.h"

#include "ui/controls/SliderUI.h"

#include <gtest/gtest.h>

#include <climits>

using namespace VarnUI;
using namespace WidgetTest;

namespace {

constexpr std::uint32_t kRed = 0xFF0000;

int FilledColumns(CProgressUI& bar, int width, int height)
{
    CCanvas canvas(width, height);
    PaintInto(canvas, bar);
    return canvas.Count({0, height / 2, width, height / 2 + 1}, kRed);
}

TEST(ProgressFill, WidthIsValueShareOfTheBarTruncated)
{
    CWidgetHost host(420, 40);
    auto* bar = host.Add(new CProgressUI, {0, 0, 404, 12});
    bar->SetAttribute(L"foreimage", L"color='#FFFF0000'");
    const struct {
        int value;
        int filled;
    } cases[] = {{0, 0}, {33, 133}, {50, 202}, {100, 404}, {150, 404}};
    for (const auto& c : cases) {
        bar->SetValue(c.value);
        EXPECT_EQ(FilledColumns(*bar, 404, 12), c.filled) << "value " << c.value;
    }
}

TEST(ProgressFill, VerticalFillsFromTheBottom)
{
    CWidgetHost host;
    auto* bar = host.Add(new CProgressUI, {0, 0, 10, 100});
    bar->ApplyAttributeText(L"foreimage=\"color='#FFFF0000'\" hor=\"false\" value=\"25\"");
    CCanvas canvas(10, 100);
    PaintInto(canvas, *bar);
    EXPECT_EQ(canvas.Count({5, 0, 6, 100}, kRed), 25);
    EXPECT_EQ(canvas.Pixel(5, 99), kRed);
    EXPECT_NE(canvas.Pixel(5, 74), kRed);
}

TEST(ProgressRange, RepairedAtPaintingWithoutOverflow)
{
    CWidgetHost host(420, 40);
    auto* bar = host.Add(new CProgressUI, {0, 0, 404, 12});
    bar->SetAttribute(L"foreimage", L"color='#FFFF0000'");
    bar->SetMinValue(50);
    bar->SetMaxValue(10);
    FilledColumns(*bar, 404, 12);
    EXPECT_EQ(bar->GetMaxValue(), 51);
    EXPECT_EQ(bar->GetValue(), 50);

    bar->SetMinValue(INT_MAX);
    bar->SetMaxValue(INT_MAX);
    FilledColumns(*bar, 404, 12);
    EXPECT_EQ(bar->GetMinValue(), INT_MAX - 1);
    EXPECT_EQ(bar->GetMaxValue(), INT_MAX);

    // 404 x 1.5e9 does not fit in 32 bits.
    bar->SetMinValue(0);
    bar->SetMaxValue(2000000000);
    bar->SetValue(1500000000);
    EXPECT_EQ(FilledColumns(*bar, 404, 12), 303);
}

TEST(ProgressValue, ClampedAndRepaintedOnlyWhenChanged)
{
    CWidgetHost host;
    auto* bar = host.Add(new CProgressUI, {0, 0, 100, 12});
    bar->SetValue(150);
    EXPECT_EQ(bar->GetValue(), 100);
    host.Validate();
    bar->SetValue(100);
    EXPECT_FALSE(host.HasUpdate());
    bar->SetValue(-5);
    EXPECT_EQ(bar->GetValue(), 0);
    EXPECT_TRUE(host.HasUpdate());
    EXPECT_EQ(bar->GetFixedHeight(), 12);
}

constexpr RECT kSliderRect = {0, 0, 110, 20};

CSliderUI* AddSlider(CWidgetHost& host)
{
    return host.Add(new CSliderUI, kSliderRect);
}

TEST(SliderValue, FromPointsTable)
{
    // Thumb 10 wide: the track runs from x = 5 to x = 105 over 100 pixels.
    const struct {
        int x;
        int value;
    } cases[] = {{0, 0}, {5, 0}, {6, 1}, {55, 50}, {104, 99}, {105, 100}, {300, 100}};
    CWidgetHost host;
    auto* slider = AddSlider(host);
    for (const auto& c : cases) {
        host.Send(slider, EVT_BUTTONDOWN, {c.x, 10});
        host.Send(slider, EVT_BUTTONUP, {c.x, 10});
        EXPECT_EQ(slider->GetValue(), c.value) << "x " << c.x;
    }
    EXPECT_EQ(host.notes.size(), std::size(cases));

    slider->SetPos({0, 0, 20, 110}, false);
    slider->SetHorizontal(false);
    EXPECT_EQ(slider->ValueFromPoint({10, 105}), 0);
    EXPECT_EQ(slider->ValueFromPoint({10, 55}), 50);
    EXPECT_EQ(slider->ValueFromPoint({10, 2}), 100);
}

TEST(SliderDrag, NotifiesOnReleaseOrWhileMovingWithImm)
{
    CWidgetHost host;
    auto* slider = AddSlider(host);
    host.Send(slider, EVT_BUTTONDOWN, {55, 10});
    EXPECT_EQ(slider->GetValue(), 50);
    host.Send(slider, EVT_MOUSEMOVE, {85, 10});
    EXPECT_EQ(slider->GetValue(), 80);
    EXPECT_TRUE(host.notes.empty());
    host.Send(slider, EVT_BUTTONUP, {95, 10});
    EXPECT_EQ(slider->GetValue(), 90);
    EXPECT_EQ(host.Types(), std::vector<std::wstring>{L"valuechanged"});
    EXPECT_EQ(slider->GetState() & STATE_CAPTURED, 0u);
    host.Send(slider, EVT_MOUSEMOVE, {15, 10});
    EXPECT_EQ(slider->GetValue(), 90) << "no drag without button-down";

    host.notes.clear();
    slider->SetAttribute(L"imm", L"true");
    host.MouseDown({55, 10});
    host.MouseMove({65, 10});
    host.MouseMove({75, 10});
    host.MouseUp({75, 10});
    EXPECT_EQ(slider->GetValue(), 70);
    EXPECT_EQ(host.notes.size(), 3u);
}

// Records the slider's state at the moment "valuechanged" is delivered.
class StateAtNotify : public INotifyUI {
public:
    explicit StateAtNotify(CSliderUI* slider) : m_slider(slider) {}
    void Notify(NotifyUI& msg) override
    {
        if (msg.type == L"valuechanged") seen.push_back(m_slider->GetState());
    }
    std::vector<UINT> seen;

private:
    CSliderUI* m_slider;
};

TEST(SliderDrag, ReleaseNotifiesWhileStillCapturedThenEndsTheDrag)
{
    CWidgetHost host;
    auto* slider = AddSlider(host);
    StateAtNotify probe(slider);
    host.manager().AddNotifier(&probe);
    host.Send(slider, EVT_BUTTONDOWN, {55, 10});
    host.Validate();
    host.Send(slider, EVT_BUTTONUP, {55, 10});
    host.manager().RemoveNotifier(&probe);
    ASSERT_EQ(probe.seen.size(), 1u);
    EXPECT_NE(probe.seen[0] & STATE_CAPTURED, 0u);
    EXPECT_EQ(slider->GetState() & STATE_CAPTURED, 0u);
    EXPECT_TRUE(host.HasUpdate()) << "the end of the drag repaints, also without a new value";
}

TEST(SliderDrag, ButtonDownOnTheCurrentValueStartsADragWithoutRepaint)
{
    CWidgetHost host;
    auto* slider = AddSlider(host);
    slider->SetValue(50);
    host.Validate();
    host.Send(slider, EVT_BUTTONDOWN, {55, 10});
    EXPECT_FALSE(host.HasUpdate());
    EXPECT_NE(slider->GetState() & STATE_CAPTURED, 0u);
}

TEST(SliderWheel, NotifiesEvenAtTheBound)
{
    CWidgetHost host;
    auto* slider = AddSlider(host);
    slider->SetAttribute(L"step", L"10");
    slider->SetValue(95);
    host.Send(slider, EVT_SCROLLWHEEL, {55, 10}, 0);
    EXPECT_EQ(slider->GetValue(), 100);
    host.Send(slider, EVT_SCROLLWHEEL, {55, 10}, 0);
    EXPECT_EQ(slider->GetValue(), 100);
    EXPECT_EQ(host.notes.size(), 2u);

    host.Wheel({55, 10}, -WHEEL_DELTA);   // away from the user: down
    EXPECT_EQ(slider->GetValue(), 90);
    EXPECT_EQ(host.notes.size(), 3u);
}

TEST(SliderMouseOff, PassesClicksToItsParent)
{
    CWidgetHost host;
    auto* slider = AddSlider(host);
    slider->ApplyAttributeText(L"mouse=\"false\" thumbsize=\"0,0\" value=\"20\"");
    host.Send(slider, EVT_BUTTONDOWN, {80, 10});
    host.Send(slider, EVT_BUTTONUP, {80, 10});
    host.Send(slider, EVT_SCROLLWHEEL, {80, 10}, 0);
    EXPECT_EQ(slider->GetValue(), 20);
    EXPECT_TRUE(host.notes.empty());
    EXPECT_EQ(host.root().bubbled, (std::vector<int>{EVT_BUTTONDOWN, EVT_BUTTONUP, EVT_SCROLLWHEEL}));
}

TEST(SliderThumb, PlacedByValueAndDrawnThere)
{
    CWidgetHost host;
    auto* slider = AddSlider(host);
    slider->ApplyAttributeText(L"value=\"50\" thumbimage=\"color='#FF00FF00'\" "
                               L"thumbpushedimage=\"color='#FF0000FF'\"");
    const RECT thumb = slider->GetThumbRect();
    EXPECT_EQ(thumb.left, 50);
    EXPECT_EQ(thumb.top, 5);
    EXPECT_EQ(thumb.right, 60);
    EXPECT_EQ(thumb.bottom, 15);

    CCanvas canvas(110, 20);
    PaintInto(canvas, *slider);
    EXPECT_EQ(canvas.Count(thumb, 0x00FF00), 100);
    EXPECT_EQ(canvas.Count(kSliderRect, 0x00FF00), 100);
    host.Send(slider, EVT_BUTTONDOWN, {55, 10});
    PaintInto(canvas, *slider);
    EXPECT_EQ(canvas.Count(thumb, 0x0000FF), 100);

    slider->SetEnabled(false);
    EXPECT_EQ(slider->GetState(), 0u);
    EXPECT_EQ(slider->QueryControlFlags(), 0u);
}

} // namespace
