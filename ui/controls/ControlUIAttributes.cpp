// CControlUI: the skin attribute setter, custom attributes, and the colour, image and border
// setters the attribute setter uses.
#include "ui/controls/ControlUI.h"

#include "ui/base/AttributeValues.h"
#include "ui/manager/AttributeList.h"
#include "ui/manager/ManagerUI.h"
#include "ui/render/Renderer.h"

#include <cwchar>

namespace VarnUI {
namespace {

// Four fractions of the parent's size, one separator character skipped after each.
PercentInfoUI ReadPercent(const wchar_t* value)
{
    double parts[4] = {};
    AttributeFractions(value, parts, 4);
    PercentInfoUI percent;
    percent.left = parts[0];
    percent.top = parts[1];
    percent.right = parts[2];
    percent.bottom = parts[3];
    return percent;
}

} // namespace

void CControlUI::SetAttribute(const wchar_t* name, const wchar_t* value)
{
    if (name == nullptr || value == nullptr) return;
    const CUIString key(name);
    if (key == L"pos") {
        const RECT rc = Scaled(CUIRect(value));
        SetFixedXY({rc.left, rc.top});
        SetFixedWidth(rc.right - rc.left);
        SetFixedHeight(rc.bottom - rc.top);
    } else if (key == L"padding") {
        SetPadding(Scaled(CUIRect(value)));
    } else if (key == L"bkcolor" || key == L"bkcolor1") {
        SetBkColor(AttributeColorAfterBlanks(value));
    } else if (key == L"bkcolor2") {
        SetBkColor2(AttributeColorAfterBlanks(value));
    } else if (key == L"bkcolor3") {
        SetBkColor3(AttributeColorAfterBlanks(value));
    } else if (key == L"bordercolor") {
        SetBorderColor(AttributeColor(value));
    } else if (key == L"focusbordercolor") {
        SetFocusBorderColor(AttributeColor(value));
    } else if (key == L"colorhsl") {
        SetColorHSL(AttributeIsTrue(value));
    } else if (key == L"bordersize") {
        if (std::wcschr(value, L',') != nullptr) {
            SetBorderSize(Scaled(CUIRect(value)));
        } else {
            SetBorderSize(Scaled(AttributeInt(value)));
        }
    } else if (key == L"borderstyle") {
        SetBorderStyle(AttributeInt(value));
    } else if (key == L"borderround") {
        SetBorderRound(Scaled(CUISize(value)));
    } else if (key == L"bkimage") {
        SetBkImage(value);
    } else if (key == L"width") {
        SetFixedWidth(Scaled(AttributeInt(value)));
    } else if (key == L"height") {
        SetFixedHeight(Scaled(AttributeInt(value)));
    } else if (key == L"minwidth") {
        SetMinWidth(Scaled(AttributeInt(value)));
    } else if (key == L"minheight") {
        SetMinHeight(Scaled(AttributeInt(value)));
    } else if (key == L"maxwidth") {
        SetMaxWidth(Scaled(AttributeInt(value)));
    } else if (key == L"maxheight") {
        SetMaxHeight(Scaled(AttributeInt(value)));
    } else if (key == L"name") {
        SetName(value);
    } else if (key == L"text") {
        SetText(value);
    } else if (key == L"tooltip") {
        SetToolTip(value);
    } else if (key == L"userdata") {
        SetUserData(value);
    } else if (key == L"tag") {
        SetTag(static_cast<UINT_PTR>(AttributeInt(value)));
    } else if (key == L"enabled") {
        SetEnabled(AttributeIsTrue(value));
    } else if (key == L"mouse") {
        SetMouseEnabled(AttributeIsTrue(value));
    } else if (key == L"keyboard") {
        SetKeyboardEnabled(AttributeIsTrue(value));
    } else if (key == L"visible") {
        SetVisible(AttributeIsTrue(value));
    } else if (key == L"float") {
        if (std::wcschr(value, L',') != nullptr) {
            SetFloatPercent(ReadPercent(value));
            SetFloat(true);
        } else {
            SetFloat(AttributeIsTrue(value));
        }
    } else if (key == L"shortcut") {
        SetShortcut(value[0]);
    } else if (key == L"menu") {
        SetContextMenuUsed(AttributeIsTrue(value));
    } else if (key == L"virtualwnd") {
        SetVirtualWnd(value);
    } else {
        AddCustomAttribute(name, value);
    }
}

CUIString CControlUI::GetAttribute(const wchar_t*)
{
    return CUIString();
}

CUIString CControlUI::GetAttributeList(bool)
{
    return CUIString();
}

void CControlUI::ApplyAttributeText(const wchar_t* list)
{
    ParseAttributeList(list, [this](const wchar_t* name, const wchar_t* value) { SetAttribute(name, value); });
}

void CControlUI::AddCustomAttribute(const wchar_t* name, const wchar_t* value)
{
    if (name == nullptr || name[0] == L'\0' || value == nullptr || value[0] == L'\0') return;
    if (m_customAttributes.Find(name) != nullptr) return;
    auto* stored = new CUIString(value);
    if (!m_customAttributes.Insert(name, stored)) delete stored;
}

const wchar_t* CControlUI::GetCustomAttribute(const wchar_t* name) const
{
    if (name == nullptr || name[0] == L'\0') return nullptr;
    auto* value = static_cast<CUIString*>(m_customAttributes.Find(name));
    return value != nullptr ? value->GetData() : nullptr;
}

bool CControlUI::RemoveCustomAttribute(const wchar_t* name)
{
    if (name == nullptr || name[0] == L'\0') return false;
    auto* value = static_cast<CUIString*>(m_customAttributes.Find(name));
    if (value == nullptr) return false;
    delete value;
    return m_customAttributes.Remove(name);
}

void CControlUI::RemoveAllCustomAttributes()
{
    while (m_customAttributes.GetSize() > 0) {
        const CUIString name = m_customAttributes.GetAt(0);
        delete static_cast<CUIString*>(m_customAttributes.Find(name.GetData(), false));
        m_customAttributes.Remove(name.GetData());
    }
}

void CControlUI::SetBkColor(DWORD color)
{
    if (m_bkColor == color) return;
    m_bkColor = color;
    Invalidate();
}

void CControlUI::SetBkColor2(DWORD color)
{
    if (m_bkColor2 == color) return;
    m_bkColor2 = color;
    Invalidate();
}

void CControlUI::SetBkColor3(DWORD color)
{
    if (m_bkColor3 == color) return;
    m_bkColor3 = color;
    Invalidate();
}

void CControlUI::SetImageString(ImageDrawUI& image, const wchar_t* drawString)
{
    if (image.Reset(drawString)) Invalidate();
}

bool CControlUI::SetStateImage(const wchar_t* name, const wchar_t* value, ImageDrawUI* normal, ImageDrawUI* hot,
                               ImageDrawUI* pushed, ImageDrawUI* focused, ImageDrawUI* disabled)
{
    const struct {
        const wchar_t* name;
        ImageDrawUI* image;
    } states[] = {{L"normalimage", normal}, {L"hotimage", hot}, {L"pushedimage", pushed}, {L"focusedimage", focused},
                  {L"disabledimage", disabled}};
    for (const auto& state : states) {
        if (state.image == nullptr || std::wcscmp(name, state.name) != 0) continue;
        SetImageString(*state.image, value);
        return true;
    }
    return false;
}

void CControlUI::SetBkImage(const wchar_t* drawString)
{
    if (!m_bkImage.Reset(drawString)) return;
    CRenderer::DrawImageString(nullptr, m_manager, m_item, m_item, m_bkImage);
    if (m_float && m_fixedWidth == 0 && m_fixedHeight == 0 && m_bkImage.image != nullptr) {
        m_fixedWidth = m_bkImage.image->width;
        m_fixedHeight = m_bkImage.image->height;
    }
    Invalidate();
}

void CControlUI::SetBorderColor(DWORD color)
{
    if (m_borderColor == color) return;
    m_borderColor = color;
    Invalidate();
}

void CControlUI::SetFocusBorderColor(DWORD color)
{
    if (m_focusBorderColor == color) return;
    m_focusBorderColor = color;
    Invalidate();
}

void CControlUI::SetBorderSize(RECT widths)
{
    m_borderSize = widths;
    Invalidate();
}

void CControlUI::SetBorderSize(int width)
{
    m_borderSize = CUIRect(width, width, width, width);
    Invalidate();
}

void CControlUI::SetBorderStyle(int style)
{
    m_borderStyle = style;
    Invalidate();
}

void CControlUI::SetBorderRound(SIZE round)
{
    m_borderRound = round;
    Invalidate();
}

void CControlUI::SetColorHSL(bool colorHSL)
{
    if (m_colorHSL == colorHSL) return;
    m_colorHSL = colorHSL;
    Invalidate();
}

} // namespace VarnUI
