// The manager's resource tables: fonts, images, default attribute lists, default colours,
// the process-wide colour adjustment and the language strings.
#include "ui/manager/ManagerUI.h"

#include "ui/base/AttributeValues.h"
#include "ui/manager/ManagerShared.h"
#include "ui/render/Renderer.h"

#include <climits>
#include <cwchar>

namespace VarnUI {
namespace {

// With a resource type, a name that starts with a digit is a numeric resource id ("157");
// the colour pseudo-type takes its name as the colour. An id that no resource can have
// loads nothing rather than another resource's bytes.
const wchar_t* ResourceName(const wchar_t* name, const wchar_t* type)
{
    const bool colour = type != nullptr && !IS_INTRESOURCE(type) && std::wcscmp(type, kColorImageType) == 0;
    if (type == nullptr || colour || name[0] < L'0' || name[0] > L'9') return name;
    const int id = AttributeInt(name);
    return id > 0 && id <= 0xFFFF ? MAKEINTRESOURCEW(id) : nullptr;
}

} // namespace

CManagerUI::ResourceBlock& CManagerUI::TargetBlock(bool shared)
{
    return shared || m_forceShared ? Shared().block : m_own;
}

void CManagerUI::FreeFonts(ResourceBlock& block)
{
    ForEachEntry(block.fonts, [](const wchar_t*, void* value) { DeleteFont(static_cast<FontInfoUI*>(value)); });
    block.fonts.RemoveAll();
}

void CManagerUI::FreeImages(ResourceBlock& block)
{
    ForEachEntry(block.images, [](const wchar_t*, void* value) {
        CRenderer::FreeImage(static_cast<ImageInfoUI*>(value), true);
    });
    block.images.RemoveAll();
}

void CManagerUI::FreeAttributeLists(ResourceBlock& block)
{
    DeleteAllValues<CUIString>(block.attributeLists);
}

bool CManagerUI::BuildFont(const wchar_t* face, int size, bool bold, bool underline, bool italic,
                           FontInfoUI& info) const
{
    LOGFONTW lf = {};
    ::GetObjectW(::GetStockObject(DEFAULT_GUI_FONT), sizeof(lf), &lf);
    // The face field holds 32 characters with its terminator; a longer face is cut, not
    // left unterminated.
    lstrcpynW(lf.lfFaceName, face != nullptr ? face : L"", LF_FACESIZE);
    lf.lfCharSet = DEFAULT_CHARSET;
    lf.lfHeight = -ScaleToDpi(size, m_dpi);
    // The GUI font's own weight stays in: a bold font weighs its weight plus 700.
    if (bold) lf.lfWeight += FW_BOLD;
    if (underline) lf.lfUnderline = TRUE;
    if (italic) lf.lfItalic = TRUE;
    HFONT font = ::CreateFontIndirectW(&lf);
    if (font == nullptr) return false;
    info.font.reset(font);
    info.faceName = face;
    info.size = size;
    info.dpi = m_dpi;
    info.bold = bold;
    info.underline = underline;
    info.italic = italic;
    info.tm = {};
    MeasureFont(info);
    return true;
}

void CManagerUI::MeasureFont(FontInfoUI& info) const
{
    HDC dc = m_paintDC.get();
    if (dc == nullptr || !info.font) return;
    CSelectScope select(dc, info.font.get());
    if (select) ::GetTextMetricsW(dc, &info.tm);
}

HFONT CManagerUI::AddFont(int id, const wchar_t* face, int size, bool bold, bool underline, bool italic,
                          bool shared)
{
    auto* info = new FontInfoUI;
    if (!BuildFont(face, size, bold, underline, italic, *info)) {
        delete info;
        return nullptr;
    }
    const CUIString key = DecimalKey(id);
    ResourceBlock& block = TargetBlock(shared);
    if (auto* old = static_cast<FontInfoUI*>(block.fonts.Find(key.GetData()))) {
        DeleteFont(old);
        block.fonts.Remove(key.GetData());
    }
    if (!block.fonts.Insert(key.GetData(), info)) {
        delete info;
        return nullptr;
    }
    return info->font.get();
}

void CManagerUI::SetDefaultFont(const wchar_t* face, int size, bool bold, bool underline, bool italic,
                                bool shared)
{
    FontInfoUI built;
    if (!BuildFont(face, size, bold, underline, italic, built)) return;
    FontInfoUI& target = shared ? Shared().block.defaultFont : m_own.defaultFont;
    target = std::move(built);
}

FontInfoUI* CManagerUI::GetDefaultFontInfo()
{
    FontInfoUI* info = ForWindowDpi(m_own.defaultFont.faceName.IsEmpty() ? &Shared().block.defaultFont
                                                                            : &m_own.defaultFont);
    if (info->tm.tmHeight == 0) MeasureFont(*info);
    return info;
}

HFONT CManagerUI::GetFont(int id)
{
    return GetFontInfo(id)->font.get();
}

FontInfoUI* CManagerUI::GetFontInfo(int id)
{
    FontInfoUI* info = nullptr;
    if (id >= 0) {
        const CUIString key = DecimalKey(id);
        info = static_cast<FontInfoUI*>(m_own.fonts.Find(key.GetData()));
        if (info == nullptr) info = static_cast<FontInfoUI*>(Shared().block.fonts.Find(key.GetData()));
    }
    if (info == nullptr) return GetDefaultFontInfo();
    info = ForWindowDpi(info);
    if (info->tm.tmHeight == 0) MeasureFont(*info);
    return info;
}

FontInfoUI* CManagerUI::GetFontInfoByHandle(HFONT font)
{
    FontInfoUI* found = nullptr;
    auto match = [&](const wchar_t*, void* value) {
        auto* info = static_cast<FontInfoUI*>(value);
        if (found == nullptr && font != nullptr && info->font.get() == font) found = info;
    };
    ForEachEntry(m_own.fonts, match);
    if (found == nullptr) ForEachEntry(Shared().block.fonts, match);
    if (found == nullptr) found = DpiCopyByHandle(font);
    if (found == nullptr) return GetDefaultFontInfo();
    found = ForWindowDpi(found);
    if (found->tm.tmHeight == 0) MeasureFont(*found);
    return found;
}

HFONT CManagerUI::FindFont(const wchar_t* face, int size, bool bold, bool underline, bool italic) const
{
    HFONT found = nullptr;
    auto match = [&](const wchar_t*, void* value) {
        auto* info = static_cast<FontInfoUI*>(value);
        if (found == nullptr && info->faceName == face && info->size == size && info->bold == bold &&
            info->underline == underline && info->italic == italic) {
            found = info->font.get();
        }
    };
    ForEachEntry(m_own.fonts, match);
    if (found == nullptr) ForEachEntry(Shared().block.fonts, match);
    return found;
}

bool CManagerUI::RemoveFont(int id, bool shared)
{
    const CUIString key = DecimalKey(id);
    ResourceBlock& block = TargetBlock(shared);
    auto* info = static_cast<FontInfoUI*>(block.fonts.Find(key.GetData()));
    if (info == nullptr) return false;
    DeleteFont(info);
    return block.fonts.Remove(key.GetData());
}

bool CManagerUI::RemoveFontFrom(ResourceBlock& block, HFONT font)
{
    CUIString key;
    ForEachEntry(block.fonts, [&](const wchar_t* entryKey, void* value) {
        if (key.IsEmpty() && static_cast<FontInfoUI*>(value)->font.get() == font) key = entryKey;
    });
    if (font == nullptr || key.IsEmpty()) return false;
    DeleteFont(static_cast<FontInfoUI*>(block.fonts.Find(key.GetData())));
    return block.fonts.Remove(key.GetData());
}

bool CManagerUI::RemoveFontByHandle(HFONT font, bool shared)
{
    return RemoveFontFrom(TargetBlock(shared), font);
}

void CManagerUI::RemoveAllFonts(bool shared)
{
    FreeFonts(TargetBlock(shared));
}

int CManagerUI::NextFormattedTextFontId()
{
    return Shared().nextFormattedFontId++;
}

ImageInfoUI* CManagerUI::AddImage(const wchar_t* name, const wchar_t* type, DWORD mask, bool keepSource,
                                  bool shared)
{
    return AddImageTo(TargetBlock(shared), name, type, mask, keepSource);
}

ImageInfoUI* CManagerUI::AddImageTo(ResourceBlock& block, const wchar_t* name, const wchar_t* type, DWORD mask,
                                    bool keepSource)
{
    if (name == nullptr || name[0] == L'\0') return nullptr;
    if (type != nullptr && type[0] == L'\0') type = nullptr;
    ImageInfoUI* image = CRenderer::LoadImage(ResourceName(name, type), type, mask, m_dpi);
    if (image == nullptr) return nullptr;
    image->keepSource = keepSource;
    image->resType = type;
    image->mask = mask;
    if (keepSource) {
        CRenderer::KeepImageSource(image);
        const SharedState& state = Shared();
        if (state.hslEnabled) {
            CRenderer::AdjustImageHSL(true, image, state.hue, state.saturation, state.lightness);
        }
    }

    if (auto* old = static_cast<ImageInfoUI*>(block.images.Find(name))) {
        // Draw records of live controls point at the cached record: replace its content
        // in place so that they see the new image instead of freed memory.
        CRenderer::FreeImage(old, false);
        *old = std::move(*image);
        delete image;
        return old;
    }
    if (!block.images.Insert(name, image)) {
        CRenderer::FreeImage(image, true);
        return nullptr;
    }
    return image;
}

ImageInfoUI* CManagerUI::GetImage(const wchar_t* name) const
{
    if (name == nullptr || name[0] == L'\0') return nullptr;
    auto* image = static_cast<ImageInfoUI*>(m_own.images.Find(name));
    if (image == nullptr) image = static_cast<ImageInfoUI*>(Shared().block.images.Find(name));
    return image;
}

ImageInfoUI* CManagerUI::GetOrLoadImage(const wchar_t* name, const wchar_t* type, DWORD mask, bool keepSource)
{
    ImageInfoUI* image = GetImage(name);
    if (image == nullptr) return AddImage(name, type, mask, keepSource, false);
    if (image->dpi == m_dpi) return image;
    // Made for another DPI: the window's own image is made again in place (its draw records
    // keep pointing at it); a shared one gets a copy of the window's own beside it.
    const bool own = m_own.images.Find(name) == image;
    ResourceBlock& block = own || !m_forceShared ? m_own : Shared().block;
    // The type is copied: remaking in place replaces the record it is read from.
    const CUIString madeWith = image->resType;
    ImageInfoUI* remade = AddImageTo(block, name, madeWith.IsEmpty() ? nullptr : madeWith.GetData(), image->mask,
                                     image->keepSource);
    return remade != nullptr ? remade : image;
}

bool CManagerUI::RemoveImage(const wchar_t* name, bool shared)
{
    if (name == nullptr || name[0] == L'\0') return false;
    ResourceBlock& block = TargetBlock(shared);
    auto* image = static_cast<ImageInfoUI*>(block.images.Find(name));
    if (image == nullptr) return false;
    if (m_layeredImage.image == image) {
        m_layeredImage.image = nullptr;
        m_layeredImage.loaded = false;
    }
    CRenderer::FreeImage(image, true);
    return block.images.Remove(name);
}

void CManagerUI::RemoveAllImages(bool shared)
{
    m_layeredImage.image = nullptr;
    m_layeredImage.loaded = false;
    FreeImages(TargetBlock(shared));
}

void CManagerUI::ReadjustOwnImages()
{
    const SharedState& state = Shared();
    ForEachEntry(m_own.images, [&](const wchar_t*, void* value) {
        auto* image = static_cast<ImageInfoUI*>(value);
        if (image->keepSource) {
            CRenderer::AdjustImageHSL(state.hslEnabled, image, state.hue, state.saturation, state.lightness);
        }
    });
}

void CManagerUI::AddDefaultAttributes(const wchar_t* className, const wchar_t* list, bool shared)
{
    if (className == nullptr || className[0] == L'\0') return;
    auto* text = new CUIString(list);
    void* displaced = TargetBlock(shared).attributeLists.Set(className, text);
    // Set hands back the replaced list, or the new one when it could not be stored.
    delete static_cast<CUIString*>(displaced);
}

const wchar_t* CManagerUI::GetDefaultAttributes(const wchar_t* className) const
{
    if (className == nullptr || className[0] == L'\0') return nullptr;
    auto* text = static_cast<CUIString*>(m_own.attributeLists.Find(className));
    if (text == nullptr) text = static_cast<CUIString*>(Shared().block.attributeLists.Find(className));
    return text != nullptr ? text->GetData() : nullptr;
}

bool CManagerUI::RemoveDefaultAttributeList(const wchar_t* className, bool shared)
{
    if (className == nullptr || className[0] == L'\0') return false;
    ResourceBlock& block = TargetBlock(shared);
    auto* text = static_cast<CUIString*>(block.attributeLists.Find(className));
    if (text == nullptr) return false;
    delete text;
    return block.attributeLists.Remove(className);
}

void CManagerUI::RemoveAllDefaultAttributeLists(bool shared)
{
    FreeAttributeLists(TargetBlock(shared));
}

void CManagerUI::SetColor(DWORD ResourceBlock::*field, DWORD color, bool shared)
{
    if (shared) {
        DWORD& sharedValue = Shared().block.*field;
        // A window that still follows the shared value keeps following it.
        if (m_own.*field == sharedValue) m_own.*field = color;
        sharedValue = color;
    } else {
        m_own.*field = color;
    }
}

void CManagerUI::SetDefaultDisabledColor(DWORD color, bool shared)
{
    SetColor(&ResourceBlock::disabledColor, color, shared);
}

void CManagerUI::SetDefaultFontColor(DWORD color, bool shared)
{
    SetColor(&ResourceBlock::fontColor, color, shared);
}

void CManagerUI::SetDefaultLinkFontColor(DWORD color, bool shared)
{
    SetColor(&ResourceBlock::linkColor, color, shared);
}

void CManagerUI::SetDefaultLinkHoverFontColor(DWORD color, bool shared)
{
    SetColor(&ResourceBlock::linkHoverColor, color, shared);
}

void CManagerUI::SetDefaultSelectedBkColor(DWORD color, bool shared)
{
    SetColor(&ResourceBlock::selectedBkColor, color, shared);
}

void CManagerUI::SetHSL(bool enabled, short hue, short saturation, short lightness)
{
    SharedState& state = Shared();
    if (!state.hslEnabled && !enabled) return;
    const bool flagChanged = state.hslEnabled != enabled;
    state.hslEnabled = enabled;
    // Switching on or off with the same values still has to redo (or undo) the adjustment.
    if (!flagChanged && state.hue == hue && state.saturation == saturation && state.lightness == lightness) {
        return;
    }
    auto clamp = [](short value, short high) -> short { return value < 0 ? 0 : (value > high ? high : value); };
    state.hue = clamp(hue, 360);
    state.saturation = clamp(saturation, 200);
    state.lightness = clamp(lightness, 200);

    ForEachEntry(state.block.images, [&](const wchar_t*, void* value) {
        auto* image = static_cast<ImageInfoUI*>(value);
        if (image->keepSource) {
            CRenderer::AdjustImageHSL(state.hslEnabled, image, state.hue, state.saturation, state.lightness);
        }
    });
    for (int i = 0; i < state.managers.GetSize(); ++i) {
        auto* manager = static_cast<CManagerUI*>(state.managers[i]);
        manager->ReadjustOwnImages();
        manager->Invalidate();
    }
}

bool CManagerUI::IsHSLEnabled()
{
    return Shared().hslEnabled;
}

void CManagerUI::GetHSL(short* hue, short* saturation, short* lightness)
{
    const SharedState& state = Shared();
    if (hue != nullptr) *hue = state.hue;
    if (saturation != nullptr) *saturation = state.saturation;
    if (lightness != nullptr) *lightness = state.lightness;
}

void CManagerUI::AddLanguageString(int id, const wchar_t* text)
{
    const CUIString key = DecimalKey(id);
    auto* value = new CUIString(text);
    delete static_cast<CUIString*>(Shared().languageStrings.Set(key.GetData(), value));
}

const wchar_t* CManagerUI::GetLanguageString(int id)
{
    const CUIString key = DecimalKey(id);
    auto* text = static_cast<CUIString*>(Shared().languageStrings.Find(key.GetData()));
    return text != nullptr ? text->GetData() : nullptr;
}

bool CManagerUI::RemoveLanguageString(int id)
{
    const CUIString key = DecimalKey(id);
    CUIStringMap& strings = Shared().languageStrings;
    auto* text = static_cast<CUIString*>(strings.Find(key.GetData()));
    if (text == nullptr) return false;
    delete text;
    return strings.Remove(key.GetData());
}

void CManagerUI::RemoveAllLanguageStrings()
{
    DeleteAllValues<CUIString>(Shared().languageStrings);
}

void CManagerUI::ExpandLanguageTokens(CUIString& text)
{
    if (Shared().languageStrings.GetSize() == 0) return;
    int pos = text.Find(L'%');
    while (pos >= 0) {
        int end = pos + 2;
        long long id = 0;
        bool fits = true;
        if (text.GetAt(pos + 1) == L'{') {
            while (text.GetAt(end) >= L'0' && text.GetAt(end) <= L'9') {
                id = id * 10 + (text.GetAt(end) - L'0');
                if (id > INT_MAX) {
                    fits = false;
                    id = INT_MAX;
                }
                ++end;
            }
        }
        int next = pos + 1;
        const bool token = text.GetAt(pos + 1) == L'{' && end > pos + 2 && text.GetAt(end) == L'}';
        const wchar_t* replacement = token && fits ? GetLanguageString(static_cast<int>(id)) : nullptr;
        if (replacement != nullptr) {
            const CUIString tokenText = text.Mid(pos, end - pos + 1);
            text.Replace(tokenText.GetData(), replacement);
            // Scanning on after the inserted text keeps a string that holds its own token
            // from expanding without end.
            next = pos + lstrlenW(replacement);
        }
        pos = text.Find(L'%', next);
    }
}

} // namespace VarnUI
