#include "engine/objects/regexp/RegExpObject.h"

#include <vector>

#include "engine/vm/ProcedureRef.h"
#include "engine/runtime/ScriptError.h"
#include "engine/vm/VirtualMachine.h"
#include "engine/objects/regexp/RegExpClasses.h"
#include "engine/objects/regexp/RegExpMatchList.h"
#include "engine/objects/regexp/RegExpMatches.h"
#include "engine/objects/regexp/RegExpPattern.h"
#include "engine/objects/regexp/RegExpReplacement.h"

namespace quillet::engine {

namespace {

// A text argument: an object stands for its default value, Null is 94.
std::u16string TextOf(const CVariant& arg) {
  const CVariant& v = arg.Deref();
  if (v.IsMissing()) throw CScriptError(err::ArgNotOptional);
  return LetValue(v).ToString();
}

// Where a global search goes on after a match: an empty match moves one unit on, so that the
// search always advances.
size_t NextStart(const std::vector<size_t>& spans) { return spans[1] == spans[0] ? spans[1] + 1 : spans[1]; }

// The text a replacement function gives for one match: it receives the match, each group
// (Empty when unmatched), the position and the whole text.
std::u16string CallReplacement(CDispatchObject& function, const CVariant& subjectValue,
                               const std::vector<size_t>& spans) {
  const std::u16string_view subject = subjectValue.AsString();
  std::vector<CVariant> args;
  args.reserve(spans.size() / 2 + 2);
  for (size_t i = 0; i < spans.size(); i += 2) {
    args.push_back(spans[i] == CRegExpPattern::kUnset ? CVariant()
                                                      : CVariant::String(subject.substr(spans[i], spans[i + 1] - spans[i])));
  }
  args.push_back(CVariant::Long(static_cast<int32_t>(spans[0])));
  args.push_back(subjectValue);
  return LetValue(function.Invoke(u"", EInvokeKind::Get, args)).ToString();
}

}  // namespace

CRegExpObject::CRegExpObject() : CAutomationObject(DispatchTableOf<kRegExpClass>()) {}
CRegExpObject::~CRegExpObject() = default;

std::shared_ptr<CRegExpPattern> CRegExpObject::Compiled() {
  if (!m_compiled) m_compiled = std::make_shared<CRegExpPattern>(m_pattern, m_ignoreCase, m_multiline);
  return m_compiled;
}

CVariant CRegExpObject::InvokeMember(const om::SMember& member, std::span<CVariant> args) {
  namespace id = regexp_id;
  const bool get = member.kind == om::EMemberKind::PropertyGet;
  switch (member.dispId) {
    case id::Pattern: return get ? CVariant::String(m_pattern) : SetPattern(args[0]);
    case id::IgnoreCase: return Flag(m_ignoreCase, member, args, true);
    case id::Multiline: return Flag(m_multiline, member, args, true);
    case id::Global: return Flag(m_global, member, args, false);
    case id::Test: return Test(args[0]);
    case id::Execute: return Execute(args[0]);
    case id::Replace: return Replace(args);
    default: ThrowNoSuchMember();
  }
}

CVariant CRegExpObject::Flag(bool& flag, const om::SMember& member, std::span<CVariant> args, bool recompile) {
  if (member.kind == om::EMemberKind::PropertyGet) return CVariant::Boolean(flag);
  const bool value = LetValue(args[0]).ToBool();
  if (recompile && value != flag) m_compiled.reset();
  flag = value;
  return {};
}

CVariant CRegExpObject::SetPattern(const CVariant& value) {
  std::u16string pattern = TextOf(value);
  if (pattern != m_pattern) m_compiled.reset();
  m_pattern = std::move(pattern);
  return {};
}

CVariant CRegExpObject::Test(const CVariant& subjectArg) {
  const std::u16string subject = TextOf(subjectArg);
  std::vector<size_t> spans;
  return CVariant::Boolean(Compiled()->Search(subject, 0, spans));
}

CVariant CRegExpObject::Execute(const CVariant& subject) {
  auto list = std::make_shared<SRegExpMatchList>();
  list->subject = TextOf(subject);
  const std::shared_ptr<CRegExpPattern> pattern = Compiled();
  list->groups = pattern->GroupCount();
  const bool global = m_global;
  std::vector<size_t> spans;
  size_t start = 0;
  while (start <= list->subject.size() && pattern->Search(list->subject, start, spans)) {
    list->spans.insert(list->spans.end(), spans.begin(), spans.end());
    if (!global) break;
    start = NextStart(spans);
  }
  return CVariant::Object(new CRegExpMatches(std::move(list)));
}

CVariant CRegExpObject::Replace(std::span<CVariant> args) {
  const CVariant subjectValue = CVariant::String(TextOf(args[0]));
  const std::u16string_view subject = subjectValue.AsString();
  const CVariant& with = args[1].Deref();
  // GetRef("Name") as the replacement: the procedure computes each replacement.
  CVariant function = with.IsObject() && dynamic_cast<CProcedureRef*>(with.AsObject()) != nullptr ? with : CVariant();
  const std::shared_ptr<CRegExpPattern> pattern = Compiled();
  const CRegExpReplacement replacement(function.IsObject() ? std::u16string() : TextOf(with), pattern->GroupCount());
  const bool global = m_global;  // a replacement function may change it
  std::u16string out;
  std::vector<size_t> spans;
  size_t copied = 0;
  size_t start = 0;
  while (start <= subject.size() && pattern->Search(subject, start, spans)) {
    CheckStringLength(out.size() + (spans[0] - copied));
    out.append(subject.substr(copied, spans[0] - copied));
    if (function.IsObject()) {
      const std::u16string text = CallReplacement(*function.AsObject(), subjectValue, spans);
      CheckStringLength(out.size() + text.size());
      out += text;
    } else {
      replacement.AppendTo(out, subject, spans);
    }
    copied = spans[1];
    if (!global) break;
    start = NextStart(spans);
  }
  CheckStringLength(out.size() + (subject.size() - copied));
  out.append(subject.substr(copied));
  return CVariant::String(out);
}

}  // namespace quillet::engine
