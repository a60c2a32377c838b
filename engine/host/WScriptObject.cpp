#include "engine/host/WScriptObject.h"

#include <chrono>
#include <cstdio>
#include <thread>

#include "engine/library/Builtins.h"
#include "engine/vm/RuntimeState.h"
#include "engine/runtime/ScriptError.h"
#include "engine/vm/VirtualMachine.h"
#include "engine/host/ArgumentsObject.h"
#include "engine/host/TextStream.h"
#include "platform/TextConvert.h"

namespace quillet::engine::host {

namespace {
constexpr int kInvalidHandle = static_cast<int>(0x80070006U);

bool Is(std::u16string_view name, std::u16string_view word) { return platform::EqualsIgnoringAsciiCase(name, word); }

// Echo converts as the host's own conversion does, not as CStr: a Boolean is a number and
// Null, which CStr refuses, is the word null.
std::u16string EchoText(const CVariant& value) {
  if (value.IsNull()) return u"null";
  if (value.Type() == EVarType::Boolean) return value.ToBool() ? u"-1" : u"0";
  return value.ToString();
}

std::u16string FolderOf(const std::u16string& path) {
  const size_t slash = path.find_last_of(u"/\\");
  return slash == std::u16string::npos ? std::u16string() : path.substr(0, slash);
}
}  // namespace

CWScriptObject::CWScriptObject(SHostInfo info, COutputStream& out, COutputStream& err)
    : m_info(std::move(info)), m_out(out) {
  m_stdOut = CVariant::Object(new CTextStream(&out, nullptr));
  m_stdErr = CVariant::Object(new CTextStream(&err, nullptr));
  m_stdIn = CVariant::Object(new CTextStream(nullptr, stdin));
  m_arguments = CVariant::Object(new CArgumentsObject(m_info.arguments, CArgumentsObject::EView::All));
}

CVariant CWScriptObject::Echo(std::span<CVariant> args) {
  std::u16string line;
  for (size_t i = 0; i < args.size(); ++i) {
    if (i > 0) line += u' ';
    const CVariant& value = args[i].Deref();
    if (!value.IsMissing()) line += EchoText(value);
  }
  if (m_info.echoInWindow) {
    (void)CurrentDialogs().MessageBox(line, 0, CurrentRuntime().hostName);
    return {};
  }
  line += u"\r\n";
  m_out.Write(line);
  m_out.Flush();
  return {};
}

CVariant CWScriptObject::Invoke(std::u16string_view name, EInvokeKind kind, std::span<CVariant> args) {
  if (Is(name, u"timeout") && kind == EInvokeKind::Let) {
    m_info.timeoutSeconds = args.back().Deref().ToLong();
    return {};
  }
  if (Is(name, u"interactive") && kind == EInvokeKind::Let) {
    m_info.interactive = args.back().Deref().ToBool();
    return {};
  }
  if (kind == EInvokeKind::Let || kind == EInvokeKind::Set) throw CScriptError(err::IllegalAssignment);
  if (Is(name, u"echo")) return Echo(args);
  if (Is(name, u"quit")) {
    const int code = !args.empty() && !args[0].Deref().IsMissing() ? args[0].Deref().ToLong() : 0;
    throw SScriptStop{code, false};
  }
  if (Is(name, u"arguments")) {
    if (args.empty()) return m_arguments;
    return m_arguments.AsObject()->Invoke(u"", EInvokeKind::Get, args);
  }
  if (Is(name, u"stdout") || Is(name, u"stderr") || Is(name, u"stdin")) {
    // The windowed host has no console to hand out.
    if (m_info.windowed) throw CScriptError(kInvalidHandle, u"The handle is invalid.");
    if (Is(name, u"stdout")) return m_stdOut;
    return Is(name, u"stderr") ? m_stdErr : m_stdIn;
  }
  if (Is(name, u"scriptname")) return CVariant::String(m_info.scriptName);
  if (Is(name, u"scriptfullname")) return CVariant::String(m_info.scriptFullName);
  if (name.empty() || Is(name, u"name")) return CVariant::String(u"Quillet Script Host");
  if (Is(name, u"fullname")) return CVariant::String(m_info.hostFullName);
  if (Is(name, u"path")) return CVariant::String(FolderOf(m_info.hostFullName));
  if (Is(name, u"version")) return CVariant::String(u"5.8");
  if (Is(name, u"buildversion")) return CVariant::Long(0);
  if (Is(name, u"interactive")) return CVariant::Boolean(m_info.interactive);
  if (Is(name, u"timeout")) return CVariant::Long(m_info.timeoutSeconds);
  // The same classes and errors as the language's own functions; the event prefix of
  // CreateObject has no events to connect here.
  if (Is(name, u"createobject") || Is(name, u"getobject")) {
    if (args.empty() || args.size() > 2) throw CScriptError(err::WrongArgCount);
    const bool create = Is(name, u"createobject");
    return CallBuiltin(FindBuiltin(create ? u"createobject" : u"getobject"), create ? args.first(1) : args);
  }
  if (Is(name, u"sleep")) {
    if (args.size() != 1) throw CScriptError(err::WrongArgCount);
    const int32_t ms = args[0].Deref().ToLong();
    if (ms < 0) throw CScriptError(err::InvalidCall);
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
    return {};
  }
  ThrowNoSuchMember();
}

}  // namespace quillet::engine::host
