// The path steps the folder walk takes on standard strings, until it holds its paths as
// CUIString. Kept apart so that nothing else links the standard strings in.
#include "app/FileAccess.h"
#include "app/PathSafety.h"

using VarnUI::CUIString;

namespace {

CUIString ToUIString(const std::wstring& text)
{
    // A terminator inside would cut the path short.
    if (text.find(L'\0') != std::wstring::npos) return CUIString();
    const CUIString converted(text.c_str());
    return converted.GetLength() == static_cast<int>(text.size()) ? converted : CUIString();
}

std::wstring ToStdString(const CUIString& text)
{
    return std::wstring(text.GetData(), static_cast<size_t>(text.GetLength()));
}

} // namespace

std::wstring LongPathForm(const std::wstring& path)
{
    return ToStdString(LongPathForm(ToUIString(path)));
}

std::wstring ObjectNameOf(HANDLE handle)
{
    return ToStdString(HandleObjectName(handle));
}

std::wstring JoinPath(const std::wstring& parent, const std::wstring& name)
{
    return ToStdString(JoinPath(ToUIString(parent), ToUIString(name)));
}

bool SameName(const std::wstring& a, const std::wstring& b)
{
    return SameName(ToUIString(a), ToUIString(b));
}

std::wstring ExpectedObjectName(const std::wstring& path)
{
    return ToStdString(ExpectedObjectName(ToUIString(path)));
}

bool IsOwnExecutable(const std::wstring& path)
{
    const CUIString converted = ToUIString(path);
    return !converted.IsEmpty() && IsOwnExecutable(converted);
}
