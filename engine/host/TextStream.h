#pragma once
// WScript.StdIn, StdOut and StdErr: text streams over the process's standard handles.

#include <cstdio>
#include <string>

#include "engine/runtime/DispatchObject.h"
#include "engine/host/OutputStream.h"

namespace quillet::engine::host {

class CTextStream : public CDispatchObject {
 public:
  // Exactly one of output or input is given.
  CTextStream(COutputStream* output, std::FILE* input) : m_output(output), m_input(input) {}

  [[nodiscard]] std::u16string TypeName() const override { return u"TextStream"; }
  CVariant Invoke(std::u16string_view name, EInvokeKind kind, std::span<CVariant> args) override;

 private:
  CVariant Write(std::u16string_view name, std::span<CVariant> args);
  CVariant Read(std::u16string_view name, std::span<CVariant> args);
  int PeekChar();
  int GetChar();
  void Advance(char16_t c);

  COutputStream* m_output;
  std::FILE* m_input;
  int m_line = 1;
  int m_column = 1;
};

}  // namespace quillet::engine::host
