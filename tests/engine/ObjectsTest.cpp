// RegExp and Scripting.Dictionary as scripts use them: the replacement forms and empty-match
// rules that are easy to get subtly wrong, the errors scripts test for, the bound on runaway
// patterns, the key identity rules of the dictionary and its store under heavy removal.

#include <gtest/gtest.h>

#include <chrono>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "engine/host/TextStream.h"
#include "engine/host/WScriptObject.h"
#include "engine/runtime/DispatchObject.h"
#include "engine/runtime/ObjectRegistry.h"
#include "engine/runtime/PropertyListing.h"
#include "engine/runtime/SafeArray.h"
#include "engine/vm/ScriptEngine.h"
#include "engine/runtime/ScriptError.h"
#include "engine/objects/scripting/KeyedTable.h"
#include "platform/TextConvert.h"
#include "ScriptLog.h"

namespace quillet::engine {
namespace {

std::string Replace(std::u16string_view pattern, std::u16string_view subject, std::u16string_view with,
                    bool global = true) {
  return RunLogged(u"Set re = New RegExp\nre.Pattern = \"" + std::u16string(pattern) + u"\"\nre.Global = " +
             (global ? u"True" : u"False") + u"\nLog re.Replace(\"" + std::u16string(subject) + u"\", \"" +
             std::u16string(with) + u"\")\n");
}

TEST(RegExp, ReplacementForms) {
  EXPECT_EQ(Replace(u"(\\w+) (\\w+)", u"ab cd", u"$2 $1"), "cd ab\n");
  EXPECT_EQ(Replace(u"b", u"abc", u"[$&|$`|$'|$$]"), "a[b|a|c|$]c\n");
  // Two digits only name a group that exists; otherwise one digit and a literal digit.
  EXPECT_EQ(Replace(u"(a)(b)(c)(d)(e)(f)(g)(h)(i)(j)(k)", u"abcdefghijk", u"$11-$10-$12-$1"), "k-j-a2-a\n");
  EXPECT_EQ(Replace(u"(a)", u"a", u"$2$0$"), "$2$0$\n");
  // A group that took no part is empty text.
  EXPECT_EQ(Replace(u"(x)?b", u"ab", u"[$1]"), "a[]\n");
  EXPECT_EQ(Replace(u"o", u"foo boo", u"0", false), "f0o boo\n");
  EXPECT_EQ(Replace(u"o", u"foo boo", u"0"), "f00 b00\n");
}

TEST(RegExp, EmptyMatchesAdvanceOneUnit) {
  EXPECT_EQ(Replace(u"x*", u"abc", u"-"), "-a-b-c-\n");
  EXPECT_EQ(Replace(u"a*", u"baaac", u"-"), "-b--c-\n");
  EXPECT_EQ(Replace(u"a*", u"baaac", u"-", false), "-baaac\n");
  EXPECT_EQ(RunLogged(u"Set re = New RegExp : re.Global = True\n"
                u"For Each m In re.Execute(\"ab\") : Log m.FirstIndex, m.Length : Next\n"),
            "0 0\n1 0\n2 0\n");
  // A lone surrogate is one character like any other.
  EXPECT_EQ(RunLogged(u"Set re = New RegExp : re.Pattern = \".\" : re.Global = True\n"
                u"Log re.Execute(ChrW(&HD83D) & \"a\" & ChrW(&HD83D) & ChrW(&HDE00)).Count\n"),
            "4\n");
}

TEST(RegExp, MatchesAndSubMatches) {
  EXPECT_EQ(RunLogged(u"Set re = New RegExp\nre.Pattern = \"(\\d+)(x)?(y)?\" : re.Global = True\n"
                u"Set ms = re.Execute(\"a1x b22y\")\n"
                u"Log TypeName(re), TypeName(ms), TypeName(ms(0)), TypeName(ms(0).SubMatches), ms.Count\n"
                u"For Each m In ms\n"
                u"  Log m, m.Value, m.FirstIndex, m.Length, m.SubMatches.Count\n"
                u"  For Each s In m.SubMatches : Log TypeName(s), s : Next\n"
                u"Next\n"
                u"Log ms(1).SubMatches(0), ms.Item(0) Is ms.Item(0)\n"
                u"x = ms(2)\n"),
            "IRegExp2 IMatchCollection2 IMatch2 ISubMatches 2\n"
            "1x 1x 1 2 3\nString 1\nString x\nEmpty \n"
            "22y 22y 5 3 3\nString 22\nEmpty \nString y\n"
            "22 True\nerror 5");
  EXPECT_EQ(RunLogged(u"Set re = New RegExp : re.Pattern = \"o\"\n"
                u"Log re.Execute(\"foo\").Count, re.Test(\"foo\"), re.Test(\"bar\")\n"),
            "1 True False\n");
}

TEST(RegExp, FlagsRecompileThePattern) {
  EXPECT_EQ(RunLogged(u"Set re = CreateObject(\"VBScript.RegExp\")\nre.Pattern = \"^b$\"\n"
                u"Log re.Test(\"a\" & vbLf & \"B\")\n"
                u"re.IgnoreCase = True : Log re.Test(\"a\" & vbLf & \"B\")\n"
                u"re.Multiline = True : Log re.Test(\"a\" & vbLf & \"B\")\n"
                u"re.IgnoreCase = False : Log re.Test(\"a\" & vbLf & \"B\"), re.IgnoreCase, re.Multiline\n"
                u"re.Pattern = \"a$\" : re.Multiline = False : Log re.Test(\"a\" & vbLf)\n"
                u"re.IgnoreCase = True : re.Pattern = ChrW(&H436) : Log re.Test(ChrW(&H416))\n"),
            "False\nFalse\nTrue\nFalse False True\nFalse\nTrue\n");
}

TEST(RegExp, BadPatternsFailAtFirstUseWithTheirErrors) {
  const std::pair<const char16_t*, const char*> cases[] = {
      {u"(a", "error 5020"}, {u"[a", "error 5019"}, {u"*a", "error 5018"},
      {u"a{3,1}", "error 5018"}, {u"[z-a]", "error 5021"}, {u"a)", "error 5017"}, {u"a\\", "error 5017"},
  };
  for (const auto& [pattern, expected] : cases) {
    EXPECT_EQ(RunLogged(u"Set re = New RegExp\nre.Pattern = \"" + std::u16string(pattern) + u"\"\nLog re.Pattern\nre.Test \"a\"\n"),
              platform::Utf16ToUtf8(pattern) + "\n" + expected);
  }
  EXPECT_EQ(RunLogged(u"Set re = New RegExp\nOn Error Resume Next\nre.Pattern = \"(\"\nre.Test \"a\"\n"
                u"Log Err.Number, Err.Description\n"),
            "5020 Expected ')' in regular expression\n");
}

TEST(RegExp, RunawayBacktrackingEndsWithOutOfStackSpace) {
  const auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(RunLogged(u"Set re = New RegExp\nre.Pattern = \"(x+x+)+y\"\n"
                u"re.Test String(5000, \"x\") & \"z y\"\n"),
            "error 28");
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10));
}

TEST(RegExp, ReplacementFunctionFromGetRef) {
  EXPECT_EQ(RunLogged(u"Function F(m, g, at, all) : F = UCase(m) & at & IsEmpty(g) : End Function\n"
                u"Set re = New RegExp : re.Pattern = \"b(x)?\" : re.Global = True\n"
                u"Log re.Replace(\"abcb\", GetRef(\"F\"))\n"),
            "aB1TruecB3True\n");
  // The function may change the pattern it is being called from.
  EXPECT_EQ(RunLogged(u"Function F(m, at, all) : re.Pattern = \"zzz\" : F = \"-\" : End Function\n"
                u"Set re = New RegExp : re.Pattern = \"b\" : re.Global = True\n"
                u"Log re.Replace(\"abcb\", GetRef(\"F\")), re.Pattern\n"),
            "a-c- zzz\n");
}

TEST(RegExp, NewFindsScriptClassesFirst) {
  EXPECT_EQ(RunLogged(u"Class RegExp : Public Pattern : End Class\nSet r = New RegExp : Log TypeName(r)\n"), "RegExp\n");
  EXPECT_EQ(RunLogged(u"Set r = New Dictionary\n"), "error 506");
}

TEST(Dictionary, KeysCompareByValueAndKindOfValue) {
  EXPECT_EQ(RunLogged(u"Set d = CreateObject(\"Scripting.Dictionary\")\n"
                u"d.Add 1, \"int\" : d.Add \"1\", \"text\" : d.Add Empty, \"empty\" : d.Add Null, \"null\"\n"
                u"Log d(1.0), d(CByte(1)), d(CCur(1)), d(\"1\"), d(Empty), d(Null), d.Count\n"
                u"Set o = New RegExp : Set p = New RegExp\n"
                u"d.Add o, \"o\" : d.Add p, \"p\" : Log d(o), d(p), d.Exists(New RegExp)\n"
                u"d.Add -0.0, \"zero\" : Log d(0)\n"
                u"Log d.Exists(\"A\"), TypeName(d), TypeName(d.Keys()(0))\n"
                u"d.Add 1.0, \"again\"\n"),
            "int int int text empty null 4\no p False\nzero\nFalse Dictionary Integer\nerror 457");
}

TEST(Dictionary, ReadingAMissingKeyAddsIt) {
  EXPECT_EQ(RunLogged(u"Set d = CreateObject(\"Scripting.Dictionary\")\n"
                u"x = d(\"a\") : Log IsEmpty(x), d.Count, d.Exists(\"a\")\n"
                u"d(\"a\") = 5 : d.Item(\"b\") = 6 : Set d(\"c\") = d\n"
                u"Log d(\"a\"), d(\"b\"), TypeName(d(\"c\")), d.Count, Join(d.Keys, \",\")\n"
                u"Set d(\"c\") = Nothing\n"),
            "True 1 True\n5 6 Dictionary 3 a,b,c\n");
}

TEST(Dictionary, KeyRemoveAndTheirErrors) {
  EXPECT_EQ(RunLogged(u"Set d = CreateObject(\"Scripting.Dictionary\")\n"
                u"d.Add \"a\", 1 : d.Add \"b\", 2 : d.Add \"c\", 3\n"
                u"d.Key(\"b\") = \"z\" : Log Join(d.Keys, \",\"), d(\"z\")\n"
                u"On Error Resume Next\n"
                u"d.Key(\"nope\") = \"y\" : Log Err.Number, Err.Description : Err.Clear\n"
                u"d.Key(\"a\") = \"c\" : Log Err.Number, Err.Description : Err.Clear\n"
                u"d.Remove \"nope\" : Log Err.Number : Err.Clear\n"
                u"x = d.Key(\"a\") : Log Err.Number : Err.Clear\n"
                u"d.Add Array(1), 1 : Log Err.Number : Err.Clear\n"
                u"d.Remove \"z\" : Log Join(d.Items, \",\"), d.Count\n"
                u"d.RemoveAll : Log d.Count, UBound(d.Keys)\n"),
            "a,z,c 2\n32811 Element not found\n"
            "457 This key is already associated with an element of this collection\n"
            "32811\n438\n13\n1,3 2\n0 -1\n");
}

TEST(Dictionary, CompareModeOnlyWhileEmpty) {
  EXPECT_EQ(RunLogged(u"Set d = CreateObject(\"Scripting.Dictionary\")\n"
                u"d.CompareMode = vbTextCompare\n"
                u"d(\"Straße\") = 1 : d(\"STRASSE\") = 2 : d(\"ÉTÉ\") = 3\n"
                u"Log d.Count, d.Exists(\"straße\"), d.Exists(\"été\"), d.CompareMode, Join(d.Keys, \",\")\n"
                u"d.CompareMode = 0\n"),
            "3 True True 1 Straße,STRASSE,ÉTÉ\nerror 5");
  EXPECT_EQ(RunLogged(u"Set d = CreateObject(\"Scripting.Dictionary\")\nd.CompareMode = -1\n"), "error 5");
}

TEST(Dictionary, ForEachWalksTheKeysAsTheyWere) {
  EXPECT_EQ(RunLogged(u"Set d = CreateObject(\"Scripting.Dictionary\")\n"
                u"d.Add \"x\", 1 : d.Add 2, 2 : d.Add \"y\", 3\n"
                u"For Each k In d : d.Remove k : d(k & \"!\") = 0 : Log k : Next\n"
                u"Log Join(d.Keys, \",\")\n"),
            "x\n2\ny\nx!,2!,y!\n");
}

TEST(Dictionary, RemovingMostKeysKeepsOrderAndLookups) {
  EXPECT_EQ(RunLogged(u"Set d = CreateObject(\"Scripting.Dictionary\")\n"
                u"For i = 1 To 20000 : d.Add i, i * 2 : Next\n"
                u"For i = 1 To 20000 : If i Mod 100 <> 0 Then d.Remove i\n"
                u"Next\n"
                u"k = d.Keys : Log d.Count, k(0), k(199), d(20000), d.Exists(150)\n"
                u"For Each k In d.Keys : d.Remove k : Next : Log d.Count\n"),
            "200 100 20000 40000 False\n0\n");
}

// The store against a plain model under a random mix of every operation.
TEST(Dictionary, StoreMatchesAModelUnderRandomOperations) {
  std::mt19937 random(7);
  CKeyedTable table;
  std::map<int32_t, int32_t> model;
  std::vector<int32_t> order;  // the model's insertion order
  for (int step = 0; step < 60000; ++step) {
    const int32_t key = static_cast<int32_t>(random() % 3000);
    const size_t at = table.Find(CVariant::Long(key));
    ASSERT_EQ(at != CKeyedTable::npos, model.count(key) == 1);
    switch (random() % 4) {
      case 0: case 1:
        if (at == CKeyedTable::npos) {
          table.Insert(CVariant::Long(key), CVariant::Long(step));
          model[key] = step;
          order.push_back(key);
        }
        break;
      case 2:
        if (at != CKeyedTable::npos) {
          table.Erase(at);
          model.erase(key);
          std::erase(order, key);
        }
        break;
      default: {
        const int32_t renamed = key + 3000;  // never a key otherwise, so never present
        if (at != CKeyedTable::npos && model.count(renamed) == 0) {
          table.Rekey(at, CVariant::Long(renamed));
          model[renamed] = model[key];
          model.erase(key);
          *std::find(order.begin(), order.end(), key) = renamed;
        }
      }
    }
  }
  ASSERT_EQ(table.Count(), model.size());
  std::vector<int32_t> seen;
  for (const auto& entry : table.Entries()) {
    if (!entry.live) continue;
    seen.push_back(entry.key.AsLong());
    EXPECT_EQ(entry.item.AsLong(), model[entry.key.AsLong()]);
  }
  EXPECT_EQ(seen, order);
}

TEST(Objects, RegistryTakesHostClassesAndRefusesUnknownProgIds) {
  CScriptEngine engine;
  engine.Runtime().creatable.Register(u"Host.Log", [] { return new CLogObject(); });
  EXPECT_EQ(RunLogged(u"Set o = CreateObject(\"HOST.LOG\") : Log TypeName(o)\n"
                u"Set g = GetObject(\"\", \"Scripting.Dictionary\") : Log TypeName(g)\n"
                u"On Error Resume Next\n"
                u"Set x = CreateObject(\"No.Such\") : Log Err.Number : Err.Clear\n"
                u"Set x = GetObject(\"Scripting.Dictionary\") : Log Err.Number : Err.Clear\n"
                u"Set x = CreateObject(Null) : Log Err.Number : Err.Clear\n",
                &engine),
            "Log\nDictionary\n429\n429\n94\n");
}

// What the declarations decide before an object sees a call: names in any case, the kind of
// member asked for, the number of arguments, missing ones, and arguments passed on to the
// object a parameterless member returns (but never to an array it returns).
TEST(Objects, CallsAreCheckedAgainstTheDeclarations) {
  EXPECT_EQ(RunLogged(u"Set d = CreateObject(\"Scripting.Dictionary\")\n"
                u"d.ADD \"k\", 1 : Log d.count, D.ITEM(\"k\"), TypeName(d.HashVal(\"k\")), d.Count\n"
                u"Set re = New RegExp : re.Pattern = \"(a)(b)\"\n"
                u"Log re.Execute(\"xab\")(0).SubMatches(1), re.execute(\"xab\").Item(0).FIRSTINDEX\n"
                u"On Error Resume Next\n"
                u"d.Count = 2 : Log \"assign a getter\", Err.Number : Err.Clear\n"
                u"re.Test = 1 : Log \"assign a method\", Err.Number : Err.Clear\n"
                u"Set re.Pattern = re : Log \"set a let\", Err.Number : Err.Clear\n"
                u"x = d.Nope : Log \"no member\", Err.Number : Err.Clear\n"
                u"d.Add \"only\" : Log \"too few\", Err.Number : Err.Clear\n"
                u"x = re.Test(\"a\", \"b\") : Log \"too many\", Err.Number : Err.Clear\n"
                u"x = d.Count(1) : Log \"count(1)\", Err.Number : Err.Clear\n"
                u"x = d.Keys(0) : Log \"keys(0)\", Err.Number : Err.Clear\n"
                u"d.Add , 1 : Log \"missing\", Err.Number : Err.Clear\n"
                u"Log d.Count\n"),
            "1 1 Long 1\nb 1\nassign a getter 438\nassign a method 438\nset a let 438\nno member 438\n"
            "too few 450\ntoo many 450\ncount(1) 450\nkeys(0) 450\nmissing 449\n1\n");
}

std::string Listed(CDispatchObject& object) {
  std::string out;
  for (const SPropertyValue& property : ListSideEffectFreeProperties(object)) {
    const CVariant& value = property.value;
    out += platform::Utf16ToUtf8(property.name) + "=" +
           (value.IsObject() ? platform::Utf16ToUtf8(value.AsObject()->TypeName()) : platform::Utf16ToUtf8(value.ToString())) +
           " ";
  }
  return out;
}

CVariant Call(const CVariant& object, std::u16string_view member, std::vector<CVariant> args = {}) {
  return object.AsObject()->Invoke(member, EInvokeKind::Get, args);
}

// The debugger's view: getters free of side effects only, so that looking at a dictionary
// never adds a key and looking at standard input never waits for the user.
TEST(Objects, DebuggerListsOnlyGettersFreeOfSideEffects) {
  const CObjectRegistry classes;
  const CVariant d = classes.Create(u"Scripting.Dictionary");
  EXPECT_EQ(Listed(*d.AsObject()), "Count=0 CompareMode=0 ");
  EXPECT_EQ(Call(d, u"Count").AsLong(), 0);

  const CVariant re = classes.Create(u"VBScript.RegExp");
  CVariant pattern = CVariant::String(u"a(b)");
  re.AsObject()->Invoke(u"Pattern", EInvokeKind::Let, std::span<CVariant>(&pattern, 1));
  EXPECT_EQ(Listed(*re.AsObject()), "Pattern=a(b) IgnoreCase=False Global=False Multiline=False ");
  const CVariant match = Call(Call(re, u"Execute", {CVariant::String(u"xab")}), u"", {CVariant::Long(0)});
  EXPECT_EQ(Listed(*match.AsObject()), "Value=ab FirstIndex=1 Length=2 SubMatches=ISubMatches ");

  const CVariant input = CVariant::Object(new host::CTextStream(nullptr, stdin));
  EXPECT_EQ(Listed(*input.AsObject()), "Line=1 Column=1 ");

  // The windowed host has no console streams: their getters fail and are left out.
  host::COutputStream out(stdout, false);
  host::SHostInfo info;
  info.scriptName = u"a.vbs";
  info.windowed = true;
  const CVariant wscript = CVariant::Object(new host::CWScriptObject(info, out, out));
  const std::string listed = Listed(*wscript.AsObject());
  EXPECT_NE(listed.find("ScriptName=a.vbs "), std::string::npos) << listed;
  EXPECT_NE(listed.find("Arguments=Object "), std::string::npos) << listed;
  EXPECT_EQ(listed.find("Std"), std::string::npos) << listed;

  CLogObject script;  // not declared in the object model: nothing to list
  EXPECT_EQ(Listed(script), "");
}

// Every member with every kind of hostile argument: a value or a script error, nothing else.
TEST(Objects, HostileArgumentsEndInScriptErrors) {
  const std::u16string samples[] = {
      u"Empty", u"Null", u"Nothing", u"Array(1, Array(2))", u"String(1000000, \"(\")", u"-1", u"1E+300",
      // Never the dictionary itself: a dictionary holding itself is a cycle nothing frees.
      u"re", u"\"$99$&$\"", u"\"[\"", u"GetRef(\"F\")", u"CDate(1)",
  };
  const std::u16string calls[] = {
      u"x = re.Test(@)", u"x = re.Replace(@, #)", u"Set x = re.Execute(@) : y = x(#)", u"re.Pattern = @",
      u"re.Global = @",  u"d.Add @, #",           u"x = d(@)",                            u"d(@) = #",
      u"d.Key(@) = #",   u"d.Remove @",           u"d.CompareMode = @",                   u"x = d.Exists(@)",
      u"x = re.Execute(\"ab\")(0).SubMatches(@)",
  };
  std::u16string script = u"Function F(a, b, c) : F = a : End Function\n"
                          u"Set d = CreateObject(\"Scripting.Dictionary\")\nSet re = New RegExp\n"
                          u"re.Pattern = \"(a)|b\" : re.Global = True\nOn Error Resume Next\n";
  for (const auto& call : calls) {
    for (const auto& a : samples) {
      for (const auto& b : {u"1", u"Null", u"Nothing", u"\"$1\""}) {
        std::u16string line = call;
        line.replace(line.find(u'@'), 1, a);
        if (const size_t at = line.find(u'#'); at != std::u16string::npos) line.replace(at, 1, b);
        script += line + u" : Err.Clear\n";
      }
    }
  }
  script += u"Log \"survived\"\n";
  EXPECT_EQ(RunLogged(script), "survived\n");
}

}  // namespace
}  // namespace quillet::engine
