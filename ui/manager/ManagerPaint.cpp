// WM_PAINT: layout before painting, the first-layout notification, and painting the tree
// through the off-screen bitmap, straight into the window, or into a per-pixel layered
// window. Off-screen DIB sections are bottom-up, so row y of the client lies at height-1-y.
#include "ui/manager/ManagerUI.h"

#include "ui/base/RunOnce.h"
#include "ui/base/SystemLibrary.h"
#include "ui/controls/ControlUI.h"
#include "ui/manager/ManagerShared.h"
#include "ui/render/Renderer.h"

#include <cstring>

namespace VarnUI {
namespace {

using UpdateLayeredWindowFn = BOOL(WINAPI*)(HWND, HDC, POINT*, SIZE*, HDC, POINT*, COLORREF, BLENDFUNCTION*,
                                            DWORD);

constexpr DWORD kBlack = 0xFF000000;
constexpr UINT kPrintFlags = PRF_CHECKVISIBLE | PRF_CLIENT | PRF_CHILDREN | PRF_OWNED;

UpdateLayeredWindowFn UpdateLayeredWindowProc()
{
    static INIT_ONCE once = INIT_ONCE_STATIC_INIT;
    static UpdateLayeredWindowFn proc = nullptr;
    const bool found = RunOnce(once, [] {
        return ResolveProc(::GetModuleHandleW(L"User32.dll"), "UpdateLayeredWindow", proc);
    });
    return found ? proc : nullptr;
}

SIZE BitmapSize(HBITMAP bitmap)
{
    BITMAP info = {};
    if (bitmap == nullptr || ::GetObjectW(bitmap, sizeof(info), &info) == 0) return {0, 0};
    return {info.bmWidth, info.bmHeight < 0 ? -info.bmHeight : info.bmHeight};
}

// rc limited to a surface of that size; false when nothing is left.
bool ClampToSurface(RECT& rc, SIZE size)
{
    const RECT surface = {0, 0, size.cx, size.cy};
    return ::IntersectRect(&rc, &rc, &surface) != FALSE;
}

BYTE* PixelAt(BYTE* bits, SIZE size, int x, int y)
{
    return bits + (static_cast<size_t>(size.cy - 1 - y) * size.cx + x) * 4;
}

void ClearPixels(BYTE* bits, SIZE size, RECT rc)
{
    if (bits == nullptr || !ClampToSurface(rc, size)) return;
    ::GdiFlush();
    for (int y = rc.top; y < rc.bottom; ++y) {
        std::memset(PixelAt(bits, size, rc.left, y), 0, static_cast<size_t>(rc.right - rc.left) * 4);
    }
}

CControlUI* CollectNeedingUpdate(CControlUI* control, void* data)
{
    if (!control->IsUpdateNeeded()) return nullptr;
    static_cast<CUIPtrArray*>(data)->Add(control);
    // Answering makes the search skip the control's subtree: placing it lays that out.
    return control;
}

} // namespace

void CManagerUI::OnPaint()
{
    if (m_root == nullptr) {
        PaintBlack();
        return;
    }
    RECT paint = {};
    if (!TakePaintRect(paint)) return;
    LifeGuard guard(*this);
    if (m_focusNeeded) {
        MoveFocusToNext(true);
        if (guard.IsDestroyed()) return;
    }
    m_painting = true;
    if (!LayOutForPaint(guard)) return;

    const bool offscreen = PrepareOffscreen();
    PAINTSTRUCT ps = {};
    ::BeginPaint(m_paintWindow, &ps);
    // Layout may have invalidated more than the rectangle taken before it; BeginPaint
    // validates all of it, so all of it is painted.
    if (!m_layered) ::UnionRect(&paint, &paint, &ps.rcPaint);
    if (m_root != nullptr) {
        if (offscreen) {
            PaintOffscreen(paint, guard);
        } else {
            HDC dc = m_paintDC.get();
            const int saved = ::SaveDC(dc);
            m_root->Paint(dc, paint, nullptr);
            ::RestoreDC(dc, saved);
        }
    }
    if (guard.IsDestroyed()) return;
    ::EndPaint(m_paintWindow, &ps);
    m_painting = false;
    m_layeredChanged = false;
    // A tab step put off until after layout invalidated before BeginPaint, which swallowed
    // that; ask again so that it happens at the next paint.
    if (m_updateNeeded || m_focusNeeded) Invalidate();
}

void CManagerUI::PaintBlack()
{
    PAINTSTRUCT ps = {};
    HDC dc = ::BeginPaint(m_paintWindow, &ps);
    if (dc != nullptr) CRenderer::DrawColor(dc, ps.rcPaint, kBlack);
    ::EndPaint(m_paintWindow, &ps);
}

bool CManagerUI::TakePaintRect(RECT& rc)
{
    if (!m_layered) return ::GetUpdateRect(m_paintWindow, &rc, FALSE) != FALSE;
    m_offscreenPaint = true;
    if (::IsRectEmpty(&m_layeredDirty)) {
        ::ValidateRect(m_paintWindow, nullptr);
        return false;
    }
    RECT client = {};
    ::GetClientRect(m_paintWindow, &client);
    rc = m_layeredDirty;
    if (rc.right > client.right) rc.right = client.right;
    if (rc.bottom > client.bottom) rc.bottom = client.bottom;
    ::SetRectEmpty(&m_layeredDirty);
    return true;
}

bool CManagerUI::LayOutForPaint(LifeGuard& guard)
{
    RECT client = {};
    ::GetClientRect(m_paintWindow, &client);
    RECT layout = client;
    if (m_layered) {
        layout.left += m_layeredInset.left;
        layout.top += m_layeredInset.top;
        layout.right -= m_layeredInset.right;
        layout.bottom -= m_layeredInset.bottom;
    }
    if (!m_updateNeeded) {
        if (m_layered && m_layeredChanged) {
            ClearOffscreenBits();
            m_root->SetPos(layout, true);
        }
        return true;
    }
    m_updateNeeded = false;
    if (::IsRectEmpty(&client)) return true;
    if (m_root->IsUpdateNeeded()) {
        // The surfaces are rebuilt at the new size.
        ReleaseOffscreen();
        m_root->SetPos(layout, true);
    } else {
        PlaceUpdatedControls();
    }
    if (guard.IsDestroyed()) return false;
    if (!m_firstLayout) return true;
    m_firstLayout = false;
    SendNotify(m_root, L"windowinit");
    if (guard.IsDestroyed()) return false;
    if (m_root == nullptr) {
        ::ValidateRect(m_paintWindow, nullptr);
        m_painting = false;
        return false;
    }
    if (m_layered && m_layeredChanged) {
        // The refresh timer paints the whole window with the new layered settings.
        Invalidate();
        ::ValidateRect(m_paintWindow, nullptr);
        m_painting = false;
        return false;
    }
    return true;
}

void CManagerUI::PlaceUpdatedControls()
{
    m_foundControls.Empty();
    m_root->FindControl(CollectNeedingUpdate, &m_foundControls, FIND_VISIBLE | FIND_UPDATETEST | FIND_ME_FIRST);
    const CUIPtrArray found(m_foundControls);
    for (int i = 0; i < found.GetSize(); ++i) {
        auto* control = static_cast<CControlUI*>(found[i]);
        control->SetPos(control->IsFloat() ? control->GetRelativePos() : control->GetPos(), true);
    }
}

bool CManagerUI::PrepareOffscreen()
{
    if (!m_offscreenPaint) return false;
    // A surface made before the window became layered has no pixels to compose.
    if (m_offscreenBitmap && m_layered && m_offscreenBits == nullptr) ReleaseOffscreen();
    if (m_offscreenBitmap) return true;
    RECT client = {};
    ::GetClientRect(m_paintWindow, &client);
    if (::IsRectEmpty(&client)) return false;
    HDC paintDC = m_paintDC.get();
    m_offscreenDC.reset(::CreateCompatibleDC(paintDC));
    if (!m_offscreenDC) return false;
    if (m_layered) {
        m_offscreenBitmap.reset(CRenderer::CreateARGB32Bitmap(paintDC, client.right, client.bottom, &m_offscreenBits));
    } else {
        m_offscreenBitmap.reset(::CreateCompatibleBitmap(paintDC, client.right, client.bottom));
        m_offscreenBits = nullptr;
    }
    if (!m_offscreenBitmap) {
        m_offscreenDC.reset();
        m_offscreenBits = nullptr;
        return false;
    }
    return true;
}

void CManagerUI::ClearOffscreenBits()
{
    const SIZE size = BitmapSize(m_offscreenBitmap.get());
    ClearPixels(m_offscreenBits, size, {0, 0, size.cx, size.cy});
}

void CManagerUI::PaintOffscreen(RECT paint, LifeGuard& guard)
{
    HDC offscreen = m_offscreenDC.get();
    CSelectScope selected(offscreen, m_offscreenBitmap.get());
    const int saved = ::SaveDC(offscreen);
    if (m_layered && m_layeredImage.image == nullptr) {
        ClearPixels(m_offscreenBits, BitmapSize(m_offscreenBitmap.get()), paint);
    }
    m_root->Paint(offscreen, paint, nullptr);
    if (guard.IsDestroyed()) {
        selected.release();
        return;
    }
    if (m_layered) PrintNativeWindows(offscreen, paint);
    const CUIPtrArray postPaint(m_postPaintControls);
    for (int i = 0; i < postPaint.GetSize(); ++i) {
        if (m_postPaintControls.Find(postPaint[i]) < 0) continue;
        static_cast<CControlUI*>(postPaint[i])->PostPaint(offscreen, paint);
    }
    ::RestoreDC(offscreen, saved);

    if (m_layered) {
        ComposeLayered(paint);
    } else {
        ::BitBlt(m_paintDC.get(), paint.left, paint.top, paint.right - paint.left, paint.bottom - paint.top,
                 offscreen, paint.left, paint.top, SRCCOPY);
    }
    selected.reset();

    if (m_showDirty && !m_layered) {
        HDC dc = m_paintDC.get();
        CSelectScope pen(dc, Shared().dirtyPen.get());
        CSelectScope brush(dc, ::GetStockObject(NULL_BRUSH));
        ::Rectangle(dc, paint.left, paint.top, paint.right, paint.bottom);
    }
}

void CManagerUI::PrintNativeWindows(HDC dc, const RECT& paint)
{
    for (int i = 0; i < m_nativeWindows.GetSize();) {
        HWND child = static_cast<HWND>(m_nativeWindows[i]);
        if (!::IsWindow(child)) {
            m_nativeWindows.Remove(i);
            m_nativeWindowControls.Remove(i);
            continue;
        }
        ++i;
        if (!::IsWindowVisible(child)) continue;
        RECT rc = {};
        ::GetWindowRect(child, &rc);
        ::MapWindowPoints(HWND_DESKTOP, m_paintWindow, reinterpret_cast<POINT*>(&rc), 2);
        RECT common = {};
        if (!::IntersectRect(&common, &rc, &paint)) continue;
        const SIZE size = {rc.right - rc.left, rc.bottom - rc.top};
        BYTE* bits = nullptr;
        CGdiBitmap bitmap(CRenderer::CreateARGB32Bitmap(dc, size.cx, size.cy, &bits));
        CMemoryDC memory(::CreateCompatibleDC(dc));
        if (!bitmap || !memory || bits == nullptr) continue;
        CSelectScope selected(memory.get(), bitmap.get());
        ClearPixels(bits, size, {0, 0, size.cx, size.cy});
        ::SendMessageW(child, WM_PRINT, reinterpret_cast<WPARAM>(memory.get()), kPrintFlags);
        ::GdiFlush();
        // Plain windows draw without alpha: whatever they drew is opaque.
        for (int p = 0; p < size.cx * size.cy; ++p) {
            BYTE* px = bits + static_cast<size_t>(p) * 4;
            if (px[0] != 0 || px[1] != 0 || px[2] != 0 || px[3] != 0) px[3] = 0xFF;
        }
        ::BitBlt(dc, rc.left, rc.top, size.cx, size.cy, memory.get(), 0, 0, SRCCOPY);
    }
}

void CManagerUI::ComposeLayered(const RECT& paint)
{
    RECT client = {};
    ::GetClientRect(m_paintWindow, &client);
    RECT layered = client;
    layered.left += m_layeredInset.left;
    layered.top += m_layeredInset.top;
    layered.right -= m_layeredInset.right;
    layered.bottom -= m_layeredInset.bottom;
    HDC paintDC = m_paintDC.get();

    if (m_layeredImage.image != nullptr) {
        const SIZE size = {client.right, client.bottom};
        bool redraw = m_layeredChanged;
        if (!m_backgroundBitmap) {
            m_backgroundDC.reset(::CreateCompatibleDC(paintDC));
            m_backgroundBitmap.reset(CRenderer::CreateARGB32Bitmap(paintDC, size.cx, size.cy, &m_backgroundBits));
            redraw = true;
        }
        if (redraw && m_backgroundDC && m_backgroundBitmap) {
            CSelectScope selected(m_backgroundDC.get(), m_backgroundBitmap.get());
            ClearPixels(m_backgroundBits, BitmapSize(m_backgroundBitmap.get()), {0, 0, size.cx, size.cy});
            CRenderer::DrawImageString(m_backgroundDC.get(), this, layered, layered, m_layeredImage);
        }
        if (m_layeredImage.image != nullptr && m_layeredImage.image->hasAlpha && m_backgroundBits != nullptr &&
            m_offscreenBits != nullptr) {
            ::GdiFlush();
            const SIZE offSize = BitmapSize(m_offscreenBitmap.get());
            const SIZE backSize = BitmapSize(m_backgroundBitmap.get());
            RECT rc = paint;
            if (ClampToSurface(rc, offSize) && ClampToSurface(rc, backSize)) {
                for (int y = rc.top; y < rc.bottom; ++y) {
                    for (int x = rc.left; x < rc.right; ++x) {
                        BYTE* px = PixelAt(m_offscreenBits, offSize, x, y);
                        const BYTE alpha = PixelAt(m_backgroundBits, backSize, x, y)[3];
                        px[0] = static_cast<BYTE>(px[0] * alpha / 255);
                        px[1] = static_cast<BYTE>(px[1] * alpha / 255);
                        px[2] = static_cast<BYTE>(px[2] * alpha / 255);
                        px[3] = alpha;
                    }
                }
            }
        }
    }

    const UpdateLayeredWindowFn update = UpdateLayeredWindowProc();
    if (update == nullptr) return;
    RECT window = {};
    ::GetWindowRect(m_paintWindow, &window);
    POINT destination = {window.left, window.top};
    SIZE size = {client.right, client.bottom};
    POINT source = {0, 0};
    BLENDFUNCTION blend = {AC_SRC_OVER, 0, m_layeredOpacity, AC_SRC_ALPHA};
    update(m_paintWindow, paintDC, &destination, &size, m_offscreenDC.get(), &source, 0, &blend, ULW_ALPHA);
}

} // namespace VarnUI
