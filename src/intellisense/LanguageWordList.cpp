#include "intellisense/LanguageWordList.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace quillet::intellisense {
namespace {

constexpr std::u16string_view kWords[] = {
    u"Abs", u"And", u"Array", u"Asc", u"Atn", u"Call", u"Case", u"CBool", u"CByte", u"CCur",
    u"CDate", u"CDbl", u"Chr", u"CInt", u"Class", u"Class_Initialize", u"Class_Terminate", u"CLng",
    u"Const", u"Cos", u"CreateObject", u"CSng", u"CStr", u"Date", u"DateAdd", u"DateDiff",
    u"DatePart", u"DateSerial", u"DateValue", u"Day", u"Debug", u"Dim", u"Do", u"Each", u"Else",
    u"ElseIf", u"End", u"Empty", u"Eqv", u"Erase", u"Err", u"Error", u"Eval", u"Execute",
    u"ExecuteGlobal", u"Exit", u"Exp", u"Explicit", u"False", u"Filter", u"Fix", u"For",
    u"FormatCurrency", u"FormatDateTime", u"FormatNumber", u"FormatPercent", u"Function", u"Get",
    u"GetLocale", u"GetObject", u"GetRef", u"Goto", u"Hex", u"Hour", u"If", u"Imp", u"In",
    u"InputBox", u"InStr", u"InStrRev", u"Int", u"Is", u"IsArray", u"IsDate", u"IsEmpty", u"IsNull",
    u"IsNumeric", u"IsObject", u"Join", u"LBound", u"LCase", u"Left", u"Len", u"Let",
    u"LoadPicture", u"Log", u"Loop", u"Mid", u"Minute", u"Mod", u"Month", u"MonthName", u"MsgBox",
    u"New", u"Next", u"Not", u"Nothing", u"Now", u"Null", u"Oct", u"On", u"Option", u"Or",
    u"Preserve", u"Private", u"Property", u"Public", u"Randomize", u"ReDim", u"RegExp", u"Replace",
    u"Resume", u"RGB", u"Right", u"Rnd", u"Round", u"ScriptEngine", u"ScriptEngineBuildVersion",
    u"ScriptEngineMajorVersion", u"ScriptEngineMinorVersion", u"Second", u"Select", u"Set",
    u"SetLocale", u"Sgn", u"Sin", u"Space", u"Split", u"Sqr", u"Step", u"StrComp", u"String",
    u"StrReverse", u"Sub", u"Tan", u"Then", u"Time", u"Timer", u"TimeSerial", u"TimeValue", u"To",
    u"Trim", u"True", u"TypeName", u"UBound", u"UCase", u"Until", u"VarType", u"Weekday",
    u"WeekdayName", u"Wend", u"While", u"With", u"WScript", u"Xor", u"Year", u"vbEmpty", u"vbNull",
    u"vbInteger", u"vbLong", u"vbSingle", u"vbSingle", u"vbCurrency", u"vbDate", u"vbString",
    u"vbObject", u"vbError", u"vbBoolean", u"vbVariant", u"vbDataObject", u"vbDecimal", u"vbByte",
    u"vbArray", u"vbUseDefault", u"vbTrue", u"vbFalse", u"vbSunday", u"vbMonday", u"vbTuesday",
    u"vbWednesday", u"vbThursday", u"vbFriday", u"vbSaturday", u"vbUseSystemDayOfWeek",
    u"vbFirstJan1", u"vbFirstFourDays", u"vbFirstFullWeek", u"vbGeneralDate", u"vbLongDate",
    u"vbShortDate", u"vbLongTime", u"vbShortTime", u"vbOKOnly", u"vbOKCancel",
    u"vbAbortRetryIgnore", u"vbYesNoCancel", u"vbYesNo", u"vbRetryCancel", u"vbCritical",
    u"vbQuestion", u"vbExclamation", u"vbInformation", u"vbDefaultButton1", u"vbDefaultButton2",
    u"vbDefaultButton3", u"vbDefaultButton4", u"vbApplicationModal", u"vbSystemModal", u"vbCr",
    u"vbCrLf", u"vbFormFeed", u"vbLf", u"vbNewLine", u"vbNullChar", u"vbNullString", u"vbTab",
    u"vbTextCompare", u"vbBinaryCompare", u"vbVerticalTab", u"vbObjectError",
};

// Keyword colouring asks about every word of every painted line, so the lookup is an
// open-addressing hash index built by the compiler: no start-up cost and no allocation.
// Folding is ASCII-only, and built here rather than shared so that the index and the lookup
// can never fold differently.
constexpr char16_t FoldUnit(char16_t unit) {
  return (unit >= u'a' && unit <= u'z') ? static_cast<char16_t>(unit - (u'a' - u'A')) : unit;
}

constexpr bool EqualsFolded(std::u16string_view stored, std::u16string_view text) {
  if (stored.size() != text.size()) return false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (FoldUnit(stored[i]) != FoldUnit(text[i])) return false;
  }
  return true;
}

constexpr std::size_t kSlotBits = 10;
constexpr std::size_t kSlotCount = std::size_t{1} << kSlotBits;
constexpr std::size_t kSlotMask = kSlotCount - 1;
static_assert(kSlotCount >= 2 * std::size(kWords), "keep the index at most half full");

// The length and three folded units tell the words apart well enough for short probes, at a
// cost that does not grow with the text. The caller guarantees at least two units.
constexpr std::size_t FirstSlot(std::u16string_view text) {
  const std::uint32_t mixed = static_cast<std::uint32_t>(text.size()) * 0x01000193u +
                              FoldUnit(text[0]) * 0x00010003u + FoldUnit(text[1]) * 0x00000107u +
                              FoldUnit(text.back());
  return (mixed * 0x9E3779B1u) >> (32 - kSlotBits);
}

constexpr auto kLength = [](std::u16string_view word) { return word.size(); };
constexpr std::size_t kShortestWord = std::ranges::min(kWords, {}, kLength).size();
constexpr std::size_t kLongestWord = std::ranges::max(kWords, {}, kLength).size();
static_assert(kShortestWord >= 2, "FirstSlot reads the first two units");

// Slot value 0 is empty; otherwise it is one more than the word's position in kWords.
using WordIndex = std::array<std::uint8_t, kSlotCount>;
static_assert(std::size(kWords) < 255, "slot values must fit a byte");

constexpr WordIndex BuildIndex() {
  WordIndex index{};
  for (std::size_t position = 0; position < std::size(kWords); ++position) {
    const std::u16string_view word = kWords[position];
    std::size_t slot = FirstSlot(word);
    bool alreadyThere = false;
    for (; index[slot] != 0; slot = (slot + 1) & kSlotMask) {
      alreadyThere = alreadyThere || EqualsFolded(kWords[index[slot] - 1], word);
    }
    // A repeated word keeps its first position, the one every user of the list means.
    if (!alreadyThere) index[slot] = static_cast<std::uint8_t>(position + 1);
  }
  return index;
}

constexpr WordIndex kIndex = BuildIndex();

constexpr std::size_t kIndexedWords =
    std::size(kIndex) - static_cast<std::size_t>(std::ranges::count(kIndex, 0));
static_assert(kIndexedWords == std::size(kWords) - 1, "only \"vbSingle\" is stored twice");

// The longest run of occupied slots bounds the probes of any lookup, found or not.
constexpr std::size_t LongestRun() {
  std::size_t longest = 0;
  for (std::size_t start = 0; start < kSlotCount; ++start) {
    std::size_t run = 0;
    while (run < kSlotCount && kIndex[(start + run) & kSlotMask] != 0) ++run;
    longest = std::max(longest, run);
  }
  return longest;
}
static_assert(LongestRun() <= 8, "a long run means the slot mix no longer spreads the words");

const std::u16string_view* FindWord(std::u16string_view text) {
  if (text.size() < kShortestWord || text.size() > kLongestWord) return nullptr;
  for (std::size_t slot = FirstSlot(text); kIndex[slot] != 0; slot = (slot + 1) & kSlotMask) {
    const std::u16string_view& word = kWords[kIndex[slot] - 1];
    if (EqualsFolded(word, text)) return &word;
  }
  return nullptr;
}

}  // namespace

constinit const std::span<const std::u16string_view> LanguageWordList{kWords};

bool IsKeyword(std::u16string_view word) { return FindWord(word) != nullptr; }

bool IsKeyword(std::u16string_view text, std::size_t length) {
  return length <= text.size() && IsKeyword(text.substr(0, length));
}

std::optional<std::u16string_view> FindLanguageWord(std::u16string_view word) {
  const std::u16string_view* found = FindWord(word);
  if (found == nullptr) return std::nullopt;
  return *found;
}

}  // namespace quillet::intellisense
