// Conversions between the ANSI code page and UTF-16, and the joining of wide texts into paths.
// A character the code page cannot represent becomes the code page's default character.
#pragma once

#include "app/NarrowText.h"
#include "ui/base/UIString.h"

#include <windows.h>

using VarnUI::CUIString;

// Through the system ANSI code page (CP_ACP); empty on failure. Null is the empty text.
NarrowText WideToNarrow(const wchar_t* text);
CUIString NarrowToWide(const char* text);

// Through the calling thread's ANSI code page (CP_THREAD_ACP); empty on failure.
CUIString ThreadAnsiToWide(const char* text);

// For paths that must pass through narrow text: a path changed by a conversion names another
// file, so these fail instead of substituting (no best-fit or default character, no invalid
// byte sequence, no terminator inside the text). Empty text converts to empty text. The counted
// forms take `length` units of `text`.
bool WideToNarrowExact(const wchar_t* text, NarrowText* narrow);
bool WideToNarrowExact(const wchar_t* text, int length, NarrowText* narrow);
bool NarrowToWideExact(const char* text, CUIString* wide, UINT codePage = CP_ACP);
bool NarrowToWideExact(const char* text, int length, CUIString* wide, UINT codePage = CP_ACP);

// The texts one after the other (nulls skipped). Empty when memory for the whole cannot be
// had: a path cut short would name another file or folder.
CUIString JoinTexts(const wchar_t* first, const wchar_t* second, const wchar_t* third = nullptr,
                    const wchar_t* fourth = nullptr);
