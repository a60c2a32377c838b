// Any script with the caret anywhere: every IntelliSense request (member list, parameter tip,
// Complete Word, both case corrections, and a completion carried out) ends without a fault.
// Input: two bytes line and two bytes column (little endian), then the script, one byte per
// character, lines split at LF.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "document/QuilletDoc.h"
#include "editor/EditorCore.h"
#include "editor/EditorIntelliSense.h"
#include "editor/IntelliSensePopups.h"
#include "editor/TextMetrics.h"
#include "editor/TypeInformation.h"
#include "platform/ClassRegistry.h"

namespace {

using namespace quillet;

class CFixedMetrics final : public editor::ITextMetrics {
 public:
  [[nodiscard]] int32_t CharWidth() const override { return 8; }
  [[nodiscard]] int32_t CharWidth(char16_t) const override { return 8; }
  [[nodiscard]] int32_t LineHeight() const override { return 16; }
  [[nodiscard]] int32_t MarginDigitWidth() const override { return 7; }
  [[nodiscard]] int32_t ClientWidth() const override { return 800; }
  [[nodiscard]] int32_t ClientHeight() const override { return 480; }
};

// Remembers the last list so that a choice from it can be carried out.
class CLastList final : public editor::IIntelliSensePopups {
 public:
  void ShowMemberList(const intellisense::CCompletionSet& set, std::u16string_view shownPrefix) override {
    name = set.Empty() ? std::u16string() : set.Entries().back().name;
    prefix = shownPrefix;
  }
  void ShowParameterTip(const intellisense::SParameterTip&) override {}

  std::u16string name;
  std::u16string prefix;
};

// The engine's generated libraries when the build made them; nothing resolves without them.
const typeinfo::CTypeLibrary::RegistryPtr& Registry() {
  static const typeinfo::CTypeLibrary::RegistryPtr registry = [] {
    auto classes = std::make_shared<platform::CClassRegistry>();
    classes->AddQuilletHive(std::string(QUILLET_CLASSES_DIR) + "/classes.reg");
    return typeinfo::CTypeLibrary::RegistryPtr(classes);
  }();
  return registry;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 4) return 0;
  const int32_t line = data[0] | (data[1] << 8);
  const int32_t column = data[2] | (data[3] << 8);
  document::CQuilletDoc doc;
  doc.FreeAll();
  std::u16string text;
  for (size_t i = 4; i <= size; ++i) {
    if (i == size || data[i] == '\n') {
      doc.AppendLine(text);
      text.clear();
    } else {
      text += static_cast<char16_t>(data[i]);
    }
  }
  doc.UpdateViews(nullptr, nullptr, document::UpdateAll, -1);

  CFixedMetrics metrics;
  editor::CEditorCore core(doc, metrics);
  CLastList popups;
  editor::CTypeInformation types(Registry());
  editor::CEditorIntelliSense intelliSense(core, popups, types);
  core.SetIntelliSense(&intelliSense);

  const int32_t caretLine = line % doc.GetLineCount();
  const document::CTextPosition caret{column % (doc.GetLineLength(caretLine) + 1), caretLine};
  core.SetCaret(caret);
  intelliSense.OpenMemberList(caret);
  intelliSense.OpenParameterTip(caret);
  intelliSense.CorrectWordCase(core.Caret());
  intelliSense.CorrectIdentifierCase(core.Caret());
  intelliSense.CompleteWord();
  if (!popups.name.empty()) intelliSense.ApplyCompletion(popups.name, static_cast<int32_t>(popups.prefix.size()));
  intelliSense.ListMembers();
  intelliSense.ParametersInfo();
  core.SetIntelliSense(nullptr);
  return 0;
}
