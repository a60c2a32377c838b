#include "engine/vm/Procedure.h"

#include <algorithm>

namespace quillet::engine {

// Every statement starts and ends with an empty stack and every jump lands where the stack is
// empty, so the deepest point on the way through the code in order is the deepest there is.
size_t CProcedure::MeasureStackDepth() const {
  int depth = 0;
  int deepest = 0;
  for (const SInstr& in : code) {
    depth = std::max(0, depth + StackEffect(in));
    deepest = std::max(deepest, depth);
  }
  m_stackDepth = static_cast<size_t>(deepest);
  m_frameValueCount = LocalCount() + m_stackDepth;
  m_stackDepthKnown = true;
  return m_stackDepth;
}

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
