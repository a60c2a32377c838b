#pragma once
// The text streams of a program started by Exec: StdIn writes to it, StdOut and StdErr read
// what it wrote, as UTF-8, with Windows' errors for reading the end (62) or using a stream the
// wrong way (54).

#include <memory>
#include <string>

#include "engine/runtime/AutomationObject.h"
#include "engine/objects/wsh/WshExecObject.h"

namespace quillet::engine {

class CExecTextStream : public CAutomationObject {
 public:
  enum class EKind { Input, Output, Error };
  CExecTextStream(std::shared_ptr<SExecProcess> process, EKind kind);

 protected:
  CVariant InvokeMember(const om::SMember& member, std::span<CVariant> args) override;

 private:
  [[nodiscard]] wsh::CPipeDrain::EChannel Channel() const;
  void RequireReading() const;
  void RequireWriting() const;
  CVariant Read(const om::SMember& member, std::span<CVariant> args);
  void Write(const std::u16string& text);
  void Count(size_t length, size_t lineBreaks, size_t lastBreak);

  std::shared_ptr<SExecProcess> m_process;
  EKind m_kind;
  bool m_closed = false;
  int32_t m_line = 1;
  int32_t m_column = 1;
};

}  // namespace quillet::engine
