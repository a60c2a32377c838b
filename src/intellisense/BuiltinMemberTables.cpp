#include "intellisense/BuiltinMemberTables.h"

#include <algorithm>

#include "platform/TextConvert.h"

namespace quillet::intellisense {
namespace {

constexpr EMemberKind kMethod = EMemberKind::Method;
constexpr EMemberKind kProperty = EMemberKind::Property;

constexpr BuiltinMemberRecord kErrRows[] = {
    {u"Description", u"Description [= stringexpression]",
     u"Returns or sets a descriptive string associated with an error.", kProperty},
    {u"HelpContext", u"HelpContext [= contextID]",
     u"Sets or returns a context ID for a topic in a Help File. ", kProperty},
    {u"HelpFile", u"HelpFile [= contextID]",
     u"Sets or returns a fully qualified path to a Help File. ", kProperty},
    {u"Number", u"Number [= errornumber]",
     u"Returns or sets a numeric value specifying an error. Number is the Err "
     u"object's default property.", kProperty},
    {u"Source", u"Source [= stringexpression]",
     u"Returns or sets the name of the object or application that originally "
     u"generated the error.", kProperty},
    {u"Clear", u"Clear ()", u"Clears all property settings of the Err object.", kMethod},
    {u"Raise", u"Raise (number, source, description, helpfile, helpcontext)",
     u"Generates a run-time error.", kMethod},
};

constexpr BuiltinMemberRecord kDebugRows[] = {
    {u"Write", u"Write ([str1 [, str2 [, ... [, strN]]]])",
     u"Sends strings to the script debugger.", kMethod},
    {u"WriteLine", u"WriteLine ([str1 [, str2 [, ... [, strN]]]])",
     u"Sends strings to the script debugger, followed by a newline character. ", kMethod},
};

constexpr BuiltinMemberRecord kRegExpRows[] = {
    {u"Global", u"Global [= True | False ]",
     u"Sets or returns a Boolean value that indicates if a pattern should match all "
     u"occurrences in an entire search string or just the first one.", kProperty},
    {u"IgnoreCase", u"IgnoreCase [= True | False ]",
     u"Sets or returns a Boolean value that indicates if a pattern search is "
     u"case-sensitive or not.", kProperty},
    {u"Pattern", u"Pattern [= \"searchstring\"]",
     u"Sets or returns the regular expression pattern being searched for.", kProperty},
    {u"Execute", u"Execute (string)",
     u"Executes a regular expression search against a specified string.", kMethod},
    {u"Replace", u"Replace( string1, string2)",
     u"Replaces text found in a regular expression search.", kMethod},
    {u"Test", u"Test (string)",
     u"Executes a regular expression search against a specified string and returns a "
     u"Boolean value that indicates if a pattern match was found.", kMethod},
};

constexpr BuiltinMemberRecord kMatchesRows[] = {
    {u"Count", u"Count Property", u"Returns the number of match object.", kProperty},
    {u"Item", u"Item Property", u"Returns a match object.", kProperty},
};

constexpr BuiltinMemberRecord kMatchRows[] = {
    {u"FirstIndex", u"FirstIndex Property",
     u"Returns the position in a search string where a match occurs.", kProperty},
    {u"Length", u"Length Property",
     u"Returns the length of a match found in a search string.", kProperty},
    {u"Submatches", u"Submatches Collection",
     u"Returns a collection of regular expression submatch strings.", kProperty},
    {u"Value", u"Value Property",
     u"Returns the value or text of a match found in a search string.", kProperty},
};

constexpr BuiltinMemberRecord kSubMatchesRows[] = {
    {u"Count", u"Count Property", u"Returns the number of submatch strings.", kProperty},
    {u"Item", u"Item Property", u"Returns a submatch string.", kProperty},
};

}  // namespace

constinit const BuiltinMemberTable ErrMembers{kErrRows};
constinit const BuiltinMemberTable DebugMembers{kDebugRows};
constinit const BuiltinMemberTable RegExpMembers{kRegExpRows};
constinit const BuiltinMemberTable MatchesMembers{kMatchesRows};
constinit const BuiltinMemberTable MatchMembers{kMatchRows};
constinit const BuiltinMemberTable SubMatchesMembers{kSubMatchesRows};

const BuiltinMemberRecord* FindMember(BuiltinMemberTable table, std::u16string_view name) {
  // From the end: a later row of the same name wins.
  for (auto row = table.rbegin(); row != table.rend(); ++row) {
    if (platform::EqualsIgnoringAsciiCase(row->name, name)) return &*row;
  }
  return nullptr;
}

std::optional<BuiltinMemberTable> MemberTableForPseudoType(std::u16string_view typeName) {
  struct SSelector {
    std::u16string_view typeName;
    const BuiltinMemberTable* table;
  };
  static constexpr SSelector kSelectors[] = {
      {kRegExpPseudoType, &RegExpMembers},   {kMatchesPseudoType, &MatchesMembers},
      {kMatchPseudoType, &MatchMembers},     {kSubMatchesPseudoType, &SubMatchesMembers},
      {u"err", &ErrMembers},                 {u"debug", &DebugMembers},
  };
  for (const SSelector& selector : kSelectors) {
    if (platform::EqualsIgnoringAsciiCase(selector.typeName, typeName)) return *selector.table;
  }
  return std::nullopt;
}

}  // namespace quillet::intellisense
