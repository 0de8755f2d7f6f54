#include "app/PathList.h"

#include <new>

using VarnUI::CUIString;

bool PathList::Add(const CUIString& path)
{
    CUIString* copy = new (std::nothrow) CUIString(path);
    if (copy == nullptr) return false;
    // A copy that could not get its memory is empty, and would stand for another path.
    if (copy->GetLength() != path.GetLength()) {
        delete copy;
        return false;
    }
    return m_paths.Adopt(copy);
}

bool PathList::AddAll(const PathList& other)
{
    for (int i = 0; i < other.GetSize(); ++i) {
        if (!Add(other[i])) return false;
    }
    return true;
}
