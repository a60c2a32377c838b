#include "engine/vm/ScriptEngine.h"

#include "engine/library/DebugObject.h"
#include "engine/library/LocaleTable.h"
#include "engine/syntax/Parser.h"
#include "engine/runtime/ScriptError.h"

namespace quillet::engine {

CScriptEngine::CScriptEngine()
    : m_err(new CErrObject()), m_errHolder(CVariant::Object(m_err)), m_vm(m_globals, *m_err) {
  AddNamedItem(u"Err", m_errHolder);
  AddNamedItem(u"Debug", CVariant::Object(new CDebugObject()));
  m_runtime.localeId = SystemLocaleId();
}

CScriptEngine::~CScriptEngine() { Close(); }

void CScriptEngine::AddNamedItem(std::u16string_view name, const CVariant& object) {
  SGlobal& global = m_globals.At(m_globals.Intern(name));
  global.kind = EGlobalKind::HostObject;
  global.value = object;
}

SCompiledUnit& CScriptEngine::Compile(std::u16string_view source) {
  SProgram program = CParser::Parse(source);
  CCompiler compiler(m_globals);
  m_units.push_back(compiler.Compile(program));
  return *m_units.back();
}

void CScriptEngine::CompileOnly(std::u16string_view source) { (void)Compile(source); }

const SCompiledUnit& CScriptEngine::Load(std::u16string_view source) {
  const CRuntimeScope scope(m_runtime);
  return Compile(source);
}

void CScriptEngine::RunLoaded(const SCompiledUnit& unit) {
  const CRuntimeScope scope(m_runtime);
  (void)m_vm.RunGlobalCode(*unit.globalCode);
}

void CScriptEngine::Run(std::u16string_view source) {
  const CRuntimeScope scope(m_runtime);
  SCompiledUnit& unit = Compile(source);
  (void)m_vm.RunGlobalCode(*unit.globalCode);
}

void CScriptEngine::Close() {
  if (m_closed) return;
  m_closed = true;
  const CRuntimeScope scope(m_runtime);
  try {
    m_globals.ClearValues();
  } catch (...) {
    // Terminate code cannot report anything once the script is over.
  }
}

}  // namespace quillet::engine
