#pragma once
// The providers of the association classes of root\cimv2 (cimv2_associations.mof): each names
// its two roles and which pairs belong together. A provider of another class declares its
// associations here, one line each.

#include <string_view>

#include "engine/objects/wmi/WbemProvider.h"

namespace quillet::engine {

// The provider of an association class of root\cimv2; null when none of these serves it.
[[nodiscard]] CWbemProvider* FindAssociationProvider(std::u16string_view className);

}  // namespace quillet::engine
