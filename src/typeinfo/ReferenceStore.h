#pragma once
// The per-user references: ProgID -> type library path, or "unknown" after a search that found
// nothing. The application keeps them in its settings; tests keep them in memory.

#include <map>
#include <string>
#include <string_view>

namespace quillet::typeinfo {

// What a search that found nothing leaves, so that it is not run again for the ProgID.
inline constexpr std::u16string_view kUnknownReference = u"unknown";

class IReferenceStore {
 public:
  virtual ~IReferenceStore() = default;

  // Empty when the ProgID has no reference (or an empty one, which means the same).
  [[nodiscard]] virtual std::u16string Read(std::u16string_view progId) const = 0;
  virtual bool Write(std::u16string_view progId, std::u16string_view path) = 0;
  // Every string reference; values of other types are not references.
  [[nodiscard]] virtual std::map<std::u16string, std::u16string> ReadAll() const = 0;
  // Drops every reference, then writes these.
  virtual bool ReplaceAll(const std::map<std::u16string, std::u16string>& references) = 0;
};

}  // namespace quillet::typeinfo
