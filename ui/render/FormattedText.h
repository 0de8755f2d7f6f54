// CFormattedText: lays out and draws one formatted text (the markup of FormattedTextTokens.h)
// in a rectangle of the device context's logical coordinates. Each line is laid out twice
// when drawing: a measuring pass finds its height and width, then the drawing pass repeats
// it with the line's alignment offset. The object borrows the device context, the manager
// (fonts, images, colours) and the caller's link arrays; it restores the device context's
// font, colours and background mode when it is destroyed.
#pragma once

#include "ui/base/UIPtrArray.h"
#include "ui/base/UIString.h"
#include "ui/base/UIValArray.h"
#include "ui/manager/ManagerTypes.h"

#include <windows.h>

namespace VarnUI {

class CManagerUI;

class CFormattedText {
public:
    // links and linkNames have linkCapacity slots (both may be null when it is 0).
    CFormattedText(HDC dc, CManagerUI* manager, DWORD color, int font, UINT style, RECT* links, CUIString* linkNames,
                   int linkCapacity);
    CFormattedText(const CFormattedText&) = delete;
    CFormattedText& operator=(const CFormattedText&) = delete;
    ~CFormattedText();

    // Lays text out in rc and draws it unless DT_CALCRECT is set; then rc receives the size
    // needed. hovered names the link under the mouse (null for none). Returns the number of
    // link rectangles laid out.
    int Run(const wchar_t* text, RECT& rc, const CUIString* hovered);

    // Exact text measurements made so far by every instance (for benchmarks).
    static unsigned long MeasurementCount();

private:
    enum class TagResult { Continue, EndLineAfter, EndLineBefore };

    // Everything a line's measuring pass changes and its drawing pass must start from again.
    struct LineStart {
        CUIPtrArray fonts{10};
        CUIPtrArray colors{10};
        CUIPtrArray spacings{10};
        CUIPtrArray aligns{10};
        bool raw = false;
        bool selected = false;
        bool inLink = false;
        const wchar_t* position = nullptr;
        int linkCount = 0;
        CUIString linkName;
    };
    // What fitting one run gave; the drawing pass replays the measuring pass's fits.
    struct Fit {
        int kept;
        int width;
        bool ellipsis;
    };
    struct LineResult {
        int height = 0;
        int width = 0;
        const wchar_t* end = nullptr;
        bool textEnded = false;
    };

    LineResult Line(int top, int measuredHeight, int offset, const wchar_t* stopAt);
    void EndLine();
    void SaveLine(LineStart& state) const;
    void RestoreLine(const LineStart& state);

    TagResult ApplyTag(wchar_t letter, const wchar_t* argument, int length);
    TagResult ApplyClosingTag(wchar_t letter);
    TagResult PlaceImage(const wchar_t* argument, int length);
    void StartLink(const wchar_t* argument, int length);
    void EndLink();
    // Returns the characters consumed; sets lineEnded when the line ends after them.
    int PlaceText(const wchar_t* text, int count, bool& lineEnded);
    void PlaceBlank();
    int FitCount(const wchar_t* text, int count, int& width, bool& ellipsis);
    int MeasureFit(const wchar_t* text, int count, int& width, bool& ellipsis);

    FontInfoUI* CurrentFont() const;
    const TEXTMETRICW& Metrics(FontInfoUI* font) const;
    int FontLineHeight(FontInfoUI* font) const;
    int TextTop(FontInfoUI* font) const;
    int ParagraphSpacing() const;
    int VerticalAlign() const;
    FontInfoUI* Variant(bool bold, bool underline, bool italic);
    FontInfoUI* FontFromArgument(const wchar_t* argument, int length);
    void PushFont(FontInfoUI* font);
    void PopFont();
    void SelectCurrentFont();
    void SelectCurrentColor();
    void SelectBackground();
    void RaiseLineHeight(int height);
    int MeasureWidth(const wchar_t* text, int count);

    HDC m_dc;
    CManagerUI* m_manager;
    DWORD m_color;
    UINT m_style;
    RECT* m_links;
    CUIString* m_linkNames;
    int m_linkCapacity;
    FontInfoUI* m_baseFont;
    bool m_drawing;
    bool m_singleLine;

    // Saved device context state.
    HGDIOBJ m_oldFont = nullptr;
    COLORREF m_oldTextColor = CLR_INVALID;
    COLORREF m_oldBkColor = CLR_INVALID;
    int m_oldBkMode = 0;

    // Layout state.
    LineStart m_state;
    const wchar_t* m_text = nullptr;
    RECT m_rc = {0, 0, 0, 0};
    int m_left = 0;
    int m_right = 0;
    int m_x = 0;
    int m_lineStartX = 0;
    int m_lineTop = 0;
    int m_lineHeight = 0;
    int m_widest = 0;
    int m_lowestImage = 0;
    bool m_drawPass = false;
    int m_lineFirstLink = 0;
    POINT m_linkStart = {0, 0};
    const CUIString* m_hovered = nullptr;
    CUIValArray m_fits{sizeof(Fit), 16};
    int m_nextFit = 0;
    // The width of a blank in the font last asked for.
    FontInfoUI* m_blankFont = nullptr;
    int m_blankWidth = 0;
};

} // namespace VarnUI
