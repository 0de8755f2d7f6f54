// The window's display scale: skin lengths scaled to it, everything the manager and the tree
// keep in pixels brought to a new DPI, and fonts made for it (shared fonts made for another
// DPI get a copy of the window's own).
#include "ui/manager/ManagerUI.h"

#include "ui/controls/ControlUI.h"
#include "ui/manager/ManagerShared.h"

namespace VarnUI {
namespace {

bool SameFont(const FontInfoUI& a, const FontInfoUI& b)
{
    return a.faceName == b.faceName && a.size == b.size && a.bold == b.bold && a.underline == b.underline &&
           a.italic == b.italic;
}

} // namespace

// A shared font as this window draws it. The shared record may be replaced or changed later
// (a new font under its id), so the copy also remembers what it was made from.
struct CManagerUI::DpiFontCopy {
    const FontInfoUI* shared;
    FontInfoUI copy;
};

int CManagerUI::Scale(int value) const
{
    return ScaleToDpi(value, m_dpi);
}

RECT CManagerUI::Scale(const RECT& rc) const
{
    return ScaleToDpi(rc, m_dpi);
}

SIZE CManagerUI::Scale(const SIZE& size) const
{
    return ScaleToDpi(size, m_dpi);
}

void CManagerUI::SetDpi(int dpi)
{
    if (dpi <= 0 || dpi == m_dpi) return;
    const int from = m_dpi;
    m_dpi = dpi;
    RescaleEach(from, dpi, m_initSize, m_sizeBox, m_caption, m_roundCorner, m_minTrack, m_maxTrack, m_layeredInset);
    if (m_tooltipWidth > 0) SetTooltipWidth(RescaleDpi(m_tooltipWidth, from, dpi));

    RebuildOwnFonts();
    ReleaseDpiCopies();
    // Images follow when they are next drawn: each draw record and image knows its DPI.
    ReleaseOffscreen();
    m_layeredChanged = true;
    if (m_root != nullptr) {
        m_root->SetDpi(dpi);
        m_root->RequestLayout();
    }
    RequestLayout();
    if (m_paintWindow != nullptr) Invalidate();
}

void CManagerUI::OnDpiChanged(WPARAM wParam, const RECT* suggested)
{
    SetDpi(LOWORD(wParam));
    if (suggested == nullptr) return;
    ::SetWindowPos(m_paintWindow, nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                   suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
}

void CManagerUI::RebuildOwnFonts()
{
    auto rebuild = [this](FontInfoUI& info) {
        if (info.faceName.IsEmpty() || info.dpi == m_dpi) return;
        FontInfoUI built;
        if (BuildFont(info.faceName.GetData(), info.size, info.bold, info.underline, info.italic, built)) {
            // In place: formatted text and the default font lookups hand out these records.
            info = std::move(built);
        }
    };
    ForEachEntry(m_own.fonts, [&](const wchar_t*, void* value) { rebuild(*static_cast<FontInfoUI*>(value)); });
    rebuild(m_own.defaultFont);
}

FontInfoUI* CManagerUI::ForWindowDpi(FontInfoUI* info)
{
    if (info == nullptr || info->dpi == m_dpi) return info;
    for (int i = 0; i < m_dpiFonts.GetSize(); ++i) {
        auto* entry = static_cast<DpiFontCopy*>(m_dpiFonts[i]);
        if (entry->shared != info) continue;
        if (SameFont(entry->copy, *info)) return &entry->copy;
        FontInfoUI built;
        if (!BuildFont(info->faceName.GetData(), info->size, info->bold, info->underline, info->italic, built)) {
            return info;
        }
        entry->copy = std::move(built);
        return &entry->copy;
    }
    auto* entry = new DpiFontCopy{info, FontInfoUI()};
    if (!BuildFont(info->faceName.GetData(), info->size, info->bold, info->underline, info->italic, entry->copy) ||
        !m_dpiFonts.Add(entry)) {
        delete entry;
        return info;
    }
    return &entry->copy;
}

FontInfoUI* CManagerUI::DpiCopyByHandle(HFONT font)
{
    for (int i = 0; i < m_dpiFonts.GetSize(); ++i) {
        auto* entry = static_cast<DpiFontCopy*>(m_dpiFonts[i]);
        if (font != nullptr && entry->copy.font.get() == font) return &entry->copy;
    }
    return nullptr;
}

void CManagerUI::DeleteFont(FontInfoUI* info)
{
    // A window may hold a copy made from a shared record; it goes with the record.
    const CUIPtrArray& managers = Shared().managers;
    for (int i = 0; i < managers.GetSize(); ++i) {
        CUIPtrArray& copies = static_cast<CManagerUI*>(managers[i])->m_dpiFonts;
        for (int j = copies.GetSize() - 1; j >= 0; --j) {
            auto* entry = static_cast<DpiFontCopy*>(copies[j]);
            if (entry->shared != info) continue;
            delete entry;
            copies.Remove(j);
        }
    }
    delete info;
}

void CManagerUI::ReleaseDpiCopies()
{
    for (int i = 0; i < m_dpiFonts.GetSize(); ++i) delete static_cast<DpiFontCopy*>(m_dpiFonts[i]);
    m_dpiFonts.Empty();
}

} // namespace VarnUI
