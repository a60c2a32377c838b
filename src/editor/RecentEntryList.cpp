#include "editor/RecentEntryList.h"

#include <algorithm>

#include "base/SettingsInventory.h"

namespace quillet::editor {
namespace {

char16_t AsciiUpper(char16_t c) { return c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - 32) : c; }

std::u16string SlotName(const app::SListSetting& list, int32_t index) {
  std::u16string name(list.namePrefix);
  for (const char c : std::to_string(list.firstNumber + index)) name += static_cast<char16_t>(c);
  return name;
}

}  // namespace

bool EqualIgnoringAsciiCase(std::u16string_view a, std::u16string_view b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                    [](char16_t x, char16_t y) { return AsciiUpper(x) == AsciiUpper(y); });
}

std::vector<std::u16string> UpdateRecentList(app::CSettings* settings, const app::SListSetting& list,
                                             std::u16string_view text) {
  std::vector<std::u16string> entries;
  if (!text.empty()) entries.emplace_back(text);
  if (settings == nullptr) return entries;
  // Slots are read one by one: unused ones hold empty strings, and a gap must not end the list.
  std::vector<std::u16string> stored;
  for (int32_t i = 0; i < list.size; ++i) {
    stored.push_back(settings->ReadString(list.section, SlotName(list, i), u"\n"));
    const std::u16string& value = stored.back();
    if (!value.empty() && value != u"\n" && !EqualIgnoringAsciiCase(value, text)) entries.push_back(value);
  }
  if (entries.size() > static_cast<size_t>(list.size)) entries.resize(static_cast<size_t>(list.size));
  // Every write rewrites the settings file, so slots that already hold their entry are left alone.
  for (int32_t i = 0; i < list.size; ++i) {
    const size_t index = static_cast<size_t>(i);
    const std::u16string_view entry = index < entries.size() ? std::u16string_view(entries[index]) : u"";
    if (stored[index] != entry) settings->WriteString(list.section, SlotName(list, i), entry);
  }
  return entries;
}

}  // namespace quillet::editor
