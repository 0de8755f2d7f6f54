// CScrollBarUI: a bar with two arrow buttons, a thumb with a grip ("rail") and a background,
// showing a range and a position. With an owner container it scrolls that container;
// without one it moves its own position and notifies "scroll".
//
// Ownership: a container creates and owns its bars; the owner pointer is borrowed. The bar
// owns its parsed image records. Part rectangles (buttons, thumb) are window client
// coordinates, like the item rectangle.
#pragma once

#include "ui/controls/ControlState.h"
#include "ui/controls/ControlUI.h"

namespace VarnUI {

class CContainerUI;

class CScrollBarUI : public CControlUI {
public:
    // The auto-repeat timer's key while a part is held down.
    static constexpr UINT kRepeatTimer = 10;
    static constexpr UINT kRepeatElapse = 50;
    static constexpr int kDefaultThickness = 16;

    // Image slots of every part, in the order the attributes name them.
    enum ImageSlot { kNormal = 0, kHot, kPushed, kDisabled, kSlotCount };

    CScrollBarUI();
    ~CScrollBarUI() override;

    // CControlUI overrides
    const wchar_t* GetClassName() const override;
    void* GetInterface(const wchar_t* name) override;
    void SetPos(RECT rc, bool needInvalidate = true) override;
    void SetVisible(bool visible = true) override;
    void SetEnabled(bool enabled = true) override;
    void SetFocus() override;
    void HandleEvent(EventUI& event) override;
    void SetAttribute(const wchar_t* name, const wchar_t* value) override;
    bool PaintContent(HDC dc, const RECT& updateRect, CControlUI* stopControl) override;

    CContainerUI* GetOwner() const { return m_owner; }
    void SetOwner(CContainerUI* owner) { m_owner = owner; }
    bool IsHorizontal() const { return m_horizontal; }
    void SetHorizontal(bool horizontal = true);

    int GetScrollRange() const { return m_range; }
    void SetScrollRange(int range);
    int GetScrollPos() const { return m_position; }
    void SetScrollPos(int position, bool notify = true);
    int GetLineSize() const;
    void SetLineSize(int size);
    int GetScrollUnit() const { return m_scrollUnit; }
    void SetScrollUnit(int unit);

    bool GetShowButton1() const { return m_showButton1; }
    void SetShowButton1(bool show);
    bool GetShowButton2() const { return m_showButton2; }
    void SetShowButton2(bool show);

    DWORD GetButton1Color() const { return m_button1Color; }
    void SetButton1Color(DWORD color);
    DWORD GetButton2Color() const { return m_button2Color; }
    void SetButton2Color(DWORD color);
    DWORD GetThumbColor() const { return m_thumbColor; }
    void SetThumbColor(DWORD color);

    void SetButton1Image(ImageSlot slot, const wchar_t* drawString);
    void SetButton2Image(ImageSlot slot, const wchar_t* drawString);
    void SetThumbImage(ImageSlot slot, const wchar_t* drawString);
    void SetRailImage(ImageSlot slot, const wchar_t* drawString);
    void SetBkImageFor(ImageSlot slot, const wchar_t* drawString);

    // Part geometry and state, for painting and for tests.
    const RECT& GetButton1Rect() const { return m_button1Rect; }
    const RECT& GetButton2Rect() const { return m_button2Rect; }
    const RECT& GetThumbRect() const { return m_thumbRect; }
    UINT GetButton1State() const { return m_button1State; }
    UINT GetButton2State() const { return m_button2State; }
    UINT GetThumbState() const { return m_thumbState; }

protected:
    void RescalePixels(int fromDpi, int toDpi) override;

private:
    int Thickness() const { return m_horizontal ? m_fixedHeight : m_fixedWidth; }
    // The coordinate of a point along the bar, and the bar's and thumb's extent along it.
    int Along(POINT pt) const { return m_horizontal ? pt.x : pt.y; }
    int Start(const RECT& rc) const { return m_horizontal ? rc.left : rc.top; }
    int End(const RECT& rc) const { return m_horizontal ? rc.right : rc.bottom; }

    void Step(bool forward, bool page);
    // One page toward the point along the bar; nothing while it lies over the thumb's span.
    void PageToward(POINT pt);
    void OnTimer();
    void OnMouseMove(const EventUI& event);
    void OnButtonDown(const EventUI& event);
    void OnButtonUp();
    // Sets one of the part images named in the attribute setter; false for another name.
    bool SetPartImage(const CUIString& key, const wchar_t* value);

    void PaintBackground(HDC dc);
    void PaintPart(HDC dc, const RECT& part, UINT& state, DWORD color, ImageDrawUI* images);
    void PaintRail(HDC dc);
    // Draws a state image with the part rectangle as its destination; false when missing.
    bool DrawPartImage(HDC dc, ImageDrawUI& image, const RECT& part);
    // The image of the state at the part, or the normal one when that draws nothing.
    void DrawStateImage(HDC dc, ImageDrawUI* images, UINT state, const RECT& part);

    bool m_horizontal = false;
    int m_range = 100;
    int m_position = 0;
    int m_lineSize = 8;
    int m_scrollUnit = 1;
    CContainerUI* m_owner = nullptr;
    CUIPoint m_dragStartPoint;
    int m_dragStartPosition = 0;
    int m_dragOffset = 0;
    int m_repeatCount = 0;
    bool m_pressed = false;     // from button-down to button-up: a track press repeats only then

    ImageDrawUI m_bkImages[kSlotCount];
    bool m_showButton1 = true;
    CUIRect m_button1Rect;
    UINT m_button1State = 0;
    DWORD m_button1Color = 0;
    ImageDrawUI m_button1Images[kSlotCount];
    bool m_showButton2 = true;
    CUIRect m_button2Rect;
    UINT m_button2State = 0;
    DWORD m_button2Color = 0;
    ImageDrawUI m_button2Images[kSlotCount];
    CUIRect m_thumbRect;
    UINT m_thumbState = 0;
    DWORD m_thumbColor = 0;
    ImageDrawUI m_thumbImages[kSlotCount];
    ImageDrawUI m_railImages[kSlotCount];
};

} // namespace VarnUI
