#pragma once
// Date text as a person in the United States writes it, read the way CDate, IsDate and date
// literals read it: numbers with / - . or blanks between them, month names and their three-
// letter forms, weekday names (skipped), and a time with colons and AM or PM.

#include <string_view>

namespace quillet::engine {

// False when the text is no date; date is then unchanged. thisYear fills in a missing year.
[[nodiscard]] bool ParseDateText(std::u16string_view text, int thisYear, double& date);

}  // namespace quillet::engine
