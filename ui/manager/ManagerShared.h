// Internal to the manager's sources: the process-wide block every manager shares (shared
// resources, language strings, the live managers, the colour adjustment settings) and
// small helpers over the string maps of owned values.
#pragma once

#include "ui/base/UIPtrArray.h"
#include "ui/base/UIString.h"
#include "ui/base/UIStringMap.h"
#include "ui/manager/ManagerUI.h"
#include "ui/render/GdiHandles.h"

#include <windows.h>

namespace VarnUI {

struct CManagerUI::SharedState {
    ResourceBlock block;
    CUIStringMap languageStrings;   // id in decimal -> CUIString*, owned
    CUIPtrArray managers;           // live managers, in the order Init listed them
    CGdiPen dirtyPen;
    HMODULE msimg32 = nullptr;
    bool hslEnabled = false;
    short hue = 180;
    short saturation = 100;
    short lightness = 100;
    int nextFormattedFontId = 30000;
};

// The decimal text of an id, as the font and language tables key it.
inline CUIString DecimalKey(int id)
{
    CUIString key;
    key.Format(L"%d", id);
    return key;
}

// Calls fn(key, value) for every entry; fn must not change the map.
template <typename Fn>
void ForEachEntry(const CUIStringMap& map, Fn fn)
{
    for (int i = 0; i < map.GetSize(); ++i) {
        const wchar_t* key = map.GetAt(i);
        if (key != nullptr) fn(key, map.Find(key, false));
    }
}

// Deletes every value as T and empties the map (keeping its buckets).
template <typename T>
void DeleteAllValues(CUIStringMap& map)
{
    ForEachEntry(map, [](const wchar_t*, void* value) { delete static_cast<T*>(value); });
    map.RemoveAll();
}

} // namespace VarnUI
