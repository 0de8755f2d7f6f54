#include "app/TextConversion.h"

#include <windows.h>

#include <vector>

namespace {

std::wstring ToWide(UINT codePage, const std::string& text)
{
    const int size = ::MultiByteToWideChar(codePage, 0, text.c_str(), -1, nullptr, 0);
    if (size <= 0) return std::wstring();
    std::vector<wchar_t> buffer(static_cast<size_t>(size));
    if (::MultiByteToWideChar(codePage, 0, text.c_str(), -1, buffer.data(), size) <= 0) return std::wstring();
    return std::wstring(buffer.data());
}

} // namespace

std::string WideToNarrow(const std::wstring& text)
{
    const int size = ::WideCharToMultiByte(CP_ACP, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
    if (size <= 0) return std::string();
    std::vector<char> buffer(static_cast<size_t>(size));
    if (::WideCharToMultiByte(CP_ACP, 0, text.c_str(), -1, buffer.data(), size, nullptr, nullptr) <= 0) {
        return std::string();
    }
    return std::string(buffer.data());
}

std::wstring NarrowToWide(const std::string& text)
{
    return ToWide(CP_ACP, text);
}

std::wstring ThreadAnsiToWide(const std::string& text)
{
    return ToWide(CP_THREAD_ACP, text);
}
