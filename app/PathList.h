// PathList: an ordered list of paths that owns its copies.
#pragma once

#include "app/OwnedList.h"
#include "ui/base/UIString.h"

class PathList {
public:
    PathList() = default;
    PathList(const PathList&) = delete;
    PathList& operator=(const PathList&) = delete;

    // Appends a copy; false (the list unchanged) when memory for it cannot be had.
    bool Add(const VarnUI::CUIString& path);
    // Appends a copy of every path of `other`, in order.
    bool AddAll(const PathList& other);
    int GetSize() const { return m_paths.GetSize(); }
    bool IsEmpty() const { return m_paths.IsEmpty(); }
    // Unchecked: the caller keeps the index in range.
    const VarnUI::CUIString& operator[](int index) const
    {
        return m_paths[index];
    }

private:
    OwnedList<VarnUI::CUIString> m_paths;
};
