// Conversions between the ANSI code page and UTF-16. A character the code page
// cannot represent becomes the code page's default character.
#pragma once

#include <string>

// Through the system ANSI code page (CP_ACP); empty on failure.
std::string WideToNarrow(const std::wstring& text);
std::wstring NarrowToWide(const std::string& text);

// Through the calling thread's ANSI code page (CP_THREAD_ACP); empty on failure.
std::wstring ThreadAnsiToWide(const std::string& text);
