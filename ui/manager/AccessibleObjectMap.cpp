#include "ui/manager/AccessibleObjectMap.h"

#include <cstdint>
#include <cstring>

namespace VarnUI {

CAccessibleObjectMap::CAccessibleObjectMap() : m_pairs(sizeof(Pair)) {}

int CAccessibleObjectMap::Search(CControlUI* control, bool& found) const
{
    // Addresses compare as numbers: the controls are separate objects.
    const std::uintptr_t key = reinterpret_cast<std::uintptr_t>(control);
    int low = 0;
    int high = m_pairs.GetSize();
    while (low < high) {
        const int middle = low + (high - low) / 2;
        const std::uintptr_t at = reinterpret_cast<std::uintptr_t>(At(middle)->control);
        if (at == key) {
            found = true;
            return middle;
        }
        if (at < key) {
            low = middle + 1;
        } else {
            high = middle;
        }
    }
    found = false;
    return low;
}

CAccessibleUI* CAccessibleObjectMap::Find(CControlUI* control) const
{
    bool found = false;
    const int index = Search(control, found);
    return found ? At(index)->object : nullptr;
}

bool CAccessibleObjectMap::Set(CControlUI* control, CAccessibleUI* object)
{
    bool found = false;
    const int index = Search(control, found);
    if (found) {
        At(index)->object = object;
        return true;
    }
    const Pair pair = {control, object};
    if (!m_pairs.Add(&pair)) return false;
    const int last = m_pairs.GetSize() - 1;
    if (index < last) {
        std::memmove(At(index + 1), At(index), static_cast<size_t>(last - index) * sizeof(Pair));
        *At(index) = pair;
    }
    return true;
}

bool CAccessibleObjectMap::Remove(CControlUI* control)
{
    bool found = false;
    const int index = Search(control, found);
    return found && m_pairs.Remove(index);
}

CControlUI* CAccessibleObjectMap::ControlAt(int index) const
{
    auto* pair = static_cast<Pair*>(m_pairs.GetAt(index));
    return pair != nullptr ? pair->control : nullptr;
}

} // namespace VarnUI
