#include "engine/objects/wsh/ExecTextStream.h"

#include <algorithm>

#include "engine/objects/scripting/FileSystemClasses.h"
#include "engine/objects/wsh/WshClasses.h"
#include "engine/runtime/ScriptError.h"
#include "platform/TextConvert.h"

namespace quillet::engine {

namespace {

namespace id = text_file_id;

constexpr int kBadFileMode = 54;
constexpr int kInputPastEnd = 62;

}  // namespace

CExecTextStream::CExecTextStream(std::shared_ptr<SExecProcess> process, EKind kind)
    : CAutomationObject(DispatchTableOf<kWshTextStreamClass>()), m_process(std::move(process)), m_kind(kind) {}

wsh::CPipeDrain::EChannel CExecTextStream::Channel() const {
  return m_kind == EKind::Error ? wsh::CPipeDrain::Error : wsh::CPipeDrain::Output;
}

void CExecTextStream::RequireReading() const {
  if (m_kind == EKind::Input || m_closed) throw CScriptError(kBadFileMode);
}

void CExecTextStream::RequireWriting() const {
  if (m_kind != EKind::Input || m_closed) throw CScriptError(kBadFileMode);
}

CVariant CExecTextStream::InvokeMember(const om::SMember& member, std::span<CVariant> args) {
  switch (member.dispId) {
    case id::Line: return CVariant::Long(m_line);
    case id::Column: return CVariant::Long(m_column);
    case id::AtEndOfStream:
      RequireReading();
      return CVariant::Boolean(m_process->drain->PeekByte(Channel()) < 0);
    case id::AtEndOfLine: {
      RequireReading();
      const int next = m_process->drain->PeekByte(Channel());
      return CVariant::Boolean(next < 0 || next == '\r' || next == '\n');
    }
    case id::Read:
    case id::ReadLine:
    case id::ReadAll:
    case id::Skip:
    case id::SkipLine: return Read(member, args);
    case id::Write: Write(args[0].Deref().ToString()); return {};
    case id::WriteLine: Write(args[0].Deref().ToString() + u"\n"); return {};
    case id::WriteBlankLines: {
      const int32_t lines = args[0].Deref().ToLong();
      if (lines < 0) throw CScriptError(err::InvalidCall);
      Write(std::u16string(static_cast<size_t>(lines), u'\n'));
      return {};
    }
    case id::Close:
      if (m_kind == EKind::Input) m_process->child.CloseInput();
      m_closed = true;
      return {};
    default: ThrowNoSuchMember();
  }
}

CVariant CExecTextStream::Read(const om::SMember& member, std::span<CVariant> args) {
  RequireReading();
  wsh::CPipeDrain& drain = *m_process->drain;
  std::u16string text;
  switch (member.dispId) {
    case id::Read:
    case id::Skip: {
      const int32_t count = args[0].Deref().ToLong();
      if (count < 0) throw CScriptError(err::InvalidCall);
      if (drain.PeekByte(Channel()) < 0) throw CScriptError(kInputPastEnd);
      auto taken = drain.TakeCharacters(Channel(), static_cast<size_t>(count));
      Count(taken.text.size(), taken.lineBreaks, taken.lastBreak);
      text = std::move(taken.text);
      break;
    }
    case id::ReadLine:
    case id::SkipLine: {
      auto line = drain.TakeLine(Channel());
      if (!line) throw CScriptError(kInputPastEnd);
      text = std::move(*line);
      ++m_line;
      m_column = 1;
      break;
    }
    default: {
      auto taken = drain.TakeAll(Channel());
      Count(taken.text.size(), taken.lineBreaks, taken.lastBreak);
      text = std::move(taken.text);
      break;
    }
  }
  if (member.dispId == id::Skip || member.dispId == id::SkipLine) return {};
  return CVariant::String(std::move(text));
}

// Line and Column after text of that length, with that many line feeds, the last at lastBreak.
void CExecTextStream::Count(size_t length, size_t lineBreaks, size_t lastBreak) {
  if (lineBreaks == 0) {
    m_column += static_cast<int32_t>(length);
    return;
  }
  m_line += static_cast<int32_t>(lineBreaks);
  m_column = static_cast<int32_t>(length - lastBreak);
}

// A program that has closed its input makes this a failed write, which the script hears of.
void CExecTextStream::Write(const std::u16string& text) {
  RequireWriting();
  if (!m_process->child.WriteInput(platform::Utf16ToUtf8(text))) throw CScriptError(kBadFileMode);
  Count(text.size(), static_cast<size_t>(std::count(text.begin(), text.end(), u'\n')), text.rfind(u'\n'));
}

}  // namespace quillet::engine
