// The few entries of the platform's flat GDI+ interface that the label effects use, looked up
// at run time in the copy of "gdiplus.dll" in the system folder (the program runs elevated
// from a folder others may write to, so the ordinary search order is not safe). The module
// stays loaded for the rest of the process once found.
//
// CGdiPlusSession holds at most one reference to GDI+: it starts on the first Start (so a
// program that never draws an effect never loads the library) and shuts down in the destructor
// only if it started. CGdiPlusObject owns one GDI+ object and deletes it with its matching entry;
// every owner counts itself in a process-wide tally so that leaks show up in tests.
#pragma once

#include <windows.h>

namespace VarnUI {

// Opaque GDI+ objects. Brushes of every kind travel as GpBrush, bitmaps as GpImage.
struct GpGraphics;
struct GpFont;
struct GpStringFormat;
struct GpBrush;
struct GpImage;

struct GdiPlusPointF {
    float x;
    float y;
};

struct GdiPlusRectF {
    float x;
    float y;
    float width;
    float height;
};

enum : int {
    kGdiPlusOk = 0,
    kStringAlignmentNear = 0,
    kStringAlignmentCenter = 1,
    kStringAlignmentFar = 2,
    kStringFormatFlagsNoWrap = 0x1000,
    kTextRenderingHintAntiAliasGridFit = 3,
    kInterpolationModeHighQualityBicubic = 7,
    kWrapModeTile = 0,
    kMatrixOrderPrepend = 0,
    kPixelFormat32bppPARGB = 0x000E200B,
};

struct GdiPlusApi {
    using Status = int;
    struct StartupInput {
        UINT32 version;
        void* debugEventCallback;
        BOOL suppressBackgroundThread;
        BOOL suppressExternalCodecs;
    };

    Status(WINAPI* Startup)(ULONG_PTR* token, const StartupInput* input, void* output);
    void(WINAPI* Shutdown)(ULONG_PTR token);
    Status(WINAPI* CreateFromHDC)(HDC dc, GpGraphics** graphics);
    Status(WINAPI* DeleteGraphics)(GpGraphics* graphics);
    Status(WINAPI* SetTextRenderingHint)(GpGraphics* graphics, int hint);
    Status(WINAPI* SetInterpolationMode)(GpGraphics* graphics, int mode);
    Status(WINAPI* ScaleWorldTransform)(GpGraphics* graphics, float sx, float sy, int order);
    Status(WINAPI* CreateFontFromDC)(HDC dc, GpFont** font);
    Status(WINAPI* CreateFontFromLogfontW)(HDC dc, const LOGFONTW* logFont, GpFont** font);
    Status(WINAPI* DeleteFont)(GpFont* font);
    Status(WINAPI* CreateStringFormat)(int flags, LANGID language, GpStringFormat** format);
    Status(WINAPI* SetStringFormatAlign)(GpStringFormat* format, int align);
    Status(WINAPI* SetStringFormatLineAlign)(GpStringFormat* format, int align);
    Status(WINAPI* DeleteStringFormat)(GpStringFormat* format);
    Status(WINAPI* CreateLineBrush)(const GdiPlusPointF* from, const GdiPlusPointF* to, DWORD fromColor,
                                    DWORD toColor, int wrapMode, GpBrush** brush);
    Status(WINAPI* CreateSolidFill)(DWORD color, GpBrush** brush);
    Status(WINAPI* DeleteBrush)(GpBrush* brush);
    Status(WINAPI* DrawString)(GpGraphics* graphics, const wchar_t* text, int length, const GpFont* font,
                               const GdiPlusRectF* layout, const GpStringFormat* format, const GpBrush* brush);
    Status(WINAPI* CreateBitmapFromScan0)(int width, int height, int stride, int format, BYTE* scan0,
                                          GpImage** bitmap);
    Status(WINAPI* GetImageGraphicsContext)(GpImage* image, GpGraphics** graphics);
    Status(WINAPI* DrawImageRectI)(GpGraphics* graphics, GpImage* image, int x, int y, int width, int height);
    Status(WINAPI* DisposeImage)(GpImage* image);
};

// The process-wide entry table, or null when the library or one of its entries is missing.
const GdiPlusApi* GetGdiPlusApi();

class CGdiPlusSession {
public:
    CGdiPlusSession() = default;
    ~CGdiPlusSession();
    CGdiPlusSession(const CGdiPlusSession&) = delete;
    CGdiPlusSession& operator=(const CGdiPlusSession&) = delete;

    // Starts GDI+ unless already started; true when it runs. A failed start is tried again next time.
    bool Start();
    bool IsStarted() const { return m_started; }
    // Sessions started and not yet shut down, process-wide.
    static long ActiveCount();

private:
    ULONG_PTR m_token = 0;
    bool m_started = false;
};

// GDI+ objects made by the owners below and not yet deleted, process-wide.
long GdiPlusLiveObjects();
void CountGdiPlusObject(int delta);

template <typename T>
class CGdiPlusObject {
public:
    using Deleter = GdiPlusApi::Status(WINAPI*)(T*);

    explicit CGdiPlusObject(Deleter deleter) : m_deleter(deleter) {}
    CGdiPlusObject(const CGdiPlusObject&) = delete;
    CGdiPlusObject& operator=(const CGdiPlusObject&) = delete;
    ~CGdiPlusObject() { reset(); }

    T* get() const { return m_object; }

    // Runs a creating call with the owner's slot; false (and empty) when it failed.
    template <typename Maker>
    bool Create(Maker create)
    {
        reset();
        T* made = nullptr;
        if (create(&made) != kGdiPlusOk || made == nullptr) {
            // A failing call is not supposed to hand anything out, but never leak one that did.
            if (made != nullptr) m_deleter(made);
            return false;
        }
        m_object = made;
        CountGdiPlusObject(1);
        return true;
    }

    void reset()
    {
        if (m_object == nullptr) return;
        m_deleter(m_object);
        m_object = nullptr;
        CountGdiPlusObject(-1);
    }

private:
    Deleter m_deleter;
    T* m_object = nullptr;
};

} // namespace VarnUI
