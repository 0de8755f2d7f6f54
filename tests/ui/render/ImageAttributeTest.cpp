// The image attribute string: bare names, pairs, blanks, malformed pairs and every key.
#include "ui/render/ImageAttribute.h"
#include "ui/render/Renderer.h"

#include <gtest/gtest.h>

using namespace VarnUI;

namespace {

struct Expected {
    const wchar_t* text;
    const wchar_t* name;
    const wchar_t* type;  // null: no type used
    CUIRect dest;
    CUIRect source;
    CUIRect corner;
    DWORD mask;
    int fade;
    bool hole;
    bool xTiled;
    bool yTiled;
    bool keepSource;
};

const CUIRect kNone;

} // namespace

TEST(ImageAttribute, ParsesNamesPairsAndBlanks)
{
    const Expected cases[] = {
        {L"bk.png", L"bk.png", nullptr, kNone, kNone, kNone, 0, 255, false, false, false, false},
        {L"my bk.png", L"my bk.png", nullptr, kNone, kNone, kNone, 0, 255, false, false, false, false},
        {L"file='bk.png' source='0,0,10,10'", L"bk.png", nullptr, kNone, {0, 0, 10, 10}, kNone, 0, 255, false,
         false, false, false},
        // "restype" means nothing without "res": the skin file is loaded.
        {L"file='bk.png' restype='PNG'", L"bk.png", nullptr, kNone, kNone, kNone, 0, 255, false, false, false, false},
        {L"res='12' restype='PNG'", L"12", L"PNG", kNone, kNone, kNone, 0, 255, false, false, false, false},
        {L"restype='PNG' res='logo'", L"logo", L"PNG", kNone, kNone, kNone, 0, 255, false, false, false, false},
        {L"color='#FF0000FF'", L"#FF0000FF", L"*COLOR*", kNone, kNone, kNone, 0, 255, false, false, false, false},
        {L"file='a.png' mask='#FFFF00FF'", L"a.png", nullptr, kNone, kNone, kNone, 0xFFFF00FF, 255, false, false,
         false, false},
        {L"file='a.png' mask='0xff00ff'", L"a.png", nullptr, kNone, kNone, kNone, 0x00FF00FF, 255, false, false, false,
         false},
        {L"file='a.png'  corner='1,2,3,4'", L"a.png", nullptr, kNone, kNone, {1, 2, 3, 4}, 0, 255, false, false, false,
         false},
        // No blank after the closing quote: the parse ends after the first pair.
        {L"file='a.png'corner='1,2,3,4'", L"a.png", nullptr, kNone, kNone, kNone, 0, 255, false, false, false, false},
        {L" file = 'a.png' scale9='4,4,4,4' hole='true' xtiled='true' ytiled='TRUE' fade='128'", L"a.png", nullptr,
         kNone, kNone, {4, 4, 4, 4}, 0, 128, true, true, false, false},
        {L"file='a.png' dest='1,2,3'", L"a.png", nullptr, {1, 2, 3, 0}, kNone, kNone, 0, 255, false, false, false,
         false},
        {L"file='a.png' dest='5,6,7,8,9'", L"a.png", nullptr, {5, 6, 7, 8}, kNone, kNone, 0, 255, false, false, false,
         false},
        // Malformed pairs end the parse and keep what came before.
        {L"file='a.png' source=", L"a.png", nullptr, kNone, kNone, kNone, 0, 255, false, false, false, false},
        {L"file='a.png' source='1,1,2,2", L"a.png", nullptr, kNone, kNone, kNone, 0, 255, false, false, false, false},
        {L"file='a.png' hole 'true'", L"a.png", nullptr, kNone, kNone, kNone, 0, 255, false, false, false, false},
        // An empty value is skipped.
        {L"file='' hole='true'", L"file='' hole='true'", nullptr, kNone, kNone, kNone, 0, 255, true, false, false,
         false},
        {L"fade='300' file='b.png'", L"b.png", nullptr, kNone, kNone, kNone, 0, 255, false, false, false, false},
        {L"fade='-4' file='b.png'", L"b.png", nullptr, kNone, kNone, kNone, 0, 0, false, false, false, false},
        {L"unknown='x' FILE='c.png' hsl='true'", L"unknown='x' FILE='c.png' hsl='true'", nullptr, kNone, kNone, kNone, 0,
         255, false, false, false, true},
    };
    for (const Expected& c : cases) {
        SCOPED_TRACE(testing::Message() << c.text);
        ImageDrawUI record;
        ImageSourceUI source;
        ParseImageAttribute(c.text, record, source);
        EXPECT_STREQ(source.name.GetData(), c.name);
        EXPECT_EQ(source.typeUsed, c.type != nullptr);
        if (c.type != nullptr) {
            EXPECT_STREQ(source.type.GetData(), c.type);
        }
        EXPECT_EQ(record.dest.ToString(), c.dest.ToString());
        EXPECT_EQ(record.source.ToString(), c.source.ToString());
        EXPECT_EQ(record.corner.ToString(), c.corner.ToString());
        EXPECT_EQ(source.mask, c.mask);
        EXPECT_EQ(record.fade, c.fade);
        EXPECT_EQ(record.hole, c.hole);
        EXPECT_EQ(record.xTiled, c.xTiled);
        EXPECT_EQ(record.yTiled, c.yTiled);
        EXPECT_EQ(source.keepSource, c.keepSource);
    }
}

TEST(ImageAttribute, LeavesFieldsTheStringDoesNotName)
{
    ImageDrawUI record;
    record.dest = CUIRect(0, 0, 50, 20);  // set by a control, as a progress bar does
    ImageSourceUI source;
    ParseImageAttribute(L"file='bar.png' corner='2,2,2,2'", record, source);
    EXPECT_EQ(record.dest.ToString(), CUIRect(0, 0, 50, 20).ToString());
    EXPECT_EQ(record.corner.ToString(), CUIRect(2, 2, 2, 2).ToString());
}
