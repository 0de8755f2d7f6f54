#include "ui/controls/GifAnimUI.h"

#include "ui/base/AttributeValues.h"
#include "ui/render/Renderer.h"

namespace VarnUI {

const wchar_t* CGifAnimUI::GetClassName() const
{
    return L"GifAnim";
}

void* CGifAnimUI::GetInterface(const wchar_t* name)
{
    if (CUIString(name) == L"GifAnim") return this;
    return CControlUI::GetInterface(name);
}

void CGifAnimUI::SetVisible(bool visible)
{
    CControlUI::SetVisible(visible);
    if (!visible) StopGif();
    else if (m_autoPlay) PlayGif();
}

void CGifAnimUI::SetAttribute(const wchar_t* name, const wchar_t* value)
{
    if (name == nullptr || value == nullptr) return;
    const CUIString key(name);
    if (key == L"autoplay") {
        SetAutoPlay(AttributeIsTrue(value));
    } else if (key == L"autosize") {
        SetAutoSize(AttributeIsTrue(value));
    } else {
        CControlUI::SetAttribute(name, value);
        if (key == L"bkimage") ApplyPictureSize();
    }
}

void CGifAnimUI::SetAutoSize(bool autoSize)
{
    m_autoSize = autoSize;
    ApplyPictureSize();
}

SIZE CGifAnimUI::MeasureSize(SIZE available)
{
    ApplyPictureSize();
    return CControlUI::MeasureSize(available);
}

void CGifAnimUI::PaintBackImage(HDC dc)
{
    ApplyPictureSize();
    CControlUI::PaintBackImage(dc);
    if (m_autoPlay && !m_playing && IsVisible()) m_playing = true;
}

void CGifAnimUI::PlayGif()
{
    m_playing = true;
}

void CGifAnimUI::PauseGif()
{
    m_playing = false;
}

void CGifAnimUI::StopGif()
{
    m_playing = false;
}

void CGifAnimUI::ApplyPictureSize()
{
    if (m_bkImage.drawString.IsEmpty()) return;
    // The picture resolves only once the manager's images are reachable.
    if (m_bkImage.image == nullptr && m_manager != nullptr) {
        m_bkImage.loaded = false;
        CRenderer::DrawImageString(nullptr, m_manager, m_item, m_item, m_bkImage);
    }
    if (!m_autoSize || m_bkImage.image == nullptr) return;
    const int width = m_bkImage.image->width;
    const int height = m_bkImage.image->height;
    if (m_fixedWidth == width && m_fixedHeight == height) return;
    SetFixedWidth(width);
    SetFixedHeight(height);
}

} // namespace VarnUI
