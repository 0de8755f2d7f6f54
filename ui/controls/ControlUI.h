// CControlUI: the base of every element of a skinned window, a rectangle in a tree of
// controls owned by one CManagerUI. It holds the state every control shares (name, text,
// layout wishes, visibility, colours, background image, border, tooltip, custom attributes),
// the listener lists, the attribute setter, the default event behaviour and the paint steps
// that subclasses refine.
//
// Ownership: a control owns its cover, its custom attribute values and its listener
// callbacks; its manager and parent are borrowed. Its parent container (or the manager, for
// the root) owns the control. Rectangles (item, paint) are window client coordinates;
// GetRelativePos is relative to the parent.
//
// Display scale: every length a control keeps (sizes, paddings, borders, ...) is in the
// window's real pixels. Skin attributes are written for 96 DPI and scaled by the window's
// DPI where they are stored; values set in code and values the getters return are real
// pixels. A control follows its manager's DPI (SetDpi converts what it keeps).
#pragma once

#include "ui/base/DpiScale.h"
#include "ui/base/UIGeometry.h"
#include "ui/base/UIString.h"
#include "ui/base/UIStringMap.h"
#include "ui/controls/UIDelegate.h"
#include "ui/manager/ManagerTypes.h"
#include "ui/render/RenderTypes.h"

#include <windows.h>

#include <memory>

namespace VarnUI {

class CManagerUI;

// Control flags answered by QueryControlFlags (plain constants, so that "c ? flag : 0"
// stays one type).
constexpr UINT CTLFLAG_TABSTOP = 0x1;    // takes the focus by Tab
constexpr UINT CTLFLAG_SETCURSOR = 0x2;  // receives EVT_SETCURSOR

// Fractions of the parent's width and height added to a float placement.
struct PercentInfoUI {
    double left = 0.0;
    double top = 0.0;
    double right = 0.0;
    double bottom = 0.0;
};

class CControlUI {
public:
    CControlUI();
    CControlUI(const CControlUI&) = delete;
    CControlUI& operator=(const CControlUI&) = delete;

    // Leaves the manager's mouse-leave list, then deletes the control. A control that is
    // still handling an event (its own, or one forwarded through it) is forgotten by the
    // manager at once and deleted after the current message.
    virtual void Destroy();
    virtual ~CControlUI();

    virtual const CUIString& GetName() const;
    virtual void SetName(const wchar_t* name);
    virtual const wchar_t* GetClassName() const;
    virtual void* GetInterface(const wchar_t* name);
    virtual UINT QueryControlFlags() const;
    virtual HWND GetNativeWindow() const;
    virtual bool Activate();

    virtual CManagerUI* GetManager() const;
    virtual void SetManager(CManagerUI* manager, CControlUI* parent, bool init = true);
    virtual CControlUI* GetParent() const;
    virtual CControlUI* GetCover() const;
    virtual void SetCover(CControlUI* cover);

    virtual CUIString GetText() const;
    virtual void SetText(const wchar_t* text);

    virtual const RECT& GetPos() const;
    virtual RECT GetRelativePos() const;
    virtual RECT GetClientPos() const;
    virtual void SetPos(RECT rc, bool needInvalidate = true);
    virtual void Move(int dx, int dy, bool needInvalidate = true);
    virtual int GetWidth() const;
    virtual int GetHeight() const;
    virtual int GetX() const;
    virtual int GetY() const;
    virtual RECT GetPadding() const;
    virtual void SetPadding(RECT padding);
    virtual SIZE GetFixedXY() const;
    virtual void SetFixedXY(SIZE xy);
    virtual PercentInfoUI GetFloatPercent() const;
    virtual void SetFloatPercent(PercentInfoUI percent);
    virtual int GetFixedWidth() const;
    virtual void SetFixedWidth(int cx);
    virtual int GetFixedHeight() const;
    virtual void SetFixedHeight(int cy);
    virtual int GetMinWidth() const;
    virtual void SetMinWidth(int cx);
    virtual int GetMaxWidth() const;
    virtual void SetMaxWidth(int cx);
    virtual int GetMinHeight() const;
    virtual void SetMinHeight(int cy);
    virtual int GetMaxHeight() const;
    virtual void SetMaxHeight(int cy);

    virtual CUIString GetToolTip() const;
    virtual void SetToolTip(const wchar_t* text);
    virtual void SetToolTipWidth(int width);
    virtual int GetToolTipWidth() const;
    virtual wchar_t GetShortcut() const;
    virtual void SetShortcut(wchar_t ch);
    virtual bool IsContextMenuUsed() const;
    virtual void SetContextMenuUsed(bool used);
    virtual const CUIString& GetUserData() const;
    virtual void SetUserData(const wchar_t* text);
    virtual UINT_PTR GetTag() const;
    virtual void SetTag(UINT_PTR tag);

    virtual bool IsVisible() const;
    virtual void SetVisible(bool visible = true);
    virtual void SetInheritedVisible(bool visible = true);
    virtual bool IsEnabled() const;
    virtual void SetEnabled(bool enabled = true);
    virtual bool IsMouseEnabled() const;
    virtual void SetMouseEnabled(bool enabled = true);
    virtual bool IsKeyboardEnabled() const;
    virtual void SetKeyboardEnabled(bool enabled = true);
    virtual bool IsFocused() const;
    virtual void SetFocus();
    virtual bool IsFloat() const;
    virtual void SetFloat(bool isFloat = true);

    virtual CControlUI* FindControl(FindControlProc proc, void* data, UINT flags);

    virtual void Init();
    virtual void InitSelf();

    virtual void Event(EventUI& event);
    virtual void HandleEvent(EventUI& event);

    virtual CUIString GetAttribute(const wchar_t* name);
    virtual void SetAttribute(const wchar_t* name, const wchar_t* value);
    virtual CUIString GetAttributeList(bool ignoreDefaults = true);
    virtual void ApplyAttributeText(const wchar_t* list);

    virtual SIZE MeasureSize(SIZE available);

    // False when painting must stop (the stop control was reached).
    virtual bool Paint(HDC dc, const RECT& updateRect, CControlUI* stopControl = nullptr);
    virtual bool PaintContent(HDC dc, const RECT& updateRect, CControlUI* stopControl);
    virtual void PaintBackColor(HDC dc);
    virtual void PaintBackImage(HDC dc);
    virtual void PaintStateImage(HDC dc);
    virtual void PaintText(HDC dc);
    virtual void PaintBorder(HDC dc);
    virtual void PostPaint(HDC dc, const RECT& updateRect);

    // The DPI this control's lengths are in; SetDpi converts them (and those of the cover,
    // children and scroll bars) to another one.
    int GetDpi() const { return m_dpi; }
    void SetDpi(int dpi);

    void Invalidate();
    bool IsUpdateNeeded() const { return m_updateNeeded; }
    // True while an event for this control is being handled (a deferred delete waits).
    bool IsInEvent() const { return m_eventDepth > 0; }
    void RequestLayout();
    void RequestParentLayout();

    CUIString GetVirtualWnd() const;
    void SetVirtualWnd(const wchar_t* name);

    // The first value stored for a name wins; empty names or values are ignored.
    void AddCustomAttribute(const wchar_t* name, const wchar_t* value);
    const wchar_t* GetCustomAttribute(const wchar_t* name) const;
    bool RemoveCustomAttribute(const wchar_t* name);
    void RemoveAllCustomAttributes();

    DWORD GetAdjustColor(DWORD color) const;

    // The name assistive technology gives a control whose text and tooltip say nothing (an
    // image-only button); empty unless the application sets one.
    void SetAccessibleName(const wchar_t* name);
    CUIString GetAccessibleName() const;
    // The number by which assistive technology tells this control apart in events and child
    // ids: unique in the process, given on first request.
    LONG GetAccessibleId();

    DWORD GetBkColor() const { return m_bkColor; }
    void SetBkColor(DWORD color);
    DWORD GetBkColor2() const { return m_bkColor2; }
    void SetBkColor2(DWORD color);
    DWORD GetBkColor3() const { return m_bkColor3; }
    void SetBkColor3(DWORD color);
    const wchar_t* GetBkImage() const { return m_bkImage.drawString.GetData(); }
    void SetBkImage(const wchar_t* drawString);
    DWORD GetBorderColor() const { return m_borderColor; }
    void SetBorderColor(DWORD color);
    DWORD GetFocusBorderColor() const { return m_focusBorderColor; }
    void SetFocusBorderColor(DWORD color);
    RECT GetBorderSize() const { return m_borderSize; }
    void SetBorderSize(RECT widths);
    void SetBorderSize(int width);
    int GetBorderStyle() const { return m_borderStyle; }
    void SetBorderStyle(int style);
    SIZE GetBorderRound() const { return m_borderRound; }
    void SetBorderRound(SIZE round);
    bool IsColorHSL() const { return m_colorHSL; }
    void SetColorHSL(bool colorHSL);

    EventSourceUI& OnInit() { return m_onInit; }
    EventSourceUI& OnDestroy() { return m_onDestroy; }
    EventSourceUI& OnSize() { return m_onSize; }
    EventSourceUI& OnEvent() { return m_onEvent; }
    EventSourceUI& OnNotify() { return m_onNotify; }
    EventSourceUI& OnPaint() { return m_onPaint; }
    EventSourceUI& OnPostPaint() { return m_onPostPaint; }

protected:
    friend class CManagerUI;   // RenameControl stores the name without a second rename

    void SetSizeWish(int& wish, int value);
    // Every subclass that keeps lengths of its own converts them here and calls its base.
    virtual void RescalePixels(int fromDpi, int toDpi);
    // A skin length (pixels at 96 DPI) in this control's pixels.
    int Scaled(int value) const { return ScaleToDpi(value, m_dpi); }
    RECT Scaled(const RECT& rc) const { return ScaleToDpi(rc, m_dpi); }
    SIZE Scaled(const SIZE& size) const { return ScaleToDpi(size, m_dpi); }
    // Clips rc through the ancestors; false when an ancestor is hidden or nothing is left.
    bool ClipToAncestors(CUIRect& rc) const;
    // The setter of every image attribute: a new text resets the record and repaints.
    void SetImageString(ImageDrawUI& image, const wchar_t* drawString);
    // The state images most controls know: "normalimage", "hotimage", "pushedimage",
    // "focusedimage" and "disabledimage" (null: a state this control does not draw). False
    // when name is none of them.
    bool SetStateImage(const wchar_t* name, const wchar_t* value, ImageDrawUI* normal, ImageDrawUI* hot,
                       ImageDrawUI* pushed, ImageDrawUI* focused, ImageDrawUI* disabled);
    // A control with mouse input off reacts to no mouse event: it goes on to the parent (or
    // to target). True when the event was handed on.
    bool ForwardMouseEventIfOff(EventUI& event);
    bool ForwardMouseEventIfOff(EventUI& event, CControlUI* target);
    // Hands an event this control does not take on to target, which counts as busy with it
    // meanwhile: a listener that destroys target from there has the delete deferred. Without
    // a target the control base's own handling runs.
    void ForwardEvent(EventUI& event, CControlUI* target);

    EventSourceUI m_onInit;
    EventSourceUI m_onDestroy;
    EventSourceUI m_onSize;
    EventSourceUI m_onEvent;
    EventSourceUI m_onNotify;
    EventSourceUI m_onPaint;
    EventSourceUI m_onPostPaint;

    CManagerUI* m_manager = nullptr;
    CControlUI* m_parent = nullptr;
    int m_dpi = kBaseDpi;
    CControlUI* m_cover = nullptr;
    CUIString m_virtualWnd;
    CUIString m_name;
    bool m_updateNeeded = true;
    bool m_menuUsed = false;
    CUIRect m_item;
    CUIRect m_padding;
    CUISize m_fixedXY;
    int m_fixedWidth = 0;
    int m_fixedHeight = 0;
    int m_minWidth = 0;
    int m_minHeight = 0;
    int m_maxWidth = 9999;
    int m_maxHeight = 9999;
    bool m_visible = true;
    bool m_inheritedVisible = true;
    bool m_enabled = true;
    bool m_mouseEnabled = true;
    bool m_keyboardEnabled = true;
    bool m_focused = false;
    bool m_float = false;
    PercentInfoUI m_floatPercent;
    bool m_inSizeNotify = false;
    CUIString m_text;
    CUIString m_toolTip;
    wchar_t m_shortcut = 0;
    CUIString m_userData;
    UINT_PTR m_tag = 0;
    DWORD m_bkColor = 0;
    DWORD m_bkColor2 = 0;
    DWORD m_bkColor3 = 0;
    ImageDrawUI m_bkImage;
    ImageDrawUI m_foreImage;
    DWORD m_borderColor = 0;
    DWORD m_focusBorderColor = 0;
    bool m_colorHSL = false;
    int m_borderStyle = 0;
    int m_toolTipWidth = 300;
    CUISize m_borderRound;
    CUIRect m_paintRect;
    CUIRect m_borderSize;
    CUIStringMap m_customAttributes;   // name -> CUIString*, owned

private:
    friend class EventDepthScope;
    int m_eventDepth = 0;              // events being handled by this control right now
    bool m_destroyPending = false;     // destroyed while handling one; deleted later
    std::unique_ptr<CUIString> m_accessibleName;   // only on controls the application names
    LONG m_accessibleId = 0;           // 0 until first asked for
};

// Marks a control as busy with an event for the scope's lifetime: destroying it meanwhile
// defers the delete until after the current message.
class EventDepthScope {
public:
    explicit EventDepthScope(CControlUI& control) : m_control(control) { ++m_control.m_eventDepth; }
    ~EventDepthScope() { --m_control.m_eventDepth; }
    EventDepthScope(const EventDepthScope&) = delete;
    EventDepthScope& operator=(const EventDepthScope&) = delete;

private:
    CControlUI& m_control;
};

} // namespace VarnUI
