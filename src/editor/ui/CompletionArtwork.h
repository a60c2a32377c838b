#pragma once
// The member list's two 16 x 16 images, drawn here: index 0 the method symbol, 1 the property
// symbol (the order of the image indexes that completion sets carry).

#include <QIcon>

#include <array>

namespace quillet::editor {

[[nodiscard]] std::array<QIcon, 2> MakeCompletionImages();

}  // namespace quillet::editor
