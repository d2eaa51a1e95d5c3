// Icons from the SVG pictures embedded in the program, sharp at any scale.
#pragma once

#include <QIcon>

namespace brumalis::ui {

// The icon of the embedded SVG blob, greyed in every mode with bGreyed (a
// page with nothing to show); a null icon when there is no such blob.
QIcon EmbeddedIcon(const char* szBlob, bool bGreyed = false);

}  // namespace brumalis::ui
