// CAccessibleObjectMap: which accessible object stands for which control, for one window's
// accessible tree. Kept sorted by the control's address, so a lookup halves its way there.
// Neither the controls nor the objects are owned.
#pragma once

#include "ui/base/UIValArray.h"

namespace VarnUI {

class CAccessibleUI;
class CControlUI;

class CAccessibleObjectMap {
public:
    CAccessibleObjectMap();

    // The control's object, or null.
    CAccessibleUI* Find(CControlUI* control) const;
    // Adds the pair, or replaces the object of a control already there. False (the map
    // unchanged) when the map cannot grow.
    bool Set(CControlUI* control, CAccessibleUI* object);
    // Takes the control out; false when it was not there.
    bool Remove(CControlUI* control);
    bool IsEmpty() const { return m_pairs.IsEmpty(); }
    int GetSize() const { return m_pairs.GetSize(); }
    // The control of the pair at index (0 to GetSize() - 1), in address order.
    CControlUI* ControlAt(int index) const;

private:
    struct Pair {
        CControlUI* control;
        CAccessibleUI* object;
    };
    // The index of the control's pair, or where it would go (`found` tells which).
    int Search(CControlUI* control, bool& found) const;
    Pair* At(int index) const { return static_cast<Pair*>(m_pairs[index]); }

    CUIValArray m_pairs;
};

} // namespace VarnUI
