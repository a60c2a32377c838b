#include "engine/objects/regexp/RegExpClasses.h"

#include "engine/objects/regexp/RegExpLibrary.h"
#include "engine/objects/regexp/RegExpObject.h"

namespace quillet::engine {

namespace {

using namespace om;
using namespace om::types;

constexpr uint8_t kPure = member::kSideEffectFree;
constexpr uint8_t kInterfaceFlags = iface::kHidden | iface::kNonExtensible;

constexpr SParam kText[] = {In(u"", Bstr)};
constexpr SParam kFlag[] = {In(u"", Bool)};
constexpr SParam kSource[] = {In(u"sourceString", Bstr)};
constexpr SParam kReplaceText[] = {In(u"sourceString", Bstr), In(u"replaceString", Bstr)};
constexpr SParam kReplaceVariant[] = {In(u"sourceString", Bstr), In(u"replaceVar", Variant)};
constexpr SParam kIndex[] = {In(u"index", Long)};

// Both RegExp interfaces share these; only Replace's second parameter and Multiline differ.
constexpr SMember kPatternGet = Get(u"Pattern", regexp_id::Pattern, Bstr, {}, u"The pattern searched for.", kPure);
constexpr SMember kPatternLet = Let(u"Pattern", regexp_id::Pattern, kText, u"Sets the pattern searched for.");
constexpr SMember kIgnoreCaseGet =
    Get(u"IgnoreCase", regexp_id::IgnoreCase, Bool, {}, u"Whether letters match without regard to case.", kPure);
constexpr SMember kIgnoreCaseLet =
    Let(u"IgnoreCase", regexp_id::IgnoreCase, kFlag, u"Sets whether letters match without regard to case.");
constexpr SMember kGlobalGet =
    Get(u"Global", regexp_id::Global, Bool, {}, u"Whether a search finds every match or only the first.", kPure);
constexpr SMember kGlobalLet =
    Let(u"Global", regexp_id::Global, kFlag, u"Sets whether a search finds every match or only the first.");
constexpr SMember kExecute = Method(u"Execute", regexp_id::Execute, Dispatch, kSource,
                                    u"Searches a text and returns the matches found as a collection.");
constexpr SMember kTest =
    Method(u"Test", regexp_id::Test, Bool, kSource, u"Tells whether the pattern matches somewhere in a text.");

constexpr SMember kRegExpMembers[] = {
    kPatternGet, kPatternLet, kIgnoreCaseGet, kIgnoreCaseLet, kGlobalGet, kGlobalLet, kExecute, kTest,
    Method(u"Replace", regexp_id::Replace, Bstr, kReplaceText, u"A copy of a text with the matches replaced."),
};

constexpr SMember kRegExp2Members[] = {
    kPatternGet, kPatternLet, kIgnoreCaseGet, kIgnoreCaseLet, kGlobalGet, kGlobalLet,
    Get(u"Multiline", regexp_id::Multiline, Bool, {}, u"Whether ^ and $ also match at line breaks.", kPure),
    Let(u"Multiline", regexp_id::Multiline, kFlag, u"Sets whether ^ and $ also match at line breaks."),
    kExecute, kTest,
    Method(u"Replace", regexp_id::Replace, Bstr, kReplaceVariant,
           u"A copy of a text with the matches replaced by a text or by what a function returns for each."),
};

constexpr SMember kMatch2Members[] = {
    Get(u"Value", match_id::Value, Bstr, {}, u"The text that matched.", kPure),
    Get(u"FirstIndex", match_id::FirstIndex, Long, {}, u"Where the match starts in the text, counted from 0.",
        kPure),
    Get(u"Length", match_id::Length, Long, {}, u"The length of the text that matched.", kPure),
    Get(u"SubMatches", match_id::SubMatches, Dispatch, {}, u"What each group of the pattern matched.", kPure),
};
// The first Match interface is the second without SubMatches.
constexpr std::span<const SMember> kMatchMembers = std::span(kMatch2Members).first(3);

constexpr SMember kMatchCollectionMembers[] = {
    Get(u"Item", collection_id::Item, Dispatch, kIndex, u"One match, counted from 0."),
    Get(u"Count", collection_id::Count, Long, {}, u"The number of matches.", kPure),
    Get(u"_NewEnum", collection_id::NewEnum, Unknown, {}, u"Walks the matches for For Each."),
};

constexpr SMember kSubMatchesMembers[] = {
    Get(u"Item", collection_id::Item, Variant, kIndex,
        u"The text one group matched, counted from 0; Empty when the group took no part."),
    Get(u"Count", collection_id::Count, Long, {}, u"The number of groups in the pattern.", kPure),
    Get(u"_NewEnum", collection_id::NewEnum, Unknown, {}, u"Walks the groups for For Each."),
};

constexpr std::u16string_view kRegExpProgIds[] = {u"VBScript.RegExp"};

CDispatchObject* NewRegExp() { return new CRegExpObject(); }

}  // namespace

constinit const SInterface kRegExpInterface{u"IRegExp", Guid("3F4DACA0-160D-11D2-A8E9-00104B365C9F"),
                                            kRegExpMembers, u"A regular expression, first version.",
                                            kInterfaceFlags};
constinit const SInterface kRegExp2Interface{u"IRegExp2", Guid("3F4DACB0-160D-11D2-A8E9-00104B365C9F"),
                                             kRegExp2Members, u"A regular expression and the searches it makes.",
                                             kInterfaceFlags};
constinit const SInterface kMatchInterface{u"IMatch", Guid("3F4DACA1-160D-11D2-A8E9-00104B365C9F"),
                                           kMatchMembers, u"One match, first version.", kInterfaceFlags};
constinit const SInterface kMatch2Interface{u"IMatch2", Guid("3F4DACB1-160D-11D2-A8E9-00104B365C9F"),
                                            kMatch2Members, u"One match of a search and its groups.",
                                            kInterfaceFlags};
constinit const SInterface kMatchCollectionInterface{u"IMatchCollection",
                                                     Guid("3F4DACA2-160D-11D2-A8E9-00104B365C9F"),
                                                     kMatchCollectionMembers, u"The matches of a search, first version.",
                                                     kInterfaceFlags};
constinit const SInterface kMatchCollection2Interface{u"IMatchCollection2",
                                                      Guid("3F4DACB2-160D-11D2-A8E9-00104B365C9F"),
                                                      kMatchCollectionMembers, u"The matches one search found.",
                                                      kInterfaceFlags};
constinit const SInterface kSubMatchesInterface{u"ISubMatches", Guid("3F4DACB3-160D-11D2-A8E9-00104B365C9F"),
                                                kSubMatchesMembers, u"What each group of a pattern matched.",
                                                kInterfaceFlags};

constinit const SClass kRegExpClass{
    .name = u"RegExp",
    .clsid = Guid("3F4DACA4-160D-11D2-A8E9-00104B365C9F"),
    .library = &kRegExpLibrary,
    .defaultInterface = &kRegExp2Interface,
    .typeName = u"IRegExp2",
    .progIds = kRegExpProgIds,
    .server = EServer::InProcess,
    .create = NewRegExp,
    .help = u"A regular expression that searches and replaces in text.",
};
constinit const SClass kMatchClass{
    .name = u"Match",
    .clsid = Guid("3F4DACA5-160D-11D2-A8E9-00104B365C9F"),
    .library = &kRegExpLibrary,
    .defaultInterface = &kMatch2Interface,
    .typeName = u"IMatch2",
    .help = u"One match of a regular expression.",
};
constinit const SClass kMatchCollectionClass{
    .name = u"MatchCollection",
    .clsid = Guid("3F4DACA6-160D-11D2-A8E9-00104B365C9F"),
    .library = &kRegExpLibrary,
    .defaultInterface = &kMatchCollection2Interface,
    .typeName = u"IMatchCollection2",
    .help = u"The matches Execute found.",
};
constinit const SClass kSubMatchesClass{
    .name = u"SubMatches",
    .clsid = Guid("3F4DACC0-160D-11D2-A8E9-00104B365C9F"),
    .library = &kRegExpLibrary,
    .defaultInterface = &kSubMatchesInterface,
    .typeName = u"ISubMatches",
    .help = u"The texts the groups of a pattern matched.",
};

}  // namespace quillet::engine
