#include "engine/objects/regexp/RegExpPattern.h"

#define PCRE2_CODE_UNIT_WIDTH 16
#include <pcre2.h>

#include <algorithm>

#include "engine/runtime/ScriptError.h"

namespace quillet::engine {

namespace {

constexpr int kSyntaxError = 5017;
constexpr int kUnexpectedQuantifier = 5018;
constexpr int kExpectedBracket = 5019;
constexpr int kExpectedParen = 5020;
constexpr int kInvalidRange = 5021;

// Bounds of one search. A legitimate search of a long text stays far below them; a
// catastrophically backtracking one reaches them within a fraction of a second.
constexpr uint32_t kMatchLimit = 10'000'000;
constexpr uint32_t kDepthLimit = 1'000'000;
constexpr uint32_t kHeapLimitKiB = 256 * 1024;
constexpr size_t kJitStackMax = 1024 * 1024;

// One machine-code stack per thread, shared by every pattern: a search never runs script code,
// so no two searches on a thread use it at once, and a script holding thousands of RegExp
// objects does not hold thousands of stacks.
pcre2_jit_stack* ThreadJitStack() {
  struct SStack {
    pcre2_jit_stack* stack = pcre2_jit_stack_create(32 * 1024, kJitStackMax, nullptr);
    ~SStack() { pcre2_jit_stack_free(stack); }
  };
  thread_local SStack holder;
  return holder.stack;
}

int ScriptErrorForCompileError(int code) {
  switch (code) {
    case PCRE2_ERROR_QUANTIFIER_INVALID:
    case PCRE2_ERROR_QUANTIFIER_OUT_OF_ORDER: return kUnexpectedQuantifier;
    case PCRE2_ERROR_MISSING_SQUARE_BRACKET: return kExpectedBracket;
    case PCRE2_ERROR_MISSING_CLOSING_PARENTHESIS: return kExpectedParen;
    case PCRE2_ERROR_CLASS_RANGE_ORDER: return kInvalidRange;
    default: return kSyntaxError;
  }
}

}  // namespace

struct CRegExpPattern::SHandles {
  pcre2_compile_context* compileContext = nullptr;
  pcre2_code* code = nullptr;
  pcre2_match_data* matchData = nullptr;
  pcre2_match_context* matchContext = nullptr;
  bool jit = false;

  ~SHandles() {
    pcre2_match_context_free(matchContext);
    pcre2_match_data_free(matchData);
    pcre2_code_free(code);
    pcre2_compile_context_free(compileContext);
  }
};

CRegExpPattern::CRegExpPattern(std::u16string_view pattern, bool ignoreCase, bool multiline)
    : m_handles(std::make_unique<SHandles>()) {
  SHandles& h = *m_handles;
  h.compileContext = pcre2_compile_context_create(nullptr);
  if (h.compileContext == nullptr) throw CScriptError(err::OutOfMemory);
  // Lines end at LF only, whatever the library was built with.
  pcre2_set_newline(h.compileContext, PCRE2_NEWLINE_LF);
  // Not UTF mode: the text is searched one UTF-16 unit at a time, so a lone surrogate is just
  // another character and an empty match may step into a surrogate pair.
  uint32_t options = PCRE2_ALT_BSUX | PCRE2_MATCH_UNSET_BACKREF | PCRE2_DOLLAR_ENDONLY | PCRE2_ALLOW_EMPTY_CLASS;
  if (ignoreCase) options |= PCRE2_CASELESS;
  // Case beyond ASCII needs Unicode properties, which also widen \w, \d and \b to every
  // alphabet; so they are used only when the pattern itself has a non-ASCII character.
  if (ignoreCase && std::any_of(pattern.begin(), pattern.end(), [](char16_t c) { return c >= 0x80; })) {
    options |= PCRE2_UCP;
  }
  if (multiline) options |= PCRE2_MULTILINE;
  int error = 0;
  PCRE2_SIZE offset = 0;
  h.code = pcre2_compile(reinterpret_cast<PCRE2_SPTR>(pattern.data()), pattern.size(), options, &error, &offset,
                         h.compileContext);
  if (h.code == nullptr) {
    throw CScriptError(error == PCRE2_ERROR_HEAPLIMIT || error == PCRE2_ERROR_NOMEMORY ? err::OutOfMemory
                                                                                       : ScriptErrorForCompileError(error));
  }
  uint32_t captures = 0;
  pcre2_pattern_info(h.code, PCRE2_INFO_CAPTURECOUNT, &captures);
  m_groups = captures;
  h.matchData = pcre2_match_data_create_from_pattern(h.code, nullptr);
  h.matchContext = pcre2_match_context_create(nullptr);
  if (h.matchData == nullptr || h.matchContext == nullptr) throw CScriptError(err::OutOfMemory);
  pcre2_set_match_limit(h.matchContext, kMatchLimit);
  pcre2_set_depth_limit(h.matchContext, kDepthLimit);
  pcre2_set_heap_limit(h.matchContext, kHeapLimitKiB);
  // Compiled to machine code where the library can; the interpreter remains the fallback.
  h.jit = pcre2_jit_compile(h.code, PCRE2_JIT_COMPLETE) == 0;
}

CRegExpPattern::~CRegExpPattern() = default;

bool CRegExpPattern::Search(std::u16string_view subject, size_t start, std::vector<size_t>& spans) {
  SHandles& h = *m_handles;
  const auto* text = reinterpret_cast<PCRE2_SPTR>(subject.data());
  pcre2_jit_stack* jitStack = h.jit ? ThreadJitStack() : nullptr;
  // Should the shared stack be missing, the interpreter searches instead.
  pcre2_jit_stack_assign(h.matchContext, nullptr, jitStack);
  const uint32_t how = jitStack != nullptr ? 0 : PCRE2_NO_JIT;
  int rc = pcre2_match(h.code, text, subject.size(), start, how, h.matchData, h.matchContext);
  // Machine code has a fixed stack; the interpreter keeps its backtracking on the heap.
  if (rc == PCRE2_ERROR_JIT_STACKLIMIT) {
    rc = pcre2_match(h.code, text, subject.size(), start, PCRE2_NO_JIT, h.matchData, h.matchContext);
  }
  if (rc == PCRE2_ERROR_NOMATCH) return false;
  if (rc == PCRE2_ERROR_NOMEMORY) throw CScriptError(err::OutOfMemory);
  if (rc == PCRE2_ERROR_MATCHLIMIT || rc == PCRE2_ERROR_DEPTHLIMIT || rc == PCRE2_ERROR_HEAPLIMIT ||
      rc == PCRE2_ERROR_JIT_STACKLIMIT) {
    throw CScriptError(err::OutOfStack);
  }
  if (rc < 0) throw CScriptError(err::InternalError);
  const PCRE2_SIZE* vector = pcre2_get_ovector_pointer(h.matchData);
  const size_t count = 2 * (m_groups + 1);
  spans.resize(count);
  // Groups past the highest one that took part are not set by the library.
  const size_t reported = 2 * static_cast<size_t>(rc == 0 ? m_groups + 1 : static_cast<size_t>(rc));
  for (size_t i = 0; i < count; ++i) {
    spans[i] = i < reported && vector[i] != PCRE2_UNSET ? vector[i] : kUnset;
  }
  return true;
}

}  // namespace quillet::engine
