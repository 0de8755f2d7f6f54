// CManagerUI: the paint manager of one skinned window. It binds one native window to one
// control tree and holds what the window's controls share: the paint DCs, the name map,
// fonts, images, default attribute lists, window attributes, option groups, the focus, hover
// and capture bookkeeping, the listener lists and the timers.
//
// Ownership: the manager owns the root control (and so the tree), its own fonts, images,
// default attribute lists, custom window attributes, option group lists, timer records and
// queued notifications, and its off-screen DCs and bitmaps. Listeners, filters and the
// controls on its lists are borrowed. A process-wide block holds the shared resources
// (never freed before the process ends), the language strings and the list of live managers.
//
// Coordinates are the window's client coordinates throughout, in the window's real pixels:
// the manager keeps the window's DPI (learnt in Init, changed by WM_DPICHANGED), and skin
// values written for 96 DPI (window attributes, font sizes) are scaled where they enter.
// Values set or read in code (SetInitSize, GetSizeBox, ...) are real pixels. Everything runs
// on the thread that created the window.
#pragma once

#include "ui/base/DpiScale.h"
#include "ui/base/UIGeometry.h"
#include "ui/base/UIPtrArray.h"
#include "ui/base/UIString.h"
#include "ui/base/UIStringMap.h"
#include "ui/manager/ManagerTypes.h"
#include "ui/render/GdiHandles.h"
#include "ui/render/RenderTypes.h"

#include <windows.h>
#include <commctrl.h>

namespace VarnUI {

class CAccessibleTreeUI;
class CControlUI;

class CManagerUI {
public:
    CManagerUI();
    ~CManagerUI();
    CManagerUI(const CManagerUI&) = delete;
    CManagerUI& operator=(const CManagerUI&) = delete;

    // Set-up and tree
    void Init(HWND window, const wchar_t* name = nullptr);
    bool AttachRoot(CControlUI* root);
    bool AdoptControls(CControlUI* control, CControlUI* parent = nullptr);
    CControlUI* GetRoot() const { return m_root; }
    HWND GetPaintWindow() const { return m_paintWindow; }
    HDC GetPaintDC() const { return m_paintDC.get(); }
    const CUIString& GetName() const { return m_name; }
    CControlUI* GetFocus() const { return m_focus; }
    POINT GetMousePos() const { return m_lastMousePos; }
    // The first live manager of that name (case-sensitive); null for an empty name.
    static CManagerUI* GetManagerByName(const wchar_t* name);

    // Display scale. SetDpi brings the window attributes, the tree's pixel values, fonts and
    // images to another DPI and lays the window out again; the window keeps its size.
    int GetDpi() const { return m_dpi; }
    void SetDpi(int dpi);
    // A skin length (pixels at 96 DPI) in the window's pixels.
    int Scale(int value) const;
    RECT Scale(const RECT& rc) const;
    SIZE Scale(const SIZE& size) const;
    static int GetManagerCount();
    static CManagerUI* GetManagerAt(int index);

    // Lookups
    CControlUI* FindControlByName(const wchar_t* name) const;
    CControlUI* FindControlAt(POINT pt) const;
    CControlUI* FindChildByName(CControlUI* parent, const wchar_t* name) const;
    // className "*" matches every control.
    CControlUI* FindSubControlByClass(CControlUI* parent, const wchar_t* className, int index = 0) const;
    // Fills and returns the manager's found-controls list.
    CUIPtrArray* FindSubControlsByClass(CControlUI* parent, const wchar_t* className);
    CControlUI* FindSubControlAt(CControlUI* parent, POINT pt) const;
    CUIPtrArray* GetFoundControls() { return &m_foundControls; }
    bool RenameControl(CControlUI* control, const wchar_t* newName);
    // Called by a control's destructor: drops every reference the manager holds to it.
    void ForgetControl(CControlUI* control);
    // Drops the control's name map entry (when the entry is the control's); a control that
    // leaves the manager calls it.
    void ForgetName(CControlUI* control);

    // Fonts. Ids are keyed in decimal; a negative id means the default font. Sizes are skin
    // pixels (96 DPI); the fonts handed out are made for the window's DPI, shared ones too.
    HFONT AddFont(int id, const wchar_t* face, int size, bool bold, bool underline, bool italic,
                  bool shared = false);
    void SetDefaultFont(const wchar_t* face, int size, bool bold, bool underline, bool italic,
                        bool shared = false);
    HFONT GetFont(int id);
    FontInfoUI* GetFontInfo(int id);
    FontInfoUI* GetFontInfoByHandle(HFONT font);
    FontInfoUI* GetDefaultFontInfo();
    HFONT FindFont(const wchar_t* face, int size, bool bold, bool underline, bool italic) const;
    bool RemoveFont(int id, bool shared = false);
    bool RemoveFontByHandle(HFONT font, bool shared = false);
    void RemoveAllFonts(bool shared = false);
    // Id for a font that formatted text creates on the fly (30000 upward, process-wide).
    static int NextFormattedTextFontId();

    // Images. Without a type the name is a skin file; with one, a resource of that type
    // (a name starting with a digit is a numeric id). Images are made for the window's DPI:
    // a skin file's "@1.5x" or "@2x" variant when the skin has one, else the image scaled.
    ImageInfoUI* AddImage(const wchar_t* name, const wchar_t* type = nullptr, DWORD mask = 0,
                          bool keepSource = false, bool shared = false);
    ImageInfoUI* GetImage(const wchar_t* name) const;
    ImageInfoUI* GetOrLoadImage(const wchar_t* name, const wchar_t* type = nullptr, DWORD mask = 0,
                                bool keepSource = false);
    bool RemoveImage(const wchar_t* name, bool shared = false);
    void RemoveAllImages(bool shared = false);

    // Default attribute lists, keyed by control class name (case-sensitive).
    void AddDefaultAttributes(const wchar_t* className, const wchar_t* list, bool shared = false);
    const wchar_t* GetDefaultAttributes(const wchar_t* className) const;
    bool RemoveDefaultAttributeList(const wchar_t* className, bool shared = false);
    void RemoveAllDefaultAttributeLists(bool shared = false);

    // With force-shared set, fonts, images and default lists always go to the shared tables.
    void SetForceShared(bool force) { m_forceShared = force; }
    bool IsForceShared() const { return m_forceShared; }

    // Default colours (ARGB). The getters read the window's own values.
    void SetDefaultDisabledColor(DWORD color, bool shared = false);
    DWORD GetDefaultDisabledColor() const { return m_own.disabledColor; }
    void SetDefaultFontColor(DWORD color, bool shared = false);
    DWORD GetDefaultFontColor() const { return m_own.fontColor; }
    void SetDefaultLinkFontColor(DWORD color, bool shared = false);
    DWORD GetDefaultLinkFontColor() const { return m_own.linkColor; }
    void SetDefaultLinkHoverFontColor(DWORD color, bool shared = false);
    DWORD GetDefaultLinkHoverFontColor() const { return m_own.linkHoverColor; }
    void SetDefaultSelectedBkColor(DWORD color, bool shared = false);
    DWORD GetDefaultSelectedBkColor() const { return m_own.selectedBkColor; }

    // Window attributes (the skin's root "Window" element)
    void SetWindowAttribute(const wchar_t* name, const wchar_t* value);
    void SetWindowAttributeList(const wchar_t* text);
    const wchar_t* GetWindowCustomAttribute(const wchar_t* name) const;
    void AddWindowCustomAttribute(const wchar_t* name, const wchar_t* value);
    bool RemoveWindowCustomAttribute(const wchar_t* name);
    void RemoveAllWindowCustomAttributes();

    SIZE GetInitSize() const { return m_initSize; }
    void SetInitSize(int cx, int cy);
    const RECT& GetSizeBox() const { return m_sizeBox; }
    void SetSizeBox(const RECT& rc) { m_sizeBox = rc; }
    const RECT& GetCaptionRect() const { return m_caption; }
    void SetCaptionRect(const RECT& rc) { m_caption = rc; }
    SIZE GetRoundCorner() const { return m_roundCorner; }
    void SetRoundCorner(int cx, int cy) { m_roundCorner = {cx, cy}; }
    SIZE GetMinInfo() const { return m_minTrack; }
    void SetMinInfo(int cx, int cy) { m_minTrack = {cx, cy}; }
    SIZE GetMaxInfo() const { return m_maxTrack; }
    void SetMaxInfo(int cx, int cy) { m_maxTrack = {cx, cy}; }
    bool IsShowUpdateRect() const { return m_showDirty; }
    void SetShowUpdateRect(bool show) { m_showDirty = show; }
    bool IsNoActivate() const { return m_noActivate; }
    void SetNoActivate(bool noActivate) { m_noActivate = noActivate; }

    BYTE GetOpacity() const { return m_opacity; }
    void SetOpacity(BYTE opacity);
    bool IsLayered() const { return m_layered; }
    void SetLayered(bool layered);
    const RECT& GetLayeredInset() const { return m_layeredInset; }
    void SetLayeredInset(const RECT& inset);
    BYTE GetLayeredOpacity() const { return m_layeredOpacity; }
    void SetLayeredOpacity(BYTE opacity);
    const wchar_t* GetLayeredImage() const { return m_layeredImage.drawString.GetData(); }
    void SetLayeredImage(const wchar_t* drawString);

    // Option groups: the controls of a group, in the order they joined.
    bool AddOptionGroup(const wchar_t* group, CControlUI* control);
    CUIPtrArray* GetOptionGroup(const wchar_t* group) const;
    void RemoveOptionGroup(const wchar_t* group, CControlUI* control);
    void RemoveAllOptionGroups();

    // Language strings (process-wide), keyed by id in decimal.
    static void AddLanguageString(int id, const wchar_t* text);
    static const wchar_t* GetLanguageString(int id);
    static bool RemoveLanguageString(int id);
    static void RemoveAllLanguageStrings();
    // Replaces every "%{digits}" whose id has a string; other text stays as written.
    static void ExpandLanguageTokens(CUIString& text);

    // Listener registration. Adds of null fail; removes take out the first match.
    bool AddNotifier(INotifyUI* notifier);
    bool RemoveNotifier(INotifyUI* notifier);
    bool AddPreMessageFilter(IMessageFilterUI* filter);
    bool RemovePreMessageFilter(IMessageFilterUI* filter);
    bool AddMessageFilter(IMessageFilterUI* filter);
    bool RemoveMessageFilter(IMessageFilterUI* filter);
    bool AddPostPaint(CControlUI* control);
    bool RemovePostPaint(CControlUI* control);
    bool SetPostPaintIndex(CControlUI* control, int index);
    int GetPostPaintCount() const { return m_postPaintControls.GetSize(); }
    bool AddNativeWindow(CControlUI* control, HWND window);
    bool RemoveNativeWindow(HWND window);
    bool AddMouseLeaveListener(CControlUI* control);
    bool RemoveMouseLeaveListener(CControlUI* control);
    bool AddTranslateAccelerator(ITranslateAccelerator* translator);
    bool RemoveTranslateAccelerator(ITranslateAccelerator* translator);
    // Deletes the control after the current message.
    bool DeferDelete(CControlUI* control);

    // Invalidation and layout
    void Invalidate();
    void Invalidate(const RECT& rc);
    void RequestLayout() { m_updateNeeded = true; }
    bool IsUpdateNeeded() const { return m_updateNeeded; }
    bool IsPainting() const { return m_painting; }
    const RECT& GetLayeredDirtyRect() const { return m_layeredDirty; }

    // Virtual window names are carried in notifications once a control uses one.
    void SetUsedVirtualWnd(bool used) { m_usedVirtualWnd = used; }
    bool IsUsedVirtualWnd() const { return m_usedVirtualWnd; }

    // Colour adjustment (process-wide): hue 0..360, saturation and lightness 0..200;
    // 180, 100, 100 is neutral.
    static void SetHSL(bool enabled, short hue, short saturation, short lightness);
    static bool IsHSLEnabled();
    static void GetHSL(short* hue, short* saturation, short* lightness);

    // Off-screen surface of the last paint (null until painted).
    HDC GetOffscreenDC() const { return m_offscreenDC.get(); }
    HBITMAP GetOffscreenBitmap() const { return m_offscreenBitmap.get(); }

    // Messages, painting, events, focus, timers, notifications.
    // The window procedure offers every message here first; true means handled, with result
    // as the answer. Listeners may delete controls, other listeners or the window itself
    // while a message is handled: the handler notices and touches none of them afterwards.
    bool MessageHandler(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    bool PreFilterMessages(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    // The message loop's first look at a message; true: neither translate nor dispatch it.
    static bool TranslateUIMessage(MSG* msg);
    static int RunMessageLoop();

    void SendNotify(CControlUI* sender, const wchar_t* type, WPARAM wParam = 0, LPARAM lParam = 0,
                    bool async = false, bool allowRepeat = true);
    void SendNotifyRecord(NotifyUI& record, bool async = false, bool allowRepeat = true);

    void SetFocus(CControlUI* control, bool focusWindow = true);
    void SetFocusNeeded(CControlUI* control);
    bool MoveFocusToNext(bool forward = true);

    bool SetTimer(CControlUI* control, UINT key, UINT elapse);
    bool KillTimer(CControlUI* control, UINT key);
    void KillTimers(CControlUI* control);
    void RemoveAllTimers();

    void SetCapture();
    void ReleaseCapture();
    bool IsCaptured() const { return m_captured; }

    UINT GetHoverTime() const { return m_hoverTime; }
    void SetHoverTime(UINT ms) { m_hoverTime = ms; }
    int GetTooltipWidth() const { return m_tooltipWidth; }
    void SetTooltipWidth(int width);
    HWND GetTooltipWindow() const { return m_tooltipWindow; }

    // Without off-screen painting the tree is drawn straight into the window (layered
    // windows always paint off-screen).
    bool IsOffscreenPaint() const { return m_offscreenPaint; }
    void SetOffscreenPaint(bool offscreen) { m_offscreenPaint = offscreen; }

private:
    class LifeGuard;
    class ControlWatch;
    struct DpiFontCopy;

    // Message handlers, one per message (ManagerMessages.cpp, ManagerMouse.cpp, ManagerPaint.cpp)
    bool OfferToFilters(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    bool HandleLayeredFrame(UINT message, WPARAM wParam, LRESULT& result) const;
    void OnClose();
    void OnSize(WPARAM wParam, LPARAM lParam);
    void OnGetMinMaxInfo(MINMAXINFO* info) const;
    bool OnSetCursor(WPARAM wParam, LPARAM lParam, LRESULT& result);
    bool OnReflect(UINT message, HWND target, WPARAM wParam, LPARAM lParam, LRESULT& result) const;
    void OnKillFocus(HWND gaining);
    void OnContextMenu(WPARAM wParam, LPARAM lParam);
    void OnKeyDown(WPARAM wParam, LPARAM lParam);
    void OnKeyUp(WPARAM wParam, LPARAM lParam);
    void OnChar(WPARAM wParam, LPARAM lParam);
    void OnTimer(WPARAM wParam, LPARAM lParam);
    void OnPrintClient(HDC dc, LPARAM flags);
    void OnAsyncNotify();
    void OnMouseMove(WPARAM wParam, LPARAM lParam);
    void OnLButtonDown(WPARAM wParam, LPARAM lParam);
    void OnLButtonUp(WPARAM wParam, LPARAM lParam);
    void OnLButtonDblClk(WPARAM wParam, LPARAM lParam);
    void OnRButtonDown(WPARAM wParam, LPARAM lParam);
    void OnMouseWheel(WPARAM wParam, LPARAM lParam);
    bool OnMouseHover(LPARAM lParam);
    void OnMouseLeave();
    void OnPaint();
    void OnDpiChanged(WPARAM wParam, const RECT* suggested);
    // Assistive technology's requests (ManagerAccessibility.cpp): WM_GETOBJECT and the
    // queued default actions; the accessible tree exists from the first request on.
    bool OnAccessibleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    void ForgetAccessible(CControlUI* control);
    void DisconnectAccessible();

    // Helpers of the handlers
    EventUI MakeEvent(int type, CControlUI* sender, WPARAM wParam = 0, LPARAM lParam = 0) const;
    // A key event: the key character is the message's wParam.
    void SendKeyEvent(CControlUI* control, int type, WPARAM wParam, LPARAM lParam);
    CControlUI* OwnControlAt(POINT pt) const;
    void FocusWindow();
    void TrackMouse();
    void LeaveHover(WPARAM wParam, LPARAM lParam, const LifeGuard& guard);
    void ShowTooltip(CControlUI* control, POINT pt);
    void DeactivateTooltip();
    void DestroyTooltip();
    void DeliverNotify(NotifyUI& record);
    bool NextTimerId(UINT_PTR& id);
    void PaintBlack();
    bool TakePaintRect(RECT& rc);
    bool LayOutForPaint(LifeGuard& guard);
    void PlaceUpdatedControls();
    bool PrepareOffscreen();
    void PaintOffscreen(RECT paint, LifeGuard& guard);
    void PrintNativeWindows(HDC dc, const RECT& paint);
    void ComposeLayered(const RECT& paint);
    void ClearOffscreenBits();
    void KillFocusOf(CControlUI* gaining);
    bool OnTabKey();
    bool OnMnemonic(wchar_t ch);
    bool TranslateAccelerators(MSG* msg);

    // The resource tables and default colours; one per manager and one process-wide.
    struct ResourceBlock {
        DWORD disabledColor = 0;
        DWORD fontColor = 0;
        DWORD linkColor = 0;
        DWORD linkHoverColor = 0;
        DWORD selectedBkColor = 0;
        FontInfoUI defaultFont;
        CUIStringMap fonts;           // id in decimal -> FontInfoUI*, owned
        CUIStringMap images;          // name -> ImageInfoUI*, owned
        CUIStringMap attributeLists;  // class name -> CUIString*, owned
    };
    struct SharedState;
    static SharedState& Shared();
    // Built before the entry point runs, with the program's other static objects.
    static SharedState s_shared;

    ResourceBlock& TargetBlock(bool shared);
    static void FreeFonts(ResourceBlock& block);
    static void FreeImages(ResourceBlock& block);
    static void FreeAttributeLists(ResourceBlock& block);
    bool BuildFont(const wchar_t* face, int size, bool bold, bool underline, bool italic,
                   FontInfoUI& info) const;
    // The font as this window draws it: a shared font made for another DPI is replaced by a
    // copy of the window's own (ManagerDpi.cpp).
    FontInfoUI* ForWindowDpi(FontInfoUI* info);
    FontInfoUI* DpiCopyByHandle(HFONT font);
    void RebuildOwnFonts();
    void ReleaseDpiCopies();
    // Deletes a font record of any table, with every window's copy made from it.
    static void DeleteFont(FontInfoUI* info);
    ImageInfoUI* AddImageTo(ResourceBlock& block, const wchar_t* name, const wchar_t* type, DWORD mask,
                            bool keepSource);
    void MeasureFont(FontInfoUI& info) const;
    static bool RemoveFontFrom(ResourceBlock& block, HFONT font);
    void SetColor(DWORD ResourceBlock::*field, DWORD color, bool shared);
    void ReadjustOwnImages();
    static void RemoveAll(CUIPtrArray& list, void* item);
    void ReleaseWindowTables();
    void DeleteDelayedControls(bool evenInEvent = false);
    void DeleteAsyncNotifications();
    void ReleaseOffscreen();

    static CControlUI* FindByName(CControlUI* control, void* data);
    static CControlUI* FindByPoint(CControlUI* control, void* data);
    static CControlUI* FindByClass(CControlUI* control, void* data);
    static CControlUI* FindAllByClass(CControlUI* control, void* data);
    static CControlUI* CollectNamed(CControlUI* control, void* data);

    // Window and painting
    CUIString m_name;
    int m_dpi = kBaseDpi;
    HWND m_paintWindow = nullptr;
    CWindowDC m_paintDC;
    CMemoryDC m_offscreenDC;
    CMemoryDC m_backgroundDC;
    CGdiBitmap m_offscreenBitmap;
    BYTE* m_offscreenBits = nullptr;
    CGdiBitmap m_backgroundBitmap;
    BYTE* m_backgroundBits = nullptr;
    int m_tooltipWidth = -1;
    int m_lastTooltipWidth = -1;
    HWND m_tooltipWindow = nullptr;
    TOOLINFOW m_toolInfo = {};
    UINT m_hoverTime = 1000;
    bool m_noActivate = false;
    bool m_showDirty = false;

    // Control bookkeeping
    CControlUI* m_root = nullptr;
    CControlUI* m_focus = nullptr;
    CControlUI* m_hover = nullptr;
    CControlUI* m_click = nullptr;
    CControlUI* m_keyControl = nullptr;
    CControlUI* m_lastTooltipOwner = nullptr;
    POINT m_lastMousePos = {-1, -1};
    SIZE m_minTrack = {0, 0};
    SIZE m_maxTrack = {0, 0};
    SIZE m_initSize = {0, 0};
    RECT m_sizeBox = {0, 0, 0, 0};
    SIZE m_roundCorner = {0, 0};
    RECT m_caption = {0, 0, 0, 0};
    UINT m_timerSeed = 4096;
    bool m_firstLayout = true;
    bool m_updateNeeded = false;
    bool m_focusNeeded = false;
    bool m_offscreenPaint = true;
    BYTE m_opacity = 255;
    bool m_layered = false;
    RECT m_layeredInset = {0, 0, 0, 0};
    bool m_layeredChanged = false;
    RECT m_layeredDirty = {0, 0, 0, 0};
    ImageDrawUI m_layeredImage;
    BYTE m_layeredOpacity = 255;
    bool m_mouseTracking = false;
    bool m_captured = false;
    bool m_painting = false;
    bool m_usedVirtualWnd = false;
    bool m_asyncNotifyPosted = false;

    CUIPtrArray m_notifiers;
    CUIPtrArray m_timers;                // TimerInfoUI*, owned
    CUIPtrArray m_preMessageFilters;
    CUIPtrArray m_messageFilters;
    CUIPtrArray m_postPaintControls;
    CUIPtrArray m_nativeWindows;         // HWND, index-aligned with m_nativeWindowControls
    CUIPtrArray m_nativeWindowControls;
    CUIPtrArray m_delayedCleanup;        // CControlUI*, owned until deleted
    CUIPtrArray m_asyncNotify;           // NotifyUI*, owned
    CUIPtrArray m_foundControls;
    CUIPtrArray m_mouseLeaveListeners;

    CUIStringMap m_nameMap;
    CUIStringMap m_customAttributes;     // name -> CUIString*, owned
    CUIStringMap m_optionGroups;         // group -> CUIPtrArray*, owned

    bool m_forceShared = false;
    ResourceBlock m_own;

    CUIPtrArray m_translateAccelerators;

    // Borrowed pointers that must not outlive the objects they name: ForgetControl clears
    // the watched control slots and the senders of notifications being delivered, and the
    // destructor marks every open handler frame.
    CUIPtrArray m_controlWatches;        // CControlUI**
    CUIPtrArray m_deliveringNotify;      // NotifyUI*
    LifeGuard* m_lifeGuards = nullptr;
    CUIString m_tooltipText;             // the tool record points into it
    CUIPtrArray m_dpiFonts;              // DpiFontCopy*, owned: shared fonts at this DPI
    CAccessibleTreeUI* m_accessible = nullptr;   // one reference, made on first request
};

} // namespace VarnUI
