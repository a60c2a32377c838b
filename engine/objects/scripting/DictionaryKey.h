#pragma once
// When two Dictionary keys are the same key: numbers by value whatever their type (1, 1.0 and
// CByte(1) are one key; Booleans and Dates count as numbers), strings by text (case-folded in
// text mode), objects by identity, Empty and Null each as one key of their own. A string is
// never the same key as a number.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "engine/runtime/Variant.h"

namespace quillet::engine {

class CDictionaryKey {
 public:
  enum class EKind { Empty, Null, Number, Text, Object, Error };

  // Takes a dereferenced key; throws 13 for an array (it has no identity to compare) and 449
  // for a missing argument.
  explicit CDictionaryKey(const CVariant& key);

  [[nodiscard]] size_t Hash(bool textMode) const;
  [[nodiscard]] bool Equals(const CDictionaryKey& other, bool textMode) const;

 private:
  EKind m_kind = EKind::Empty;
  double m_number = 0;            // Number
  std::u16string_view m_text;     // Text: a view of the caller's variant
  const void* m_object = nullptr;  // Object
  int32_t m_code = 0;              // Error
};

// The case folding of text mode: one UTF-16 unit to its upper-case form.
[[nodiscard]] char16_t FoldKeyUnit(char16_t unit);

}  // namespace quillet::engine
