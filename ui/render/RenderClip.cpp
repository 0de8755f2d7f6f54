#include "ui/render/RenderClip.h"

#include <utility>

namespace VarnUI {

void CClipRecord::Begin(HDC dc, const RECT& rc)
{
    Start(dc, rc, nullptr);
}

void CClipRecord::BeginRound(HDC dc, const RECT& rc, const RECT& round, int ellipseWidth, int ellipseHeight)
{
    RECT device = round;
    if (dc != nullptr) ::LPtoDP(dc, reinterpret_cast<POINT*>(&device), 2);
    CGdiRegion rounded(::CreateRoundRectRgn(device.left, device.top, device.right + 1, device.bottom + 1,
                                            ellipseWidth, ellipseHeight));
    if (!rounded) return;
    Start(dc, rc, rounded.get());
}

// The previous clip is kept as the region itself (not its bounding box), so an irregular
// clip, or none at all, comes back exactly. Regions are in device coordinates, as the
// platform's clip calls expect, so the rectangle is converted from logical ones.
void CClipRecord::Start(HDC dc, const RECT& rc, HRGN extra)
{
    End();
    if (dc == nullptr) return;
    CGdiRegion old(::CreateRectRgn(0, 0, 0, 0));
    if (!old) return;
    const int hadClip = ::GetClipRgn(dc, old.get());
    if (hadClip < 0) return;
    if (hadClip == 0) old.reset();

    RECT device = rc;
    ::LPtoDP(dc, reinterpret_cast<POINT*>(&device), 2);
    CGdiRegion fresh(::CreateRectRgnIndirect(&device));
    if (!fresh) return;
    if (extra != nullptr) ::CombineRgn(fresh.get(), fresh.get(), extra, RGN_AND);
    if (old) ::CombineRgn(fresh.get(), fresh.get(), old.get(), RGN_AND);
    ::SelectClipRgn(dc, fresh.get());

    m_rect = rc;
    m_dc = dc;
    m_newRegion = std::move(fresh);
    m_oldRegion = std::move(old);
}

void CClipRecord::End()
{
    if (m_dc == nullptr) return;
    SelectOld();
    m_newRegion.reset();
    m_oldRegion.reset();
    m_dc = nullptr;
}

void CClipRecord::Suspend()
{
    if (m_dc != nullptr) SelectOld();
}

void CClipRecord::Resume()
{
    if (m_dc != nullptr) ::SelectClipRgn(m_dc, m_newRegion.get());
}

void CClipRecord::SelectOld()
{
    // A null region removes the clip: the device context had none before.
    ::SelectClipRgn(m_dc, m_oldRegion.get());
}

} // namespace VarnUI
