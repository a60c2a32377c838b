// The random generator, the locale and the functions that follow it, called directly under a
// runtime state of the test's own, so that the user's environment never decides a result.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/library/Builtins.h"
#include "engine/library/LocaleTable.h"
#include "engine/vm/RuntimeState.h"
#include "engine/runtime/ScriptError.h"

namespace quillet::engine {
namespace {

CVariant Call(std::u16string_view name, std::vector<CVariant> args) {
  const int index = FindBuiltin(name);
  EXPECT_GE(index, 0) << std::string(name.begin(), name.end());
  return CallBuiltin(index, args);
}

int ErrorOf(std::u16string_view name, std::vector<CVariant> args) {
  try {
    (void)Call(name, std::move(args));
  } catch (const CScriptError& e) {
    return e.Number();
  }
  return 0;
}

std::u16string Text(std::u16string_view name, std::vector<CVariant> args) {
  return std::u16string(Call(name, std::move(args)).AsString());
}

CVariant S(std::u16string_view text) { return CVariant::String(text); }
CVariant L(int32_t value) { return CVariant::Long(value); }
CVariant D(double value) { return CVariant::Double(value); }
const CVariant kSkip = CVariant::Missing();

// Each test starts from a fresh generator under a fixed locale.
class FormatTest : public ::testing::Test {
 protected:
  void UseLocale(uint32_t lcid) { m_state.localeId = lcid; }
  // CStr of a Single, as a script prints it.
  static std::u16string Drawn(const CVariant& value) {
    EXPECT_EQ(value.Type(), EVarType::Single);
    return value.ToString();
  }
  std::vector<std::u16string> Draw(int count) {
    std::vector<std::u16string> values;
    for (int i = 0; i < count; ++i) values.push_back(Drawn(Call(u"rnd", {})));
    return values;
  }

  SRuntimeState m_state;
  CRuntimeScope m_scope{m_state};
};

using V = std::vector<std::u16string>;

TEST_F(FormatTest, RndFollowsWindowsSequence) {
  EXPECT_EQ(Draw(3), (V{u"0.7055475", u"0.533424", u"0.5795186"}));
  EXPECT_EQ(Drawn(Call(u"rnd", {L(0)})), u"0.5795186");
  const std::u16string next = Drawn(Call(u"rnd", {L(5)}));
  EXPECT_EQ(Drawn(Call(u"rnd", {L(0)})), next);
  EXPECT_EQ(Drawn(Call(u"rnd", {L(-1)})), u"0.224007");
  EXPECT_EQ(Drawn(Call(u"rnd", {D(-1)})), u"0.224007");
}

TEST_F(FormatTest, NegativeRndThenRandomizeRepeatsASequence) {
  for (int round = 0; round < 2; ++round) {
    (void)Call(u"rnd", {L(-1)});
    (void)Call(u"randomize", {L(1)});
    EXPECT_EQ(Draw(3), (V{u"0.3335753", u"0.06816387", u"0.5938293"}));
    (void)Call(u"rnd", {L(-1)});
    (void)Call(u"randomize", {L(10)});
    EXPECT_EQ(Draw(3), (V{u"0.1436949", u"0.200305", u"0.509906"}));
  }
  // Without the reseed, the same Randomize continues from wherever the state is.
  (void)Call(u"randomize", {L(10)});
  EXPECT_NE(Draw(1), V{u"0.1436949"});
}

TEST_F(FormatTest, RndArgumentsThatAreNoNumbers) {
  EXPECT_EQ(ErrorOf(u"rnd", {CVariant::Null()}), 94);
  EXPECT_EQ(ErrorOf(u"rnd", {S(u"x")}), 13);
  EXPECT_EQ(ErrorOf(u"randomize", {CVariant::Null()}), 94);
  EXPECT_EQ(ErrorOf(u"rnd", {D(-1e300)}), 6);
  EXPECT_EQ(Drawn(Call(u"rnd", {S(u"-1")})), u"0.224007");
  EXPECT_EQ(ErrorOf(u"randomize", {}), 0);
  EXPECT_LT(m_state.rndSeed, 1u << 24);
}

TEST(Locale, PosixNamesMapToTheTable) {
  EXPECT_EQ(LocaleIdFromPosixName("de_DE.UTF-8"), 1031u);
  EXPECT_EQ(LocaleIdFromPosixName("fr_FR@euro"), 1036u);
  EXPECT_EQ(LocaleIdFromPosixName("en_GB"), 2057u);
  EXPECT_EQ(LocaleIdFromPosixName("pt_BR.utf8"), 1046u);
  EXPECT_EQ(LocaleIdFromPosixName("de_AT.UTF-8"), 1031u);  // the language's locale
  EXPECT_EQ(LocaleIdFromPosixName("C"), 1033u);
  EXPECT_EQ(LocaleIdFromPosixName("POSIX"), 1033u);
  EXPECT_EQ(LocaleIdFromPosixName("C.UTF-8"), 1033u);
  EXPECT_EQ(LocaleIdFromPosixName(""), 1033u);
  EXPECT_EQ(LocaleIdFromPosixName("xx_YY"), 1033u);
}

TEST_F(FormatTest, SetLocaleReturnsThePreviousAndRejectsUnknown) {
  EXPECT_EQ(Call(u"getlocale", {}).AsLong(), 1033);
  EXPECT_EQ(Call(u"setlocale", {S(u"DE-de")}).AsLong(), 1033);
  EXPECT_EQ(Call(u"setlocale", {L(1049)}).AsLong(), 1031);
  EXPECT_EQ(Call(u"setlocale", {S(u"sv")}).AsLong(), 1049);
  EXPECT_EQ(Call(u"getlocale", {}).Type(), EVarType::Long);
  EXPECT_EQ(Call(u"getlocale", {}).AsLong(), 1053);
  EXPECT_EQ(ErrorOf(u"setlocale", {S(u"xx-yy")}), 5);
  EXPECT_EQ(ErrorOf(u"setlocale", {L(12345)}), 5);
  EXPECT_EQ(ErrorOf(u"setlocale", {CVariant::Null()}), 94);
  EXPECT_EQ(Call(u"getlocale", {}).AsLong(), 1053);  // a failed call changes nothing
  (void)Call(u"setlocale", {L(0)});
  EXPECT_EQ(Call(u"getlocale", {}).AsLong(), static_cast<int32_t>(SystemLocaleId()));
}

TEST_F(FormatTest, FormatNumberUnderEnglish) {
  EXPECT_EQ(Text(u"formatnumber", {D(1234.5)}), u"1,234.50");
  EXPECT_EQ(Text(u"formatnumber", {D(-0.5)}), u"-0.50");
  EXPECT_EQ(Text(u"formatnumber", {D(0.5), kSkip, L(0)}), u".50");
  EXPECT_EQ(Text(u"formatnumber", {L(-1), kSkip, kSkip, L(-1)}), u"(1.00)");
  EXPECT_EQ(Text(u"formatnumber", {L(1000000), kSkip, kSkip, kSkip, L(0)}), u"1000000.00");
  EXPECT_EQ(Text(u"formatnumber", {D(1234.5), L(0)}), u"1,235");
  EXPECT_EQ(Text(u"formatnumber", {D(1e20)}), u"100,000,000,000,000,000,000.00");
  EXPECT_EQ(Text(u"formatnumber", {CVariant::CurrencyScaled(INT64_MIN), L(4)}),
            u"-922,337,203,685,477.5808");
  EXPECT_EQ(Text(u"formatnumber", {S(u"$1,000")}), u"1,000.00");
  EXPECT_EQ(Text(u"formatnumber", {CVariant()}), u"0.00");
  EXPECT_EQ(Text(u"formatnumber", {CVariant::Boolean(true)}), u"-1.00");
}

TEST_F(FormatTest, RoundingIsHalfAwayFromZeroOnTheShownDigits) {
  EXPECT_EQ(Text(u"formatnumber", {D(0.125)}), u"0.13");
  EXPECT_EQ(Text(u"formatnumber", {D(-0.125)}), u"-0.13");
  EXPECT_EQ(Text(u"formatnumber", {D(1.005)}), u"1.01");
  EXPECT_EQ(Text(u"formatnumber", {D(999.995)}), u"1,000.00");
  EXPECT_EQ(Text(u"formatnumber", {D(2.5), L(0)}), u"3");
  EXPECT_EQ(Text(u"formatnumber", {D(0.5), L(0), L(0)}), u"1");
  EXPECT_EQ(Text(u"formatnumber", {D(0.4), L(0), L(0)}), u"");
  // A negative value that rounds to zero loses its sign.
  EXPECT_EQ(Text(u"formatnumber", {D(-0.004)}), u"0.00");
  EXPECT_EQ(Text(u"formatnumber", {CVariant::Single(0.1F), L(10)}), u"0.1000000000");
}

TEST_F(FormatTest, FormatNumberArgumentErrors) {
  EXPECT_EQ(ErrorOf(u"formatnumber", {CVariant::Null()}), 13);
  EXPECT_EQ(ErrorOf(u"formatnumber", {S(u"abc")}), 13);
  EXPECT_EQ(ErrorOf(u"formatnumber", {L(1), L(-2)}), 5);
  EXPECT_EQ(ErrorOf(u"formatnumber", {L(1), L(256)}), 5);
  EXPECT_EQ(ErrorOf(u"formatnumber", {L(1), CVariant::Null()}), 94);
  EXPECT_EQ(ErrorOf(u"formatcurrency", {CVariant::Null()}), 13);
  EXPECT_EQ(ErrorOf(u"formatpercent", {CVariant::Null()}), 13);
  EXPECT_EQ(ErrorOf(u"formatdatetime", {CVariant::Null()}), 13);
}

TEST_F(FormatTest, CurrencyAndPercentPatterns) {
  EXPECT_EQ(Text(u"formatcurrency", {D(-1234.5)}), u"($1,234.50)");
  EXPECT_EQ(Text(u"formatcurrency", {D(1234.5)}), u"$1,234.50");
  EXPECT_EQ(Text(u"formatcurrency", {D(-1), kSkip, kSkip, L(0)}), u"-$1.00");
  EXPECT_EQ(Text(u"formatpercent", {D(0.256)}), u"25.60%");
  EXPECT_EQ(Text(u"formatpercent", {D(-0.5), kSkip, kSkip, L(-1)}), u"(50.00%)");
  EXPECT_EQ(Text(u"formatpercent", {CVariant::CurrencyScaled(1), L(2)}), u"0.01%");
  UseLocale(1031);
  EXPECT_EQ(Text(u"formatcurrency", {D(-1234.5)}), u"-1.234,50 \u20AC");
  EXPECT_EQ(Text(u"formatcurrency", {D(-1234.5), kSkip, kSkip, L(-1)}), u"(1.234,50 \u20AC)");
  EXPECT_EQ(Text(u"formatnumber", {D(1234567.891)}), u"1.234.567,89");
  EXPECT_EQ(Text(u"formatpercent", {D(0.256)}), u"25,60%");
  UseLocale(1043);
  EXPECT_EQ(Text(u"formatcurrency", {D(-1234.5)}), u"\u20AC -1.234,50");
  UseLocale(1041);
  EXPECT_EQ(Text(u"formatcurrency", {D(-1234.5)}), u"-\u00A51,235");
  UseLocale(1053);
  EXPECT_EQ(Text(u"formatcurrency", {D(1234.5)}), u"1\u00A0234,50 kr");
}

TEST_F(FormatTest, FormatDateTimeNamedFormats) {
  const CVariant date = Call(u"cdate", {S(u"2026-12-06 13:05:09")});
  EXPECT_EQ(Text(u"formatdatetime", {date, L(1)}), u"Sunday, December 6, 2026");
  EXPECT_EQ(Text(u"formatdatetime", {date, L(2)}), u"12/6/2026");
  EXPECT_EQ(Text(u"formatdatetime", {date, L(3)}), u"1:05:09 PM");
  EXPECT_EQ(Text(u"formatdatetime", {date, L(4)}), u"13:05");
  EXPECT_EQ(Text(u"formatdatetime", {date}), u"12/6/2026 1:05:09 PM");
  EXPECT_EQ(Text(u"formatdatetime", {CVariant::Date(46362)}), u"12/6/2026");
  EXPECT_EQ(Text(u"formatdatetime", {CVariant::Date(0.25)}), u"6:00:00 AM");
  EXPECT_EQ(Text(u"formatdatetime", {CVariant::Date(0)}), u"12:00:00 AM");
  EXPECT_EQ(Text(u"formatdatetime", {CVariant::Date(-1.25)}), u"12/29/1899 6:00:00 AM");
  EXPECT_EQ(Text(u"formatdatetime", {S(u"1/2/2003"), L(1)}), u"Thursday, January 2, 2003");
  EXPECT_EQ(ErrorOf(u"formatdatetime", {date, L(5)}), 5);
  EXPECT_EQ(ErrorOf(u"formatdatetime", {S(u"not a date")}), 13);
  EXPECT_EQ(ErrorOf(u"formatdatetime", {D(1e10)}), 5);
  UseLocale(1031);
  EXPECT_EQ(Text(u"formatdatetime", {date, L(1)}), u"Sonntag, 6. Dezember 2026");
  EXPECT_EQ(Text(u"formatdatetime", {date}), u"06.12.2026 13:05:09");
  UseLocale(1045);
  EXPECT_EQ(Text(u"formatdatetime", {date, L(1)}), u"6 grudnia 2026");
  UseLocale(3082);
  EXPECT_EQ(Text(u"formatdatetime", {date, L(1)}), u"domingo, 6 de diciembre de 2026");
  UseLocale(1041);
  EXPECT_EQ(Text(u"formatdatetime", {date, L(1)}), u"2026\u5E7412\u67086\u65E5");
}

TEST_F(FormatTest, DateValueAndTimeValueKeepOneHalf) {
  const CVariant both = S(u"2026-12-06 13:05:09");
  EXPECT_EQ(Call(u"datevalue", {both}).Type(), EVarType::Date);
  EXPECT_EQ(Call(u"datevalue", {both}).AsDouble(), 46362.0);
  EXPECT_NEAR(Call(u"timevalue", {both}).AsDouble(), (13 * 3600 + 5 * 60 + 9) / 86400.0, 1e-12);
  EXPECT_EQ(Call(u"datevalue", {CVariant::Date(-1.25)}).AsDouble(), -1.0);
  EXPECT_EQ(Call(u"timevalue", {CVariant::Date(-1.25)}).AsDouble(), 0.25);
  EXPECT_TRUE(Call(u"datevalue", {CVariant::Null()}).IsNull());
  EXPECT_TRUE(Call(u"timevalue", {CVariant::Null()}).IsNull());
  EXPECT_EQ(ErrorOf(u"datevalue", {S(u"13/45/2000")}), 13);
  EXPECT_EQ(ErrorOf(u"timevalue", {S(u"25:00")}), 13);
}

TEST(Builtins, PicturesAndBuildVersion) {
  EXPECT_EQ(Call(u"scriptenginebuildversion", {}).AsLong(), 16384);
  EXPECT_EQ(ErrorOf(u"loadpicture", {S(u"a.bmp")}), 481);
  EXPECT_EQ(ErrorOf(u"loadpicture", {S(u"")}), 481);
  EXPECT_EQ(ErrorOf(u"loadpicture", {CVariant::Null()}), 94);
}

}  // namespace
}  // namespace quillet::engine
