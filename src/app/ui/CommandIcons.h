#pragma once
// Toolbar images: the desktop's icon theme where a standard name fits, Quillet's own otherwise,
// each with a greyed image for the disabled button.

#include <QIcon>

class QStyle;

namespace quillet::app {

// A null icon for commands that have no image.
[[nodiscard]] QIcon CommandIcon(int commandId, const QStyle& style);

}  // namespace quillet::app
