#pragma once
// Libraries described in code, written by the writer: the fixtures of the type-information tests.

#include "typeinfo/TypeLibDesc.h"

namespace quillet::test {

// A stand-in for the automation library that others import: IDispatch and IUnknown.
[[nodiscard]] typeinfo::SLibraryDesc AutomationLibrary();
[[nodiscard]] typeinfo::SGuid AutomationLibraryGuid();

// Interfaces, a dual interface, dispinterfaces with events, coclasses with implementation flags,
// enums with constants, an alias, a record, functions with optional parameters and defaults of
// several types, properties, and an import of IDispatch from AutomationLibrary().
[[nodiscard]] typeinfo::SLibraryDesc RichLibrary();

[[nodiscard]] typeinfo::STypeDesc Simple(std::uint16_t type);
[[nodiscard]] typeinfo::STypeDesc PointerTo(typeinfo::STypeDesc inner);
[[nodiscard]] typeinfo::STypeRef LocalRef(int index);
[[nodiscard]] typeinfo::STypeDesc UserType(int localIndex);
[[nodiscard]] typeinfo::SVariant Int(std::uint16_t type, std::int64_t value);
[[nodiscard]] typeinfo::SVariant Text(std::u16string text);
[[nodiscard]] typeinfo::SGuid MakeGuid(std::uint32_t first);

}  // namespace quillet::test
