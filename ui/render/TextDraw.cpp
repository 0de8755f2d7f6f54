// CRenderer: plain text, text measuring and the entry of formatted text.
#include "ui/render/Renderer.h"

#include "ui/base/AttributeValues.h"
#include "ui/manager/ManagerUI.h"
#include "ui/render/FormattedText.h"
#include "ui/render/GdiHandles.h"

namespace VarnUI {
namespace {

constexpr UINT kBlockAlignment = DT_CENTER | DT_RIGHT | DT_VCENTER | DT_BOTTOM;

// The name of the first incoming link rectangle under the mouse, if any.
bool FindHoveredLink(CManagerUI* manager, const RECT* links, const CUIString* names, int count, CUIString& name)
{
    if (links == nullptr || names == nullptr) return false;
    const POINT mouse = manager->GetMousePos();
    for (int i = 0; i < count; ++i) {
        if (::PtInRect(&links[i], mouse)) {
            name = names[i];
            return true;
        }
    }
    return false;
}

// Moves the rectangle onto the block the text needs, measured beforehand.
void AlignBlock(HDC dc, CManagerUI* manager, const CUIString& text, DWORD color, int font, UINT style, RECT& rc)
{
    const bool singleLine = (style & DT_SINGLELINE) != 0;
    RECT needed = singleLine ? RECT{0, 0, 9999, 100} : RECT{0, 0, rc.right - rc.left, rc.bottom - rc.top};
    {
        CFormattedText measure(dc, manager, color, font, style | DT_CALCRECT, nullptr, nullptr, 0);
        measure.Run(text.GetData(), needed, nullptr);
    }
    const int textWidth = needed.right - needed.left;
    const int textHeight = needed.bottom - needed.top;
    if (singleLine && (style & DT_CENTER) != 0) {
        rc.left += (rc.right - rc.left) / 2 - textWidth / 2;
        rc.right = rc.left + textWidth;
    } else if (singleLine && (style & DT_RIGHT) != 0) {
        rc.left = rc.right - textWidth;
    }
    if ((style & DT_VCENTER) != 0) {
        rc.top += (rc.bottom - rc.top) / 2 - textHeight / 2;
        rc.bottom = rc.top + textHeight;
    } else if ((style & DT_BOTTOM) != 0) {
        rc.top = rc.bottom - textHeight;
    }
}

} // namespace

void CRenderer::DrawText(HDC dc, CManagerUI* manager, RECT& rc, const wchar_t* text, DWORD color, int font,
                         UINT style)
{
    if (dc == nullptr || manager == nullptr || text == nullptr) return;
    CUIString expanded(text);
    CManagerUI::ExpandLanguageTokens(expanded);
    const int oldMode = ::SetBkMode(dc, TRANSPARENT);
    const COLORREF oldColor = ::SetTextColor(dc, ArgbToColorRef(color));
    {
        CSelectScope selected(dc, manager->GetFont(font));
        // DT_MODIFYSTRING would let the platform write past the end of the copy.
        ::DrawTextW(dc, expanded.GetData(), -1, &rc, (style & ~static_cast<UINT>(DT_MODIFYSTRING)) | DT_NOPREFIX);
    }
    if (oldColor != CLR_INVALID) ::SetTextColor(dc, oldColor);
    if (oldMode != 0) ::SetBkMode(dc, oldMode);
}

SIZE CRenderer::MeasureText(HDC dc, CManagerUI* manager, const wchar_t* text, int font)
{
    SIZE size = {0, 0};
    if (manager == nullptr || text == nullptr) return size;
    if (dc == nullptr) dc = manager->GetPaintDC();
    if (dc == nullptr) return size;
    CUIString expanded(text);
    CManagerUI::ExpandLanguageTokens(expanded);
    CSelectScope selected(dc, manager->GetFont(font));
    ::GetTextExtentPoint32W(dc, expanded.GetData(), expanded.GetLength(), &size);
    return size;
}

void CRenderer::DrawFormattedText(HDC dc, CManagerUI* manager, RECT& rc, const wchar_t* text, DWORD color,
                                  RECT* links, CUIString* linkNames, int& linkCount, int font, UINT style)
{
    if (manager == nullptr || text == nullptr || ::IsRectEmpty(&rc)) return;
    if (dc == nullptr) dc = manager->GetPaintDC();
    if (dc == nullptr) return;
    const bool drawing = (style & DT_CALCRECT) == 0;
    CUIString expanded(text);
    CManagerUI::ExpandLanguageTokens(expanded);

    RECT area = rc;
    if (drawing && (style & kBlockAlignment) != 0) AlignBlock(dc, manager, expanded, color, font, style, area);
    CUIString hovered;
    const bool hasHovered = FindHoveredLink(manager, links, linkNames, linkCount, hovered);

    CClipRecord clip;
    if (drawing) clip.Begin(dc, rc);
    CFormattedText layout(dc, manager, color, font, style, links, linkNames, linkCount);
    linkCount = layout.Run(expanded.GetData(), area, hasHovered ? &hovered : nullptr);
    if (!drawing) rc = area;
}

void CRenderer::DrawFormattedText(HDC dc, CManagerUI* manager, RECT& rc, const wchar_t* text, DWORD color, int font,
                                  UINT style)
{
    int none = 0;
    DrawFormattedText(dc, manager, rc, text, color, nullptr, nullptr, none, font, style);
}

} // namespace VarnUI
