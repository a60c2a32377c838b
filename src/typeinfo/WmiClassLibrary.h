#pragma once
// The object browser's "WMI Classes" library, filled from the class catalogue that scripts query
// (platform/WmiCatalog.h): one class group per "Win32_" class with its properties and its own
// methods, each described as a script writer reads it. Filling runs off the interface thread and
// stops early when asked to, so that closing the browser never waits for it.

#include <stop_token>
#include <string>

#include "platform/WmiCatalog.h"
#include "typeinfo/TypeLib.h"

namespace quillet::typeinfo {

// Fills library from the catalogue installed with the program. A fill stopped early leaves the
// library incomplete and unsorted, for the caller to drop.
void FillWmiClassLibrary(CTypeLib& library, std::stop_token stop);

// Fills library from the given catalogue. When the catalogue could not be read the library stays
// without classes and the returned text (also the library's description) says why; it is empty
// otherwise.
std::u16string FillWmiClassLibrary(CTypeLib& library, const platform::CWmiCatalog& catalogue, std::stop_token stop);

}  // namespace quillet::typeinfo
