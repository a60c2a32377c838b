#pragma once
// The text the object browser shows below its tree for a selected item, with the range shown in
// bold (the item's name), by the item's image (the catalogue kinds; 0 for a library).

#include <cstdint>
#include <string>

namespace quillet::typeinfo {

class CTypeLib;
class CTypeLibGroup;
class CTypeLibMember;

struct SBrowserDescription {
  std::u16string text;  // lines end in "\r\n"
  std::int32_t boldStart = -1;
  std::int32_t boldEnd = -1;
};

// The pointer that matches the image is read; the others may be null.
[[nodiscard]] SBrowserDescription DescribeBrowserItem(int image, const CTypeLib* library, const CTypeLibGroup* group,
                                                      const CTypeLibMember* member);

}  // namespace quillet::typeinfo
