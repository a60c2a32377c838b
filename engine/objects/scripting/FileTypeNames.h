#pragma once
// The Type of a file or folder as Windows' shell names it by extension ("Text Document",
// "File folder"); an extension nobody registered reads as "XYZ File".

#include <string>
#include <string_view>

namespace quillet::engine {

[[nodiscard]] std::u16string FileTypeName(std::u16string_view name, bool isFolder);

}  // namespace quillet::engine
