// The skin builder's table of element names and the control classes they create.
#pragma once

namespace VarnUI {

class CControlUI;

// A new control for an element name, or null when the table does not hold the name. Names
// compare case-insensitively, except "GifAnim", which must be written exactly. "TreeNode"
// is not in the table: the builder gives tree nodes their own path.
CControlUI* CreateSkinElement(const wchar_t* name);

} // namespace VarnUI
