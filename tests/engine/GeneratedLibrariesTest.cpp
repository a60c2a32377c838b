// The type libraries and class hive the build generates from the object model, read back the
// way the editor reads any library: every declared member is there as declared, a script's
// CreateObject and the hive agree on every ProgID, and with no Wine prefix the ProgIDs resolve
// and quillet-typelib prints our libraries, from the build folder or a copy installed elsewhere.

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <set>
#include <string>

#include "TempFolder.h"
#include "engine/runtime/ObjectRegistry.h"
#include "engine/runtime/DispatchObject.h"
#include "engine/tools/ClassHiveBuilder.h"
#include "engine/tools/DeclaredLibraries.h"
#include "engine/tools/TypeLibraryBuilder.h"
#include "platform/ClassRegistry.h"
#include "platform/FileBytes.h"
#include "platform/TextConvert.h"
#include "typeinfo/MsftWriter.h"
#include "typeinfo/ProgIdResolver.h"
#include "typeinfo/ReferenceStore.h"
#include "typeinfo/TypeLibrary.h"

namespace quillet::engine {
namespace {

using typeinfo::CTypeLibrary;
using typeinfo::STypeDesc;

std::string LibraryPath(const om::SLibrary& library) {
  return std::string(QUILLET_CLASSES_DIR) + "/" + platform::Utf16ToUtf8(tools::TypeLibraryFileName(library));
}

std::string Text(std::u16string_view text) { return platform::Utf16ToUtf8(text); }

// A type as the library spells it, names resolved: "BSTR", "IArguments2*", "SAFEARRAY(VARIANT)".
std::string Spelled(const CTypeLibrary& library, const STypeDesc& type) {
  switch (type.vt) {
    case typeinfo::vt::kPtr: return Spelled(library, type.inner.at(0)) + "*";
    case typeinfo::vt::kSafeArray: return "SAFEARRAY(" + Spelled(library, type.inner.at(0)) + ")";
    case typeinfo::vt::kUserDefined: {
      const auto target = library.ResolveRef(type.ref);
      return target ? Text(target->library->Documentation(target->index)->name) : "?";
    }
    default: return "vt" + std::to_string(type.vt);
  }
}

// The same spelling from a declaration: an object of the library is a pointer to its interface.
std::string Spelled(const om::SType& type) {
  std::string text = type.name.empty() ? "vt" + std::to_string(static_cast<int>(type.vt))
                                       : Text(type.name) + (type.vt == om::EVt::Dispatch ? "*" : "");
  if (type.arrayOf) text = "SAFEARRAY(" + text + ")";
  return type.byRef ? text + "*" : text;
}

typeinfo::EInvokeKind InvokeKindOf(om::EMemberKind kind) {
  switch (kind) {
    case om::EMemberKind::PropertyGet: return typeinfo::EInvokeKind::PropertyGet;
    case om::EMemberKind::PropertyLet: return typeinfo::EInvokeKind::PropertyPut;
    case om::EMemberKind::PropertySet: return typeinfo::EInvokeKind::PropertyPutRef;
    case om::EMemberKind::Method: break;
  }
  return typeinfo::EInvokeKind::Func;
}

void ExpectMember(const CTypeLibrary& library, const typeinfo::SFuncDesc& func, const om::SMember& member) {
  SCOPED_TRACE(Text(member.name));
  EXPECT_EQ(func.name, member.name);
  EXPECT_EQ(func.memberId, member.dispId);
  EXPECT_EQ(func.invokeKind, InvokeKindOf(member.kind));
  EXPECT_EQ(func.docString, member.help);
  EXPECT_EQ((func.flags & typeinfo::flags::kFuncHidden) != 0, (member.flags & om::member::kHidden) != 0);
  EXPECT_EQ((func.flags & typeinfo::flags::kFuncRestricted) != 0, (member.flags & om::member::kRestricted) != 0);
  EXPECT_EQ(Spelled(library, func.returnType), member.result.IsVoid() ? "vt24" : Spelled(member.result));
  EXPECT_EQ(func.optionalCount == -1, (member.flags & om::member::kVarArg) != 0);
  ASSERT_EQ(func.params.size(), member.params.size());
  for (size_t i = 0; i < func.params.size(); ++i) {
    const typeinfo::SParamDesc& param = func.params[i];
    const om::SParam& declared = member.params[i];
    EXPECT_EQ(param.name, declared.name);
    EXPECT_EQ(Spelled(library, param.type), Spelled(declared.type));
    EXPECT_EQ((param.flags & typeinfo::flags::kParamOptional) != 0, declared.optional);
    ASSERT_EQ(param.defaultValue.has_value(), declared.defaultValue.Given());
    if (!param.defaultValue) continue;
    EXPECT_EQ(param.defaultValue->vt, static_cast<uint16_t>(declared.defaultValue.vt));
    EXPECT_EQ(param.defaultValue->text, declared.defaultValue.text);
    if (declared.defaultValue.vt != om::EVt::Bstr) {
      EXPECT_EQ(param.defaultValue->integer, declared.defaultValue.integer);
    }
  }
}

std::optional<int> FindByName(const CTypeLibrary& library, std::u16string_view name) {
  for (int i = 0; i < library.TypeInfoCount(); ++i) {
    if (library.TypeInfo(i)->name == name) return i;
  }
  return std::nullopt;
}

TEST(GeneratedLibraries, EveryDeclaredMemberReadsBackAsDeclared) {
  for (const om::SLibrary* declared : tools::DeclaredLibraries()) {
    SCOPED_TRACE(Text(declared->name));
    const auto library = CTypeLibrary::LoadFile(LibraryPath(*declared), nullptr);
    ASSERT_TRUE(library);
    EXPECT_EQ(library->Desc().name, declared->name);
    EXPECT_EQ(library->Desc().guid, tools::ToTypeInfoGuid(declared->libid));
    EXPECT_EQ(library->Desc().majorVersion, declared->majorVersion);
    EXPECT_EQ(library->Desc().minorVersion, declared->minorVersion);
    ASSERT_EQ(library->Desc().imports.size(), 1u);
    EXPECT_EQ(library->Desc().imports[0].fileName, u"stdole2.tlb");

    for (const om::SInterface* iface : declared->interfaces) {
      SCOPED_TRACE(Text(iface->name));
      const auto index = library->FindType(tools::ToTypeInfoGuid(iface->iid));
      ASSERT_TRUE(index);
      EXPECT_EQ(library->TypeInfo(*index)->name, iface->name);
      EXPECT_EQ(library->TypeKind(*index), typeinfo::ETypeKind::Dispatch) << "dual, as a client sees it";
      const auto& funcs = library->Funcs(*index);
      ASSERT_EQ(funcs.size(), iface->members.size());
      for (size_t i = 0; i < funcs.size(); ++i) ExpectMember(*library, funcs[i], iface->members[i]);
    }
    for (const om::SEnum* enumeration : declared->enums) {
      const auto index = FindByName(*library, enumeration->name);
      ASSERT_TRUE(index) << Text(enumeration->name);
      const auto& vars = library->TypeInfo(*index)->vars;
      ASSERT_EQ(vars.size(), enumeration->values.size());
      for (size_t i = 0; i < vars.size(); ++i) {
        EXPECT_EQ(vars[i].name, enumeration->values[i].name);
        EXPECT_EQ(vars[i].value->integer, enumeration->values[i].value);
      }
    }
    for (const om::SClass* cls : declared->classes) {
      if (cls->clsid.IsNull()) continue;
      const auto index = library->FindType(tools::ToTypeInfoGuid(cls->clsid));
      ASSERT_TRUE(index) << Text(cls->name);
      EXPECT_EQ(library->TypeInfo(*index)->name, cls->name);
      const auto target = library->ResolveRef(*library->RefTypeOfImplType(*index, 0));
      ASSERT_TRUE(target);
      EXPECT_EQ(target->library->TypeInfo(target->index)->guid, tools::ToTypeInfoGuid(cls->defaultInterface->iid));
      EXPECT_EQ(library->ImplTypeFlags(*index, 0), typeinfo::flags::kImplDefault);
    }
  }
}

// The files the build installs are the ones the declarations make now, not an older run's.
TEST(GeneratedLibraries, InstalledFilesAreCurrent) {
  for (const om::SLibrary* declared : tools::DeclaredLibraries()) {
    std::string bytes;
    ASSERT_TRUE(platform::ReadFileBytes(LibraryPath(*declared), bytes)) << Text(declared->name);
    EXPECT_TRUE(bytes == typeinfo::CMsftWriter::Write(tools::BuildTypeLibrary(*declared))) << Text(declared->name);
  }
}

std::string Lower(std::u16string_view text) { return Text(platform::LowerAscii(text)); }

TEST(GeneratedLibraries, CreateObjectAndTheClassHiveAgreeOnEveryProgId) {
  platform::CClassRegistry hive;
  ASSERT_TRUE(hive.AddQuilletHive(std::string(QUILLET_CLASSES_DIR) + "/classes.reg"));
  std::set<std::string> registered;
  for (const std::u16string& name : hive.SubkeyNames(u"")) {
    if (name != u"CLSID" && hive.KeyExists(name + u"\\CLSID")) registered.insert(Lower(name));
  }
  const CObjectRegistry creatable;
  std::set<std::string> created;
  for (const std::u16string& progId : creatable.ProgIds()) {
    created.insert(Lower(progId));
    const om::SClass* cls = FindEngineClass(progId);
    ASSERT_NE(cls, nullptr);
    const std::u16string clsid = typeinfo::GuidToString(tools::ToTypeInfoGuid(cls->clsid));
    EXPECT_EQ(hive.ReadDefaultString(progId + u"\\CLSID"), clsid);
    // The class's registered library is the generated file and declares the class.
    const auto libid = hive.ReadDefaultString(u"CLSID\\" + clsid + u"\\TypeLib");
    ASSERT_TRUE(libid);
    EXPECT_EQ(typeinfo::FindRegisteredTypeLibPath(hive, *libid, clsid),
              platform::Utf8ToUtf16(LibraryPath(*cls->library)));
    EXPECT_EQ(creatable.Create(progId).AsObject()->TypeName(), cls->typeName);
  }
  EXPECT_EQ(registered, created);
  EXPECT_TRUE(registered.count("scripting.dictionary") && registered.count("vbscript.regexp"));

  // The host object has no ProgID, but the editor finds its class and library by its class id.
  const std::u16string host = u"{60254CA2-953B-11CF-8C96-00AA00B8708C}";
  EXPECT_TRUE(hive.KeyExists(u"CLSID\\" + host + u"\\LocalServer32"));
  const auto hostLibrary = hive.ReadDefaultString(u"CLSID\\" + host + u"\\TypeLib");
  ASSERT_TRUE(hostLibrary);
  EXPECT_EQ(typeinfo::FindRegisteredTypeLibPath(hive, *hostLibrary, host),
            platform::Utf8ToUtf16(std::string(QUILLET_CLASSES_DIR) + "/IHost.tlb"));
}

class CNoReferences final : public typeinfo::IReferenceStore {
 public:
  [[nodiscard]] std::u16string Read(std::u16string_view) const override { return {}; }
  bool Write(std::u16string_view, std::u16string_view) override { return ++writes, true; }
  [[nodiscard]] std::map<std::u16string, std::u16string> ReadAll() const override { return {}; }
  bool ReplaceAll(const std::map<std::u16string, std::u16string>&) override { return ++writes, true; }
  int writes = 0;
};

// A user with no Wine prefix: HOME and WINEPREFIX lead to an empty folder.
class NoWinePrefix : public ::testing::Test {
 protected:
  NoWinePrefix() {
    home.IsolateUserFolders();
    ::setenv("WINEPREFIX", home.File("wine").c_str(), 1);
  }
  ~NoWinePrefix() override { ::unsetenv("WINEPREFIX"); }
  test::CTempFolder home;
};

TEST_F(NoWinePrefix, ProgIdsResolveToOurLibraries) {
  auto registry = std::make_shared<const platform::CClassRegistry>(platform::CClassRegistry::LoadDefault());
  CNoReferences references;
  const typeinfo::CProgIdResolver resolver(registry, references, nullptr);
  const std::pair<const char16_t*, std::string> cases[] = {
      {u"Scripting.Dictionary", "{EE09B103-97E0-11CF-978F-00A02463E06F} Scripting.tlb"},
      {u"Scripting.FileSystemObject", "{0D43FE01-F093-11CF-8940-00A0C9054228} Scripting.tlb"},
      {u"vbscript.regexp", "{3F4DACA4-160D-11D2-A8E9-00104B365C9F} VBScript_RegExp_55.tlb"},
  };
  for (const auto& [progId, expected] : cases) {
    const typeinfo::SResolvedProgId resolved = resolver.ResolveProgID(progId);
    const std::filesystem::path path(platform::Utf16ToUtf8(resolved.path));
    EXPECT_EQ(Text(resolved.clsid) + " " + path.filename().string(), expected);
    EXPECT_TRUE(std::filesystem::equivalent(path.parent_path(), QUILLET_CLASSES_DIR)) << path;
  }
  EXPECT_EQ(references.writes, 0) << "found through the registry: nothing to remember";
}

std::string RunTool(const std::string& argument, int& status) {
  const std::string command = std::string(QUILLET_TYPELIB_TOOL) + " " + argument + " 2>&1";
  FILE* pipe = ::popen(command.c_str(), "r");
  std::string out;
  if (pipe == nullptr) return out;
  char buffer[4096];
  for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) out.append(buffer, n);
  status = ::pclose(pipe);
  return out;
}

TEST_F(NoWinePrefix, TypelibToolPrintsOurLibraries) {
  int status = -1;
  std::string text = RunTool("Scripting.Dictionary", status);
  EXPECT_EQ(status, 0) << text;
  for (const char* expected : {"library Scripting\n", "interface IDictionary : IDispatch {",
                               "HRESULT Item([in] VARIANT* Key, [out, retval] VARIANT* Result);",
                               "} CompareMethod;", "coclass Dictionary {\n        [default] interface IDictionary;"}) {
    EXPECT_NE(text.find(expected), std::string::npos) << expected << "\n" << text;
  }
  text = RunTool("Scripting.FileSystemObject", status);
  EXPECT_EQ(status, 0) << text;
  for (const char* expected :
       {"interface IFileSystem3 : IDispatch {", "coclass FileSystemObject {\n        [default] interface IFileSystem3;",
        "HRESULT OpenTextFile([in] BSTR FileName, [in, optional, defaultvalue(1)] IOMode IOMode",
        "HRESULT DateLastModified([out, retval] DATE* Result);", "coclass Folders {", "coclass Files {",
        "coclass Drives {", "coclass TextStream {\n        [default] interface ITextStream;", "} Tristate;",
        "} FileAttribute;", "} SpecialFolderConst;"}) {
    EXPECT_NE(text.find(expected), std::string::npos) << expected << "\n" << text;
  }
  text = RunTool("VBScript.RegExp", status);
  EXPECT_EQ(status, 0) << text;
  for (const char* expected : {"library VBScript_RegExp_55\n", "[in] VARIANT replaceVar, [out, retval] BSTR* Result",
                               "coclass RegExp {\n        [default] interface IRegExp2;"}) {
    EXPECT_NE(text.find(expected), std::string::npos) << expected << "\n" << text;
  }
}

// An installed tree is the build's folder copied elsewhere: the hive finds the libraries beside
// itself, wherever that is.
TEST(GeneratedLibraries, HiveFindsItsLibrariesWhereverItIsInstalled) {
  test::CTempFolder prefix;
  const std::filesystem::path share = prefix.File("share/quillet");
  std::filesystem::create_directories(share);
  for (const auto& entry : std::filesystem::directory_iterator(QUILLET_CLASSES_DIR)) {
    const std::filesystem::path& file = entry.path();
    if (file.extension() == ".tlb" || file.filename() == "classes.reg") std::filesystem::copy_file(file, share / file.filename());
  }
  platform::CClassRegistry hive;
  ASSERT_TRUE(hive.AddQuilletHive((share / "classes.reg").string()));
  for (const om::SLibrary* declared : tools::DeclaredLibraries()) {
    const std::u16string libid = typeinfo::GuidToString(tools::ToTypeInfoGuid(declared->libid));
    const auto versions = hive.SubkeyNames(u"TypeLib\\" + libid);
    ASSERT_EQ(versions.size(), 1u);
    const auto path = hive.ReadDefaultString(u"TypeLib\\" + libid + u"\\" + versions[0] + u"\\0\\win32");
    ASSERT_TRUE(path);
    EXPECT_EQ(Text(*path), (share / platform::Utf16ToUtf8(tools::TypeLibraryFileName(*declared))).string());
    EXPECT_TRUE(CTypeLibrary::LoadFile(Text(*path), nullptr));
  }
}

}  // namespace
}  // namespace quillet::engine
