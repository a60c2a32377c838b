#include "debug/RecentArguments.h"

#include "base/SettingsInventory.h"
#include "platform/TextConvert.h"

namespace quillet::debug {

std::vector<std::u16string> RecordRecentArguments(app::CSettings& settings, std::u16string_view text) {
  const std::vector<std::u16string> stored = settings.ReadNonEmptyList(app::settings::RecentArguments);
  if (text.empty()) return stored;
  std::vector<std::u16string> entries{std::u16string(text)};
  for (const std::u16string& entry : stored) {
    if (entries.size() == kRecentArgumentCount) break;
    if (!platform::EqualsIgnoringAsciiCase(entry, text)) entries.push_back(entry);
  }
  settings.WriteList(app::settings::RecentArguments, entries);
  return entries;
}

}  // namespace quillet::debug
