#include "intellisense/TypeLibraryWalk.h"

#include <optional>

#include "intellisense/AsciiText.h"
#include "platform/TextConvert.h"
#include "typeinfo/Guid.h"

namespace quillet::intellisense {
namespace {

using typeinfo::CTypeLibrary;
using typeinfo::ETypeKind;
using typeinfo::SFuncDesc;
using typeinfo::STypeDesc;
using typeinfo::STypeHandle;

bool IsKind(STypeHandle type, ETypeKind kind) { return type.library->TypeKind(type.index) == kind; }

bool IsDual(STypeHandle type) {
  const auto* info = type.library->TypeInfo(type.index);
  return info != nullptr && (info->flags & typeinfo::flags::kTypeDual) != 0;
}

// A class is reached through the interface an automation client talks to.
bool IsUsableInterface(STypeHandle type, EWalkMode mode) {
  if (mode == EWalkMode::MemberList) return IsKind(type, ETypeKind::Dispatch) || IsDual(type);
  return IsKind(type, ETypeKind::Dispatch) && IsDual(type);
}

// The implemented interface marked default, else the first one.
std::optional<STypeHandle> DefaultInterface(STypeHandle coClass) {
  const auto* info = coClass.library->TypeInfo(coClass.index);
  if (info == nullptr || info->implTypes.empty()) return std::nullopt;
  int chosen = 0;
  for (int i = 0; i < static_cast<int>(info->implTypes.size()); ++i) {
    const auto flags = coClass.library->ImplTypeFlags(coClass.index, i);
    if (flags && (*flags & typeinfo::flags::kImplDefault) != 0) {
      chosen = i;
      break;
    }
  }
  const typeinfo::STypeRef* ref = coClass.library->RefTypeOfImplType(coClass.index, chosen);
  if (ref == nullptr) return std::nullopt;
  return coClass.library->ResolveRef(*ref);
}

// Through pointers and safe arrays to the type a value of this type is.
std::optional<STypeHandle> UserDefinedType(const STypeDesc& type, const CTypeLibrary& owner) {
  const STypeDesc* current = &type;
  for (int depth = 0; depth < 64; ++depth) {
    const auto vt = static_cast<std::uint16_t>(current->vt & typeinfo::vt::kTypeMask);
    if (vt == typeinfo::vt::kUserDefined) return owner.ResolveRef(current->ref);
    if ((vt != typeinfo::vt::kPtr && vt != typeinfo::vt::kSafeArray) || current->inner.empty()) break;
    current = &current->inner.front();
  }
  return std::nullopt;
}

// A method that hands its object back through a parameter rather than as its value.
std::optional<STypeHandle> OutParameterType(const SFuncDesc& func, const CTypeLibrary& owner) {
  for (const auto& param : func.params) {
    const bool candidate = (param.flags & typeinfo::flags::kParamOut) != 0 || func.params.size() == 1;
    if (!candidate) continue;
    if (auto type = UserDefinedType(param.type, owner)) return type;
  }
  return std::nullopt;
}

std::optional<STypeHandle> FindCoClass(const CTypeLibrary& library, std::u16string_view clsid) {
  for (int i = 0; i < library.TypeInfoCount(); ++i) {
    if (library.TypeKind(i) != ETypeKind::CoClass) continue;
    if (EqualNoCase(typeinfo::GuidToString(library.TypeInfo(i)->guid), clsid)) return STypeHandle{&library, i};
  }
  return std::nullopt;
}

struct SSegment {
  std::u16string name;
  std::u16string rest;  // keeps its leading dot
  bool called = false;
};

SSegment SplitFirstSegment(std::u16string_view chain) {
  const size_t dot = chain.find(u'.');
  SSegment segment{std::u16string(chain.substr(0, dot)),
                   dot == std::u16string_view::npos ? std::u16string() : std::u16string(chain.substr(dot))};
  if (segment.name.size() >= 2 && segment.name.ends_with(u"()")) {
    segment.name.resize(segment.name.size() - 2);
    segment.called = true;
  }
  return segment;
}

bool SegmentNames(const SFuncDesc& func, std::u16string_view segment) {
  return segment == u"*" ? func.memberId == 0 : EqualNoCase(func.name, segment);
}

}  // namespace

std::u16string NormaliseChain(std::u16string_view chain) {
  std::u16string normal;
  for (char16_t c : chain) {
    if (!IsBlank(c)) normal += c;
  }
  for (size_t at = normal.find(u"()()"); at != std::u16string::npos; at = normal.find(u"()()", at)) {
    normal.replace(at, 4, u"().*()");
  }
  return normal;
}

SWalkResult WalkTypeLibraryChain(std::u16string_view clsid, std::u16string_view libraryPath,
                                 std::u16string_view chain, EWalkMode mode,
                                 const typeinfo::CTypeLibrary::RegistryPtr& registry) {
  std::shared_ptr<const CTypeLibrary> library =
      CTypeLibrary::LoadFile(platform::TextToFileName(libraryPath), registry);
  if (!library) return {};
  return WalkLoadedLibrary(std::move(library), clsid, chain, mode);
}

SWalkResult WalkLoadedLibrary(std::shared_ptr<const typeinfo::CTypeLibrary> library, std::u16string_view clsid,
                              std::u16string_view chain, EWalkMode mode) {
  if (!library) return {};
  const auto coClass = FindCoClass(*library, clsid);
  if (!coClass) return {};
  const auto start = DefaultInterface(*coClass);
  if (!start || !IsUsableInterface(*start, mode)) return {};

  STypeHandle current = *start;
  std::u16string rest = NormaliseChain(chain);
  // Each step takes one segment off, or puts "*()" in front; a default member that returns an
  // object with a default member of its own must not keep the walk going for ever.
  const size_t maxSteps = rest.size() + 16;
  for (size_t step = 0; step < maxSteps; ++step) {
    if (IsKind(current, ETypeKind::CoClass)) {
      const auto target = DefaultInterface(current);
      if (target && IsUsableInterface(*target, mode)) current = *target;
    }
    if (rest.starts_with(u'.')) rest.erase(0, 1);
    if (mode == EWalkMode::ParameterTip && rest.ends_with(u'(')) rest.pop_back();
    if (rest.empty()) {
      if (mode == EWalkMode::MemberList) return {std::move(library), current, nullptr};
      return {};
    }
    const SSegment segment = SplitFirstSegment(rest);
    bool advanced = false;
    // Only the first member that leads somewhere is followed (a property's get and put forms
    // share a name): following every one could branch at every segment of a long chain.
    for (const SFuncDesc& func : current.library->Funcs(current.index)) {
      if (!SegmentNames(func, segment.name)) continue;
      if (mode == EWalkMode::ParameterTip && segment.rest.empty()) return {std::move(library), current, &func};
      std::u16string next = segment.rest;
      auto target = UserDefinedType(func.returnType, *current.library);
      if (target) {
        // An index on a property that takes none applies to the default member of its value.
        if (segment.called && func.params.empty()) next = u"*()" + next;
      } else {
        target = OutParameterType(func, *current.library);
      }
      if (target) {
        current = *target;
        rest = std::move(next);
        advanced = true;
        break;
      }
    }
    if (!advanced) return {};
  }
  return {};
}

}  // namespace quillet::intellisense
