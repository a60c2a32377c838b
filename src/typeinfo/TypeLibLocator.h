#pragma once
// The last resort of ProgID resolution: a search of every registered type library for a class.
// The editor shows it as a dialog the user can cancel.

#include <string>
#include <string_view>

namespace quillet::typeinfo {

class ITypeLibLocator {
 public:
  virtual ~ITypeLibLocator() = default;

  // The library that declares the class; empty when none does or the user gave up.
  [[nodiscard]] virtual std::u16string LocateTypeLibrary(std::u16string_view clsid) = 0;
};

}  // namespace quillet::typeinfo
