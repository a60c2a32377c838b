#include "editor/DocumentAnalysisSource.h"

#include "document/QuilletDoc.h"

namespace quillet::editor {

int32_t CDocumentAnalysisSource::LineCount() const { return m_document.GetLineCount(); }

std::u16string_view CDocumentAnalysisSource::LineText(int32_t line) const { return m_document.GetLine(line); }

void CDocumentAnalysisSource::ScanLine(int32_t line, std::u16string_view text,
                                       std::vector<intellisense::SColourRun>& runs) {
  m_blocks.clear();
  (void)m_colorizer.ScanText(line, text, &m_blocks);
  for (const SColorBlock& block : m_blocks) runs.push_back({block.start, block.color});
}

}  // namespace quillet::editor
