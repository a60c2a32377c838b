#pragma once
// A script held as lines, coloured by the editor's own scanner with a cache of line-end states,
// as the view gives it to source analysis. A caret written as "|" in the text marks where a
// request is made.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "editor/SyntaxScanner.h"
#include "intellisense/AnalysisSource.h"

namespace quillet::intellisense::test {

class CScriptSource final : public IAnalysisSource {
 public:
  explicit CScriptSource(std::u16string_view text) {
    size_t start = 0;
    for (size_t i = 0; i <= text.size(); ++i) {
      if (i == text.size() || text[i] == u'\n') {
        std::u16string line(text.substr(start, i - start));
        const size_t caret = line.find(u'|');
        if (caret != std::u16string::npos) {
          caretLine = static_cast<int32_t>(m_lines.size());
          caretColumn = static_cast<int32_t>(caret);
          line.erase(caret, 1);
        }
        m_lines.push_back(std::move(line));
        start = i + 1;
      }
    }
    m_states.assign(m_lines.size(), editor::CookieUnknown);
  }

  [[nodiscard]] int32_t LineCount() const override { return static_cast<int32_t>(m_lines.size()); }
  [[nodiscard]] std::u16string_view LineText(int32_t line) const override { return m_lines.at(static_cast<size_t>(line)); }
  void ScanLine(int32_t line, std::u16string_view text, std::vector<SColourRun>& runs) override {
    ++scans;
    uint32_t state = 0;
    if (line > 0) {
      state = m_states[static_cast<size_t>(line - 1)];
      // A line nobody coloured yet: its state comes from scanning what is above it.
      if (state == editor::CookieUnknown) state = StateAtEndOf(line - 1);
    }
    std::vector<editor::SColorBlock> blocks;
    m_states[static_cast<size_t>(line)] = editor::ScanLine(state, text, &blocks);
    for (const auto& block : blocks) runs.push_back({block.start, block.color});
  }

  [[nodiscard]] uint32_t CachedState(int32_t line) const { return m_states.at(static_cast<size_t>(line)); }

  int32_t caretLine = -1;
  int32_t caretColumn = -1;
  int scans = 0;

 private:
  uint32_t StateAtEndOf(int32_t line) {
    uint32_t state = 0;
    for (int32_t i = 0; i <= line; ++i) state = editor::ScanLine(state, m_lines[static_cast<size_t>(i)], nullptr);
    return state;
  }

  std::vector<std::u16string> m_lines;
  std::vector<uint32_t> m_states;
};

}  // namespace quillet::intellisense::test
