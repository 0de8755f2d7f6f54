// CRenderer: 32-bit bitmaps, captures of painted controls, and clipping.
#include "ui/render/Renderer.h"

#include "ui/controls/ControlUI.h"
#include "ui/manager/ManagerUI.h"
#include "ui/render/GdiHandles.h"
#include "ui/render/PixelBuffer.h"

namespace VarnUI {
namespace {

// Paints root (window coordinates) into a compatible bitmap whose origin is rc's top-left,
// then copies it into a new bottom-up 32-bit bitmap the caller owns.
HBITMAP PaintIntoBitmap(CManagerUI* manager, CControlUI* root, const RECT& rc, CControlUI* stopControl)
{
    const int width = rc.right - rc.left;
    const int height = rc.bottom - rc.top;
    const HDC paintDC = manager->GetPaintDC();
    CMemoryDC canvas(::CreateCompatibleDC(paintDC));
    if (!canvas) return nullptr;
    CGdiBitmap canvasBitmap(paintDC != nullptr ? ::CreateCompatibleBitmap(paintDC, width, height)
                                               : CPixelBuffer::CreateDib(canvas.get(), width, height, false, nullptr));
    if (!canvasBitmap) return nullptr;
    CSelectScope selected(canvas.get(), canvasBitmap.get());
    if (!selected) return nullptr;
    // The canvas covers only rc: moving the origin lets the control paint in window coordinates.
    ::SetWindowOrgEx(canvas.get(), rc.left, rc.top, nullptr);
    root->Paint(canvas.get(), rc, stopControl);
    ::SetWindowOrgEx(canvas.get(), 0, 0, nullptr);

    CPixelBuffer result;
    if (!result.Create(canvas.get(), width, height, true)) return nullptr;
    ::BitBlt(result.GetDC(), 0, 0, width, height, canvas.get(), 0, 0, SRCCOPY);
    return result.DetachBitmap();
}

} // namespace

HBITMAP CRenderer::CreateARGB32Bitmap(HDC dc, int width, int height, BYTE** bits)
{
    return CPixelBuffer::CreateDib(dc, width, height, true, bits);
}

HBITMAP CRenderer::CaptureControlBitmap(CManagerUI* manager, CControlUI* control, const RECT& rc, DWORD background)
{
    if (manager == nullptr || control == nullptr || rc.right <= rc.left || rc.bottom <= rc.top) return nullptr;
    CGdiBitmap bitmap(PaintIntoBitmap(manager, control, rc, nullptr));
    if (!bitmap) return nullptr;
    if ((background >> 24) != 0) {
        CMemoryDC dc(::CreateCompatibleDC(manager->GetPaintDC()));
        CSelectScope selected(dc.get(), bitmap.get());
        if (selected) DrawColor(dc.get(), RECT{0, 0, rc.right - rc.left, rc.bottom - rc.top}, background);
    }
    ::GdiFlush();
    return bitmap.release();
}

HBITMAP CRenderer::CaptureWindowBitmap(CManagerUI* manager, CControlUI* stopControl)
{
    if (manager == nullptr || manager->GetPaintWindow() == nullptr) return nullptr;
    RECT client;
    if (!::GetClientRect(manager->GetPaintWindow(), &client) || client.right <= 0 || client.bottom <= 0) {
        return nullptr;
    }
    const HDC offscreen = manager->GetOffscreenDC();
    if (stopControl == nullptr && !manager->IsLayered() && offscreen != nullptr && manager->GetOffscreenBitmap() != nullptr) {
        CPixelBuffer copy;
        if (!copy.Create(offscreen, client.right, client.bottom, true)) return nullptr;
        // The off-screen DC keeps its bitmap only while painting; select it for the copy.
        CSelectScope selected(offscreen, manager->GetOffscreenBitmap());
        ::BitBlt(copy.GetDC(), 0, 0, client.right, client.bottom, offscreen, 0, 0, SRCCOPY);
        selected.reset();
        ::GdiFlush();
        return copy.DetachBitmap();
    }
    if (manager->GetRoot() == nullptr) return nullptr;
    HBITMAP bitmap = PaintIntoBitmap(manager, manager->GetRoot(), client, stopControl);
    ::GdiFlush();
    return bitmap;
}

void CRenderer::BeginClip(HDC dc, const RECT& rc, CClipRecord& clip)
{
    clip.Begin(dc, rc);
}

void CRenderer::BeginRoundClip(HDC dc, const RECT& rc, const RECT& round, int ellipseWidth, int ellipseHeight,
                               CClipRecord& clip)
{
    clip.BeginRound(dc, rc, round, ellipseWidth, ellipseHeight);
}

} // namespace VarnUI
