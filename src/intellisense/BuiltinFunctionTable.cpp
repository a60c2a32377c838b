#include "intellisense/BuiltinFunctionTable.h"

#include <algorithm>

#include "platform/TextConvert.h"

namespace quillet::intellisense {
namespace {

constexpr BuiltinFunctionRecord kRows[] = {
    {u"Abs", u"Abs (number)",
     u"Returns the absolute value of a number, that is the number without its sign."},
    {u"Array", u"Array (arglist)",
     u"Returns a Variant holding an array whose elements are the given arguments."},
    {u"Asc", u"Asc (string)",
     u"Returns the ANSI character code corresponding to the first letter in a string"},
    {u"Atn", u"Atn (number)", u"Returns the arctangent of a number as an angle in radians."},
    {u"Call", u"Call name [argumentlist]", u"Transfers control to a Sub or Function procedure."},
    {u"CBool", u"CBool (expression)", u"Converts an expression to a Variant of subtype Boolean."},
    {u"CByte", u"CByte (expression)", u"Converts an expression to a Variant of subtype Byte."},
    {u"CCur", u"CCur (expression)", u"Converts an expression to a Variant of subtype Currency."},
    {u"CDate", u"CDate (date)",
     u"Converts a date or time expression to a Variant of subtype Date."},
    {u"CDbl", u"CDbl (expression)", u"Converts an expression to a Variant of subtype Double."},
    {u"Chr", u"Chr (charcode)", u"Returns the character that has the given ANSI character code."},
    {u"CInt", u"CInt (expression)",
     u"Converts an expression to a Variant of subtype Integer, rounding any fraction."},
    {u"CLng", u"CLng (expression)",
     u"Converts an expression to a Variant of subtype Long, rounding any fraction."},
    {u"Cos", u"Cos (number)", u"Returns the cosine of an angle given in radians."},
    {u"CreateObject", u"CreateObject (servername.typename , [location])",
     u"Creates and returns a reference to an Automation object"},
    {u"CSng", u"CSng (expression) ", u"Converts an expression to a Variant of subtype Single."},
    {u"CStr", u"CStr (expression)", u"Converts an expression to a Variant of subtype String."},
    {u"Date", u"Date ()", u"Returns the current date of the system clock."},
    {u"DateAdd", u"DateAdd (interval, number, date)",
     u"Returns a date to which a number of time intervals has been added."},
    {u"DateDiff", u"DateDiff (interval, date1, date2 ,[firstdayofweek], [firstweekofyear])",
     u"Returns the number of time intervals that lie between two dates."},
    {u"DatePart", u"DatePart (interval, date, [firstdayofweek], [firstweekofyear])",
     u"Returns one part of a date, such as its year, quarter, week, day or hour."},
    {u"DateSerial", u"DateSerial (year, month, day)",
     u"Returns the date that has the given year, month and day."},
    {u"DateValue", u"DateValue (date)",
     u"Returns the date that a string or expression stands for, as a Variant of subtype Date."},
    {u"Day", u"Day (date)",
     u"Returns the day of the month of a date, a whole number from 1 to 31."},
    {u"Eval", u"[result] = Eval (expression)",
     u"Evaluates an expression held in a string and returns its result."},
    {u"Exp", u"Exp (number)",
     u"Returns e, the base of natural logarithms, raised to the power of a number."},
    {u"Filter", u"Filter (InputStrings, Value, [Include], [Compare])",
     u"Returns a zero-based array of the elements of a string array that contain, or do not "
     u"contain, a given text."},
    {u"Fix", u"Fix (number)", u"Returns the integer portion of a number"},
    {u"FormatCurrency",
     u"FormatCurrency (Expression, [NumDigitsAfterDecimal], [IncludeLeadingDigit], "
     u"[UseParensForNegativeNumbers], [GroupDigits])",
     u"Returns an expression formatted as an amount of money with the currency symbol of the "
     u"system settings."},
    {u"FormatDateTime", u"FormatDateTime (Date, [NamedFormat])",
     u"Returns an expression formatted as a date, a time or both."},
    {u"FormatNumber",
     u"FormatNumber (Expression, [NumDigitsAfterDecimal], [IncludeLeadingDigit], "
     u"[UseParensForNegativeNumbers], [GroupDigits])",
     u"Returns an expression formatted as a number."},
    {u"FormatPercent",
     u"FormatPercent (Expression, [NumDigitsAfterDecimal], [IncludeLeadingDigit], "
     u"[UseParensForNegativeNumbers], [GroupDigits])",
     u"Returns an expression multiplied by 100 and formatted as a percentage followed by a % "
     u"sign."},
    {u"GetLocale", u"GetLocale ()", u"Returns the locale ID in effect for the script."},
    {u"GetObject", u"GetObject ([pathname], [class])",
     u"Returns a reference to an Automation object that is already running or is loaded from a "
     u"file."},
    {u"Hex", u"Hex (number)", u"Returns a string holding the hexadecimal digits of a number."},
    {u"Hour", u"Hour (time)", u"Returns the hour of a time, a whole number from 0 to 23."},
    {u"InputBox", u"InputBox (prompt, [title], [default], [xpos], [ypos], [helpfile], [context])",
     u"Shows a prompt in a dialog box, waits for the user to type text or click a button, and "
     u"returns what was typed."},
    {u"InStr", u"InStr ([start], string1, string2, [compare])",
     u"Returns the position of the first occurrence of one string within another."},
    {u"InStrRev", u"InStrRev (string1, string2, [start], [compare])",
     u"Returns the position of an occurrence of one string within another, searching backwards "
     u"from the end."},
    {u"Int", u"Int (number)", u"Returns the integer portion of a number"},
    {u"IsArray", u"IsArray (varname)",
     u"Returns a Boolean value that tells whether a variable holds an array."},
    {u"IsDate", u"IsDate (expression)",
     u"Returns a Boolean value that tells whether an expression can be converted to a date."},
    {u"IsEmpty", u"IsEmpty (expression)",
     u"Returns a Boolean value that tells whether a variable has not been initialized yet."},
    {u"IsNull", u"IsNull (expression)",
     u"Returns a Boolean value that tells whether an expression is Null, holding no valid data."},
    {u"IsNumeric", u"IsNumeric (expression)",
     u"Returns a Boolean value that tells whether an expression can be evaluated as a number."},
    {u"IsObject", u"IsObject (expression)",
     u"Returns a Boolean value that tells whether an expression refers to an Automation object."},
    {u"Join", u"Join (list, [delimiter])",
     u"Returns a string made of the elements of an array joined by a delimiter."},
    {u"LBound", u"LBound (arrayname, [dimension])",
     u"Returns the lowest subscript available in a dimension of an array."},
    {u"LCase", u"LCase (string)", u"Returns a copy of a string with its letters in lowercase."},
    {u"Left", u"Left (string, length)",
     u"Returns a number of characters taken from the start of a string."},
    {u"Len", u"Len (string | varname)",
     u"Returns the number of characters in a string or the number of bytes needed to store a "
     u"variable."},
    {u"LoadPicture", u"LoadPicture (picturename)",
     u"Returns a picture object. Available only on 32-bit platforms"},
    {u"Log", u"Log (number)", u"Returns the natural logarithm of a number."},
    {u"Mid", u"Mid (string, start, [length])",
     u"Returns a number of characters taken from a string from a given position on."},
    {u"Minute", u"Minute (time)", u"Returns the minute of a time, a whole number from 0 to 59."},
    {u"Month", u"Month (date)", u"Returns the month of a date, a whole number from 1 to 12."},
    {u"MonthName", u"MonthName (month, [abbreviate])", u"Returns the name of the given month."},
    {u"MsgBox", u"MsgBox (prompt, [buttons], [title], [helpfile], [context])",
     u"Displays a message in a dialog box"},
    {u"Now", u"Now ()", u"Returns the current date and time of the system clock."},
    {u"Oct", u"Oct (number)", u"Returns a string holding the octal digits of a number."},
    {u"Randomize", u"Randomize [number]", u"Seeds the random-number generator used by Rnd."},
    {u"Replace", u"Replace (expression, find, replacewith, [start], [count], [compare])",
     u"Returns a string in which a substring has been replaced by another one a given number of "
     u"times."},
    {u"RGB", u"RGB (red, green, blue",
     u"Returns a whole number that stands for the color made of the given red, green and blue "
     u"parts."},
    {u"Right", u"Right (string, length)",
     u"Returns a number of characters taken from the end of a string."},
    {u"Rnd", u"Rnd ([number])", u"Returns a random number that is at least 0 and less than 1."},
    {u"Round", u"Round (expression, [numdecimalplaces])",
     u"Returns a number rounded to a given number of decimal places."},
    {u"Second", u"Second (time)", u"Returns the second of a time, a whole number from 0 to 59."},
    {u"SetLocale", u"SetLocale (lcid)",
     u"Sets the locale ID for the script and returns the one that was in effect before."},
    {u"Sgn", u"Sgn (number)", u"Returns -1, 0 or 1 according to the sign of a number."},
    {u"Sin", u"Sin (number)", u"Returns the sine of an angle given in radians."},
    {u"Space", u"Space (number)", u"Returns a string made of a number of spaces."},
    {u"Split", u"Split (expression, [delimiter], [count], [compare])",
     u"Returns a zero-based, one-dimensional array of the substrings of a string cut at a "
     u"delimiter."},
    {u"Sqr", u"Sqr (number)", u"Returns the square root of a number."},
    {u"StrComp", u"StrComp (string1, string2, [compare])",
     u"Returns -1, 0 or 1 according to how two strings compare."},
    {u"String", u"String (number, character)",
     u"Returns a string of a given length made of one repeated character."},
    {u"StrReverse", u"StrReverse (string1)",
     u"Returns a string holding the characters of another in reverse order."},
    {u"Tan", u"Tan (number)", u"Returns the tangent of an angle given in radians."},
    {u"Time", u"Time ()", u"Returns the current time of the system clock."},
    {u"Timer", u"Timer ()",
     u"Returns the number of seconds that have elapsed since 12:00 AM (midnight)."},
    {u"TimeSerial", u"TimeSerial (hour, minute, second)",
     u"Returns the time that has the given hour, minute and second."},
    {u"TimeValue", u"TimeValue (time)",
     u"Returns the time that a string or expression stands for, as a Variant of subtype Date."},
    {u"Trim", u"Trim (string)",
     u"Returns a copy of a string without its leading and trailing spaces."},
    {u"TypeName", u"TypeName (varname)", u"Returns a string that names the subtype of a variable."},
    {u"UBound", u"UBound (arrayname, [dimension])",
     u"Returns the highest subscript available in a dimension of an array."},
    {u"UCase", u"UCase (string)", u"Returns a copy of a string with its letters in uppercase."},
    {u"VarType", u"VarType (varname)",
     u"Returns a number that identifies the subtype of a variable."},
    {u"Weekday", u"Weekday (date, [firstdayofweek])",
     u"Returns the day of the week of a date, a whole number from 1 to 7."},
    {u"WeekdayName", u"WeekdayName (weekday, [abbreviate], [firstdayofweek])",
     u"Returns the name of the given day of the week."},
    {u"Year", u"Year (date)", u"Returns a whole number representing the year"},
};

}  // namespace

constinit const std::span<const BuiltinFunctionRecord> BuiltinFunctionTable{kRows};

const BuiltinFunctionRecord* FindBuiltinFunction(std::u16string_view name) {
  // A tip is looked up once per typed blank or parenthesis; a scan of the rows is plenty.
  const auto* found = std::ranges::find_if(kRows, [name](const BuiltinFunctionRecord& row) {
    return platform::EqualsIgnoringAsciiCase(row.name, name);
  });
  return found == std::end(kRows) ? nullptr : found;
}

}  // namespace quillet::intellisense
