#pragma once
// The arguments box's history: most recent first, no two alike without regard to case.

#include <string>
#include <string_view>
#include <vector>

namespace quillet::app {
class CSettings;
}

namespace quillet::debug {

inline constexpr size_t kRecentArgumentCount = 20;

// Puts text first in the stored list and returns the list as the box shows it afterwards.
// Empty text changes nothing and returns the stored list.
std::vector<std::u16string> RecordRecentArguments(app::CSettings& settings, std::u16string_view text);

}  // namespace quillet::debug
