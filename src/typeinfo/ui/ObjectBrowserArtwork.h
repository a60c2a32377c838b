#pragma once
// The object browser's 16x16 images, drawn here: one per catalogue kind (0 the library), the
// script's global code (9) and its selected form (10), and the Find button's magnifier.

#include <QIcon>

namespace quillet::typeinfo {

inline constexpr int kGlobalCodeImage = 9;
inline constexpr int kGlobalCodeSelectedImage = 10;
inline constexpr int kBrowserImageCount = 11;

// The image of index 0 to 10; 9 shows 10 while selected.
[[nodiscard]] QIcon BrowserImage(int index);
[[nodiscard]] QIcon FindButtonImage();

}  // namespace quillet::typeinfo
