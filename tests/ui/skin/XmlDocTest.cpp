#include "ui/skin/SkinResources.h"
#include "ui/skin/XmlDoc.h"

#include "ZipTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

using namespace VarnUI;

namespace {

std::wstring ErrorOf(const CXmlDoc& doc)
{
    wchar_t message[100] = {};
    doc.GetLastErrorMessage(message, 100);
    return message;
}

std::wstring ContextOf(const CXmlDoc& doc)
{
    wchar_t context[50] = {};
    doc.GetErrorContext(context, 50);
    return context;
}

// Element names of the whole tree in document order, with brackets around children and the
// attributes of each element, so that two loads can be compared at once.
std::wstring Outline(CXmlNode node)
{
    std::wstring out;
    for (; node.IsValid(); node = node.GetSibling()) {
        out += node.GetName();
        for (int i = 0; i < node.GetAttributeCount(); ++i) {
            out += L" ";
            out += node.GetAttributeName(i);
            out += L"=";
            out += node.GetAttributeValue(i);
        }
        out += L"{";
        out += node.GetValue();
        out += L"|";
        out += Outline(node.GetChild());
        out += L"}";
    }
    return out;
}

const wchar_t kSample[] =
    L"<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
    L"<!-- skin of the \u5378\u8f7d\u7a0b\u5e8f window -->\n"
    L"<Window size=\"454,200\" caption=\"0,0,0,40\">\n"
    L"  <Font id=\"0\" name=\"\u5fae\u8f6f\u96c5\u9ed1\" size=\"12\"/>\n"
    L"  <VerticalLayout name=\"root\">text\n"
    L"    <Button name=\"ok\" text=\"&lt;OK&gt;\" />\n"
    L"    <Label name=\"l\">caption</Label >\n"
    L"  </VerticalLayout>\n"
    L"</Window>\n";

} // namespace

TEST(XmlDoc, Walk_DeclarationAndCommentsBeforeTheRoot)
{
    CXmlDoc doc(kSample);
    ASSERT_TRUE(doc.IsValid()) << ErrorOf(doc);
    CXmlNode root = doc.GetRoot();
    EXPECT_STREQ(root.GetName(), L"Window");
    EXPECT_FALSE(root.GetParent().IsValid());
    EXPECT_FALSE(root.HasSiblings());
    EXPECT_STREQ(root.GetAttributeValue(L"size"), L"454,200");
    EXPECT_STREQ(root.GetAttributeValue(1), L"0,0,0,40");

    CXmlNode font = root.GetChild();
    EXPECT_STREQ(font.GetName(), L"Font");
    EXPECT_STREQ(font.GetValue(), L"");
    EXPECT_FALSE(font.HasChildren());
    EXPECT_STREQ(font.GetAttributeValue(L"name"), L"\u5fae\u8f6f\u96c5\u9ed1");
    EXPECT_STREQ(font.GetAttributeValue(L"size"), L"12");

    CXmlNode layout = root.GetChild(L"VerticalLayout");
    ASSERT_TRUE(layout.IsValid());
    EXPECT_STREQ(layout.GetValue(), L"text\n    ");
    EXPECT_STREQ(layout.GetParent().GetName(), L"Window");
    CXmlNode button = layout.GetChild(L"Button");
    EXPECT_STREQ(button.GetAttributeValue(L"text"), L"<OK>");
    EXPECT_STREQ(button.GetSibling().GetValue(), L"caption");
    EXPECT_FALSE(button.GetSibling().GetSibling().IsValid());

    // Lookups by name are case-sensitive.
    EXPECT_FALSE(root.GetChild(L"verticallayout").IsValid());
    EXPECT_FALSE(root.HasAttribute(L"Size"));
    EXPECT_STREQ(root.GetAttributeValue(L"Size"), L"");
}

TEST(XmlDoc, EmptyElementTags_HaveNoValueAndNoChildren)
{
    const struct {
        const wchar_t* text;
        const wchar_t* outline;
    } table[] = {
        {L"<r><a/><b/></r>", L"r{|a{|}b{|}}"},
        {L"<r><a /><b x=\"1\"/></r>", L"r{|a{|}b x=1{|}}"},
        {L"<r><a x=\"1\" y=\"2\" /></r>", L"r{|a x=1 y=2{|}}"},
        {L"<r/>", L"r{|}"},
        {L"<r/><s/>", L"r{|}s{|}"},
    };
    for (const auto& row : table) {
        CXmlDoc doc(row.text);
        ASSERT_TRUE(doc.IsValid()) << row.text << L" " << ErrorOf(doc);
        CXmlNode first = doc.GetRoot();
        EXPECT_EQ(Outline(first), row.outline) << row.text;
    }
}

TEST(XmlDoc, Values_EntitiesDecodeAndWhiteSpaceStays)
{
    const struct {
        const wchar_t* attribute;
        const wchar_t* decoded;
    } table[] = {
        {L"&amp;&lt;&gt;&quot;&apos;", L"&<>\"'"},
        {L"a&nbsp;b", L"a&nbsp;b"},
        {L"&&amp;&", L"&&&"},
        {L"&amp", L"&amp"},
        {L" two  spaces\ttab\r\nbreak ", L" two  spaces\ttab\r\nbreak "},
        {L"it's", L"it's"},
        {L"", L""},
    };
    for (const auto& row : table) {
        const std::wstring text = std::wstring(L"<a v=\"") + row.attribute + L"\" w=\"after\">x&amp;y</a>";
        CXmlDoc doc(text.c_str());
        CXmlNode node = doc.GetRoot();
        ASSERT_TRUE(node.IsValid()) << row.attribute << L" " << ErrorOf(doc);
        EXPECT_STREQ(node.GetAttributeValue(L"v"), row.decoded) << row.attribute;
        EXPECT_STREQ(node.GetAttributeValue(L"w"), L"after") << row.attribute;
        EXPECT_STREQ(node.GetValue(), L"x&y");
    }
}

TEST(XmlDoc, MissingEndTags_AllowedOnlyNearTheTop)
{
    const struct {
        const wchar_t* text;
        const wchar_t* outline;
    } table[] = {
        {L"<root>", L"root{|}"},
        {L"<root>text &amp; more", L"root{text & more|}"},
        {L"<root><child x=\"1\"/>", L"root{|child x=1{|}}"},
        {L"<root><child>text", L"root{|child{text|}}"},
        {L"<root><child>text</child>", L"root{|child{text|}}"},
    };
    for (const auto& row : table) {
        CXmlDoc doc(row.text);
        ASSERT_TRUE(doc.IsValid()) << row.text << L" " << ErrorOf(doc);
        EXPECT_EQ(Outline(doc.GetRoot()), row.outline) << row.text;
    }
}

TEST(XmlDoc, MalformedDocuments_FailWithMessageAndPosition)
{
    const struct {
        const wchar_t* text;
        const wchar_t* message;
        const wchar_t* context;
    } table[] = {
        {L"text", L"Expected start tag", L"text"},
        {L"<a></a>junk", L"Expected start tag", L"junk"},
        {L"<a><b><c/>", L"Expected start tag", L""},
        {L"<a><b><c>text", L"Expected end-tag start", L""},
        {L"<a", L"Error parsing element name", L""},
        {L"<a x=\"1\"", L"Expected start-tag closing", L""},
        {L"<a/ >", L"Expected start-tag closing", L"/ >"},
        {L"<a>text</b>", L"Unmatched closing tag", L"b>"},
        {L"<a>text</ab>", L"Unmatched closing tag", L"b>"},
        {L"<a>text</a", L"Unmatched closing tag", L""},
        {L"<a><b></a></b>", L"Unmatched closing tag", L"a></b>"},
        {L"<a x>", L"Error while parsing attributes", L">"},
        {L"<a x=\"1\" y z=\"2\">", L"Error while parsing attributes", L"z=\"2\">"},
        {L"<a x='1'>", L"Expected attribute value", L"'1'>"},
        {L"<a x=1>", L"Expected attribute value", L"1>"},
        {L"<a x=\"1>", L"Error while parsing attribute string", L""},
        {L"<a/><b x=1/>", L"Expected attribute value", L"1/>"},
    };
    for (const auto& row : table) {
        CXmlDoc doc(row.text);
        EXPECT_FALSE(doc.IsValid()) << row.text;
        EXPECT_FALSE(doc.GetRoot().IsValid()) << row.text;
        EXPECT_EQ(ErrorOf(doc), row.message) << row.text;
        EXPECT_EQ(ContextOf(doc), row.context) << row.text;
    }
}

TEST(XmlDoc, ErrorContext_IsCutTo49Characters)
{
    const std::wstring tail(80, L'z');
    CXmlDoc doc((L"<a></a>" + tail).c_str());
    EXPECT_EQ(ContextOf(doc), std::wstring(49, L'z'));
    wchar_t small[6];
    doc.GetLastErrorMessage(small, 6);
    EXPECT_STREQ(small, L"Expec");
}

TEST(XmlDoc, Attributes_OnlyTheFirst64AreVisible)
{
    std::wstring text = L"<a";
    for (int i = 0; i < 70; ++i) text += L" n" + std::to_wstring(i) + L"=\"v" + std::to_wstring(i) + L"\"";
    text += L">\"quoted\" data</a>";
    CXmlDoc doc(text.c_str());
    CXmlNode node = doc.GetRoot();
    ASSERT_TRUE(node.IsValid()) << ErrorOf(doc);
    EXPECT_EQ(node.GetAttributeCount(), 64);
    EXPECT_STREQ(node.GetAttributeName(63), L"n63");
    EXPECT_STREQ(node.GetAttributeValue(L"n63"), L"v63");
    EXPECT_FALSE(node.HasAttribute(L"n64"));
    EXPECT_STREQ(node.GetAttributeName(64), L"");
    EXPECT_STREQ(node.GetAttributeValue(-1), L"");
    EXPECT_STREQ(node.GetValue(), L"\"quoted\" data");
}

TEST(XmlDoc, Attributes_DataThatLooksLikeAttributesIsNotRead)
{
    CXmlDoc doc(L"<r><a x=\"1\" >\"v\" y=\"2\"</a><b\ty = \"3\"\n>\"w\"<c/></b></r>");
    CXmlNode a = doc.GetRoot().GetChild();
    ASSERT_TRUE(a.IsValid()) << ErrorOf(doc);
    EXPECT_EQ(a.GetAttributeCount(), 1);
    CXmlNode b = a.GetSibling();
    EXPECT_EQ(b.GetAttributeCount(), 1);
    EXPECT_STREQ(b.GetAttributeName(0), L"y");
    EXPECT_STREQ(b.GetAttributeValue(L"y"), L"3");
    EXPECT_FALSE(b.GetChild().HasAttributes());
}

TEST(XmlDoc, BoundedCopies_TruncateAndTerminate)
{
    CXmlDoc doc(L"<a long=\"0123456789\"/>");
    CXmlNode node = doc.GetRoot();
    wchar_t buffer[8];
    std::fill(buffer, buffer + 8, L'#');
    EXPECT_TRUE(node.GetAttributeValue(L"long", buffer, 5));
    EXPECT_STREQ(buffer, L"0123");
    EXPECT_EQ(buffer[5], L'#');
    EXPECT_TRUE(node.GetAttributeValue(0, buffer, 8));
    EXPECT_STREQ(buffer, L"0123456");
    EXPECT_FALSE(node.GetAttributeValue(L"none", buffer, 8));
    EXPECT_FALSE(node.GetAttributeValue(1, buffer, 8));
}

TEST(XmlDoc, Encodings_GiveTheSameTree)
{
    const std::wstring wide = L"<a t=\"\u5378\u8f7d &amp; x\"><b>\u00e9t\u00e9</b><c/></a>";
    const std::string utf8 = "<a t=\"\xe5\x8d\xb8\xe8\xbd\xbd &amp; x\"><b>\xc3\xa9t\xc3\xa9</b><c/></a>";
    CXmlDoc reference(wide.c_str());
    const std::wstring expected = Outline(reference.GetRoot());
    ASSERT_FALSE(expected.empty());

    auto bytes = [](const std::string& s) { return std::vector<BYTE>(s.begin(), s.end()); };
    std::vector<BYTE> le = {0xFF, 0xFE};
    std::vector<BYTE> be = {0xFE, 0xFF};
    for (wchar_t c : wide) {
        le.push_back(static_cast<BYTE>(c));
        le.push_back(static_cast<BYTE>(c >> 8));
        be.push_back(static_cast<BYTE>(c >> 8));
        be.push_back(static_cast<BYTE>(c));
    }
    std::vector<BYTE> leOdd = le;
    leOdd.push_back(0x41);
    const std::vector<BYTE> beCopy = be;
    const struct {
        const char* what;
        std::vector<BYTE> data;
        int encoding;
    } table[] = {
        {"UTF-8", bytes(utf8), XMLENC_UTF8},
        {"UTF-8 with mark", bytes("\xef\xbb\xbf" + utf8), XMLENC_UTF8},
        {"UTF-16 little-endian", le, XMLENC_UNICODE},
        {"UTF-16 big-endian", be, XMLENC_UNICODE},
        {"UTF-16 with an odd byte", leOdd, XMLENC_UNICODE},
        {"other values mean UTF-16", le, 7},
    };
    for (const auto& row : table) {
        CXmlDoc doc;
        ASSERT_TRUE(doc.LoadFromBytes(row.data.data(), static_cast<DWORD>(row.data.size()), row.encoding))
            << row.what << " " << std::string(ErrorOf(doc).begin(), ErrorOf(doc).end());
        EXPECT_EQ(Outline(doc.GetRoot()), expected) << row.what;
    }
    EXPECT_EQ(be, beCopy); // the caller's bytes are not swapped in place

    const std::string ascii = "<a t=\"x &amp; y\"><b>z</b></a>";
    CXmlDoc ansi;
    ASSERT_TRUE(ansi.LoadFromBytes(reinterpret_cast<const BYTE*>(ascii.data()), static_cast<DWORD>(ascii.size()), XMLENC_ANSI));
    EXPECT_EQ(Outline(ansi.GetRoot()), L"a t=x & y{|b{z|}}");
}

TEST(XmlDoc, Encodings_Utf16WithoutMarkFailsCleanly)
{
    const BYTE noMark[] = {'<', 0, 'a', 0, '/', 0, '>', 0};
    CXmlDoc doc(L"<old/>");
    EXPECT_FALSE(doc.LoadFromBytes(noMark, sizeof noMark, XMLENC_UNICODE));
    EXPECT_FALSE(doc.IsValid());
    EXPECT_EQ(ErrorOf(doc), L"Missing byte-order mark");
    EXPECT_EQ(ContextOf(doc), L"");
    EXPECT_FALSE(doc.LoadFromBytes(noMark, 1, XMLENC_UNICODE));
    EXPECT_FALSE(doc.LoadFromBytes(nullptr, 0, XMLENC_UNICODE));
}

TEST(XmlDoc, EmptyInput_IsValidWithoutRoot)
{
    CXmlDoc doc;
    EXPECT_FALSE(doc.GetRoot().IsValid());
    EXPECT_TRUE(doc.LoadFromBytes(reinterpret_cast<const BYTE*>("\xef\xbb\xbf"), 3));
    EXPECT_TRUE(doc.IsValid());
    EXPECT_FALSE(doc.GetRoot().IsValid());
    EXPECT_TRUE(doc.Load(L"  <!-- only a comment -->  "));
    EXPECT_FALSE(doc.GetRoot().IsValid());
}

TEST(XmlDoc, DeepNesting_DoesNotExhaustTheStack)
{
    constexpr int kDepth = 200000;
    std::wstring text;
    for (int i = 0; i < kDepth; ++i) text += L"<e>";
    for (int i = 0; i < kDepth; ++i) text += L"</e>";
    CXmlDoc doc(text.c_str());
    ASSERT_TRUE(doc.IsValid()) << ErrorOf(doc);
    int depth = 0;
    for (CXmlNode node = doc.GetRoot(); node.IsValid(); node = node.GetChild()) ++depth;
    EXPECT_EQ(depth, kDepth);
}

TEST(XmlDoc, TruncatedAndDamagedInput_FailsOrLoadsWithinTheText)
{
    const std::wstring sample(kSample);
    const std::wstring known[] = {L"", L"Expected start tag", L"Error parsing element name", L"Expected start-tag closing",
                                  L"Expected end-tag start", L"Unmatched closing tag", L"Error while parsing attributes",
                                  L"Expected attribute value", L"Error while parsing attribute string"};
    auto check = [&](const std::vector<BYTE>& bytes) {
        CXmlDoc doc;
        const bool loaded = doc.LoadFromBytes(bytes.data(), static_cast<DWORD>(bytes.size()), XMLENC_UNICODE);
        const std::wstring message = ErrorOf(doc);
        EXPECT_NE(std::find(std::begin(known), std::end(known), message), std::end(known));
        if (loaded) Outline(doc.GetRoot());
    };
    std::vector<BYTE> whole = {0xFF, 0xFE};
    for (wchar_t c : sample) {
        whole.push_back(static_cast<BYTE>(c));
        whole.push_back(static_cast<BYTE>(c >> 8));
    }
    for (size_t cut = 2; cut <= whole.size(); cut += 2) check(std::vector<BYTE>(whole.begin(), whole.begin() + cut));
    std::mt19937 random(2024);
    const wchar_t markup[] = L"<>/=\"&; !?-x";
    for (int round = 0; round < 3000; ++round) {
        std::vector<BYTE> damaged = whole;
        for (int i = 0; i < 3; ++i) {
            const size_t at = 2 + 2 * (random() % (sample.size()));
            damaged[at] = static_cast<BYTE>(markup[random() % (sizeof markup / sizeof markup[0] - 1)]);
            damaged[at + 1] = 0;
        }
        check(damaged);
    }
}

TEST(XmlDoc, LoadFromFile_ReadsSkinFilesAndReportsReadErrors)
{
    CSkinResources::SetResourcePath(SkinTest::FixturePath(L"content").c_str());
    CSkinResources::SetResourceZip(L"", true);
    CXmlDoc doc;
    ASSERT_TRUE(doc.LoadFromFile(L"install.xml")) << ErrorOf(doc);
    EXPECT_STREQ(doc.GetRoot().GetName(), L"Window");
    EXPECT_STREQ(doc.GetRoot().GetChild(L"Label").GetAttributeValue(L"text"), L"Uninstall");

    EXPECT_FALSE(doc.LoadFromFile(L"missing.xml"));
    EXPECT_FALSE(doc.IsValid());
    EXPECT_EQ(ErrorOf(doc), L"Error opening file");
    EXPECT_EQ(ContextOf(doc), L"");
    EXPECT_FALSE(doc.LoadFromFile(L"empty.txt"));
    EXPECT_EQ(ErrorOf(doc), L"File is empty");

    CSkinResources::SetResourcePath(SkinTest::FixtureDir().c_str());
    CSkinResources::SetResourceZip(L"infozip_deflate.zip", true);
    EXPECT_TRUE(doc.LoadFromFile(L"INSTALL.XML")) << ErrorOf(doc);
    EXPECT_FALSE(doc.LoadFromFile(L"sub\\missing.xml"));
    EXPECT_EQ(ErrorOf(doc), L"Could not find ziped file");
    CSkinResources::SetResourceZip(L"", true);
}
