#include "ui/manager/ManagerUI.h"

#include <gtest/gtest.h>

using namespace VarnUI;

namespace {

class ManagerLanguage : public ::testing::Test {
protected:
    void SetUp() override
    {
        CManagerUI::AddLanguageString(12, L"twelve");
        CManagerUI::AddLanguageString(7, L"<b>%{12}</b>");
        CManagerUI::AddLanguageString(1, L"again %{1}");
    }
    void TearDown() override { CManagerUI::RemoveAllLanguageStrings(); }

    static std::wstring Expand(const wchar_t* text)
    {
        CUIString value(text);
        CManagerUI::ExpandLanguageTokens(value);
        return value.GetData();
    }
};

TEST_F(ManagerLanguage, TokenRules)
{
    struct Case {
        const wchar_t* text;
        const wchar_t* expected;
    };
    const Case cases[] = {
        {L"%{12}", L"twelve"},
        {L"a %{12} b %{12}", L"a twelve b twelve"},
        {L"%{012}", L"twelve"},
        {L"%%{12}", L"%twelve"},
        {L"%{x}", L"%{x}"},
        {L"%{12", L"%{12"},
        {L"%{}", L"%{}"},
        {L"%{99}", L"%{99}"},
        {L"%{99} %{12}", L"%{99} twelve"},
        {L"%{12 }", L"%{12 }"},
        {L"100%", L"100%"},
        {L"%", L"%"},
        {L"%{", L"%{"},
        {L"%{99999999999999999999}", L"%{99999999999999999999}"},
        // Text inserted for a token is not scanned again, so a string holding its own token
        // is inserted once.
        {L"%{1}", L"again %{1}"},
        {L"%{7}", L"<b>%{12}</b>"},
        {L"", L""},
    };
    for (const Case& c : cases) EXPECT_EQ(Expand(c.text), c.expected) << c.text;
}

TEST_F(ManagerLanguage, Table)
{
    EXPECT_STREQ(CManagerUI::GetLanguageString(12), L"twelve");
    CManagerUI::AddLanguageString(12, L"zwölf");
    EXPECT_STREQ(CManagerUI::GetLanguageString(12), L"zwölf");
    EXPECT_TRUE(CManagerUI::RemoveLanguageString(12));
    EXPECT_FALSE(CManagerUI::RemoveLanguageString(12));
    EXPECT_EQ(CManagerUI::GetLanguageString(12), nullptr);
    EXPECT_EQ(Expand(L"%{12}"), L"%{12}");
    CManagerUI::AddLanguageString(-3, L"negative");
    EXPECT_STREQ(CManagerUI::GetLanguageString(-3), L"negative");
}

} // namespace
