#include "engine/debug/VariableInspector.h"

#include <algorithm>
#include <array>

#include "engine/debug/ScriptDebugger.h"
#include "engine/library/Builtins.h"
#include "engine/runtime/ClassInstance.h"
#include "engine/runtime/PropertyListing.h"
#include "engine/runtime/SafeArray.h"
#include "engine/runtime/ScriptError.h"
#include "engine/vm/ScriptEngine.h"
#include "platform/TextConvert.h"

namespace quillet::engine::debug {

namespace {

std::u16string Number(int64_t value) {
  const std::string text = std::to_string(value);
  return std::u16string(text.begin(), text.end());
}

std::u16string IndexName(const std::vector<int32_t>& indices) {
  std::u16string name = u"(";
  for (size_t i = 0; i < indices.size(); ++i) {
    if (i != 0) name += u", ";
    name += Number(indices[i]);
  }
  return name + u")";
}

// "(1, 2)" back to its indices; false for any other text.
bool ParseIndexName(std::u16string_view name, std::vector<int32_t>& indices) {
  if (name.size() < 3 || name.front() != u'(' || name.back() != u')') return false;
  const std::string text = platform::Utf16ToUtf8(name.substr(1, name.size() - 2));
  size_t at = 0;
  while (at <= text.size()) {
    const size_t comma = std::min(text.find(',', at), text.size());
    const std::string part = text.substr(at, comma - at);
    try {
      size_t used = 0;
      const long value = std::stol(part, &used);
      if (part.find_first_not_of(' ', used) != std::string::npos) return false;
      indices.push_back(static_cast<int32_t>(value));
    } catch (...) {
      return false;
    }
    at = comma + 1;
  }
  return !indices.empty();
}

// The ranges of the dimension after prefix: its lower bound and element count.
void NextDimension(CSafeArray& array, size_t depth, int32_t& lower, size_t& count) {
  lower = array.LBound(depth + 1);
  const int64_t upper = array.UBound(depth + 1);
  count = upper < lower ? 0 : static_cast<size_t>(upper - lower + 1);
}

CVariant CallNamedBuiltin(std::u16string_view name, const CVariant& argument) {
  std::array<CVariant, 1> args{argument};
  return CallBuiltin(FindBuiltin(name), args);
}

// Text as the value's own kind reads it: a string stays text, a Boolean reads as CBool, a number
// as CDbl (a whole-number variable stays whole), a date as CDate; a value without a kind takes
// a number, then a date, then the text itself. Quotes make any text a string.
CVariant ConvertText(const CVariant& current, std::u16string_view text) {
  if (text.size() >= 2 && text.front() == u'"' && text.back() == u'"') {
    std::u16string inner;
    for (size_t i = 1; i + 1 < text.size(); ++i) {
      inner += text[i];
      if (text[i] == u'"' && i + 2 < text.size() && text[i + 1] == u'"') ++i;
    }
    return CVariant::String(inner);
  }
  const CVariant given = CVariant::String(text);
  switch (current.Type()) {
    case EVarType::String: return given;
    case EVarType::Boolean: return CallNamedBuiltin(u"cbool", given);
    case EVarType::Date: return CallNamedBuiltin(u"cdate", given);
    case EVarType::Byte: return CallNamedBuiltin(u"cbyte", CallNamedBuiltin(u"cdbl", given));
    case EVarType::Integer: return CallNamedBuiltin(u"cint", CallNamedBuiltin(u"cdbl", given));
    case EVarType::Long: return CallNamedBuiltin(u"clng", CallNamedBuiltin(u"cdbl", given));
    case EVarType::Single: return CallNamedBuiltin(u"csng", CallNamedBuiltin(u"cdbl", given));
    case EVarType::Currency: return CallNamedBuiltin(u"ccur", CallNamedBuiltin(u"cdbl", given));
    case EVarType::Double: return CallNamedBuiltin(u"cdbl", given);
    default: break;
  }
  try {
    return CallNamedBuiltin(u"cdbl", given);
  } catch (const CScriptError&) {
  }
  try {
    return CallNamedBuiltin(u"cdate", given);
  } catch (const CScriptError&) {
  }
  return given;
}

}  // namespace

CVariableInspector::CVariableInspector(CScriptEngine& engine, CScriptDebugger& debugger)
    : m_engine(engine), m_debugger(debugger) {}

std::u16string CVariableInspector::ValueText(const CVariant& value) {
  const CVariant& v = value.Deref();
  switch (v.Type()) {
    case EVarType::Empty: return u"Empty";
    case EVarType::Null: return u"Null";
    case EVarType::Boolean: return v.AsBool() ? u"True" : u"False";
    case EVarType::String: {
      std::u16string text = u"\"";
      for (char16_t c : v.AsString()) {
        text += c;
        if (c == u'"') text += u'"';
      }
      return text + u"\"";
    }
    case EVarType::Object:
      return v.AsObject() == nullptr ? u"Nothing" : u"{" + v.AsObject()->TypeName() + u"}";
    case EVarType::Array: {
      CSafeArray& array = *v.AsArray();
      std::u16string text = u"(";
      for (size_t d = 1; d <= array.Dimensions(); ++d) {
        if (d != 1) text += u", ";
        text += Number(array.LBound(d)) + u" To " + Number(array.UBound(d));
      }
      return text + u")";
    }
    case EVarType::Error: return u"Error " + Number(v.AsError());
    default: break;
  }
  try {
    return v.ToString();
  } catch (const CScriptError&) {
    return TypeNameOf(v);
  }
}

int CVariableInspector::Register(SContainer container) {
  m_containers.push_back(std::move(container));
  return static_cast<int>(m_containers.size());
}

void CVariableInspector::Forget() { m_containers.clear(); }

SVariableView CVariableInspector::View(std::u16string name, const CVariant& value) {
  const CVariant& v = value.Deref();
  SVariableView view{std::move(name), ValueText(v), TypeNameOf(v), 0, 0};
  if (v.IsObject() && v.AsObject() != nullptr) {
    SContainer object;
    object.kind = EKind::Object;
    object.value = v;
    view.reference = Register(std::move(object));
  } else if (v.IsArray() && v.AsArray()->Size() != 0 && v.AsArray()->Dimensions() != 0) {
    SContainer slice;
    slice.kind = EKind::Array;
    slice.value = v;
    int32_t lower = 0;
    NextDimension(*v.AsArray(), 0, lower, slice.to);
    view.indexedCount = slice.to;
    view.reference = Register(std::move(slice));
  }
  return view;
}

SFrame* CVariableInspector::FrameById(int frameId) const {
  const auto& frames = m_engine.Vm().Frames();
  if (frameId == 0) {
    for (size_t i = frames.size(); i-- > 0;) {
      if (!frames[i]->proc->isDynamic) return frames[i];
    }
    return nullptr;
  }
  if (frameId < 1 || static_cast<size_t>(frameId) > frames.size()) return nullptr;
  return frames[static_cast<size_t>(frameId) - 1];
}

std::vector<SFrameView> CVariableInspector::Frames() const {
  std::vector<SFrameView> views;
  const auto& frames = m_engine.Vm().Frames();
  for (size_t i = frames.size(); i-- > 0;) {
    const SFrame& frame = *frames[i];
    if (frame.proc->isDynamic) continue;
    SFrameView view;
    view.id = static_cast<int>(i) + 1;
    if (frame.proc->isGlobalCode) view.name = u"Global code";
    else if (frame.proc->owner != nullptr) view.name = frame.proc->owner->name + u"." + frame.proc->name;
    else view.name = frame.proc->name;
    if (const SStatementPos* pos = frame.proc->StatementAt(frame.pc == 0 ? 0 : frame.pc - 1)) {
      view.line = pos->line;
      view.column = pos->column;
    }
    views.push_back(std::move(view));
  }
  return views;
}

std::vector<SScopeView> CVariableInspector::Scopes(int frameId) {
  std::vector<SScopeView> scopes;
  SFrame* frame = FrameById(frameId);
  if (frame == nullptr) return scopes;
  if (!frame->proc->isGlobalCode) {
    SContainer locals;
    locals.kind = EKind::Locals;
    locals.frame = frame;
    scopes.push_back({u"Locals", Register(std::move(locals))});
  }
  SContainer globals;
  globals.kind = EKind::Globals;
  scopes.push_back({u"Globals", Register(std::move(globals))});
  return scopes;
}

bool CVariableInspector::Variables(int reference, std::optional<size_t> start, std::optional<size_t> count,
                                   std::vector<SVariableView>& out) {
  if (reference < 1 || static_cast<size_t>(reference) > m_containers.size()) return false;
  // Listing registers more containers: work on a copy, not on an element that may move.
  const SContainer container = m_containers[static_cast<size_t>(reference) - 1];
  switch (container.kind) {
    case EKind::Locals: ListLocals(*container.frame, out); break;
    case EKind::Globals: ListGlobals(out); break;
    case EKind::Object: ListObject(container.value, out); break;
    case EKind::Array: ListArray(container, start, count, out); break;
  }
  return true;
}

void CVariableInspector::ListLocals(SFrame& frame, std::vector<SVariableView>& out) {
  if (frame.me != nullptr) out.push_back(View(u"Me", CVariant::Object(frame.me)));
  const auto& names = frame.proc->localNames;
  for (size_t i = 0; i < names.size() && i < frame.locals.size(); ++i) {
    if (!names[i].empty()) out.push_back(View(names[i], frame.locals[i]));
  }
  if (frame.implicitLocals) {
    for (const auto& [name, value] : *frame.implicitLocals) out.push_back(View(name, value));
  }
}

void CVariableInspector::ListGlobals(std::vector<SVariableView>& out) {
  CGlobals& globals = m_engine.Vm().Globals();
  for (size_t slot = 0; slot < globals.Count(); ++slot) {
    const SGlobal& global = globals.At(static_cast<int32_t>(slot));
    if (global.kind == EGlobalKind::Variable || global.kind == EGlobalKind::Const) {
      out.push_back(View(global.name, global.value));
    }
  }
}

void CVariableInspector::ListObject(const CVariant& object, std::vector<SVariableView>& out) {
  CDispatchObject& target = *object.AsObject();
  if (typeid(target) == typeid(CClassInstance)) {
    auto& instance = static_cast<CClassInstance&>(target);
    const auto& fields = instance.Class().fields;
    for (size_t i = 0; i < fields.size(); ++i) out.push_back(View(fields[i].name, instance.Field(static_cast<int32_t>(i))));
    return;
  }
  for (const SPropertyValue& property : ListSideEffectFreeProperties(target)) {
    out.push_back(View(std::u16string(property.name), property.value));
  }
}

// Elements of the next dimension in [from, to); a page when asked, else groups of at most
// kArrayPage entries (groups of groups for larger ranges), so that no level lists more.
void CVariableInspector::ListArray(const SContainer& slice, std::optional<size_t> start, std::optional<size_t> count,
                                   std::vector<SVariableView>& out) {
  CSafeArray& array = *slice.value.AsArray();
  const size_t depth = slice.prefix.size();
  int32_t lower = 0;
  size_t total = 0;
  NextDimension(array, depth, lower, total);
  size_t from = slice.from;
  size_t to = std::min(slice.to, total);
  if (start || count) {
    from = std::min(to, from + start.value_or(0));
    // A client's page is at most ten pages of ours: no request loads a huge array whole.
    to = std::min(to, from + std::min(count.value_or(kArrayPage), 10 * kArrayPage));
  } else if (to - from > kArrayPage) {
    size_t chunk = kArrayPage;
    while ((to - from + chunk - 1) / chunk > kArrayPage) chunk *= kArrayPage;
    for (size_t at = from; at < to; at += chunk) {
      SContainer group = slice;
      group.from = at;
      group.to = std::min(to, at + chunk);
      SVariableView view;
      view.name = u"(" + Number(lower + static_cast<int64_t>(at)) + u" To " +
                  Number(lower + static_cast<int64_t>(group.to) - 1) + u")";
      view.value = u"";
      view.type = u"Variant()";
      view.indexedCount = group.to - group.from;
      view.reference = Register(std::move(group));
      out.push_back(std::move(view));
    }
    return;
  }
  const bool last = depth + 1 == array.Dimensions();
  for (size_t at = from; at < to; ++at) {
    std::vector<int32_t> indices = slice.prefix;
    indices.push_back(lower + static_cast<int32_t>(at));
    if (last) {
      out.push_back(View(IndexName(indices), array.Element(indices)));
      continue;
    }
    SContainer next;
    next.kind = EKind::Array;
    next.value = slice.value;
    next.prefix = indices;
    int32_t nextLower = 0;
    NextDimension(array, depth + 1, nextLower, next.to);
    SVariableView view;
    view.name = IndexName(indices);
    view.value = u"(" + Number(nextLower) + u" To " + Number(nextLower + static_cast<int64_t>(next.to) - 1) + u")";
    view.type = u"Variant()";
    view.indexedCount = next.to;
    view.reference = Register(std::move(next));
    out.push_back(std::move(view));
  }
}

CVariant* CVariableInspector::WritableSlot(const SContainer& container, std::u16string_view name) {
  const std::u16string key = platform::LowerAscii(name);
  switch (container.kind) {
    case EKind::Locals: {
      SFrame& frame = *container.frame;
      const auto& names = frame.proc->localNames;
      for (size_t i = 0; i < names.size() && i < frame.locals.size(); ++i) {
        if (!names[i].empty() && platform::LowerAscii(names[i]) == key) return &frame.locals[i].Deref();
      }
      if (CVariant* implicit = frame.FindImplicitLocal(key)) return &implicit->Deref();
      return nullptr;
    }
    case EKind::Globals: {
      CGlobals& globals = m_engine.Vm().Globals();
      const int32_t slot = globals.Find(name);
      if (slot < 0 || globals.At(slot).kind != EGlobalKind::Variable) return nullptr;
      return &globals.At(slot).value;
    }
    case EKind::Object: {
      CDispatchObject& target = *container.value.AsObject();
      if (typeid(target) != typeid(CClassInstance)) return nullptr;
      auto& instance = static_cast<CClassInstance&>(target);
      const auto& fields = instance.Class().fields;
      for (size_t i = 0; i < fields.size(); ++i) {
        if (platform::LowerAscii(fields[i].name) == key) return &instance.Field(static_cast<int32_t>(i)).Deref();
      }
      return nullptr;
    }
    case EKind::Array: {
      std::vector<int32_t> indices;
      if (!ParseIndexName(name, indices)) return nullptr;
      CSafeArray& array = *container.value.AsArray();
      if (indices.size() != array.Dimensions()) return nullptr;
      try {
        return &array.Element(indices);
      } catch (const CScriptError&) {
        return nullptr;
      }
    }
  }
  return nullptr;
}

bool CVariableInspector::SetVariable(int reference, std::u16string_view name, std::u16string_view text,
                                     SVariableView& result, std::u16string& error) {
  if (reference < 1 || static_cast<size_t>(reference) > m_containers.size()) {
    error = u"The variable is no longer there.";
    return false;
  }
  const SContainer container = m_containers[static_cast<size_t>(reference) - 1];
  CVariant* slot = WritableSlot(container, name);
  if (slot == nullptr) {
    error = u"This value cannot be changed.";
    return false;
  }
  if (slot->IsObject() || slot->IsArray()) {
    error = u"Only a simple value can be changed: objects and arrays cannot.";
    return false;
  }
  try {
    CVariant converted = ConvertText(*slot, text);
    *slot = std::move(converted);
  } catch (const CScriptError& failure) {
    error = u"The text is no value of this kind: " + failure.Description();
    return false;
  }
  result = View(std::u16string(name), *slot);
  return true;
}

bool CVariableInspector::Evaluate(int frameId, std::u16string_view expression, SVariableView& result,
                                  std::u16string& error) {
  SFrame* frame = FrameById(frameId);
  if (frame == nullptr) {
    error = u"There is no such frame.";
    return false;
  }
  CErrObject& err = m_engine.Err();
  static constexpr std::u16string_view kErrFields[] = {u"number", u"description", u"source", u"helpfile",
                                                       u"helpcontext"};
  std::vector<CVariant> saved;
  for (auto field : kErrFields) saved.push_back(err.Invoke(field, EInvokeKind::Get, {}));
  m_debugger.SetQuiet(true);
  bool ok = false;
  try {
    CVariant value = m_engine.Vm().EvaluateIn(*frame, expression);
    result = View(std::u16string(expression), value);
    ok = true;
  } catch (const CScriptError& failure) {
    error = failure.Description().empty() ? CScriptError::TextFor(failure.Number()) : failure.Description();
  } catch (const SScriptStop&) {
    error = u"The expression would end the script.";
  }
  m_debugger.SetQuiet(false);
  for (size_t i = 0; i < saved.size(); ++i) {
    std::array<CVariant, 1> value{saved[i]};
    (void)err.Invoke(kErrFields[i], EInvokeKind::Let, value);
  }
  return ok;
}

}  // namespace quillet::engine::debug
