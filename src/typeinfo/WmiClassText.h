#pragma once
// What the object browser's WMI library and the WMI script generator share about the catalogue's
// classes: which of them are listed, how a CIM type reads, and how names compare.

#include <string>
#include <string_view>

#include "platform/WmiCatalog.h"

namespace quillet::typeinfo {

// The namespace scripts reach by "winmgmts:\\.\root\cimv2".
inline constexpr std::u16string_view kWmiScriptNamespace = u"root\\cimv2";

// A class of that namespace whose name begins with "Win32_", in exactly that case.
[[nodiscard]] bool IsScriptClass(const platform::SWmiClass& cls);

// The type as its "CIMTYPE" qualifier names it ("uint32", "datetime"), a reference as the class
// it points at rather than "ref:Class".
[[nodiscard]] std::u16string CimTypeText(platform::ECimType type, std::u16string_view refClass);

// Comparisons that fold only ASCII letters, as class and member names are ASCII.
[[nodiscard]] bool NameLessIgnoringCase(std::u16string_view a, std::u16string_view b);
[[nodiscard]] bool SameNameIgnoringCase(std::u16string_view a, std::u16string_view b);

}  // namespace quillet::typeinfo
