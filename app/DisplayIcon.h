// The product's executable as named by the "DisplayIcon" value. Installers write that value
// in several forms: a plain path, a path in quotation marks, a path followed by an icon index
// (",0", ",-101"), or a path with forward slashes.
#pragma once

#include "ui/base/UIString.h"

// The executable's path with quotation marks and icon index taken off and forward slashes
// turned into backslashes; a plain path comes back as it is. Empty when the value is malformed
// (an unclosed quotation mark, or anything but an icon index after the closing one).
VarnUI::CUIString ExecutableFromDisplayIcon(const VarnUI::CUIString& value);
