#include "engine/tools/TypeLibraryBuilder.h"

#include <map>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>

#include "platform/AnsiCodePage.h"
#include "platform/TextConvert.h"

namespace quillet::engine::tools {

namespace {

using namespace typeinfo;

// IDispatch's vtable: IUnknown's three functions and IDispatch's four, four bytes each in win32.
constexpr std::int16_t kDispatchVtableBytes = 7 * 4;
constexpr std::int16_t kVtableSlotBytes = 4;
constexpr std::uint8_t kStdCall = 4;
// Constants of an enum are numbered from here, as the IDL compiler numbers them.
constexpr std::int32_t kFirstConstantId = 0x40000000;
constexpr std::size_t kMaxNameBytes = 255;

const typeinfo::SGuid kStdOleGuid{0x00020430, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
const typeinfo::SGuid kDispatchGuid{0x00020400, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};

[[noreturn]] void Refuse(const om::SLibrary& library, std::u16string_view where, const char* why) {
  throw std::invalid_argument(platform::Utf16ToUtf8(library.name) + ": " + platform::Utf16ToUtf8(where) + ": " + why);
}

class CBuilder {
 public:
  explicit CBuilder(const om::SLibrary& library)
      : m_library(library), m_codePage(platform::CAnsiCodePage::ForCodePage(1252)) {}

  SLibraryDesc Build() {
    SLibraryDesc desc;
    desc.guid = ToTypeInfoGuid(m_library.libid);
    desc.name = Name(m_library.name, m_library.name);
    desc.docString = Text(m_library.help, m_library.name);
    desc.majorVersion = m_library.majorVersion;
    desc.minorVersion = m_library.minorVersion;
    desc.imports.push_back(SImportLib{kStdOleGuid, 0, 2, 0, u"stdole2.tlb"});
    IndexTypes();
    for (const om::SInterface* iface : m_library.interfaces) desc.types.push_back(Interface(*iface));
    for (const om::SEnum* enumeration : m_library.enums) desc.types.push_back(Enum(*enumeration));
    for (const om::SClass* cls : m_library.classes) {
      if (!cls->clsid.IsNull()) desc.types.push_back(CoClass(*cls));
    }
    return desc;
  }

 private:
  struct SLocalType {
    int index = -1;
    bool isEnum = false;
  };

  void IndexTypes() {
    int index = 0;
    const auto add = [&](std::u16string_view name, bool isEnum) {
      if (!m_types.emplace(platform::LowerAscii(name), SLocalType{index++, isEnum}).second) {
        Refuse(m_library, name, "two types of one name");
      }
    };
    for (const om::SInterface* iface : m_library.interfaces) add(iface->name, false);
    for (const om::SEnum* enumeration : m_library.enums) add(enumeration->name, true);
    for (const om::SClass* cls : m_library.classes) {
      if (!cls->clsid.IsNull()) add(cls->name, false);
    }
  }

  [[nodiscard]] std::u16string Text(std::u16string_view text, std::u16string_view where) const {
    if (!m_codePage->CanEncode(text)) Refuse(m_library, where, "a text the library's code page cannot spell");
    return std::u16string(text);
  }

  [[nodiscard]] std::u16string Name(std::u16string_view name, std::u16string_view where) const {
    if (name.empty()) Refuse(m_library, where, "an empty name");
    std::string bytes;
    const bool replaced = m_codePage->Encode(name, bytes);
    if (replaced || bytes.size() > kMaxNameBytes) {
      Refuse(m_library, where, "a name longer than 255 bytes or not in the library's code page");
    }
    return std::u16string(name);
  }

  [[nodiscard]] STypeDesc Type(const om::SType& type, std::u16string_view where) const {
    STypeDesc desc{static_cast<std::uint16_t>(type.vt), {}, {}, {}};
    if (!type.name.empty()) {
      const auto found = m_types.find(platform::LowerAscii(type.name));
      if (found == m_types.end()) Refuse(m_library, where, "a type the library does not declare");
      const bool wantsEnum = type.vt == om::EVt::I4;
      if (found->second.isEnum != wantsEnum || (!wantsEnum && type.vt != om::EVt::Dispatch)) {
        Refuse(m_library, where, "an enum used as an object, or an object as an enum");
      }
      STypeRef ref;
      ref.typeIndex = found->second.index;
      desc = STypeDesc{vt::kUserDefined, {}, {}, ref};
      // An interface is passed as a pointer to it; an enum by value.
      if (!wantsEnum) desc = STypeDesc{vt::kPtr, {std::move(desc)}, {}, {}};
    }
    if (type.arrayOf) desc = STypeDesc{vt::kSafeArray, {std::move(desc)}, {}, {}};
    if (type.byRef) desc = STypeDesc{vt::kPtr, {std::move(desc)}, {}, {}};
    return desc;
  }

  [[nodiscard]] static std::optional<SVariant> Value(const om::SValue& value) {
    switch (value.vt) {
      case om::EVt::Empty: return std::nullopt;
      case om::EVt::Bstr: return SVariant{vt::kBstr, 0, 0, std::u16string(value.text)};
      default: return SVariant{static_cast<std::uint16_t>(value.vt), value.integer, 0, {}};
    }
  }

  [[nodiscard]] SParamDesc Param(const om::SParam& param, std::u16string_view where) const {
    SParamDesc desc;
    if (!param.name.empty()) desc.name = Name(param.name, where);
    desc.type = Type(param.type, where);
    desc.flags = flags::kParamIn;
    if (param.optional) desc.flags |= flags::kParamOptional;
    if (param.defaultValue.Given()) {
      if (param.defaultValue.vt == om::EVt::Bstr) (void)Text(param.defaultValue.text, where);
      desc.flags |= flags::kParamHasDefault;
      desc.defaultValue = Value(param.defaultValue);
    }
    return desc;
  }

  [[nodiscard]] static typeinfo::EInvokeKind InvokeKind(om::EMemberKind kind) {
    switch (kind) {
      case om::EMemberKind::PropertyGet: return typeinfo::EInvokeKind::PropertyGet;
      case om::EMemberKind::PropertyLet: return typeinfo::EInvokeKind::PropertyPut;
      case om::EMemberKind::PropertySet: return typeinfo::EInvokeKind::PropertyPutRef;
      case om::EMemberKind::Method: break;
    }
    return typeinfo::EInvokeKind::Func;
  }

  [[nodiscard]] SFuncDesc Func(const om::SMember& member, int slot) const {
    SFuncDesc func;
    func.memberId = member.dispId;
    func.name = Name(member.name, member.name);
    func.docString = Text(member.help, member.name);
    func.funcKind = EFuncKind::PureVirtual;
    func.invokeKind = InvokeKind(member.kind);
    func.callConv = kStdCall;
    if (member.flags & om::member::kHidden) func.flags |= flags::kFuncHidden;
    if (member.flags & om::member::kRestricted) func.flags |= flags::kFuncRestricted;
    func.vtableOffset = static_cast<std::int16_t>(kDispatchVtableBytes + kVtableSlotBytes * slot);
    func.returnType = STypeDesc{vt::kHresult, {}, {}, {}};
    for (const om::SParam& param : member.params) {
      func.params.push_back(Param(param, member.name));
      if (param.optional) ++func.optionalCount;
    }
    if (member.flags & om::member::kVarArg) func.optionalCount = -1;
    if (!member.result.IsVoid()) {
      func.params.push_back(SParamDesc{u"Result", STypeDesc{vt::kPtr, {Type(member.result, member.name)}, {}, {}},
                                       flags::kParamOut | flags::kParamRetval, std::nullopt});
    }
    return func;
  }

  [[nodiscard]] STypeInfoDesc Interface(const om::SInterface& iface) const {
    STypeInfoDesc type;
    type.kind = ETypeKind::Interface;
    type.name = Name(iface.name, iface.name);
    type.docString = Text(iface.help, iface.name);
    type.guid = ToTypeInfoGuid(iface.iid);
    type.flags = flags::kTypeDual | flags::kTypeOleAutomation | flags::kTypeDispatchable;
    if (iface.flags & om::iface::kHidden) type.flags |= flags::kTypeHidden;
    if (iface.flags & om::iface::kNonExtensible) type.flags |= flags::kTypeNonExtensible;
    type.implTypes.push_back(SImplType{STypeRef{0, -1, kDispatchGuid, ETypeKind::Interface}, 0});
    int slot = 0;
    std::map<std::u16string, std::int32_t> dispIds;
    for (const om::SMember& member : iface.members) {
      // Invoke groups a property's get, let and set by name: they must share their DISPID.
      const auto [known, added] = dispIds.emplace(platform::LowerAscii(member.name), member.dispId);
      if (!added && known->second != member.dispId) Refuse(m_library, member.name, "one name with two DISPIDs");
      type.funcs.push_back(Func(member, slot++));
    }
    type.vtableSize = static_cast<std::uint16_t>(kDispatchVtableBytes + kVtableSlotBytes * slot);
    return type;
  }

  [[nodiscard]] STypeInfoDesc Enum(const om::SEnum& enumeration) const {
    STypeInfoDesc type;
    type.kind = ETypeKind::Enum;
    type.name = Name(enumeration.name, enumeration.name);
    type.docString = Text(enumeration.help, enumeration.name);
    std::int32_t id = kFirstConstantId;
    for (const om::SEnumValue& constant : enumeration.values) {
      SVarDesc var;
      var.memberId = id++;
      var.name = Name(constant.name, enumeration.name);
      var.varKind = EVarKind::Const;
      var.type = STypeDesc{vt::kI4, {}, {}, {}};
      var.value = SVariant{vt::kI4, constant.value, 0, {}};
      type.vars.push_back(std::move(var));
    }
    return type;
  }

  [[nodiscard]] STypeInfoDesc CoClass(const om::SClass& cls) const {
    // The class hive registers a class with its own library's file and LIBID.
    if (cls.library != &m_library) Refuse(m_library, cls.name, "a class that names another library as its own");
    STypeInfoDesc type;
    type.kind = ETypeKind::CoClass;
    type.name = Name(cls.name, cls.name);
    type.docString = Text(cls.help, cls.name);
    type.guid = ToTypeInfoGuid(cls.clsid);
    if (cls.create != nullptr && !cls.progIds.empty()) type.flags = flags::kTypeCanCreate;
    const auto found = m_types.find(platform::LowerAscii(cls.defaultInterface->name));
    if (found == m_types.end() || found->second.isEnum) Refuse(m_library, cls.name, "a default interface the library does not declare");
    STypeRef ref;
    ref.typeIndex = found->second.index;
    type.implTypes.push_back(SImplType{ref, flags::kImplDefault});
    return type;
  }

  const om::SLibrary& m_library;
  std::unique_ptr<platform::CAnsiCodePage> m_codePage;
  std::map<std::u16string, SLocalType> m_types;
};

}  // namespace

typeinfo::SGuid ToTypeInfoGuid(const om::SGuid& guid) { return typeinfo::SGuid{guid.data1, guid.data2, guid.data3, guid.data4}; }

SLibraryDesc BuildTypeLibrary(const om::SLibrary& library) { return CBuilder(library).Build(); }

}  // namespace quillet::engine::tools
