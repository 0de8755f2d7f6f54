// CClipRecord: a temporary clip region on a device context, set by CRenderer::BeginClip or
// BeginRoundClip. Ending the record (End or destruction) puts back exactly the clip that was
// in force before, including "no clip at all". Regions are held in device coordinates.
#pragma once

#include "ui/render/GdiHandles.h"

#include <windows.h>

namespace VarnUI {

class CClipRecord {
public:
    CClipRecord() = default;
    CClipRecord(const CClipRecord&) = delete;
    CClipRecord& operator=(const CClipRecord&) = delete;
    ~CClipRecord() { End(); }

    // Intersects the device context's clip with rc (logical coordinates), optionally also
    // with a round rectangle. A record that is still active is ended first.
    void Begin(HDC dc, const RECT& rc);
    void BeginRound(HDC dc, const RECT& rc, const RECT& round, int ellipseWidth, int ellipseHeight);
    // Selects the previous clip back and frees both regions.
    void End();
    // Selects the previous clip for a moment, and the new one again.
    void Suspend();
    void Resume();

    bool IsActive() const { return m_dc != nullptr; }
    const RECT& GetRect() const { return m_rect; }

private:
    void Start(HDC dc, const RECT& rc, HRGN extra);
    void SelectOld();

    RECT m_rect = {0, 0, 0, 0};
    HDC m_dc = nullptr;
    CGdiRegion m_newRegion;
    // Null when the device context had no clip region before.
    CGdiRegion m_oldRegion;
};

} // namespace VarnUI
