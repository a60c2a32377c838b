#include "engine/runtime/SafeArray.h"

#include <algorithm>
#include <utility>

#include "engine/runtime/ScriptError.h"

namespace quillet::engine {

namespace {
// Far beyond any real script, small enough that a typo cannot exhaust memory.
constexpr uint64_t kMaxElements = uint64_t{1} << 27;

uint64_t CountElements(const std::vector<CSafeArray::SBound>& bounds) {
  uint64_t total = 1;
  for (const auto& bound : bounds) {
    if (bound.count < 0) throw CScriptError(err::SubscriptRange);
    total *= static_cast<uint64_t>(bound.count);
    if (total > kMaxElements) throw CScriptError(err::OutOfMemory);
  }
  return total;
}
}  // namespace

CSafeArray* CSafeArray::Create(std::vector<SBound> bounds) {
  if (bounds.empty() || bounds.size() > kMaxDimensions) throw CScriptError(err::SubscriptRange);
  const uint64_t total = CountElements(bounds);
  auto* array = new CSafeArray();
  array->m_bounds = std::move(bounds);
  array->m_data.resize(total);
  return array;
}

CSafeArray* CSafeArray::FromUpperBounds(std::span<const int32_t> uppers) {
  std::vector<SBound> bounds;
  for (int32_t upper : uppers) {
    if (upper < -1) throw CScriptError(err::SubscriptRange);
    bounds.push_back({0, upper + 1});
  }
  return Create(std::move(bounds));
}

CSafeArray* CSafeArray::FromValues(std::vector<CVariant> values) {
  auto* array = new CSafeArray();
  array->m_bounds.push_back({0, static_cast<int32_t>(values.size())});
  array->m_data = std::move(values);
  return array;
}

CSafeArray::~CSafeArray() {
  // Each array whose last reference sits in an element is taken out before the element goes,
  // and freed from here once its own elements have been looked at the same way.
  std::vector<CSafeArray*> doomed;
  const auto takeLastReferences = [&doomed](std::vector<CVariant>& data) {
    for (CVariant& value : data) {
      if (!value.IsArray() || value.AsArray()->m_refs != 1) continue;
      CSafeArray* nested = value.AsArray();
      nested->AddRef();
      value.Clear();
      doomed.push_back(nested);
    }
  };
  takeLastReferences(m_data);
  while (!doomed.empty()) {
    CSafeArray* nested = doomed.back();
    doomed.pop_back();
    takeLastReferences(nested->m_data);
    nested->Release();  // nothing left in it that would free another array in turn
  }
}

CSafeArray* CSafeArray::CopyOneLevel() const {
  auto* copy = new CSafeArray();
  copy->m_bounds = m_bounds;
  copy->m_data = m_data;
  copy->m_fixed = m_fixed;
  return copy;
}

// One level only: arrays held in elements are shared with the copy (see the header).
CSafeArray* CSafeArray::Clone() const { return CopyOneLevel(); }

int32_t CSafeArray::LBound(size_t dimension) const {
  if (dimension < 1 || dimension > m_bounds.size()) throw CScriptError(err::SubscriptRange);
  return m_bounds[dimension - 1].lower;
}

int32_t CSafeArray::UBound(size_t dimension) const {
  if (dimension < 1 || dimension > m_bounds.size()) throw CScriptError(err::SubscriptRange);
  const auto& bound = m_bounds[dimension - 1];
  return bound.lower + bound.count - 1;
}

CVariant& CSafeArray::Element(std::span<const int32_t> indices) {
  if (indices.size() != m_bounds.size()) throw CScriptError(err::SubscriptRange);
  size_t flat = 0;
  size_t stride = 1;
  for (size_t d = 0; d < indices.size(); ++d) {
    const int64_t offset = int64_t{indices[d]} - m_bounds[d].lower;
    if (offset < 0 || offset >= m_bounds[d].count) throw CScriptError(err::SubscriptRange);
    flat += static_cast<size_t>(offset) * stride;
    stride *= static_cast<size_t>(m_bounds[d].count);
  }
  return m_data[flat];
}

void CSafeArray::Redim(std::span<const int32_t> uppers, bool preserve) {
  if (m_fixed || IsLocked()) throw CScriptError(err::ArrayLocked);
  std::vector<SBound> bounds;
  for (int32_t upper : uppers) {
    if (upper < -1) throw CScriptError(err::SubscriptRange);
    bounds.push_back({0, upper + 1});
  }
  if (bounds.empty() || bounds.size() > kMaxDimensions) throw CScriptError(err::SubscriptRange);
  const uint64_t total = CountElements(bounds);
  if (preserve && !m_data.empty()) {
    if (bounds.size() != m_bounds.size()) throw CScriptError(err::SubscriptRange);
    for (size_t d = 0; d + 1 < bounds.size(); ++d) {
      if (bounds[d].count != m_bounds[d].count || m_bounds[d].lower != 0) {
        throw CScriptError(err::SubscriptRange);
      }
    }
    m_data.resize(total);
  } else {
    std::vector<CVariant> fresh(total);
    std::swap(m_data, fresh);
  }
  m_bounds = std::move(bounds);
}

void CSafeArray::Erase() {
  if (IsLocked()) throw CScriptError(err::ArrayLocked);
  if (m_fixed) {
    for (auto& element : m_data) element.Clear();
    return;
  }
  std::vector<CVariant> none;
  std::swap(m_data, none);
  m_bounds.assign(1, SBound{0, 0});
}

}  // namespace quillet::engine
