// CFormattedText: the tags, the font, colour, spacing and alignment stacks, and inline images.
#include "ui/render/FormattedText.h"

#include "ui/base/AttributeValues.h"
#include "ui/manager/ManagerUI.h"
#include "ui/render/FormattedTextTokens.h"
#include "ui/render/Renderer.h"

#include <algorithm>
#include <cstdint>
#include <cwctype>

namespace VarnUI {
namespace {

constexpr int kAlignTop = 0;
constexpr int kAlignCenter = 4;
constexpr int kAlignBottom = 8;

void* ToSlot(std::intptr_t value) { return reinterpret_cast<void*>(value); }
std::intptr_t FromSlot(void* slot) { return reinterpret_cast<std::intptr_t>(slot); }

void* Top(const CUIPtrArray& stack)
{
    return stack.IsEmpty() ? nullptr : stack.GetAt(stack.GetSize() - 1);
}

void Pop(CUIPtrArray& stack)
{
    if (!stack.IsEmpty()) stack.Remove(stack.GetSize() - 1);
}

// The argument split at blanks, keeping quoted values (key='a b') in one piece.
int SplitWords(const CUIString& text, CUIString* words, int capacity)
{
    int count = 0;
    const wchar_t* p = text.GetData();
    while (*p != L'\0' && count < capacity) {
        while (IsFmtBlank(*p)) ++p;
        if (*p == L'\0') break;
        const wchar_t* start = p;
        bool quoted = false;
        while (*p != L'\0' && (quoted || !IsFmtBlank(*p))) {
            if (*p == L'\'') quoted = !quoted;
            ++p;
        }
        words[count++].Assign(start, static_cast<int>(p - start));
    }
    return count;
}

} // namespace

CFormattedText::TagResult CFormattedText::ApplyTag(wchar_t letter, const wchar_t* argument, int length)
{
    const CUIString arg(argument, length);
    switch (letter) {
    case L'a':
        StartLink(argument, length);
        break;
    case L'b':
        PushFont(Variant(true, CurrentFont()->underline, CurrentFont()->italic));
        break;
    case L'c':
        m_state.colors.Add(ToSlot(static_cast<std::intptr_t>(AttributeColor(arg.GetData()))));
        SelectCurrentColor();
        break;
    case L'f':
        PushFont(FontFromArgument(argument, length));
        break;
    case L'i':
        if (arg.IsEmpty()) {
            PushFont(Variant(CurrentFont()->bold, CurrentFont()->underline, true));
            break;
        }
        return PlaceImage(argument, length);
    case L'n':
        if (!m_singleLine) return TagResult::EndLineAfter;
        break;
    case L'p': {
        // The paragraph starts on a line of its own, so the line it ends keeps its height.
        if (m_x > m_lineStartX) return TagResult::EndLineBefore;
        const int spacing = m_manager->Scale(AttributeInt(arg.GetData()));
        m_state.spacings.Add(ToSlot(spacing));
        RaiseLineHeight(spacing + FontLineHeight(CurrentFont()));
        break;
    }
    case L'r':
        m_state.raw = true;
        break;
    case L's':
        m_state.selected = !m_state.selected;
        SelectBackground();
        break;
    case L'u':
        PushFont(Variant(CurrentFont()->bold, true, CurrentFont()->italic));
        break;
    case L'v': {
        int wordLength = 0;
        while (wordLength < length && !IsFmtBlank(argument[wordLength])) ++wordLength;
        const CUIString word(argument, wordLength);
        int align = kAlignBottom;
        if (SameTextNoCase(word.GetData(), L"center")) align = kAlignCenter;
        else if (SameTextNoCase(word.GetData(), L"top")) align = kAlignTop;
        m_state.aligns.Add(ToSlot(align));
        break;
    }
    case L'x':
        m_x += m_manager->Scale(AttributeInt(arg.GetData()));
        break;
    case L'y':
        if (!m_drawPass) m_lineHeight = m_manager->Scale(AttributeInt(arg.GetData()));
        break;
    default:
        break;
    }
    return TagResult::Continue;
}

CFormattedText::TagResult CFormattedText::ApplyClosingTag(wchar_t letter)
{
    switch (letter) {
    case L'a':
        EndLink();
        break;
    case L'b':
    case L'f':
    case L'i':
    case L'u':
        PopFont();
        break;
    case L'c':
        Pop(m_state.colors);
        SelectCurrentColor();
        break;
    case L'p': {
        const bool started = m_x > m_lineStartX;
        Pop(m_state.spacings);
        if (started) return TagResult::EndLineAfter;
        break;
    }
    case L's':
        m_state.selected = !m_state.selected;
        SelectBackground();
        break;
    case L'v':
        Pop(m_state.aligns);
        break;
    default:
        break;
    }
    return TagResult::Continue;
}

void CFormattedText::StartLink(const wchar_t* argument, int length)
{
    // A link opened inside another is not nested: the outer one ends here.
    if (m_state.inLink) EndLink();
    m_state.linkName.Assign(argument, length);
    if (m_state.linkCount < m_linkCapacity) m_linkNames[m_state.linkCount] = m_state.linkName;
    const bool hot = m_hovered != nullptr && *m_hovered == m_state.linkName;
    const DWORD color = hot ? m_manager->GetDefaultLinkHoverFontColor() : m_manager->GetDefaultLinkFontColor();
    m_state.colors.Add(ToSlot(static_cast<std::intptr_t>(color)));
    SelectCurrentColor();
    PushFont(Variant(CurrentFont()->bold, true, CurrentFont()->italic));
    m_state.inLink = true;
    m_linkStart = {m_x, m_lineTop};
}

void CFormattedText::EndLink()
{
    // A stray closing tag would pop another tag's colour and font.
    if (!m_state.inLink) return;
    if (m_state.linkCount < m_linkCapacity) {
        m_links[m_state.linkCount] = {m_linkStart.x, m_linkStart.y, m_x, m_lineTop + m_lineHeight};
        ++m_state.linkCount;
    }
    m_state.inLink = false;
    Pop(m_state.colors);
    SelectCurrentColor();
    PopFont();
}

CFormattedText::TagResult CFormattedText::PlaceImage(const wchar_t* argument, int length)
{
    CUIString words[8];
    const int count = SplitWords(CUIString(argument, length), words, 8);
    CUIString name;
    CUIString resType;
    bool fromResource = false;
    int numbers[2] = {1, 0};
    int numberCount = 0;
    for (int i = 0; i < count; ++i) {
        const CUIString& word = words[i];
        if (word.Left(6) == L"file='" && word.GetLength() > 6) {
            name = word.Mid(6, word.GetLength() - 7);
            fromResource = false;
        } else if (word.Left(5) == L"res='" && word.GetLength() > 5) {
            name = word.Mid(5, word.GetLength() - 6);
            fromResource = true;
        } else if (word.Left(9) == L"restype='" && word.GetLength() > 9) {
            resType = word.Mid(9, word.GetLength() - 10);
        } else if (name.IsEmpty()) {
            name = word;
        } else if (numberCount < 2) {
            numbers[numberCount++] = AttributeInt(word.GetData());
        }
    }
    const CUIString type = fromResource ? resType : CUIString();
    ImageInfoUI* image = name.IsEmpty() ? nullptr
                                        : m_manager->GetOrLoadImage(name.GetData(), type.IsEmpty() ? nullptr : type.GetData());
    // An image that cannot be had takes no space.
    if (image == nullptr) return TagResult::Continue;
    const int parts = std::max(1, numbers[0]);
    const int index = numbers[1] < 0 || numbers[1] >= parts ? 0 : numbers[1];
    const int width = image->width / parts;
    const int height = image->height;
    if (m_x + width > m_right && m_x > m_lineStartX && !m_singleLine) return TagResult::EndLineBefore;

    RaiseLineHeight(height);
    m_lowestImage = std::max(m_lowestImage, m_lineTop + height);
    if (m_drawPass) {
        int top = m_lineTop + m_lineHeight - height;
        if (VerticalAlign() == kAlignCenter) top = m_lineTop + (m_lineHeight - height) / 2;
        else if (VerticalAlign() == kAlignTop) top = m_lineTop;
        const RECT dest = {m_x, top, m_x + width, top + height};
        const RECT source = {width * index, 0, width * (index + 1), height};
        CRenderer::DrawImage(m_dc, *image, dest, dest, source, RECT{0, 0, 0, 0});
    }
    m_x += width;
    return TagResult::Continue;
}

FontInfoUI* CFormattedText::CurrentFont() const
{
    auto* top = static_cast<FontInfoUI*>(Top(m_state.fonts));
    return top != nullptr ? top : m_baseFont;
}

// Records whose metrics the manager could not measure (no paint DC yet) are measured here.
const TEXTMETRICW& CFormattedText::Metrics(FontInfoUI* font) const
{
    if (font->tm.tmHeight == 0 && font->font) {
        const HGDIOBJ previous = ::SelectObject(m_dc, font->font.get());
        ::GetTextMetricsW(m_dc, &font->tm);
        if (previous != nullptr && previous != HGDI_ERROR) ::SelectObject(m_dc, previous);
    }
    return font->tm;
}

int CFormattedText::FontLineHeight(FontInfoUI* font) const
{
    const TEXTMETRICW& tm = Metrics(font);
    return tm.tmHeight + tm.tmExternalLeading;
}

int CFormattedText::TextTop(FontInfoUI* font) const
{
    const int height = FontLineHeight(font);
    const int align = VerticalAlign();
    if (align == kAlignTop) return m_lineTop;
    if (align == kAlignCenter) return m_lineTop + (m_lineHeight - height) / 2;
    return m_lineTop + m_lineHeight - height;
}

int CFormattedText::ParagraphSpacing() const
{
    return static_cast<int>(FromSlot(Top(m_state.spacings)));
}

int CFormattedText::VerticalAlign() const
{
    return m_state.aligns.IsEmpty() ? kAlignBottom : static_cast<int>(FromSlot(Top(m_state.aligns)));
}

// The current font's face and size with other styles: found in the manager's tables, or
// added there under an id of the process-wide counter.
FontInfoUI* CFormattedText::Variant(bool bold, bool underline, bool italic)
{
    const FontInfoUI* current = CurrentFont();
    HFONT font = m_manager->FindFont(current->faceName.GetData(), current->size, bold, underline, italic);
    if (font == nullptr) {
        font = m_manager->AddFont(CManagerUI::NextFormattedTextFontId(), current->faceName.GetData(), current->size,
                                  bold, underline, italic);
    }
    return font != nullptr ? m_manager->GetFontInfoByHandle(font) : CurrentFont();
}

FontInfoUI* CFormattedText::FontFromArgument(const wchar_t* argument, int length)
{
    const CUIString arg(argument, length);
    if (std::iswdigit(arg.GetAt(0))) return m_manager->GetFontInfo(AttributeInt(arg.GetData()));

    int i = 0;
    while (i < length && !IsFmtBlank(argument[i])) ++i;
    const CUIString face(argument, i);
    while (i < length && IsFmtBlank(argument[i])) ++i;
    int size = 10;
    if (i < length && std::iswdigit(argument[i])) {
        const wchar_t* end = nullptr;
        size = AttributeInt(arg.GetData() + i, &end);
        i = static_cast<int>(end - arg.GetData());
    }
    CUIString styles = arg.Mid(i);
    styles.MakeLower();
    const bool bold = styles.Find(L"bold") >= 0;
    const bool underline = styles.Find(L"underline") >= 0;
    const bool italic = styles.Find(L"italic") >= 0;
    HFONT font = m_manager->FindFont(face.GetData(), size, bold, underline, italic);
    if (font == nullptr) {
        font = m_manager->AddFont(CManagerUI::NextFormattedTextFontId(), face.GetData(), size, bold, underline, italic);
    }
    return font != nullptr ? m_manager->GetFontInfoByHandle(font) : CurrentFont();
}

void CFormattedText::PushFont(FontInfoUI* font)
{
    // Pushed even when it equals the current font, so that every closing tag pops its own.
    m_state.fonts.Add(font);
    SelectCurrentFont();
    RaiseLineHeight(ParagraphSpacing() + FontLineHeight(font));
}

void CFormattedText::PopFont()
{
    if (m_state.fonts.IsEmpty()) return;
    FontInfoUI* popped = CurrentFont();
    Pop(m_state.fonts);
    if (popped->italic && !CurrentFont()->italic) {
        // Italic glyphs lean past their cell; half the blank's trailing bearing makes room.
        ABC abc = {};
        if (::GetCharABCWidthsW(m_dc, L' ', L' ', &abc)) m_x += abc.abcC / 2;
    }
    SelectCurrentFont();
}

void CFormattedText::SelectCurrentFont()
{
    ::SelectObject(m_dc, CurrentFont()->font.get());
}

void CFormattedText::SelectCurrentColor()
{
    const DWORD color = m_state.colors.IsEmpty() ? m_color : static_cast<DWORD>(FromSlot(Top(m_state.colors)));
    ::SetTextColor(m_dc, ArgbToColorRef(color));
}

void CFormattedText::SelectBackground()
{
    ::SetBkMode(m_dc, m_drawing && m_state.selected ? OPAQUE : TRANSPARENT);
}

void CFormattedText::RaiseLineHeight(int height)
{
    // The drawing pass keeps the height its measuring pass found.
    if (!m_drawPass) m_lineHeight = std::max(m_lineHeight, height);
}

} // namespace VarnUI
