#include "engine/compiler/Compiler.h"

namespace quillet::engine {

std::set<int> SCompiledUnit::CodeLines() const {
  std::set<int> lines;
  const auto add = [&](const CProcedure& proc) {
    for (const SStatementPos& statement : proc.statements) lines.insert(statement.line);
  };
  if (globalCode) add(*globalCode);
  for (const auto& proc : procedures) add(*proc);
  for (const auto& cls : classes) {
    for (const auto& proc : cls->procedures) add(*proc);
  }
  return lines;
}

}  // namespace quillet::engine
