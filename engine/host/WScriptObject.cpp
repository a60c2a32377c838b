#include "engine/host/WScriptObject.h"

#include <chrono>
#include <cstdio>
#include <thread>

#include "engine/library/Builtins.h"
#include "engine/vm/RuntimeState.h"
#include "engine/runtime/ScriptError.h"
#include "engine/vm/VirtualMachine.h"
#include "engine/host/ArgumentsObject.h"
#include "engine/host/HostClasses.h"
#include "engine/host/TextStream.h"

namespace quillet::engine::host {

namespace {
constexpr int kInvalidHandle = static_cast<int>(0x80070006U);

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
    : CAutomationObject(DispatchTableOf<kHostClass>()), m_info(std::move(info)), m_out(out) {
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

CVariant CWScriptObject::InvokeMember(const om::SMember& member, std::span<CVariant> args) {
  namespace id = host_id;
  const bool get = member.kind == om::EMemberKind::PropertyGet;
  switch (member.dispId) {
    case id::Name: return CVariant::String(u"Quillet Script Host");
    case id::Application: return CVariant::Object(this);
    case id::FullName: return CVariant::String(m_info.hostFullName);
    case id::Path: return CVariant::String(FolderOf(m_info.hostFullName));
    case id::Interactive:
      if (get) return CVariant::Boolean(m_info.interactive);
      m_info.interactive = LetValue(args[0]).ToBool();
      return {};
    case id::Quit: throw SScriptStop{args[0].Deref().ToLong(), false};
    case id::ScriptName: return CVariant::String(m_info.scriptName);
    case id::ScriptFullName: return CVariant::String(m_info.scriptFullName);
    case id::Arguments: return m_arguments;
    case id::Version: return CVariant::String(u"5.8");
    case id::BuildVersion: return CVariant::Long(0);
    case id::Timeout:
      if (get) return CVariant::Long(m_info.timeoutSeconds);
      m_info.timeoutSeconds = LetValue(args[0]).ToLong();
      return {};
    case id::StdIn: return Stream(m_stdIn);
    case id::StdOut: return Stream(m_stdOut);
    case id::StdErr: return Stream(m_stdErr);
    // The same classes and errors as the language's own functions; no object here has events,
    // so a prefix connects nothing.
    case id::CreateObject: return CallBuiltin(FindBuiltin(u"createobject"), args.first(1));
    case id::GetObject: return CallBuiltin(FindBuiltin(u"getobject"), args.first(2));
    case id::Echo: return Echo(args);
    case id::Sleep: return Sleep(args[0]);
    case id::ConnectObject:
    case id::DisconnectObject:
      if (!args[0].Deref().IsObject()) throw CScriptError(err::ObjectRequired);
      return {};
    default: ThrowNoSuchMember();
  }
}

// The windowed host has no console to hand out.
CVariant CWScriptObject::Stream(const CVariant& stream) const {
  if (m_info.windowed) throw CScriptError(kInvalidHandle, u"The handle is invalid.");
  return stream;
}

CVariant CWScriptObject::Sleep(const CVariant& milliseconds) {
  const int32_t ms = milliseconds.Deref().ToLong();
  if (ms < 0) throw CScriptError(err::InvalidCall);
  std::this_thread::sleep_for(std::chrono::milliseconds(ms));
  return {};
}

}  // namespace quillet::engine::host
