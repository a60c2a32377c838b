#pragma once
// A loaded type library as IDL-like text, for people inspecting a library (quillet-typelib).
// Close to what an IDL compiler would accept, but meant for reading: attributes that the
// catalogue ignores (custom data, help string contexts) are left out.

#include <string>

namespace quillet::typeinfo {

class CTypeLibrary;
struct STypeDesc;

class CTypeLibPrinter {
 public:
  explicit CTypeLibPrinter(const CTypeLibrary& library) : m_library(library) {}

  [[nodiscard]] std::u16string Print() const;
  // The IDL spelling of a type: "long", "BSTR", "IShape*", "SAFEARRAY(VARIANT)".
  [[nodiscard]] std::u16string TypeName(const STypeDesc& type) const;

 private:
  void PrintType(int index, std::u16string& out) const;
  void PrintFunctions(int index, std::u16string& out) const;
  void PrintVariables(int index, bool constants, std::u16string& out) const;

  const CTypeLibrary& m_library;
};

}  // namespace quillet::typeinfo
