#pragma once
// From a ProgID written in a script to its class and a type library file that describes it:
// through the class registry first, then the user's references, then a search whose result the
// references remember (also when it found nothing, so that it is not repeated).

#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace quillet::platform {
class CClassRegistry;
}

namespace quillet::typeinfo {

class IReferenceStore;
class ITypeLibLocator;

// Registry values longer than Windows would read are not used.
inline constexpr std::size_t kMaxClsidLength = 64;
// Type library GUID and version key names.
inline constexpr std::size_t kMaxKeyNameLength = 64;
inline constexpr std::size_t kMaxRegistryPathLength = 260;

struct SResolvedProgId {
  std::u16string clsid;
  std::u16string path;  // empty: no usable library is known
};

// True when the file loads as a type library that declares a class with this CLSID (registry
// text form, compared without regard to case).
[[nodiscard]] bool LibraryHasCoClass(std::u16string_view clsid, std::u16string_view path);

// The file of the first registered version of the type library (in registry order) that
// declares the class; nothing when no version does.
[[nodiscard]] std::optional<std::u16string> FindRegisteredTypeLibPath(const platform::CClassRegistry& registry,
                                                                      std::u16string_view typeLibGuid,
                                                                      std::u16string_view clsid);

class CProgIdResolver {
 public:
  // The locator may be null: a ProgID that nothing else resolves is then remembered as unknown.
  CProgIdResolver(std::shared_ptr<const platform::CClassRegistry> registry, IReferenceStore& references,
                  ITypeLibLocator* locator);

  [[nodiscard]] SResolvedProgId ResolveProgID(std::u16string_view progId) const;

 private:
  [[nodiscard]] std::optional<std::u16string> RegisteredPath(std::u16string_view clsid) const;
  [[nodiscard]] std::optional<std::u16string> ServerPath(std::u16string_view clsid) const;
  [[nodiscard]] std::u16string Locate(std::u16string_view progId, std::u16string_view clsid) const;

  std::shared_ptr<const platform::CClassRegistry> m_registry;
  IReferenceStore& m_references;
  ITypeLibLocator* m_locator;
};

}  // namespace quillet::typeinfo
