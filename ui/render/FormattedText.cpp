// CFormattedText: the line engine (lines, passes, text runs and links). Tags are in
// FormattedTextTags.cpp.
#include "ui/render/FormattedText.h"

#include "ui/base/AttributeValues.h"
#include "ui/manager/ManagerUI.h"
#include "ui/render/FormattedTextTokens.h"

#include <algorithm>
#include <atomic>
#include <memory>
#include <new>

namespace VarnUI {
namespace {

std::atomic<unsigned long> g_measurements{0};

bool IsAsciiLetter(wchar_t ch)
{
    return (ch >= L'a' && ch <= L'z') || (ch >= L'A' && ch <= L'Z');
}

// Characters of the run up to and including its last break opportunity (a character that is
// not an ASCII letter), or 0 when it has none.
int LastBreak(const wchar_t* text, int count)
{
    for (int i = count; i > 0; --i) {
        if (!IsAsciiLetter(text[i - 1])) return i;
    }
    return 0;
}

} // namespace

CFormattedText::CFormattedText(HDC dc, CManagerUI* manager, DWORD color, int font, UINT style, RECT* links,
                               CUIString* linkNames, int linkCapacity)
    : m_dc(dc), m_manager(manager), m_color(color), m_style(style), m_links(links), m_linkNames(linkNames),
      m_linkCapacity(links != nullptr && linkNames != nullptr ? std::max(0, linkCapacity) : 0),
      m_baseFont(manager->GetFontInfo(font)), m_drawing((style & DT_CALCRECT) == 0),
      m_singleLine((style & DT_SINGLELINE) != 0)
{
    m_oldFont = ::SelectObject(m_dc, m_baseFont->font.get());
    m_oldTextColor = ::SetTextColor(m_dc, ArgbToColorRef(color));
    m_oldBkColor = ::SetBkColor(m_dc, ArgbToColorRef(manager->GetDefaultSelectedBkColor()));
    m_oldBkMode = ::SetBkMode(m_dc, TRANSPARENT);
}

CFormattedText::~CFormattedText()
{
    if (m_oldFont != nullptr && m_oldFont != HGDI_ERROR) ::SelectObject(m_dc, m_oldFont);
    if (m_oldTextColor != CLR_INVALID) ::SetTextColor(m_dc, m_oldTextColor);
    if (m_oldBkColor != CLR_INVALID) ::SetBkColor(m_dc, m_oldBkColor);
    if (m_oldBkMode != 0) ::SetBkMode(m_dc, m_oldBkMode);
}

unsigned long CFormattedText::MeasurementCount()
{
    return g_measurements;
}

int CFormattedText::Run(const wchar_t* text, RECT& rc, const CUIString* hovered)
{
    m_text = text;
    m_rc = rc;
    m_hovered = hovered;
    m_state.position = text;
    m_widest = rc.left;
    int y = rc.top;
    int lastHeight = 0;
    while (rc.left < rc.right) {
        LineStart start;
        SaveLine(start);
        const LineResult measured = Line(y, 0, 0, nullptr);
        if (m_drawing) {
            RestoreLine(start);
            const int room = rc.right - rc.left;
            int offset = 0;
            if (!m_singleLine && (m_style & DT_CENTER) != 0) offset = (room - measured.width) / 2;
            else if (!m_singleLine && (m_style & DT_RIGHT) != 0) offset = room - measured.width;
            Line(y, measured.height, offset, measured.end);
        }
        lastHeight = measured.height;
        // A line that consumed nothing would come back forever (a character wider than the
        // whole rectangle, shortened away by the ellipsis).
        if (measured.textEnded || m_singleLine || measured.end == start.position) break;
        y += measured.height;
        if (m_drawing && y > rc.bottom) break;
    }
    if (!m_drawing) {
        rc.bottom = std::max(y + lastHeight, m_lowestImage);
        rc.right = std::min<LONG>(rc.right, m_widest);
    }
    return m_state.linkCount;
}

CFormattedText::LineResult CFormattedText::Line(int top, int measuredHeight, int offset, const wchar_t* stopAt)
{
    m_drawPass = stopAt != nullptr;
    // The drawing pass moves the whole line, edges included, so it repeats every decision of
    // the measuring pass exactly.
    m_left = m_rc.left + offset;
    m_right = m_rc.right + offset;
    m_x = m_left;
    m_lineStartX = m_left;
    m_lineTop = top;
    m_lineHeight = m_drawPass ? measuredHeight : ParagraphSpacing() + FontLineHeight(CurrentFont());
    m_lineFirstLink = m_state.linkCount;
    if (!m_drawPass) m_fits.Empty();
    m_nextFit = 0;
    SelectCurrentFont();
    SelectCurrentColor();
    SelectBackground();
    if (m_state.inLink) {
        m_linkStart = {m_x, m_lineTop};
        if (m_state.linkCount < m_linkCapacity) m_linkNames[m_state.linkCount] = m_state.linkName;
    }

    LineResult result;
    const wchar_t*& p = m_state.position;
    for (;;) {
        if (*p == L'\0') {
            result.textEnded = true;
            break;
        }
        // The drawing pass ends where the measuring pass did; a run there that the ellipsis
        // emptied still has its dots to draw (its fit is the one not replayed yet).
        if (stopAt != nullptr && p >= stopAt && !(p == stopAt && m_nextFit < m_fits.GetSize())) break;
        const FmtToken token = ReadFmtToken(p, m_state.raw);
        if (m_x >= m_right) {
            // A full line still takes the tags and the line feed that follow it; otherwise
            // they would open an empty line of their own. Tags that place something end the
            // line themselves when it has no room.
            if (token.kind == FmtTokenKind::LineFeed) p += token.length;
            if (token.kind != FmtTokenKind::Tag && token.kind != FmtTokenKind::ClosingTag &&
                token.kind != FmtTokenKind::RawEnd) {
                break;
            }
        }
        bool lineEnded = false;
        switch (token.kind) {
        case FmtTokenKind::End:
            break;
        case FmtTokenKind::LineFeed:
            p += token.length;
            lineEnded = true;
            break;
        case FmtTokenKind::RawEnd:
            m_state.raw = false;
            p += token.length;
            break;
        case FmtTokenKind::Tag:
        case FmtTokenKind::ClosingTag: {
            const TagResult tag = token.kind == FmtTokenKind::Tag
                                      ? ApplyTag(token.letter, token.argument, token.argumentLength)
                                      : ApplyClosingTag(token.letter);
            if (tag != TagResult::EndLineBefore) p += token.length;
            lineEnded = tag != TagResult::Continue;
            break;
        }
        case FmtTokenKind::Blank:
            PlaceBlank();
            p += token.length;
            break;
        case FmtTokenKind::Escape:
            if (PlaceText(&token.character, 1, lineEnded) == 1) p += token.length;
            break;
        case FmtTokenKind::Text:
            p += PlaceText(p, token.length, lineEnded);
            break;
        }
        if (lineEnded) break;
    }
    EndLine();
    result.height = m_lineHeight;
    result.width = m_x - m_lineStartX;
    result.end = p;
    return result;
}

// Closes a link that runs past the line end (it goes on as a new rectangle on the next line)
// and gives every link rectangle of the line the line's bottom.
void CFormattedText::EndLine()
{
    const int bottom = m_lineTop + m_lineHeight;
    if (m_state.inLink && m_state.linkCount < m_linkCapacity) {
        m_links[m_state.linkCount] = {m_linkStart.x, m_linkStart.y, std::min(m_x, m_right), bottom};
        ++m_state.linkCount;
    }
    for (int i = m_lineFirstLink; i < m_state.linkCount; ++i) m_links[i].bottom = bottom;
    m_widest = std::max(m_widest, m_x);
}

void CFormattedText::SaveLine(LineStart& state) const
{
    state = m_state;
}

void CFormattedText::RestoreLine(const LineStart& state)
{
    m_state = state;
}

int CFormattedText::MeasureWidth(const wchar_t* text, int count)
{
    SIZE size = {0, 0};
    ++g_measurements;
    ::GetTextExtentPoint32W(m_dc, text, count, &size);
    return size.cx;
}

void CFormattedText::PlaceBlank()
{
    FontInfoUI* font = CurrentFont();
    if (font != m_blankFont) {
        m_blankWidth = MeasureWidth(L" ", 1);
        m_blankFont = font;
    }
    const int width = m_blankWidth;
    // Drawn even though it shows nothing: an underline or a selection must not have gaps.
    if (m_drawPass) ::TextOutW(m_dc, m_x, TextTop(font), L" ", 1);
    m_x += width;
}

// The drawing pass goes over the same runs with the same room as the measuring pass before
// it, so it takes the fits recorded there instead of measuring again.
int CFormattedText::FitCount(const wchar_t* text, int count, int& width, bool& ellipsis)
{
    if (m_drawPass && m_nextFit < m_fits.GetSize()) {
        const Fit* fit = static_cast<const Fit*>(m_fits.GetAt(m_nextFit++));
        width = fit->width;
        ellipsis = fit->ellipsis;
        return fit->kept;
    }
    const int kept = MeasureFit(text, count, width, ellipsis);
    if (!m_drawPass && m_drawing) {
        const Fit fit = {kept, width, ellipsis};
        m_fits.Add(&fit);
    }
    return kept;
}

// How many characters of the run go on this line, and their width. The width is estimated
// with the font's widest character first; only a run that may reach the right edge is
// measured character by character (in one call).
int CFormattedText::MeasureFit(const wchar_t* text, int count, int& width, bool& ellipsis)
{
    ellipsis = false;
    const int room = m_right - m_x;
    const long long estimate = static_cast<long long>(count) * Metrics(CurrentFont()).tmMaxCharWidth;
    if (estimate < room) {
        width = MeasureWidth(text, count);
        if (width <= room) return count;
    }
    int stackExtents[256];
    std::unique_ptr<int[]> heapExtents;
    int* extents = stackExtents;
    if (count > 256) {
        heapExtents.reset(new (std::nothrow) int[count]);
        if (!heapExtents) return 0;
        extents = heapExtents.get();
    }
    int fit = 0;
    SIZE size = {0, 0};
    ++g_measurements;
    if (!::GetTextExtentExPointW(m_dc, text, count, std::max(room, 0), &fit, extents, &size)) fit = 0;
    fit = std::min(std::max(fit, 0), count);
    if (fit == count) {
        width = count > 0 ? extents[count - 1] : 0;
        return count;
    }

    // Characters go on one by one; the one that no longer fits is dropped unless it is the
    // only one, which stays (the text could never move on otherwise). Without a break
    // opportunity in what fits, a word-broken run is cut there all the same.
    int kept = fit > 0 ? fit : 1;
    if ((m_style & DT_WORDBREAK) != 0) {
        const int cut = LastBreak(text, kept);
        if (cut > 0) kept = cut;
    }
    if ((m_style & DT_END_ELLIPSIS) != 0) {
        kept -= kept >= 2 ? 2 : 1;
        ellipsis = true;
    }
    if (kept == 0) width = 0;
    else if (kept <= fit) width = extents[kept - 1];
    else width = MeasureWidth(text, kept);
    return kept;
}

int CFormattedText::PlaceText(const wchar_t* text, int count, bool& lineEnded)
{
    int width = 0;
    bool ellipsis = false;
    const int kept = FitCount(text, count, width, ellipsis);
    lineEnded = kept < count;
    FontInfoUI* font = CurrentFont();
    const int y = TextTop(font);
    if (m_drawPass && kept > 0) ::TextOutW(m_dc, m_x, y, text, kept);
    if (ellipsis) {
        if (m_drawPass) ::TextOutW(m_dc, m_x + width, y, L"...", 3);
        m_x = m_right;
    } else {
        m_x += width;
    }
    return kept;
}

} // namespace VarnUI
