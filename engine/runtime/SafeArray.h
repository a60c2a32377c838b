#pragma once
// An array of Variants with up to 60 dimensions, laid out with the first index varying
// fastest, so that ReDim Preserve (which may only change the last dimension) keeps the
// existing elements in place.

#include <cstdint>
#include <span>
#include <vector>

#include "engine/runtime/Variant.h"

namespace quillet::engine {

class CSafeArray {
 public:
  struct SBound {
    int32_t lower = 0;
    int32_t count = 0;
  };
  static constexpr size_t kMaxDimensions = 60;

  // Throws 9 for a negative size, 7 when the element count is unreasonable.
  [[nodiscard]] static CSafeArray* Create(std::vector<SBound> bounds);
  // From upper bounds with lower bound 0, as Dim and ReDim give them.
  [[nodiscard]] static CSafeArray* FromUpperBounds(std::span<const int32_t> uppers);
  [[nodiscard]] static CSafeArray* FromValues(std::vector<CVariant> values);

  // Frees nested arrays from a list rather than by recursion, so any depth of nesting fits
  // the stack.
  ~CSafeArray();
  CSafeArray(const CSafeArray&) = delete;
  CSafeArray& operator=(const CSafeArray&) = delete;

  void AddRef() noexcept { ++m_refs; }
  void Release() noexcept {
    if (--m_refs == 0) delete this;
  }

  // Copies the elements; an array held in an element is shared with the copy rather than
  // copied, which keeps building nested arrays linear (a known difference from a deep copy).
  [[nodiscard]] CSafeArray* Clone() const;
  [[nodiscard]] size_t Dimensions() const { return m_bounds.size(); }
  // Dimension counted from 1; throws 9 when out of range.
  [[nodiscard]] int32_t LBound(size_t dimension) const;
  [[nodiscard]] int32_t UBound(size_t dimension) const;
  [[nodiscard]] size_t Size() const { return m_data.size(); }
  [[nodiscard]] CVariant& At(size_t flat) { return m_data[flat]; }
  // Throws 9 for a wrong count of indices or an index out of range.
  [[nodiscard]] CVariant& Element(std::span<const int32_t> indices);
  // The element at index of a one-dimensional array; null for any other array or an index out
  // of range (Element then gives the error). Loops index this way all the time.
  [[nodiscard]] CVariant* ElementOrNull(int32_t index) {
    if (m_bounds.size() != 1) return nullptr;
    const int64_t offset = int64_t{index} - m_bounds[0].lower;
    if (offset < 0 || offset >= m_bounds[0].count) return nullptr;
    return &m_data[static_cast<size_t>(offset)];
  }

  // Arrays declared with bounds (Dim a(3)) can never be resized.
  [[nodiscard]] bool IsFixed() const { return m_fixed; }
  void SetFixed() { m_fixed = true; }
  // While an element is passed ByRef the array must not move; ReDim and Erase raise 10.
  void Lock() { ++m_locks; }
  void Unlock() { --m_locks; }
  [[nodiscard]] bool IsLocked() const { return m_locks > 0; }

  // Throws 10 when fixed or locked, 9 when Preserve changes anything but the last dimension.
  void Redim(std::span<const int32_t> uppers, bool preserve);
  // Erase of a dynamic array leaves it without elements; of a fixed one, resets each element.
  void Erase();

 private:
  CSafeArray() = default;
  [[nodiscard]] CSafeArray* CopyOneLevel() const;
  std::vector<SBound> m_bounds;
  std::vector<CVariant> m_data;
  long m_refs = 0;
  int m_locks = 0;
  bool m_fixed = false;
};

}  // namespace quillet::engine
