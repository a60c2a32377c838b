#pragma once
// The one error channel of the engine: every fault a script can cause, at compile time or at
// run time, travels as a CScriptError with Windows' number and text. The virtual machine
// catches it at one place (its protected call) and decides there whether On Error Resume Next
// swallows it.

#include <stdexcept>
#include <string>

namespace quillet::engine {

enum class EErrorKind { Runtime, Compilation };

class CScriptError : public std::exception {
 public:
  // The text comes from the table of known numbers when description is empty.
  CScriptError(int number, std::u16string description = {}, std::u16string source = {});

  [[nodiscard]] int Number() const { return m_number; }
  [[nodiscard]] const std::u16string& Description() const { return m_description; }
  [[nodiscard]] const std::u16string& Source() const { return m_source; }
  [[nodiscard]] EErrorKind Kind() const { return m_kind; }
  // Position of the statement (runtime) or token (compilation), both from 1; 0 when unknown.
  [[nodiscard]] int Line() const { return m_line; }
  [[nodiscard]] int Column() const { return m_column; }

  void SetKind(EErrorKind kind) { m_kind = kind; }
  void SetPosition(int line, int column) { m_line = line; m_column = column; }
  [[nodiscard]] bool HasPosition() const { return m_line > 0; }
  void SetSource(std::u16string source) { m_source = std::move(source); }

  [[nodiscard]] const char* what() const noexcept override { return "VBScript error"; }

  // Windows' text for a runtime or compilation error number; empty when the number is unknown.
  [[nodiscard]] static std::u16string TextFor(int number);

 private:
  int m_number;
  std::u16string m_description;
  std::u16string m_source;
  EErrorKind m_kind = EErrorKind::Runtime;
  int m_line = 0;
  int m_column = 0;
};

// Throws a compilation error at a position.
[[noreturn]] void ThrowCompileError(int number, int line, int column);

// The numbers the engine raises itself, so that call sites read as words.
namespace err {
inline constexpr int InvalidCall = 5;
inline constexpr int Overflow = 6;
inline constexpr int OutOfMemory = 7;
inline constexpr int OutOfStringSpace = 14;
inline constexpr int SubscriptRange = 9;
inline constexpr int ArrayLocked = 10;
inline constexpr int DivisionByZero = 11;
inline constexpr int TypeMismatch = 13;
inline constexpr int OutOfStack = 28;
inline constexpr int SubNotDefined = 35;
inline constexpr int InternalError = 51;
inline constexpr int ObjectNotSet = 91;
inline constexpr int InvalidUseOfNull = 94;
inline constexpr int ObjectRequired = 424;
inline constexpr int CannotCreateObject = 429;
inline constexpr int NoSuchMember = 438;
inline constexpr int NoNamedArgs = 446;
inline constexpr int ArgNotOptional = 449;
inline constexpr int WrongArgCount = 450;
inline constexpr int NotACollection = 451;
inline constexpr int InvalidPicture = 481;
inline constexpr int VariableUndefined = 500;
inline constexpr int IllegalAssignment = 501;
inline constexpr int ClassNotDefined = 506;
inline constexpr int NameRedefined = 1041;
// compilation
inline constexpr int SyntaxError = 1002;
inline constexpr int ExpectedColon = 1003;
inline constexpr int ExpectedLParen = 1005;
inline constexpr int ExpectedRParen = 1006;
inline constexpr int ExpectedRBracket = 1007;
inline constexpr int ExpectedIdentifier = 1010;
inline constexpr int ExpectedEquals = 1011;
inline constexpr int ExpectedIf = 1012;
inline constexpr int ExpectedTo = 1013;
inline constexpr int ExpectedEnd = 1014;
inline constexpr int ExpectedFunction = 1015;
inline constexpr int ExpectedSub = 1016;
inline constexpr int ExpectedThen = 1017;
inline constexpr int ExpectedWend = 1018;
inline constexpr int ExpectedLoop = 1019;
inline constexpr int ExpectedNext = 1020;
inline constexpr int ExpectedCase = 1021;
inline constexpr int ExpectedSelect = 1022;
inline constexpr int ExpectedExpression = 1023;
inline constexpr int ExpectedStatement = 1024;
inline constexpr int ExpectedEndOfStatement = 1025;
inline constexpr int ExpectedInteger = 1026;
inline constexpr int ExpectedWhileUntil = 1027;
inline constexpr int ExpectedWhileUntilEos = 1028;
inline constexpr int ExpectedWith = 1029;
inline constexpr int IdentifierTooLong = 1030;
inline constexpr int InvalidNumber = 1031;
inline constexpr int InvalidCharacter = 1032;
inline constexpr int UnterminatedString = 1033;
inline constexpr int InvalidMe = 1037;
inline constexpr int LoopWithoutDo = 1038;
inline constexpr int InvalidExit = 1039;
inline constexpr int InvalidForVariable = 1040;
inline constexpr int MustBeFirstStatement = 1042;
inline constexpr int ParensOnSubCall = 1044;
inline constexpr int ExpectedLiteral = 1045;
inline constexpr int ExpectedIn = 1046;
inline constexpr int ExpectedClass = 1047;
inline constexpr int MustBeInsideClass = 1048;
inline constexpr int ExpectedLetSetGet = 1049;
inline constexpr int ExpectedProperty = 1050;
inline constexpr int InconsistentPropertyArgs = 1051;
inline constexpr int MultipleDefault = 1052;
inline constexpr int InitTerminateArgs = 1053;
inline constexpr int PropertyNeedsArgument = 1054;
inline constexpr int UnexpectedNext = 1055;
inline constexpr int DefaultOnlyOnGet = 1056;
inline constexpr int DefaultMustBePublic = 1057;
}  // namespace err

}  // namespace quillet::engine
