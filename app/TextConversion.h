// Conversions between the ANSI code page and UTF-16. A character the code page
// cannot represent becomes the code page's default character.
#pragma once

#include <windows.h>

#include <string>

// Through the system ANSI code page (CP_ACP); empty on failure.
std::string WideToNarrow(const std::wstring& text);
std::wstring NarrowToWide(const std::string& text);

// Through the calling thread's ANSI code page (CP_THREAD_ACP); empty on failure.
std::wstring ThreadAnsiToWide(const std::string& text);

// For paths that must pass through narrow text: a path changed by a conversion names another
// file, so these fail instead of substituting (no best-fit or default character, no invalid
// byte sequence). Empty text converts to empty text.
bool WideToNarrowExact(const std::wstring& text, std::string* narrow);
bool NarrowToWideExact(const std::string& text, std::wstring* wide, UINT codePage = CP_ACP);
