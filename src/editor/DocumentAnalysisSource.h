#pragma once
// An open document and its view's colorizer as source analysis reads them.

#include <vector>

#include "editor/SyntaxColorizer.h"
#include "intellisense/AnalysisSource.h"

namespace quillet::document {
class CQuilletDoc;
}

namespace quillet::editor {

class CDocumentAnalysisSource final : public intellisense::IAnalysisSource {
 public:
  CDocumentAnalysisSource(const document::CQuilletDoc& document, CSyntaxColorizer& colorizer)
      : m_document(document), m_colorizer(colorizer) {}

  [[nodiscard]] int32_t LineCount() const override;
  [[nodiscard]] std::u16string_view LineText(int32_t line) const override;
  void ScanLine(int32_t line, std::u16string_view text, std::vector<intellisense::SColourRun>& runs) override;

 private:
  const document::CQuilletDoc& m_document;
  CSyntaxColorizer& m_colorizer;
  std::vector<SColorBlock> m_blocks;
};

}  // namespace quillet::editor
