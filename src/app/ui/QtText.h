#pragma once
// Text crosses into Qt only here.

#include <QString>

#include <string>
#include <string_view>

namespace quillet::app {

[[nodiscard]] inline QString ToQString(std::u16string_view text) {
  return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

[[nodiscard]] inline std::u16string ToU16(const QString& text) {
  return {reinterpret_cast<const char16_t*>(text.utf16()), static_cast<size_t>(text.size())};
}

}  // namespace quillet::app
