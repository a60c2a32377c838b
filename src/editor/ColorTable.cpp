#include "editor/ColorTable.h"

#include "base/SettingsInventory.h"
#include "editor/SyntaxScanner.h"

namespace quillet::editor {
namespace {

[[nodiscard]] uint32_t Read(const app::CSettings* settings, const app::SIntSetting& setting,
                            int32_t defaultValue) {
  const int32_t value = settings != nullptr ? settings->Read(setting, defaultValue) : defaultValue;
  return static_cast<uint32_t>(value) & 0xFFFFFF;
}

}  // namespace

CColorTable::CColorTable() { Load(nullptr); }

void CColorTable::SetSystemColors(const SSystemColors& colors) { m_system = colors; }

void CColorTable::Load(const app::CSettings* settings) {
  using namespace app::settings;
  m_keywords = Read(settings, KeywordsColor, KeywordsColor.defaultValue);
  m_comments = Read(settings, CommentsColor, CommentsColor.defaultValue);
  m_numbers = Read(settings, NumbersColor, NumbersColor.defaultValue);
  m_fields = Read(settings, FieldsColor, FieldsColor.defaultValue);
  m_strings = Read(settings, StringsColor, StringsColor.defaultValue);
  m_lineNumbers = Read(settings, LineNumbersColor, static_cast<int32_t>(m_system.grayText));
}

uint32_t CColorTable::GetColor(int32_t index) const {
  switch (index) {
    case ColorWhitespace:
    case ColorBackground:
    case 10: return m_system.window;
    case ColorNormalText: return m_system.windowText;
    case ColorMargin: return m_system.buttonFace;
    case ColorSelectionBack: return m_system.highlight;
    case ColorSelectionText: return m_system.highlightText;
    case ColorKeyword: return m_keywords;
    case ColorComment: return m_comments;
    case ColorNumber: return m_numbers;
    case ColorField: return m_fields;
    case 11: return 0x000000;
    case 13: return 0xC08000;
    default: return m_strings;  // 12 and anything unknown
  }
}

}  // namespace quillet::editor
