#pragma once
// What the expression before the caret refers to, as the scan of source analysis finds it, and
// what a parameter tip is built from.

#include <string>

#include "intellisense/BuiltinFunctionTable.h"
#include "intellisense/BuiltinMemberTables.h"
#include "intellisense/TypeLibraryWalk.h"

namespace quillet::intellisense {

enum class ETargetKind {
  None,
  TypeLibraryClass,  // clsid and libraryPath, with the rest of the chain (also the script host object)
  BuiltinTable,      // table (Err, Debug) with the rest of the chain
  PseudoType,        // name ("<regexp>", ...), with the member name in rest for a tip
  ScriptClass,       // name of the class, with the method in rest for a tip
  BuiltinFunction,   // function (tips only)
  ScriptProcedure,   // declaration (tips only)
};

struct SAnalysisTarget {
  ETargetKind kind = ETargetKind::None;
  std::u16string clsid;
  std::u16string libraryPath;
  std::u16string rest;
  std::u16string name;
  BuiltinMemberTable table;
  const BuiltinFunctionRecord* function = nullptr;
  std::u16string declaration;
};

enum class ETipKind { None, BuiltinFunction, BuiltinMember, TypeLibraryFunction, ScriptProcedure, ScriptClassMethod };

struct SParameterTipSource {
  ETipKind kind = ETipKind::None;
  const BuiltinFunctionRecord* function = nullptr;  // BuiltinFunction
  const BuiltinMemberRecord* member = nullptr;      // BuiltinMember
  SWalkResult walk;                                 // TypeLibraryFunction: walk.func
  std::u16string declaration;                       // ScriptProcedure, ScriptClassMethod
};

}  // namespace quillet::intellisense
