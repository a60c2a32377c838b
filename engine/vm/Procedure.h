#pragma once
// One compiled body: a Sub, Function or Property, or the global code of one compilation. The
// statement table maps each statement's first instruction to its line and column; it is the
// program-counter-to-line table, and the answer to "which lines hold code".

#include <cstdint>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "engine/syntax/Ast.h"
#include "engine/vm/OpCode.h"
#include "engine/runtime/Variant.h"

namespace quillet::engine {

class CScriptClass;
struct SClassMember;

// What a member name of the code meant on the script class last seen there: classes never change
// once compiled, so the next instance of the same class needs no search by name.
struct SMemberCache {
  const CScriptClass* cls = nullptr;
  const SClassMember* member = nullptr;
  bool inside = false;
};

struct SStatementPos {
  uint32_t pc = 0;
  int line = 0;
  int column = 0;
};

class CProcedure {
 public:
  std::u16string name;
  EProcKind kind = EProcKind::Sub;
  bool isGlobalCode = false;
  // Compiled from text by Execute or Eval: its errors belong to the statement that ran it.
  bool isDynamic = false;
  bool isPublic = true;
  bool optionExplicit = false;
  bool hasResult = false;            // the result is local 0
  std::vector<uint8_t> paramByVal;   // params follow the result slot; bytes, not bits: read per call
  std::vector<std::u16string> localNames;  // every slot; hidden temporaries are empty
  std::vector<SInstr> code;
  std::vector<CVariant> constants;
  // The body's own Const names (lower case) and values, for Execute and Eval inside it.
  std::vector<std::pair<std::u16string, CVariant>> namedConsts;
  std::vector<SStatementPos> statements;
  CScriptClass* owner = nullptr;

  [[nodiscard]] size_t ParamCount() const { return paramByVal.size(); }
  [[nodiscard]] size_t FirstParam() const { return hasResult ? 1 : 0; }
  [[nodiscard]] size_t LocalCount() const { return localNames.size(); }

  // The cache of the member name held in constant index.
  [[nodiscard]] SMemberCache& MemberCache(int32_t index) const {
    if (m_memberCaches.size() != constants.size()) m_memberCaches.resize(constants.size());
    return m_memberCaches[static_cast<size_t>(index)];
  }

  // The most values its evaluation stack holds at once.
  [[nodiscard]] size_t StackDepth() const { return m_stackDepthKnown ? m_stackDepth : MeasureStackDepth(); }
  // The values a frame of it takes: its locals and the room of its stack.
  [[nodiscard]] size_t FrameValueCount() const {
    if (!m_stackDepthKnown) (void)MeasureStackDepth();
    return m_frameValueCount;
  }

  // The statement holding pc (the last one starting at or before it).
  [[nodiscard]] const SStatementPos* StatementAt(uint32_t pc) const;
  [[nodiscard]] std::set<int> CodeLines() const;

 private:
  // Worked out on the first call, once the code is complete.
  size_t MeasureStackDepth() const;

  mutable std::vector<SMemberCache> m_memberCaches;
  mutable size_t m_stackDepth = 0;
  mutable size_t m_frameValueCount = 0;
  mutable bool m_stackDepthKnown = false;
};

}  // namespace quillet::engine
