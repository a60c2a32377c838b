#include "editor/EditorSettings.h"

#include <algorithm>

#include "base/SettingsInventory.h"

namespace quillet::editor {

SEditorSettings ReadEditorSettings(const app::CSettings* settings, int32_t defaultFontHeight) {
  SEditorSettings result;
  result.fontHeight = defaultFontHeight;
  if (settings == nullptr) return result;
  using namespace app::settings;
  result.tabSize = std::clamp(settings->Read(TabSize), 1, 64);
  result.insertSpaces = settings->Read(InsertSpaces) != 0;
  result.lineNumbers = settings->Read(ViewLineNumbers) != 0;
  result.showWhitespace = settings->Read(ViewTabs) != 0;
  result.fontFace = settings->Read(FontFace).substr(0, 32);
  if (result.fontFace.empty()) result.fontFace = FontFace.defaultValue;
  result.fontHeight = settings->Read(FontHeight, defaultFontHeight);
  result.fontWeight = settings->Read(FontWeight);
  return result;
}

}  // namespace quillet::editor
