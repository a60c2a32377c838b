#include "typeinfo/TypeLib.h"

#include <algorithm>
#include <vector>

#include "platform/TextConvert.h"
#include "typeinfo/VariantValue.h"

namespace quillet::typeinfo {

namespace {

using platform::EqualsIgnoringAsciiCase;
using platform::LowerAscii;

constexpr std::size_t kMaxNames = 64;

std::u16string Number(long long value) {
  const std::string text = std::to_string(value);
  return std::u16string(text.begin(), text.end());
}

const STypeDesc* Inner(const STypeDesc& type) { return type.inner.empty() ? nullptr : &type.inner.front(); }

bool LessIgnoringCase(const std::u16string& a, const std::u16string& b) { return LowerAscii(a) < LowerAscii(b); }

// Through pointers and safe arrays down to a user-defined type, then through an alias that names
// another user-defined type.
std::optional<STypeHandle> ReferencedType(const STypeDesc& type, const CTypeLibrary& owner) {
  const STypeDesc* at = &type;
  for (int depth = 0; at && (at->vt == vt::kPtr || at->vt == vt::kSafeArray) && depth < 16; ++depth) at = Inner(*at);
  if (!at || at->vt != vt::kUserDefined) return std::nullopt;
  auto target = owner.ResolveRef(at->ref);
  if (target && target->library->TypeKind(target->index) == ETypeKind::Alias) {
    const STypeDesc& aliased = target->library->TypeInfo(target->index)->aliasType;
    if (aliased.vt == vt::kUserDefined) target = target->library->ResolveRef(aliased.ref);
  }
  return target;
}

// The types that one interface's visible members return or take, in declaration order.
struct SMemberTypes {
  STypeHandle type;
  std::size_t func = 0;
  std::size_t slot = 0;  // 0: the return type, n: parameter n - 1

  // Null once every member was seen.
  const STypeDesc* Next() {
    const std::vector<SFuncDesc>& funcs = type.library->Funcs(type.index);
    for (; func < funcs.size(); ++func, slot = 0) {
      const SFuncDesc& member = funcs[func];
      if (member.flags & (flags::kFuncRestricted | flags::kFuncHidden)) continue;
      if (slot > member.params.size()) continue;
      const std::size_t at = slot++;
      return at == 0 ? &member.returnType : &member.params[at - 1].type;
    }
    return nullptr;
  }
};

}  // namespace

std::u16string TypeDescToName(const STypeDesc& type, const CTypeLibrary& owner) {
  switch (type.vt) {
    case vt::kI2: case vt::kUi2: case vt::kInt: case vt::kUint: return u"Integer";
    case vt::kI4: case vt::kError: case vt::kUi4: case vt::kI8: case vt::kUi8: case vt::kHresult: return u"Long";
    case vt::kR4: case vt::kR8: case vt::kDecimal: return u"Double";
    case vt::kCy: return u"Currency";
    case vt::kDate: return u"Date";
    case vt::kBstr: case vt::kI1: case vt::kLpStr: case vt::kLpWStr: return u"String";
    case vt::kDispatch: case vt::kUnknown: return u"Object";
    case vt::kBool: return u"Boolean";
    case vt::kUi1: return u"Byte";
    case vt::kVoid: return u"Void";
    case vt::kPtr: return Inner(type) ? TypeDescToName(*Inner(type), owner) : u"";
    case vt::kSafeArray: return u"Array(" + (Inner(type) ? TypeDescToName(*Inner(type), owner) : u"") + u")";
    case vt::kCArray: {
      std::u16string name = Inner(type) ? TypeDescToName(*Inner(type), owner) : u"";
      for (const SArrayBound& bound : type.bounds)
        name += u"[" + Number(bound.lowerBound) + u"..." +
                Number(static_cast<long long>(bound.lowerBound) + bound.elements - 1) + u"]";
      return name;
    }
    case vt::kUserDefined: {
      const auto target = owner.ResolveRef(type.ref);
      if (!target) return u"UnknownCustomType";
      return target->library->Documentation(target->index)->name;
    }
    default:
      return {};
  }
}

CTypeLibMember* CTypeLibGroup::FindMember(std::u16string_view memberName) const {
  for (const auto& member : members)
    if (member->name == memberName) return member.get();
  return nullptr;
}

CTypeLib::CTypeLib(const std::u16string& libraryPath, CTypeLibrary::RegistryPtr registry)
    : path(libraryPath), libraryKind(ELibraryKind::File) {
  const auto library = CTypeLibrary::LoadFile(platform::Utf16ToUtf8(libraryPath), std::move(registry));
  if (!library) {
    const std::size_t slash = libraryPath.find_last_of(u"\\/");
    name = (slash == std::u16string::npos ? libraryPath : libraryPath.substr(slash + 1)) + u" - Could not load library";
    return;
  }
  Load(*library);
  Sort();
}

std::u16string CTypeLib::DisplayTypeName(const STypeDesc& type, const CTypeLibrary& owner) const {
  std::u16string typeName = TypeDescToName(type, owner);
  if (const auto found = interfaceMap.find(typeName); found != interfaceMap.end()) return found->second->name;
  return typeName;
}

void CTypeLib::Load(const CTypeLibrary& library) {
  const auto doc = library.Documentation(-1);
  name = doc->name;
  description = doc->docString;
  CollectConstants(library);
  CollectClasses(library);
  const std::size_t classCount = groups.size();
  for (std::size_t i = 0; i < classCount; ++i) {
    CTypeLibGroup& group = *groups[i];
    const auto sources = std::move(group.sources);
    for (const auto& [type, events] : sources) AddInterfaceMembers(group, type, events);
  }
}

void CTypeLib::CollectConstants(const CTypeLibrary& library) {
  for (int i = 0; i < library.TypeInfoCount(); ++i) {
    const STypeInfoDesc& type = *library.TypeInfo(i);
    STypeHandle target{&library, i};
    if (type.kind == ETypeKind::Alias) {
      if (type.aliasType.vt != vt::kUserDefined) continue;
      const auto aliased = library.ResolveRef(type.aliasType.ref);
      if (!aliased) continue;
      target = *aliased;
    }
    if (target.library->TypeKind(target.index) != ETypeKind::Enum) continue;
    for (const SVarDesc& var : target.library->TypeInfo(target.index)->vars)
      constantsMap[type.name + u"-" + (var.value ? VariantToText(*var.value) : u"")] = var.name;
  }
}

void CTypeLib::CollectClasses(const CTypeLibrary& library) {
  for (int i = 0; i < library.TypeInfoCount(); ++i) {
    if (library.TypeKind(i) != ETypeKind::CoClass) continue;
    const STypeInfoDesc& type = *library.TypeInfo(i);
    auto group = std::make_unique<CTypeLibGroup>(type.name, ECatalogueKind::Class);
    for (const SImplType& impl : type.implTypes) {
      if (!(impl.flags & flags::kImplDefault)) continue;
      const auto target = library.ResolveRef(impl.ref);
      if (!target) continue;
      interfaceMap[target->library->Documentation(target->index)->name] = group.get();
      group->sources.emplace_back(*target, (impl.flags & flags::kImplSource) != 0);
    }
    groups.push_back(std::move(group));
  }
}

void CTypeLib::AddInterfaceMembers(CTypeLibGroup& group, STypeHandle type, bool events) {
  DescribeFunctions(group, type, events);
  if (type.library->TypeKind(type.index) == ETypeKind::Dispatch) AddReferencedTypes(type);
}

// Depth first, as the members name them, with a stack of our own: a chain of interfaces may be
// as long as the library is large, and each interface is listed, and its members walked, once.
void CTypeLib::AddReferencedTypes(STypeHandle root) {
  std::vector<SMemberTypes> walk{SMemberTypes{root}};
  while (!walk.empty()) {
    const STypeDesc* type = walk.back().Next();
    if (type == nullptr) {
      walk.pop_back();
      continue;
    }
    const auto listed = AddReferencedType(*type, *walk.back().type.library);
    if (listed) walk.push_back(SMemberTypes{*listed});
  }
}

std::optional<STypeHandle> CTypeLib::AddReferencedType(const STypeDesc& type, const CTypeLibrary& owner) {
  const auto target = ReferencedType(type, owner);
  if (!target) return std::nullopt;
  const STypeInfoDesc& info = *target->library->TypeInfo(target->index);
  const auto kind = target->library->TypeKind(target->index);
  if (kind == ETypeKind::Dispatch) {
    const bool known = interfaceMap.contains(info.name) || !m_knownInterfaces.insert(LowerAscii(info.name)).second;
    if (known) return std::nullopt;
    groups.push_back(std::make_unique<CTypeLibGroup>(info.name, ECatalogueKind::Interface));
    DescribeFunctions(*groups.back(), *target, false);
    return target;
  }
  if (kind == ETypeKind::Enum && !FindGroup(info.name, ECatalogueKind::Enumeration)) AddEnumeration(info);
  return std::nullopt;
}

void CTypeLib::AddEnumeration(const STypeInfoDesc& info) {
  groups.push_back(std::make_unique<CTypeLibGroup>(info.name, ECatalogueKind::Enumeration));
  CTypeLibGroup& group = *groups.back();
  for (const SVarDesc& var : info.vars) {
    if ((var.flags & (flags::kVarHidden | flags::kVarRestricted)) || group.FindMember(var.name)) continue;
    auto member = std::make_unique<CTypeLibMember>();
    member->name = var.name;
    member->kind = ECatalogueKind::Constant;
    member->description = var.value ? VariantToText(*var.value) : u"";
    member->nameStart = 6;
    member->nameEnd = 6 + static_cast<std::int32_t>(var.name.size());
    group.members.push_back(std::move(member));
  }
}

void CTypeLib::DescribeFunctions(CTypeLibGroup& group, STypeHandle type, bool events) {
  const CTypeLibrary& owner = *type.library;
  for (const SFuncDesc& func : owner.Funcs(type.index)) {
    if (func.flags & (flags::kFuncRestricted | flags::kFuncHidden)) continue;
    const bool returnsVoid = func.returnType.vt == vt::kVoid;
    std::u16string prefix = u"Property ";
    ECatalogueKind kind = ECatalogueKind::Property;
    if (events) {
      prefix = u"Event ";
      kind = ECatalogueKind::Event;
    } else if (func.invokeKind == EInvokeKind::Func) {
      prefix = returnsVoid ? u"Sub " : u"Function ";
      kind = ECatalogueKind::Method;
    }
    if (group.FindMember(func.name)) continue;
    auto member = std::make_unique<CTypeLibMember>();
    member->name = func.name;
    member->kind = kind;
    member->nameStart = static_cast<std::int32_t>(prefix.size());
    member->nameEnd = member->nameStart + static_cast<std::int32_t>(func.name.size());
    std::u16string text = prefix + func.name;
    const std::vector<std::u16string> names = owner.Names(type.index, func.memberId);
    std::u16string list;
    for (std::size_t i = 0; i < func.params.size(); ++i) {
      const SParamDesc& param = func.params[i];
      std::u16string part = (param.flags & flags::kParamIn) ? u"ByVal " : (param.flags & flags::kParamOut) ? u"ByRef " : u"";
      part += i + 1 < names.size() && i + 1 < kMaxNames ? names[i + 1] : u"";
      const std::u16string typeName = DisplayTypeName(param.type, owner);
      if (!typeName.empty()) part += u" As " + typeName;
      if (param.flags & flags::kParamOptional) {
        part = u"[" + part;
        if ((param.flags & flags::kParamHasDefault) && param.defaultValue) part += u" = " + DefaultText(param, typeName);
        part += u"]";
      }
      list += (i ? u", " : u"") + part;
    }
    if (!func.params.empty()) text += u"(" + list + u")";
    if (!returnsVoid) {
      const std::u16string typeName = DisplayTypeName(func.returnType, owner);
      if (!typeName.empty()) text += u" As " + typeName;
    }
    if (!func.docString.empty()) text += u"\r\n\r\n" + func.docString;
    member->description = std::move(text);
    group.members.push_back(std::move(member));
  }
}

std::u16string CTypeLib::DefaultText(const SParamDesc& param, const std::u16string& typeName) const {
  const std::u16string text = VariantToText(*param.defaultValue);
  if (typeName == u"Boolean") {
    if (text == u"-1") return u"True";
    if (text == u"0") return u"False";
    return text;
  }
  if (typeName == u"String") return text.empty() ? text : u"\"" + text + u"\"";
  if (const auto found = constantsMap.find(typeName + u"-" + text); found != constantsMap.end()) return found->second;
  return text;
}

CTypeLibGroup* CTypeLib::FindGroup(std::u16string_view groupName, ECatalogueKind kind) const {
  for (const auto& group : groups)
    if (group->kind == kind && group->name == groupName) return group.get();
  return nullptr;
}

void CTypeLib::Sort() {
  std::stable_sort(groups.begin(), groups.end(),
                   [](const auto& a, const auto& b) { return LessIgnoringCase(a->name, b->name); });
  for (const auto& group : groups) {
    std::stable_sort(group->members.begin(), group->members.end(),
                     [](const auto& a, const auto& b) { return LessIgnoringCase(a->name, b->name); });
    if (group->kind != ECatalogueKind::Enumeration) continue;
    for (const auto& member : group->members) {
      member->description = u"Const " + member->name + u" = " + member->description;
      group->text += member->description + u"\r\n";
    }
  }
}

}  // namespace quillet::typeinfo
