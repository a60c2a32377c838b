#include "engine/library/Builtins.h"

#include <unordered_map>
#include <vector>

#include <array>
#include <cmath>

#include "engine/library/BuiltinSupport.h"
#include "engine/objects/wmi/WbemMoniker.h"
#include "engine/objects/wmi/WbemServicesObject.h"
#include "engine/vm/RuntimeState.h"
#include "engine/runtime/SafeArray.h"
#include "engine/runtime/ScriptError.h"
#include "platform/TextConvert.h"

namespace quillet::engine {

namespace builtin {

namespace {

CVariant FnCBool(Args a) { return NullOr(Arg(a, 0), [](const CVariant& v) { return CVariant::Boolean(v.ToBool()); }); }
CVariant FnCByte(Args a) { return NullOr(Arg(a, 0), [](const CVariant& v) { return CVariant::Byte(v.ToByte()); }); }
CVariant FnCInt(Args a) { return NullOr(Arg(a, 0), [](const CVariant& v) { return CVariant::Integer(v.ToInteger()); }); }
CVariant FnCLng(Args a) { return NullOr(Arg(a, 0), [](const CVariant& v) { return CVariant::Long(v.ToLong()); }); }
CVariant FnCDbl(Args a) { return NullOr(Arg(a, 0), [](const CVariant& v) { return CVariant::Double(v.ToDouble()); }); }
CVariant FnCCur(Args a) {
  return NullOr(Arg(a, 0), [](const CVariant& v) { return CVariant::CurrencyScaled(v.ToCurrencyScaled()); });
}
CVariant FnCSng(Args a) {
  return NullOr(Arg(a, 0), [](const CVariant& v) {
    const double d = v.ToDouble();
    if (std::fabs(d) > 3.402823466e38) throw CScriptError(err::Overflow);
    return CVariant::Single(static_cast<float>(d));
  });
}
CVariant FnCStr(Args a) { return NullOr(Arg(a, 0), [](const CVariant& v) { return CVariant::String(v.ToString()); }); }
CVariant FnCDate(Args a) {
  return NullOr(Arg(a, 0), [](const CVariant& v) {
    if (v.IsString()) {
      double date = 0;
      if (ParseDate(v.AsString(), date)) return CVariant::Date(date);
    }
    return CVariant::Date(v.ToDouble());
  });
}

CVariant FnIsEmpty(Args a) { return CVariant::Boolean(Arg(a, 0).IsEmpty()); }
CVariant FnIsNull(Args a) { return CVariant::Boolean(Arg(a, 0).IsNull()); }
CVariant FnIsObject(Args a) { return CVariant::Boolean(Arg(a, 0).IsObject()); }
CVariant FnIsArray(Args a) { return CVariant::Boolean(Arg(a, 0).IsArray()); }
CVariant FnIsNumeric(Args a) {
  const CVariant& v = Arg(a, 0);
  if (v.IsNumeric() || v.IsEmpty()) return CVariant::Boolean(v.Type() != EVarType::Date);
  if (v.IsString()) {
    double value = 0;
    return CVariant::Boolean(ParseNumber(v.AsString(), value));
  }
  return CVariant::Boolean(false);
}
CVariant FnIsDate(Args a) {
  const CVariant& v = Arg(a, 0);
  double date = 0;
  return CVariant::Boolean(v.Type() == EVarType::Date || (v.IsString() && ParseDate(v.AsString(), date)));
}

CVariant FnTypeName(Args a) { return CVariant::String(TypeNameOf(Arg(a, 0))); }
CVariant FnVarType(Args a) {
  const CVariant& v = Arg(a, 0);
  if (v.IsObject() && v.AsObject() != nullptr) {
    // An object with a default value reports the value's type, as Windows does.
    try {
      const CVariant value = v.AsObject()->Invoke(u"", EInvokeKind::Get, {});
      if (!value.IsObject()) return CVariant::Integer(static_cast<int16_t>(value.Type()));
    } catch (const CScriptError&) {
    }
  }
  return CVariant::Integer(static_cast<int16_t>(static_cast<uint16_t>(v.Type()) & 0x7FFF));
}

CVariant FnLen(Args a) {
  if (Arg(a, 0).IsString()) return CVariant::Long(static_cast<int32_t>(Arg(a, 0).AsString().size()));
  const CVariant v = Scalar(Arg(a, 0));
  if (v.IsNull()) return v;
  return CVariant::Long(static_cast<int32_t>(v.ToString().size()));
}

CVariant Bound(Args a, bool upper) {
  const CVariant& v = Arg(a, 0);
  if (!v.IsArray()) throw CScriptError(err::TypeMismatch);
  const int32_t dimension = Given(a, 1) ? Arg(a, 1).ToLong() : 1;
  if (dimension < 1) throw CScriptError(err::SubscriptRange);
  const auto d = static_cast<size_t>(dimension);
  return CVariant::Long(upper ? v.AsArray()->UBound(d) : v.AsArray()->LBound(d));
}
CVariant FnLBound(Args a) { return Bound(a, false); }
CVariant FnUBound(Args a) { return Bound(a, true); }

// The ProgID is read as text first, so a Null or an object fails the way it would in any
// text argument; the server name is not read (every object is made in this process).
CVariant FnCreateObject(Args a) {
  return CurrentRuntime().creatable.Create(Scalar(Arg(a, 0)).ToString());
}

// No object is running to be found, so only GetObject("", class), which makes a new object,
// and the management service's monikers can succeed.
CVariant FnGetObject(Args a) {
  std::u16string texts[2];
  for (size_t i = 0; i < a.size(); ++i) {
    if (Given(a, i)) texts[i] = Scalar(Arg(a, i)).ToString();
  }
  if (Given(a, 0) && texts[0].empty() && Given(a, 1)) return CurrentRuntime().creatable.Create(texts[1]);
  if (IsWbemMoniker(texts[0]) && !Given(a, 1)) return GetWbemObject(texts[0]);
  throw CScriptError(err::CannotCreateObject);
}

CVariant FnArray(Args a) {
  std::vector<CVariant> values;
  values.reserve(a.size());
  for (auto& arg : a) {
    const CVariant& v = arg.Deref();
    values.push_back(v.IsArray() ? CVariant::Array(v.AsArray()->Clone()) : v);
  }
  return CVariant::Array(CSafeArray::FromValues(std::move(values)));
}

// The engine answers as the language version it implements.
CVariant FnScriptEngine(Args) { return CVariant::String(u"VBScript"); }
CVariant FnScriptEngineMajorVersion(Args) { return CVariant::Long(5); }
CVariant FnScriptEngineMinorVersion(Args) { return CVariant::Long(8); }
// The build that version 5.8 reports on current Windows releases.
CVariant FnScriptEngineBuildVersion(Args) { return CVariant::Long(16384); }

// There is no picture format this system can load, so every name is an invalid picture; the
// argument is still read as text first, so that Null and arrays fail as they would.
CVariant FnLoadPicture(Args a) {
  if (IsNullArg(a, 0)) throw CScriptError(err::InvalidUseOfNull);
  (void)TextArg(a, 0);
  throw CScriptError(err::InvalidPicture);
}

constexpr std::array kBuiltins{
    SBuiltin{u"array", 0, 255, FnArray},     SBuiltin{u"cbool", 1, 1, FnCBool},
    SBuiltin{u"cbyte", 1, 1, FnCByte},       SBuiltin{u"ccur", 1, 1, FnCCur},
    SBuiltin{u"cdate", 1, 1, FnCDate},       SBuiltin{u"cdbl", 1, 1, FnCDbl},
    SBuiltin{u"cint", 1, 1, FnCInt},         SBuiltin{u"clng", 1, 1, FnCLng},
    SBuiltin{u"createobject", 1, 2, FnCreateObject}, SBuiltin{u"getobject", 0, 2, FnGetObject},
    SBuiltin{u"csng", 1, 1, FnCSng},         SBuiltin{u"cstr", 1, 1, FnCStr},
    SBuiltin{u"isarray", 1, 1, FnIsArray},   SBuiltin{u"isdate", 1, 1, FnIsDate},
    SBuiltin{u"isempty", 1, 1, FnIsEmpty},   SBuiltin{u"isnull", 1, 1, FnIsNull},
    SBuiltin{u"isnumeric", 1, 1, FnIsNumeric}, SBuiltin{u"isobject", 1, 1, FnIsObject},
    SBuiltin{u"lbound", 1, 2, FnLBound},     SBuiltin{u"len", 1, 1, FnLen},
    SBuiltin{u"typename", 1, 1, FnTypeName}, SBuiltin{u"ubound", 1, 2, FnUBound},
    SBuiltin{u"vartype", 1, 1, FnVarType},   SBuiltin{u"scriptengine", 0, 0, FnScriptEngine},
    SBuiltin{u"scriptenginemajorversion", 0, 0, FnScriptEngineMajorVersion},
    SBuiltin{u"scriptengineminorversion", 0, 0, FnScriptEngineMinorVersion},
    SBuiltin{u"scriptenginebuildversion", 0, 0, FnScriptEngineBuildVersion},
    SBuiltin{u"loadpicture", 1, 1, FnLoadPicture},
};

}  // namespace

std::span<const SBuiltin> ConversionLibrary() { return kBuiltins; }

}  // namespace builtin

namespace {

// All libraries in one list, so that a call site keeps one small index; names are looked up
// once per compilation, so a map built on first use is enough.
struct SRegistry {
  std::vector<SBuiltin> all;
  std::unordered_map<std::u16string, int> byName;
  SRegistry() {
    for (const auto library : {builtin::ConversionLibrary(), builtin::StringLibrary(), builtin::MathLibrary(),
                               builtin::DateLibrary(), builtin::FormatLibrary(), builtin::RandomLibrary(),
                               builtin::DialogLibrary()}) {
      for (const SBuiltin& entry : library) {
        byName.emplace(entry.name, static_cast<int>(all.size()));
        all.push_back(entry);
      }
    }
  }
};

const SRegistry& Registry() {
  static const SRegistry registry;
  return registry;
}

}  // namespace

int FindBuiltin(std::u16string_view name) {
  const auto& byName = Registry().byName;
  const auto found = byName.find(platform::LowerAscii(name));
  return found == byName.end() ? -1 : found->second;
}

const SBuiltin& BuiltinAt(int index) { return Registry().all[static_cast<size_t>(index)]; }

int BuiltinCount() { return static_cast<int>(Registry().all.size()); }

CVariant CallBuiltin(int index, std::span<CVariant> args) {
  const SBuiltin& builtin = BuiltinAt(index);
  if (args.size() < builtin.minArgs || args.size() > builtin.maxArgs) throw CScriptError(err::WrongArgCount);
  for (size_t i = 0; i < builtin.minArgs; ++i) {
    if (args[i].Deref().IsMissing()) throw CScriptError(err::ArgNotOptional);
  }
  return builtin.fn(args);
}

std::u16string TypeNameOf(const CVariant& value) {
  const CVariant& v = value.Deref();
  switch (v.Type()) {
    case EVarType::Empty: return u"Empty";
    case EVarType::Null: return u"Null";
    case EVarType::Boolean: return u"Boolean";
    case EVarType::Byte: return u"Byte";
    case EVarType::Integer: return u"Integer";
    case EVarType::Long: return u"Long";
    case EVarType::Single: return u"Single";
    case EVarType::Double: return u"Double";
    case EVarType::Currency: return u"Currency";
    case EVarType::Date: return u"Date";
    case EVarType::String: return u"String";
    case EVarType::Error: return u"Error";
    case EVarType::Array: return u"Variant()";
    case EVarType::Object: return v.AsObject() == nullptr ? u"Nothing" : v.AsObject()->TypeName();
    default: return u"Unknown";
  }
}

}  // namespace quillet::engine
