#pragma once
// Win32_PingStatus: one echo request per address a query names ("WHERE Address = '127.0.0.1'"),
// sent when the query runs. Nothing is sent anywhere the script did not name: a query without an
// address is refused, as Windows refuses it.

#include <string_view>
#include <vector>

#include "engine/objects/wmi/WbemProvider.h"

namespace quillet::engine {

class CPingStatusProvider : public CWbemProvider {
 public:
  void Enumerate(const platform::SWmiClass& cls, const SWqlCondition* where, WbemInstances& out) override;
};

// The literals a condition compares property with by "=" where a match needs that comparison to
// hold: through AND and OR, never under NOT. "Address = 'a' OR Address = 'b'" gives a and b.
[[nodiscard]] std::vector<CVariant> EqualityLiterals(const SWqlCondition& where, std::u16string_view property);

}  // namespace quillet::engine
