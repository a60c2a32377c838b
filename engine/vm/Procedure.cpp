#include "engine/vm/Procedure.h"

#include <algorithm>

namespace quillet::engine {

const SStatementPos* CProcedure::StatementAt(uint32_t pc) const {
  auto it = std::upper_bound(statements.begin(), statements.end(), pc,
                             [](uint32_t value, const SStatementPos& s) { return value < s.pc; });
  if (it == statements.begin()) return nullptr;
  return &*(it - 1);
}

std::set<int> CProcedure::CodeLines() const {
  std::set<int> lines;
  for (const auto& s : statements) lines.insert(s.line);
  return lines;
}

}  // namespace quillet::engine
