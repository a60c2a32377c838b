#include "engine/runtime/ScriptError.h"

#include <algorithm>
#include <array>
#include <utility>

namespace quillet::engine {

namespace {

struct SErrorText {
  int number;
  const char16_t* text;
};

constexpr std::array kErrorTexts{
    SErrorText{5, u"Invalid procedure call or argument"},
    SErrorText{6, u"Overflow"},
    SErrorText{7, u"Out of memory"},
    SErrorText{9, u"Subscript out of range"},
    SErrorText{10, u"This array is fixed or temporarily locked"},
    SErrorText{11, u"Division by zero"},
    SErrorText{13, u"Type mismatch"},
    SErrorText{14, u"Out of string space"},
    SErrorText{17, u"Can't perform requested operation"},
    SErrorText{28, u"Out of stack space"},
    SErrorText{35, u"Sub or Function not defined"},
    SErrorText{48, u"Error in loading DLL"},
    SErrorText{51, u"Internal error"},
    SErrorText{52, u"Bad file name or number"},
    SErrorText{53, u"File not found"},
    SErrorText{54, u"Bad file mode"},
    SErrorText{55, u"File already open"},
    SErrorText{57, u"Device I/O error"},
    SErrorText{58, u"File already exists"},
    SErrorText{61, u"Disk full"},
    SErrorText{62, u"Input past end of file"},
    SErrorText{67, u"Too many files"},
    SErrorText{68, u"Device unavailable"},
    SErrorText{70, u"Permission denied"},
    SErrorText{71, u"Disk not ready"},
    SErrorText{74, u"Can't rename with different drive"},
    SErrorText{75, u"Path/File access error"},
    SErrorText{76, u"Path not found"},
    SErrorText{91, u"Object variable not set"},
    SErrorText{92, u"For loop not initialized"},
    SErrorText{94, u"Invalid use of Null"},
    SErrorText{322, u"Can't create necessary temporary file"},
    SErrorText{424, u"Object required"},
    SErrorText{429, u"ActiveX component can't create object"},
    SErrorText{430, u"Class doesn't support Automation"},
    SErrorText{432, u"File name or class name not found during Automation operation"},
    SErrorText{438, u"Object doesn't support this property or method"},
    SErrorText{440, u"Automation error"},
    SErrorText{445, u"Object doesn't support this action"},
    SErrorText{446, u"Object doesn't support named arguments"},
    SErrorText{447, u"Object doesn't support current locale setting"},
    SErrorText{448, u"Named argument not found"},
    SErrorText{449, u"Argument not optional"},
    SErrorText{450, u"Wrong number of arguments or invalid property assignment"},
    SErrorText{451, u"Object not a collection"},
    SErrorText{453, u"Specified DLL function not found"},
    SErrorText{455, u"Code resource lock error"},
    SErrorText{457, u"This key is already associated with an element of this collection"},
    SErrorText{458, u"Variable uses an Automation type not supported in VBScript"},
    SErrorText{462, u"The remote server machine does not exist or is unavailable"},
    SErrorText{481, u"Invalid picture"},
    SErrorText{500, u"Variable is undefined"},
    SErrorText{501, u"Illegal assignment"},
    SErrorText{502, u"Object not safe for scripting"},
    SErrorText{503, u"Object not safe for initializing"},
    SErrorText{504, u"Object not safe for creating"},
    SErrorText{505, u"Invalid or unqualified reference"},
    SErrorText{506, u"Class not defined"},
    SErrorText{507, u"An exception occurred"},
    SErrorText{1001, u"Out of memory"},
    SErrorText{1002, u"Syntax error"},
    SErrorText{1003, u"Expected ':'"},
    SErrorText{1005, u"Expected '('"},
    SErrorText{1006, u"Expected ')'"},
    SErrorText{1007, u"Expected ']'"},
    SErrorText{1010, u"Expected identifier"},
    SErrorText{1011, u"Expected '='"},
    SErrorText{1012, u"Expected 'If'"},
    SErrorText{1013, u"Expected 'To'"},
    SErrorText{1014, u"Expected 'End'"},
    SErrorText{1015, u"Expected 'Function'"},
    SErrorText{1016, u"Expected 'Sub'"},
    SErrorText{1017, u"Expected 'Then'"},
    SErrorText{1018, u"Expected 'Wend'"},
    SErrorText{1019, u"Expected 'Loop'"},
    SErrorText{1020, u"Expected 'Next'"},
    SErrorText{1021, u"Expected 'Case'"},
    SErrorText{1022, u"Expected 'Select'"},
    SErrorText{1023, u"Expected expression"},
    SErrorText{1024, u"Expected statement"},
    SErrorText{1025, u"Expected end of statement"},
    SErrorText{1026, u"Expected integer constant"},
    SErrorText{1027, u"Expected 'While' or 'Until'"},
    SErrorText{1028, u"Expected 'While', 'Until' or end of statement"},
    SErrorText{1029, u"Expected 'With'"},
    SErrorText{1030, u"Identifier too long"},
    SErrorText{1031, u"Invalid number"},
    SErrorText{1032, u"Invalid character"},
    SErrorText{1033, u"Unterminated string constant"},
    SErrorText{1034, u"Unterminated comment"},
    SErrorText{1037, u"Invalid use of 'Me' keyword"},
    SErrorText{1038, u"'loop' without 'do'"},
    SErrorText{1039, u"Invalid 'exit' statement"},
    SErrorText{1040, u"Invalid 'for' loop control variable"},
    SErrorText{1041, u"Name redefined"},
    SErrorText{1042, u"Must be first statement on the line"},
    SErrorText{1043, u"Cannot assign to non-ByVal argument"},
    SErrorText{1044, u"Cannot use parentheses when calling a Sub"},
    SErrorText{1045, u"Expected literal constant"},
    SErrorText{1046, u"Expected 'In'"},
    SErrorText{1047, u"Expected 'Class'"},
    SErrorText{1048, u"Must be defined inside a Class"},
    SErrorText{1049, u"Expected Let or Set or Get in property declaration"},
    SErrorText{1050, u"Expected 'Property'"},
    SErrorText{1051, u"Number of arguments must be consistent across properties specification"},
    SErrorText{1052, u"Cannot have multiple default property/method in a Class"},
    SErrorText{1053, u"Class initialize or terminate do not have arguments"},
    SErrorText{1054, u"Property set or let must have at least one argument"},
    SErrorText{1055, u"Unexpected 'Next'"},
    SErrorText{1056, u"'Default' can be specified only on 'Property Get'"},
    SErrorText{1057, u"'Default' specification must also specify 'Public'"},
    SErrorText{1058, u"'Default' specification can only be on Property Get"},
    SErrorText{5017, u"Syntax error in regular expression"},
    SErrorText{5018, u"Unexpected quantifier"},
    SErrorText{5019, u"Expected ']' in regular expression"},
    SErrorText{5020, u"Expected ')' in regular expression"},
    SErrorText{5021, u"Invalid range in character set"},
    SErrorText{32811, u"Element not found"},
};

}  // namespace

CScriptError::CScriptError(int number, std::u16string description, std::u16string source)
    : m_number(number), m_description(std::move(description)), m_source(std::move(source)) {
  if (m_description.empty()) m_description = TextFor(number);
  if (m_number >= 1001 && m_number < 1100) m_kind = EErrorKind::Compilation;
}

std::u16string CScriptError::TextFor(int number) {
  const auto* it = std::find_if(kErrorTexts.begin(), kErrorTexts.end(),
                                [number](const SErrorText& e) { return e.number == number; });
  return it == kErrorTexts.end() ? std::u16string() : std::u16string(it->text);
}

void ThrowCompileError(int number, int line, int column) {
  CScriptError error(number);
  error.SetKind(EErrorKind::Compilation);
  error.SetPosition(line, column);
  throw error;
}

}  // namespace quillet::engine
