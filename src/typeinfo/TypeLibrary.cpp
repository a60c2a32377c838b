#include "typeinfo/TypeLibrary.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>

#include "platform/ClassRegistry.h"
#include "platform/FileBytes.h"
#include "typeinfo/MsftReader.h"
#include "typeinfo/PeResource.h"

namespace quillet::typeinfo {

namespace {

// Libraries importing each other (or a chain of imports) stop here.
constexpr int kMaxImportDepth = 4;
// Larger files are not type libraries anyone registers; refusing them bounds what a load reads.
constexpr std::uintmax_t kMaxFileSize = 512u << 20;

std::u16string Hex(std::uint32_t value) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "%x", value);
  return std::u16string(buffer, buffer + std::char_traits<char>::length(buffer));
}

std::unique_ptr<CTypeLibrary> Load(std::string_view bytes, CTypeLibrary::RegistryPtr registry, int depth,
                                   ELoadError* error) {
  const auto fail = [error](ELoadError why) {
    if (error) *error = why;
    return nullptr;
  };
  std::string_view library = bytes;
  if (CPeResource::LooksLikePe(bytes)) {
    const auto resource = CPeResource::FindTypeLib(bytes);
    if (!resource) return fail(ELoadError::NoTypeLibResource);
    library = *resource;
  }
  auto desc = CMsftReader::Read(library);
  if (!desc) return fail(ELoadError::NotATypeLibrary);
  if (error) *error = ELoadError::None;
  return std::make_unique<CTypeLibrary>(std::move(*desc), std::move(registry), depth);
}

std::unique_ptr<CTypeLibrary> LoadPath(const std::string& path, CTypeLibrary::RegistryPtr registry, int depth,
                                       ELoadError* error) {
  std::error_code ignored;
  std::string bytes;
  if (std::filesystem::file_size(path, ignored) > kMaxFileSize || !platform::ReadFileBytes(path, bytes)) {
    if (error) *error = ELoadError::CannotRead;
    return nullptr;
  }
  return Load(bytes, std::move(registry), depth, error);
}

bool IsDual(const STypeInfoDesc& type) {
  return type.kind == ETypeKind::Interface && (type.flags & flags::kTypeDual);
}

// A dual interface's function as its dispatch side shows it. A function that does not return
// an HRESULT has no dispatch form to derive and stays as declared.
SFuncDesc DispatchView(SFuncDesc func) {
  func.funcKind = EFuncKind::Dispatch;
  std::erase_if(func.params, [](const SParamDesc& param) { return (param.flags & flags::kParamLcid) != 0; });
  if (func.returnType.vt != vt::kHresult) return func;
  if (!func.params.empty() && (func.params.back().flags & flags::kParamRetval)) {
    STypeDesc result = std::move(func.params.back().type);
    func.params.pop_back();
    if (result.vt == vt::kPtr && !result.inner.empty()) {
      STypeDesc pointee = std::move(result.inner.front());
      result = std::move(pointee);
    }
    func.returnType = std::move(result);
  } else {
    func.returnType = STypeDesc{vt::kVoid, {}, {}, {}};
  }
  const auto paramCount = static_cast<std::int16_t>(func.params.size());
  func.optionalCount = std::min(func.optionalCount, paramCount);
  return func;
}

}  // namespace

CTypeLibrary::CTypeLibrary(SLibraryDesc desc, RegistryPtr registry, int importDepth)
    : m_desc(std::move(desc)),
      m_registry(std::move(registry)),
      m_importDepth(importDepth),
      m_dispatchFuncs(m_desc.types.size()),
      m_imports(m_desc.imports.size()),
      m_importTried(m_desc.imports.size(), false) {
  for (std::size_t i = 0; i < m_desc.types.size(); ++i) {
    if (!IsDual(m_desc.types[i])) continue;
    for (const SFuncDesc& func : m_desc.types[i].funcs) m_dispatchFuncs[i].push_back(DispatchView(func));
  }
}

CTypeLibrary::~CTypeLibrary() = default;

std::unique_ptr<CTypeLibrary> CTypeLibrary::LoadFile(const std::string& path, RegistryPtr registry, ELoadError* error) {
  return LoadPath(path, std::move(registry), 0, error);
}

std::unique_ptr<CTypeLibrary> CTypeLibrary::LoadBytes(std::string_view bytes, RegistryPtr registry, ELoadError* error) {
  return Load(bytes, std::move(registry), 0, error);
}

const STypeInfoDesc* CTypeLibrary::TypeInfo(int index) const {
  if (index < 0 || index >= TypeInfoCount()) return nullptr;
  return &m_desc.types[static_cast<std::size_t>(index)];
}

std::optional<ETypeKind> CTypeLibrary::TypeKind(int index) const {
  const STypeInfoDesc* type = TypeInfo(index);
  if (!type) return std::nullopt;
  if (type->kind == ETypeKind::Interface && (type->flags & flags::kTypeDual)) return ETypeKind::Dispatch;
  return type->kind;
}

std::optional<SDocumentation> CTypeLibrary::Documentation(int index) const {
  if (index == -1) return SDocumentation{m_desc.name, m_desc.docString, m_desc.helpContext, m_desc.helpFile};
  const STypeInfoDesc* type = TypeInfo(index);
  if (!type) return std::nullopt;
  return SDocumentation{type->name, type->docString, type->helpContext, m_desc.helpFile};
}

const std::vector<SFuncDesc>& CTypeLibrary::Funcs(int type) const {
  static const std::vector<SFuncDesc> kNone;
  const STypeInfoDesc* info = TypeInfo(type);
  if (!info) return kNone;
  const auto& dispatch = m_dispatchFuncs[static_cast<std::size_t>(type)];
  return IsDual(*info) ? dispatch : info->funcs;
}

const SFuncDesc* CTypeLibrary::FuncDesc(int type, int index) const {
  const std::vector<SFuncDesc>& funcs = Funcs(type);
  if (index < 0 || static_cast<std::size_t>(index) >= funcs.size()) return nullptr;
  return &funcs[static_cast<std::size_t>(index)];
}

const SVarDesc* CTypeLibrary::VarDesc(int type, int index) const {
  const STypeInfoDesc* info = TypeInfo(type);
  if (!info || index < 0 || static_cast<std::size_t>(index) >= info->vars.size()) return nullptr;
  return &info->vars[static_cast<std::size_t>(index)];
}

std::vector<std::u16string> CTypeLibrary::Names(int type, std::int32_t memberId) const {
  const STypeInfoDesc* info = TypeInfo(type);
  if (!info) return {};
  for (const SFuncDesc& func : Funcs(type)) {
    if (func.memberId != memberId) continue;
    std::vector<std::u16string> names{func.name};
    for (const SParamDesc& param : func.params) names.push_back(param.name);
    return names;
  }
  for (const SVarDesc& var : info->vars)
    if (var.memberId == memberId) return {var.name};
  return {};
}

std::optional<SDocumentation> CTypeLibrary::MemberDocumentation(int type, std::int32_t memberId) const {
  const STypeInfoDesc* info = TypeInfo(type);
  if (!info) return std::nullopt;
  for (const SFuncDesc& func : info->funcs)
    if (func.memberId == memberId) return SDocumentation{func.name, func.docString, func.helpContext, m_desc.helpFile};
  for (const SVarDesc& var : info->vars)
    if (var.memberId == memberId) return SDocumentation{var.name, var.docString, var.helpContext, m_desc.helpFile};
  return std::nullopt;
}

std::optional<std::int32_t> CTypeLibrary::ImplTypeFlags(int type, int index) const {
  const STypeInfoDesc* info = TypeInfo(type);
  if (!info || index < 0 || static_cast<std::size_t>(index) >= info->implTypes.size()) return std::nullopt;
  return info->implTypes[static_cast<std::size_t>(index)].flags;
}

const STypeRef* CTypeLibrary::RefTypeOfImplType(int type, int index) const {
  const STypeInfoDesc* info = TypeInfo(type);
  if (!info || index < 0 || static_cast<std::size_t>(index) >= info->implTypes.size()) return nullptr;
  return &info->implTypes[static_cast<std::size_t>(index)].ref;
}

std::optional<int> CTypeLibrary::FindType(const SGuid& guid) const {
  for (int i = 0; i < TypeInfoCount(); ++i)
    if (m_desc.types[static_cast<std::size_t>(i)].guid == guid) return i;
  return std::nullopt;
}

std::optional<STypeHandle> CTypeLibrary::ResolveRef(const STypeRef& ref) const {
  if (ref.importIndex < 0) {
    if (!TypeInfo(ref.typeIndex)) return std::nullopt;
    return STypeHandle{this, ref.typeIndex};
  }
  const CTypeLibrary* imported = Import(ref.importIndex);
  if (!imported) return std::nullopt;
  if (!ref.guid.IsNull()) {
    const auto index = imported->FindType(ref.guid);
    if (!index) return std::nullopt;
    return STypeHandle{imported, *index};
  }
  if (!imported->TypeInfo(ref.typeIndex)) return std::nullopt;
  return STypeHandle{imported, ref.typeIndex};
}

const CTypeLibrary* CTypeLibrary::Import(int index) const {
  if (index < 0 || static_cast<std::size_t>(index) >= m_imports.size()) return nullptr;
  const auto slot = static_cast<std::size_t>(index);
  if (!m_importTried[slot]) {
    m_importTried[slot] = true;
    if (m_importDepth < kMaxImportDepth) {
      if (const auto path = FindImportPath(m_desc.imports[slot]))
        m_imports[slot] = LoadPath(*path, m_registry, m_importDepth + 1, nullptr);
    }
  }
  return m_imports[slot].get();
}

// TypeLib\{guid}\<major>.<minor>\<lcid>\win32, in hexadecimal as the registry spells versions
// and locales; another minor version of the same major one will do, and so will the neutral
// locale or any registered one.
std::optional<std::string> CTypeLibrary::FindImportPath(const SImportLib& import) const {
  if (!m_registry) return std::nullopt;
  const std::u16string base = u"TypeLib\\" + GuidToString(import.guid);
  std::vector<std::u16string> versions{Hex(import.majorVersion) + u"." + Hex(import.minorVersion)};
  for (const std::u16string& name : m_registry->SubkeyNames(base))
    if (name.starts_with(Hex(import.majorVersion) + u".")) versions.push_back(name);
  for (const std::u16string& version : versions) {
    const std::u16string versionKey = base + u"\\" + version;
    std::vector<std::u16string> locales{Hex(import.lcid), u"0"};
    for (const std::u16string& name : m_registry->SubkeyNames(versionKey)) locales.push_back(name);
    for (const std::u16string& locale : locales) {
      for (const char16_t* platform : {u"win32", u"win64"}) {
        const auto path = m_registry->ReadDefaultString(versionKey + u"\\" + locale + u"\\" + platform);
        if (path && !path->empty()) return m_registry->MapToLinuxPath(*path);
      }
    }
  }
  return std::nullopt;
}

}  // namespace quillet::typeinfo
