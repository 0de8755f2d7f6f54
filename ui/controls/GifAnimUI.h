// CGifAnimUI: an animated picture's control. The picture named by "bkimage" is drawn as its
// first frame through the control base's background image; "autosize" makes the control take
// the picture's size. Playing only switches a state: no frames are stepped and no timer runs.
//
// Ownership: as any control; the picture belongs to the manager's image table. Rectangles are
// window client coordinates.
#pragma once

#include "ui/controls/ControlUI.h"

namespace VarnUI {

class CGifAnimUI : public CControlUI {
public:
    // CControlUI overrides
    const wchar_t* GetClassName() const override;
    void* GetInterface(const wchar_t* name) override;
    void SetVisible(bool visible = true) override;
    void SetAttribute(const wchar_t* name, const wchar_t* value) override;
    SIZE MeasureSize(SIZE available) override;
    void PaintBackImage(HDC dc) override;

    bool IsAutoPlay() const { return m_autoPlay; }
    void SetAutoPlay(bool autoPlay) { m_autoPlay = autoPlay; }
    bool IsAutoSize() const { return m_autoSize; }
    void SetAutoSize(bool autoSize);
    bool IsPlaying() const { return m_playing; }
    void PlayGif();
    void PauseGif();
    void StopGif();

private:
    // Loads the picture once there is a manager and, with autosize, takes its size.
    void ApplyPictureSize();

    bool m_autoPlay = true;
    bool m_autoSize = false;
    bool m_playing = false;
};

} // namespace VarnUI
