#include "app/DisplayIcon.h"

#include <gtest/gtest.h>

TEST(ExecutableFromDisplayIcon, TakesOffQuotesIndexAndForwardSlashes)
{
    struct Case {
        const wchar_t* value;
        const wchar_t* expected;
    } cases[] = {
        {L"C:\\Program Files\\Varnholt\\Varnholt.exe", L"C:\\Program Files\\Varnholt\\Varnholt.exe"},
        {L"\"C:\\Program Files\\Varnholt\\Varnholt.exe\"", L"C:\\Program Files\\Varnholt\\Varnholt.exe"},
        {L"C:\\Program Files\\Varnholt\\Varnholt.exe,0", L"C:\\Program Files\\Varnholt\\Varnholt.exe"},
        {L"C:\\Program Files\\Varnholt\\Varnholt.exe, -101 ", L"C:\\Program Files\\Varnholt\\Varnholt.exe"},
        {L"\"C:\\Program Files\\Varnholt\\Varnholt.exe\",-101", L"C:\\Program Files\\Varnholt\\Varnholt.exe"},
        {L"\"C:\\Program Files\\Varnholt\\Varnholt.exe\" ,0", L"C:\\Program Files\\Varnholt\\Varnholt.exe"},
        {L"C:/Program Files/Varnholt/Varnholt.exe", L"C:\\Program Files\\Varnholt\\Varnholt.exe"},
        {L"\"C:/Program Files/Varnholt/Varnholt.exe\",1", L"C:\\Program Files\\Varnholt\\Varnholt.exe"},
        // Commas that are not an icon index belong to the path.
        {L"C:\\Varnholt, Inc\\Varnholt.exe", L"C:\\Varnholt, Inc\\Varnholt.exe"},
        {L"C:\\Varnholt\\Varnholt.exe,", L"C:\\Varnholt\\Varnholt.exe,"},
        {L"C:\\Varnholt\\Varnholt.exe,1a", L"C:\\Varnholt\\Varnholt.exe,1a"},
        {L"Varnholt.exe", L"Varnholt.exe"},
        {L"", L""},
        // Malformed quoting names nothing.
        {L"\"C:\\Varnholt\\Varnholt.exe", L""},
        {L"\"C:\\Varnholt\\Varnholt.exe\" --run", L""},
        {L"\"C:\\Varnholt\\Varnholt.exe\",0,1", L""},
    };
    for (const Case& c : cases) EXPECT_EQ(ExecutableFromDisplayIcon(c.value), c.expected) << c.value;
}
