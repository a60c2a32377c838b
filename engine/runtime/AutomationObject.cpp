#include "engine/runtime/AutomationObject.h"

#include <array>
#include <vector>

#include "engine/runtime/ScriptError.h"
#include "engine/vm/VirtualMachine.h"

namespace quillet::engine {

namespace {

// Calls with more arguments than this copy them to the heap; no declared member comes close.
constexpr size_t kInlineArguments = 8;

const om::SMember* MemberFor(const CDispatchTable::SGroup& group, EInvokeKind kind) {
  switch (kind) {
    case EInvokeKind::Get:
    case EInvokeKind::Call: return group.read;
    case EInvokeKind::Let: return group.let;
    case EInvokeKind::Set: return group.set;
  }
  return nullptr;
}

bool ReturnsObject(const om::SMember& member) {
  const om::SType& result = member.result;
  return !result.arrayOf && (result.vt == om::EVt::Dispatch || result.vt == om::EVt::Unknown);
}

size_t RequiredCount(std::span<const om::SParam> params) {
  size_t required = 0;
  while (required < params.size() && !params[required].optional) ++required;
  return required;
}

CVariant DefaultValue(const om::SParam& param) {
  switch (param.defaultValue.vt) {
    case om::EVt::Bool: return CVariant::Boolean(param.defaultValue.integer != 0);
    case om::EVt::Bstr: return CVariant::String(param.defaultValue.text);
    case om::EVt::Empty: return CVariant::Missing();
    default: return CVariant::Long(param.defaultValue.integer);
  }
}

}  // namespace

CVariant CAutomationObject::Invoke(std::u16string_view name, EInvokeKind kind, std::span<CVariant> args) {
  const CDispatchTable::SGroup* group = name.empty() ? m_table.DefaultMember() : m_table.Find(name);
  if (group == nullptr && !name.empty()) return InvokeUndeclared(name, kind, args);
  if (group == nullptr) ThrowNoSuchMember();
  const om::SMember* member = MemberFor(*group, kind);
  if (member == nullptr) ThrowNoSuchMember();
  return Call(*member, args);
}

CVariant CAutomationObject::InvokeUndeclared(std::u16string_view, EInvokeKind, std::span<CVariant>) {
  ThrowNoSuchMember();
}

CVariant CAutomationObject::Call(const om::SMember& member, std::span<CVariant> args) {
  const std::span<const om::SParam> params = member.params;
  const bool reads = member.kind == om::EMemberKind::Method || member.kind == om::EMemberKind::PropertyGet;
  if (reads && params.empty() && !args.empty() && ReturnsObject(member)) {
    const CVariant result = Call(member, {});
    return ApplyArgs(result, args, {});
  }
  if (member.flags & om::member::kVarArg) {
    if (args.size() + 1 < params.size()) throw CScriptError(err::WrongArgCount);
    return InvokeMember(member, args);
  }
  const size_t required = RequiredCount(params);
  if (args.size() > params.size() || args.size() < required) throw CScriptError(err::WrongArgCount);
  for (size_t i = 0; i < required; ++i) {
    if (args[i].Deref().IsMissing()) throw CScriptError(err::ArgNotOptional);
  }
  if (member.dispId == om::kDispIdNewEnum) {
    CEnumerator* enumerator = NewEnum();
    if (enumerator == nullptr) ThrowNoSuchMember();
    return CVariant::Object(enumerator);
  }
  bool complete = args.size() == params.size();
  for (size_t i = required; complete && i < args.size(); ++i) complete = !args[i].Deref().IsMissing();
  if (complete) return InvokeMember(member, args);
  return CallWithDefaults(member, args);
}

// Missing optional arguments take their declared defaults, in a copy: the caller's
// arguments may be references into its variables, which a default must not overwrite.
CVariant CAutomationObject::CallWithDefaults(const om::SMember& member, std::span<CVariant> args) {
  const std::span<const om::SParam> params = member.params;
  std::array<CVariant, kInlineArguments> local{};
  std::vector<CVariant> heap;
  std::span<CVariant> full;
  if (params.size() <= local.size()) {
    full = std::span<CVariant>(local.data(), params.size());
  } else {
    heap.resize(params.size());
    full = heap;
  }
  for (size_t i = 0; i < params.size(); ++i) {
    const bool given = i < args.size() && !args[i].Deref().IsMissing();
    full[i] = given ? args[i] : DefaultValue(params[i]);
  }
  return InvokeMember(member, full);
}

}  // namespace quillet::engine
