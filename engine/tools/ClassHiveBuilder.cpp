#include "engine/tools/ClassHiveBuilder.h"

#include <cstdio>

#include "engine/tools/TypeLibraryBuilder.h"
#include "platform/ClassRegistry.h"
#include "typeinfo/Guid.h"

namespace quillet::engine::tools {

namespace {

using platform::CRegKey;
using platform::CRegValue;
using platform::ERegType;

std::u16string Ascii(const char* text) { return std::u16string(text, text + std::char_traits<char>::length(text)); }

std::u16string GuidText(const om::SGuid& guid) { return typeinfo::GuidToString(ToTypeInfoGuid(guid)); }

// Versions are written in hexadecimal under TypeLib, as the registry spells them.
std::u16string HexVersion(const om::SLibrary& library) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "%x.%x", library.majorVersion, library.minorVersion);
  return Ascii(buffer);
}

std::u16string HiveFolder() { return u"%" + std::u16string(platform::kHiveFolderVariable) + u"%"; }
std::u16string InHiveFolder(std::u16string_view file) { return HiveFolder() + u"/" + std::u16string(file); }

void SetDefault(CRegKey& key, std::u16string_view text, ERegType type = ERegType::String) {
  key.SetValue(CRegValue::MakeString(u"", text, type));
}

void RegisterLibrary(CRegKey& classes, const om::SLibrary& library) {
  CRegKey& version = classes.OpenOrCreatePath(u"TypeLib\\" + GuidText(library.libid) + u"\\" + HexVersion(library));
  SetDefault(version, library.help);
  SetDefault(version.OpenOrCreatePath(u"0\\win32"), InHiveFolder(TypeLibraryFileName(library)), ERegType::ExpandString);
  SetDefault(version.OpenOrCreateSubkey(u"FLAGS"), u"0");
  SetDefault(version.OpenOrCreateSubkey(u"HELPDIR"), HiveFolder(), ERegType::ExpandString);
}

void RegisterProgId(CRegKey& classes, std::u16string_view progId, const om::SClass& cls) {
  CRegKey& key = classes.OpenOrCreateSubkey(progId);
  SetDefault(key, cls.help);
  SetDefault(key.OpenOrCreateSubkey(u"CLSID"), GuidText(cls.clsid));
  if (!cls.versionedProgId.empty() && progId != cls.versionedProgId) {
    SetDefault(key.OpenOrCreateSubkey(u"CurVer"), cls.versionedProgId);
  }
}

void RegisterClass(CRegKey& classes, const om::SClass& cls) {
  CRegKey& key = classes.OpenOrCreatePath(u"CLSID\\" + GuidText(cls.clsid));
  SetDefault(key, cls.help);
  const std::u16string_view server = cls.server == om::EServer::LocalProcess ? u"LocalServer32" : u"InprocServer32";
  SetDefault(key.OpenOrCreateSubkey(server), InHiveFolder(TypeLibraryFileName(*cls.library)), ERegType::ExpandString);
  SetDefault(key.OpenOrCreateSubkey(u"TypeLib"), GuidText(cls.library->libid));
  SetDefault(key.OpenOrCreateSubkey(u"Version"), HexVersion(*cls.library));
  if (!cls.progIds.empty()) {
    const std::u16string_view current = cls.versionedProgId.empty() ? cls.progIds.front() : cls.versionedProgId;
    SetDefault(key.OpenOrCreateSubkey(u"ProgID"), current);
    if (!cls.versionedProgId.empty()) SetDefault(key.OpenOrCreateSubkey(u"VersionIndependentProgID"), cls.progIds.front());
  }
  for (const std::u16string_view progId : cls.progIds) RegisterProgId(classes, progId, cls);
  if (!cls.versionedProgId.empty()) RegisterProgId(classes, cls.versionedProgId, cls);
}

}  // namespace

std::u16string TypeLibraryFileName(const om::SLibrary& library) { return std::u16string(library.name) + u".tlb"; }

std::unique_ptr<CRegKey> BuildClassHive(std::span<const om::SLibrary* const> libraries) {
  auto root = std::make_unique<CRegKey>();
  CRegKey& classes = root->OpenOrCreateSubkey(u"HKEY_CLASSES_ROOT");
  for (const om::SLibrary* library : libraries) {
    RegisterLibrary(classes, *library);
    for (const om::SClass* cls : library->classes) {
      if (!cls->clsid.IsNull() && cls->server != om::EServer::None) RegisterClass(classes, *cls);
    }
  }
  return root;
}

}  // namespace quillet::engine::tools
