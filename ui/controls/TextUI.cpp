#include "ui/controls/TextUI.h"

#include "ui/manager/ManagerUI.h"
#include "ui/render/Renderer.h"

namespace VarnUI {
namespace {

const wchar_t* const kHandCursor = MAKEINTRESOURCEW(32649);  // IDC_HAND

} // namespace

CTextUI::CTextUI()
{
    m_textStyle = DT_WORDBREAK;
    m_textPadding = CUIRect(2, 0, 2, 0);
}

CTextUI::~CTextUI() = default;

const wchar_t* CTextUI::GetClassName() const
{
    return L"Text";
}

void* CTextUI::GetInterface(const wchar_t* name)
{
    if (CUIString(name) == L"Text") return this;
    return CLabelUI::GetInterface(name);
}

UINT CTextUI::QueryControlFlags() const
{
    return IsEnabled() && m_linkCount > 0 ? CTLFLAG_SETCURSOR : 0;
}

const CUIString* CTextUI::GetLinkContent(int index) const
{
    if (index < 0 || index >= m_linkCount) return nullptr;
    return &m_linkNames[index];
}

RECT CTextUI::GetLinkRect(int index) const
{
    if (index < 0 || index >= m_linkCount) return {0, 0, 0, 0};
    return m_links[index];
}

int CTextUI::LinkAt(POINT pt) const
{
    for (int i = 0; i < m_linkCount; ++i) {
        if (::PtInRect(&m_links[i], pt)) return i;
    }
    return -1;
}

void CTextUI::HandleEvent(EventUI& event)
{
    if (ForwardMouseEventIfOff(event)) return;
    switch (event.type) {
    case EVT_SETCURSOR:
        if (LinkAt(event.mouse) >= 0) {
            ::SetCursor(::LoadCursorW(nullptr, kHandCursor));
            return;
        }
        break;
    case EVT_BUTTONDOWN:
    case EVT_DBLCLICK:
        if ((event.type == EVT_BUTTONDOWN || IsEnabled()) && LinkAt(event.mouse) >= 0) {
            Invalidate();
            return;
        }
        break;
    case EVT_BUTTONUP:
        if (IsEnabled()) {
            const int link = LinkAt(event.mouse);
            if (link >= 0) {
                if (m_manager != nullptr) m_manager->SendNotify(this, L"link", static_cast<WPARAM>(link));
                return;
            }
        }
        break;
    case EVT_CONTEXTMENU:
        return;
    case EVT_MOUSEMOVE:
        if (m_linkCount > 0 && IsEnabled()) {
            const int link = LinkAt(event.mouse);
            if (link != m_hoverLink) {
                m_hoverLink = link;
                Invalidate();
            }
            return;
        }
        break;
    case EVT_MOUSELEAVE:
        if (m_linkCount > 0 && IsEnabled() && m_hoverLink >= 0) {
            if (m_hoverLink < m_linkCount && ::PtInRect(&m_links[m_hoverLink], event.mouse)) {
                if (m_manager != nullptr) m_manager->AddMouseLeaveListener(this);
                return;
            }
            m_hoverLink = -1;
            Invalidate();
            if (m_manager != nullptr) m_manager->RemoveMouseLeaveListener(this);
            return;
        }
        break;
    default:
        break;
    }
    CLabelUI::HandleEvent(event);
}

void CTextUI::PaintText(HDC dc)
{
    if (m_text.IsEmpty()) {
        m_linkCount = 0;
        return;
    }
    ResolveDefaultColors();
    RECT rc = GetTextRect();
    const DWORD color = IsEnabled() ? m_textColor : m_disabledTextColor;
    if (m_showHtml) {
        // Links count only when the layout really ran and filled the slots.
        m_linkCount = 0;
        if (m_manager == nullptr || ::IsRectEmpty(&rc)) return;
        int count = kMaxLinks;
        CRenderer::DrawFormattedText(dc, m_manager, rc, m_text.GetData(), color, m_links, m_linkNames, count, m_font,
                                     m_textStyle);
        m_linkCount = count < 0 ? 0 : (count > kMaxLinks ? kMaxLinks : count);
    } else {
        // Plain text has no links; rectangles left from an earlier formatted text must not count.
        m_linkCount = 0;
        CRenderer::DrawText(dc, m_manager, rc, m_text.GetData(), color, m_font, m_textStyle);
    }
}

} // namespace VarnUI
