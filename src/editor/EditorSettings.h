#pragma once
// The settings one editor view works with, read together so that a settings change reaches
// every view the same way.

#include <cstdint>
#include <string>

namespace quillet::app {
class CSettings;
}

namespace quillet::editor {

struct SEditorSettings {
  int32_t tabSize = 4;
  bool insertSpaces = false;
  bool lineNumbers = true;
  bool showWhitespace = false;
  std::u16string fontFace = u"Courier New";
  int32_t fontHeight = -13;  // negative: character height in pixels
  int32_t fontWeight = 400;
};

// Without settings the defaults apply. A tab size outside 1..64 would break every column
// computation, so it is brought into that range.
[[nodiscard]] SEditorSettings ReadEditorSettings(const app::CSettings* settings,
                                                 int32_t defaultFontHeight);

}  // namespace quillet::editor
