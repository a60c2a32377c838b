#include "typeinfo/TypeLibPrinter.h"

#include <array>
#include <cstdio>
#include <vector>

#include "typeinfo/TypeLibrary.h"
#include "typeinfo/VariantValue.h"

namespace quillet::typeinfo {

namespace {

std::u16string Ascii(const char* text) { return std::u16string(text, text + std::char_traits<char>::length(text)); }

std::u16string HexId(std::int32_t id) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "0x%08x", static_cast<unsigned>(id));
  return Ascii(buffer);
}

std::u16string Number(long long value) { return Ascii(std::to_string(value).c_str()); }

std::u16string Quoted(std::u16string_view text) {
  std::u16string out = u"\"";
  for (const char16_t c : text) {
    if (c == u'"' || c == u'\\') out += u'\\';
    out += c;
  }
  return out + u"\"";
}

std::u16string ValueText(const SVariant& value) {
  return value.vt == vt::kBstr ? Quoted(value.text) : VariantToText(value);
}

// "[a, b]" followed by a space, or nothing when there are no attributes.
std::u16string Attributes(const std::vector<std::u16string>& items) {
  if (items.empty()) return {};
  std::u16string out = u"[";
  for (std::size_t i = 0; i < items.size(); ++i) out += (i ? u", " : u"") + items[i];
  return out + u"] ";
}

const char* SimpleName(std::uint16_t type) {
  switch (type) {
    case vt::kI2: return "short";
    case vt::kI4: return "long";
    case vt::kR4: return "float";
    case vt::kR8: return "double";
    case vt::kCy: return "CURRENCY";
    case vt::kDate: return "DATE";
    case vt::kBstr: return "BSTR";
    case vt::kDispatch: return "IDispatch*";
    case vt::kError: return "SCODE";
    case vt::kBool: return "VARIANT_BOOL";
    case vt::kVariant: return "VARIANT";
    case vt::kUnknown: return "IUnknown*";
    case vt::kDecimal: return "DECIMAL";
    case vt::kI1: return "char";
    case vt::kUi1: return "unsigned char";
    case vt::kUi2: return "unsigned short";
    case vt::kUi4: return "unsigned long";
    case vt::kI8: return "int64";
    case vt::kUi8: return "uint64";
    case vt::kInt: return "int";
    case vt::kUint: return "unsigned int";
    case vt::kVoid: return "void";
    case vt::kHresult: return "HRESULT";
    case vt::kLpStr: return "LPSTR";
    case vt::kLpWStr: return "LPWSTR";
    default: return nullptr;
  }
}

// The base interfaces of automation keep their GUIDs everywhere, so they can be named when the
// library that declares them (stdole2) is not installed, as on a machine without Wine.
const char* WellKnownInterfaceName(const SGuid& guid) {
  constexpr std::array<std::uint8_t, 8> kOleTail{0xC0, 0, 0, 0, 0, 0, 0, 0x46};
  if (guid.data2 != 0 || guid.data3 != 0 || guid.data4 != kOleTail) return nullptr;
  if (guid.data1 == 0x00000000) return "IUnknown";
  if (guid.data1 == 0x00020400) return "IDispatch";
  return nullptr;
}

const char* KindWord(ETypeKind kind) {
  switch (kind) {
    case ETypeKind::Enum: return "enum";
    case ETypeKind::Record: return "struct";
    case ETypeKind::Module: return "module";
    case ETypeKind::Interface: return "interface";
    case ETypeKind::Dispatch: return "dispinterface";
    case ETypeKind::CoClass: return "coclass";
    case ETypeKind::Alias: return "typedef";
    case ETypeKind::Union: return "union";
  }
  return "type";
}

}  // namespace

std::u16string CTypeLibPrinter::TypeName(const STypeDesc& type) const {
  const STypeDesc* inner = type.inner.empty() ? nullptr : &type.inner.front();
  switch (type.vt) {
    case vt::kPtr: return (inner ? TypeName(*inner) : u"void") + u"*";
    case vt::kSafeArray: return u"SAFEARRAY(" + (inner ? TypeName(*inner) : u"") + u")";
    case vt::kCArray: {
      std::u16string out = inner ? TypeName(*inner) : u"void";
      for (const SArrayBound& bound : type.bounds) out += u"[" + Number(bound.elements) + u"]";
      return out;
    }
    case vt::kUserDefined: {
      const auto target = m_library.ResolveRef(type.ref);
      if (!target) {
        const char* known = type.ref.importIndex >= 0 ? WellKnownInterfaceName(type.ref.guid) : nullptr;
        return known ? Ascii(known) : u"UnknownType";
      }
      return target->library->Documentation(target->index)->name;
    }
    default:
      if (const char* name = SimpleName(type.vt)) return Ascii(name);
      return u"VT_" + Number(type.vt);
  }
}

std::u16string CTypeLibPrinter::Print() const {
  const SLibraryDesc& desc = m_library.Desc();
  std::vector<std::u16string> attributes{u"uuid(" + GuidToString(desc.guid).substr(1, 36) + u")",
                                         u"version(" + Number(desc.majorVersion) + u"." + Number(desc.minorVersion) + u")"};
  if (!desc.docString.empty()) attributes.push_back(u"helpstring(" + Quoted(desc.docString) + u")");
  if (!desc.helpFile.empty()) attributes.push_back(u"helpfile(" + Quoted(desc.helpFile) + u")");
  std::u16string out = Attributes(attributes) + u"\nlibrary " + desc.name + u"\n{\n";
  for (const SImportLib& import : desc.imports) out += u"    importlib(" + Quoted(import.fileName) + u");\n";
  for (int i = 0; i < m_library.TypeInfoCount(); ++i) {
    out += u"\n";
    PrintType(i, out);
  }
  return out + u"};\n";
}

void CTypeLibPrinter::PrintType(int index, std::u16string& out) const {
  const STypeInfoDesc& type = *m_library.TypeInfo(index);
  const ETypeKind kind = *m_library.TypeKind(index);
  std::vector<std::u16string> attributes;
  if (!type.guid.IsNull()) attributes.push_back(u"uuid(" + GuidToString(type.guid).substr(1, 36) + u")");
  if (!type.docString.empty()) attributes.push_back(u"helpstring(" + Quoted(type.docString) + u")");
  if (type.flags & flags::kTypeDual) attributes.push_back(u"dual");
  if (type.flags & flags::kTypeHidden) attributes.push_back(u"hidden");
  if (type.flags & flags::kTypeOleAutomation) attributes.push_back(u"oleautomation");
  if (type.flags & flags::kTypeNonExtensible) attributes.push_back(u"nonextensible");
  const std::u16string head = u"    " + Attributes(attributes);

  switch (kind) {
    case ETypeKind::Enum:
    case ETypeKind::Record:
    case ETypeKind::Union:
      out += head + u"typedef " + Ascii(KindWord(kind)) + u" {\n";
      PrintVariables(index, kind == ETypeKind::Enum, out);
      out += u"    } " + type.name + u";\n";
      return;
    case ETypeKind::Alias:
      out += head + u"typedef " + TypeName(type.aliasType) + u" " + type.name + u";\n";
      return;
    case ETypeKind::CoClass:
      out += head + u"coclass " + type.name + u" {\n";
      for (const SImplType& impl : type.implTypes) {
        std::vector<std::u16string> implAttributes;
        if (impl.flags & flags::kImplDefault) implAttributes.push_back(u"default");
        if (impl.flags & flags::kImplSource) implAttributes.push_back(u"source");
        if (impl.flags & flags::kImplRestricted) implAttributes.push_back(u"restricted");
        const auto target = m_library.ResolveRef(impl.ref);
        const bool isDispatch = target && target->library->TypeKind(target->index) == ETypeKind::Dispatch &&
                                !(target->library->TypeInfo(target->index)->flags & flags::kTypeDual);
        out += u"        " + Attributes(implAttributes) + (isDispatch ? u"dispinterface " : u"interface ") +
               TypeName(STypeDesc{vt::kUserDefined, {}, {}, impl.ref}) + u";\n";
      }
      out += u"    };\n";
      return;
    default: {
      std::u16string base;
      if (!type.implTypes.empty()) base = u" : " + TypeName(STypeDesc{vt::kUserDefined, {}, {}, type.implTypes.front().ref});
      const bool dispatchOnly = kind == ETypeKind::Dispatch && !(type.flags & flags::kTypeDual);
      out += head + Ascii(KindWord(dispatchOnly ? ETypeKind::Dispatch : kind == ETypeKind::Module ? kind : ETypeKind::Interface)) +
             u" " + type.name + (dispatchOnly ? u"" : base) + u" {\n";
      if (dispatchOnly) out += u"    properties:\n";
      if (dispatchOnly || !type.vars.empty()) PrintVariables(index, false, out);
      if (dispatchOnly) out += u"    methods:\n";
      PrintFunctions(index, out);
      out += u"    };\n";
    }
  }
}

void CTypeLibPrinter::PrintFunctions(int index, std::u16string& out) const {
  for (const SFuncDesc& func : m_library.TypeInfo(index)->funcs) {
    std::vector<std::u16string> attributes{u"id(" + HexId(func.memberId) + u")"};
    if (func.invokeKind == EInvokeKind::PropertyGet) attributes.push_back(u"propget");
    if (func.invokeKind == EInvokeKind::PropertyPut) attributes.push_back(u"propput");
    if (func.invokeKind == EInvokeKind::PropertyPutRef) attributes.push_back(u"propputref");
    if (func.flags & flags::kFuncRestricted) attributes.push_back(u"restricted");
    if (func.flags & flags::kFuncHidden) attributes.push_back(u"hidden");
    if (!func.docString.empty()) attributes.push_back(u"helpstring(" + Quoted(func.docString) + u")");
    std::u16string line = u"        " + Attributes(attributes) + TypeName(func.returnType) + u" " + func.name + u"(";
    for (std::size_t i = 0; i < func.params.size(); ++i) {
      const SParamDesc& param = func.params[i];
      std::vector<std::u16string> paramAttributes;
      if (param.flags & flags::kParamIn) paramAttributes.push_back(u"in");
      if (param.flags & flags::kParamOut) paramAttributes.push_back(u"out");
      if (param.flags & flags::kParamLcid) paramAttributes.push_back(u"lcid");
      if (param.flags & flags::kParamRetval) paramAttributes.push_back(u"retval");
      if (param.flags & flags::kParamOptional) paramAttributes.push_back(u"optional");
      if (param.defaultValue) paramAttributes.push_back(u"defaultvalue(" + ValueText(*param.defaultValue) + u")");
      line += (i ? u", " : u"") + Attributes(paramAttributes) + TypeName(param.type) + u" " + param.name;
    }
    out += line + u");\n";
  }
}

void CTypeLibPrinter::PrintVariables(int index, bool constants, std::u16string& out) const {
  for (const SVarDesc& var : m_library.TypeInfo(index)->vars) {
    std::vector<std::u16string> attributes;
    if (!constants) attributes.push_back(u"id(" + HexId(var.memberId) + u")");
    if (var.flags & flags::kVarHidden) attributes.push_back(u"hidden");
    if (var.flags & flags::kVarRestricted) attributes.push_back(u"restricted");
    if (!var.docString.empty()) attributes.push_back(u"helpstring(" + Quoted(var.docString) + u")");
    if (constants)
      out += u"        " + Attributes(attributes) + var.name + u" = " + (var.value ? ValueText(*var.value) : u"") + u",\n";
    else
      out += u"        " + Attributes(attributes) + TypeName(var.type) + u" " + var.name + u";\n";
  }
}

}  // namespace quillet::typeinfo
