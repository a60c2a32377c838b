#pragma once
// WScript.StdIn, StdOut and StdErr: text streams over the process's standard handles.

#include <cstdio>
#include <string>

#include "engine/runtime/AutomationObject.h"
#include "engine/host/OutputStream.h"

namespace quillet::engine::host {

class CTextStream : public CAutomationObject {
 public:
  // Exactly one of output or input is given.
  CTextStream(COutputStream* output, std::FILE* input);

 protected:
  CVariant InvokeMember(const om::SMember& member, std::span<CVariant> args) override;

 private:
  CVariant Write(std::u16string text);
  CVariant Read(const om::SMember& member, std::span<CVariant> args);
  std::string ReadCharacters(const CVariant& count);
  std::string ReadLine();
  int PeekChar();
  int GetChar();
  void Advance(char16_t c);

  COutputStream* m_output;
  std::FILE* m_input;
  int m_line = 1;
  int m_column = 1;
};

}  // namespace quillet::engine::host
