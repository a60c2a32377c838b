#pragma once
// "Insert a WMI script": the classes offered and the script written for the chosen one, a query
// of all its instances that echoes every property of each.

#include <string>
#include <string_view>
#include <vector>

#include "platform/WmiCatalog.h"

namespace quillet::typeinfo {

// The names of the listed classes (WmiClassText.h) in alphabetical order without regard to case;
// none when the catalogue could not be read, as the object browser then lists none either.
[[nodiscard]] std::vector<std::u16string> WmiScriptClassNames(const platform::CWmiCatalog& catalogue);

// The script for the class, lines ended by CR LF; empty when the catalogue has no such class.
[[nodiscard]] std::u16string GenerateWmiScript(std::u16string_view className, const platform::CWmiCatalog& catalogue);
// The same from the catalogue installed with the program.
[[nodiscard]] std::u16string GenerateWmiScript(std::u16string_view className);

}  // namespace quillet::typeinfo
