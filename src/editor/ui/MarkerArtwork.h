#pragma once
// The margin's 16 x 16 marker images: 0 bookmark, 1 execution arrow, 2 breakpoint.

#include <QPixmap>

#include <array>

namespace quillet::editor {

[[nodiscard]] std::array<QPixmap, 3> MakeMarkerImages();

}  // namespace quillet::editor
