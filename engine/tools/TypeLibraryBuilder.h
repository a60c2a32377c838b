#pragma once
// A declared library as the records of a type library: each interface dual (a vtable of
// HRESULT functions whose result is the [out, retval] parameter, on IDispatch imported from
// stdole2), each enum with its constants, each class that has a class id as a coclass. What the
// declarations cannot carry into the format faithfully (a text the library's code page cannot
// spell, a name too long or empty, a type name the library does not declare) is refused with
// std::invalid_argument, never written damaged.

#include "engine/runtime/ObjectModel.h"
#include "typeinfo/TypeLibDesc.h"

namespace quillet::engine::tools {

[[nodiscard]] typeinfo::SLibraryDesc BuildTypeLibrary(const om::SLibrary& library);

[[nodiscard]] typeinfo::SGuid ToTypeInfoGuid(const om::SGuid& guid);

}  // namespace quillet::engine::tools
