// The subtle rules of Variant conversion and the operators.

#include <gtest/gtest.h>

#include "engine/runtime/SafeArray.h"
#include "engine/runtime/ScriptError.h"
#include "engine/runtime/Variant.h"
#include "engine/runtime/VariantOps.h"

namespace quillet::engine {
namespace {

using ops::ECompare;

int ErrorOf(void (*f)()) {
  try {
    f();
  } catch (const CScriptError& e) {
    return e.Number();
  }
  return 0;
}

TEST(Variant, ArithmeticPromotesOnOverflowOnly) {
  EXPECT_EQ(ops::Add(CVariant::Integer(1), CVariant::Integer(2)).Type(), EVarType::Integer);
  const CVariant big = ops::Add(CVariant::Integer(32767), CVariant::Integer(1));
  EXPECT_EQ(big.Type(), EVarType::Long);
  EXPECT_EQ(big.AsLong(), 32768);
  const CVariant huge = ops::Multiply(CVariant::Long(2147483647), CVariant::Integer(2));
  EXPECT_EQ(huge.Type(), EVarType::Double);
  EXPECT_EQ(ops::Add(CVariant::Byte(200), CVariant::Byte(100)).Type(), EVarType::Integer);
  EXPECT_EQ(ops::Add(CVariant::Byte(2), CVariant::Byte(1)).Type(), EVarType::Byte);
  EXPECT_EQ(ops::Negate(CVariant::Integer(-32768)).Type(), EVarType::Long);
  EXPECT_EQ(ops::Add(CVariant::Single(1), CVariant::Long(1)).Type(), EVarType::Double);
  EXPECT_EQ(ops::Add(CVariant::Boolean(true), CVariant::Boolean(true)).AsInteger(), -2);
  EXPECT_EQ(ops::Add(CVariant(), CVariant()).Type(), EVarType::Integer);
}

TEST(Variant, StringsStopAtWindowsLengthLimit) {
  EXPECT_NO_THROW(CheckStringLength(kMaxStringLength));
  try {
    CheckStringLength(kMaxStringLength + 1);
    ADD_FAILURE() << "no error";
  } catch (const CScriptError& e) {
    EXPECT_EQ(e.Number(), 14);
  }
  CVariant text = CVariant::String(u"ab");
  EXPECT_TRUE(text.AppendInPlace(u"cd"));
  EXPECT_EQ(text.AsString(), u"abcd");
}

TEST(Variant, StringsInArithmetic) {
  EXPECT_EQ(ops::Add(CVariant::String(u"1"), CVariant::String(u"2")).AsString(), u"12");
  const CVariant mixed = ops::Add(CVariant::String(u"1"), CVariant::Integer(2));
  EXPECT_EQ(mixed.Type(), EVarType::Double);
  EXPECT_EQ(mixed.AsDouble(), 3);
  EXPECT_EQ(ops::Add(CVariant::String(u"a"), CVariant()).AsString(), u"a");
  EXPECT_EQ(ErrorOf([] { (void)ops::Add(CVariant::String(u"a"), CVariant::Integer(1)); }), 13);
  EXPECT_EQ(ops::Subtract(CVariant::String(u" &H10 "), CVariant::Integer(1)).AsDouble(), 15);
}

TEST(Variant, NullPropagatesExceptWhereTheOtherSideDecides) {
  const CVariant null = CVariant::Null();
  EXPECT_TRUE(ops::Add(null, CVariant::Integer(1)).IsNull());
  EXPECT_EQ(ops::Concat(null, CVariant::String(u"x")).AsString(), u"x");
  EXPECT_TRUE(ops::Concat(null, null).IsNull());
  EXPECT_FALSE(ops::And(null, CVariant::Boolean(false)).AsBool());
  EXPECT_TRUE(ops::And(null, CVariant::Boolean(true)).IsNull());
  EXPECT_TRUE(ops::Or(null, CVariant::Boolean(true)).AsBool());
  EXPECT_TRUE(ops::Or(null, CVariant::Boolean(false)).IsNull());
  EXPECT_TRUE(ops::Imp(CVariant::Boolean(false), null).AsBool());
  EXPECT_TRUE(ops::Not(null).IsNull());
  EXPECT_EQ(ops::Compare(null, CVariant::Integer(1)), ECompare::Null);
}

TEST(Variant, DivisionAndIntegerDivision) {
  EXPECT_EQ(ErrorOf([] { (void)ops::Divide(CVariant::Integer(1), CVariant::Integer(0)); }), 11);
  EXPECT_EQ(ErrorOf([] { (void)ops::Divide(CVariant::Integer(0), CVariant::Integer(0)); }), 6);
  EXPECT_EQ(ErrorOf([] { (void)ops::Modulo(CVariant::Integer(1), CVariant::Integer(0)); }), 11);
  EXPECT_EQ(ops::Divide(CVariant::Integer(1), CVariant::Integer(2)).Type(), EVarType::Double);
  // Both sides are rounded half to even before dividing.
  EXPECT_EQ(ops::IntDivide(CVariant::Double(7.5), CVariant::Double(2.5)).AsLong(), 4);
  EXPECT_EQ(ops::Modulo(CVariant::Integer(-7), CVariant::Integer(3)).AsInteger(), -1);
  EXPECT_EQ(ErrorOf([] { (void)ops::Power(CVariant::Integer(-8), CVariant::Double(0.5)); }), 5);
}

TEST(Variant, ComparisonOfNumbersAndStrings) {
  // Between variables a number is less than any string; a literal converts the other side.
  EXPECT_EQ(ops::Compare(CVariant::Integer(1), CVariant::String(u"1")), ECompare::Less);
  EXPECT_EQ(ops::Compare(CVariant::Integer(9), CVariant::String(u"10"), false, true), ECompare::Greater);
  EXPECT_EQ(ops::Compare(CVariant::String(u"10"), CVariant::Integer(9), false, true), ECompare::Greater);
  EXPECT_EQ(ops::Compare(CVariant::Integer(1), CVariant::String(u"1"), true, false), ECompare::Equal);
  EXPECT_EQ(ops::Compare(CVariant(), CVariant::String(u"")), ECompare::Equal);
  EXPECT_EQ(ops::Compare(CVariant(), CVariant::Integer(0)), ECompare::Equal);
  EXPECT_EQ(ops::Compare(CVariant::String(u"a"), CVariant::String(u"B")), ECompare::Greater);
  EXPECT_EQ(ops::Compare(CVariant::Boolean(true), CVariant::Integer(-1)), ECompare::Equal);
  EXPECT_EQ(ops::CompareStrings(u"a", u"B", true), -1);
}

TEST(Variant, ConversionsRoundHalfToEvenAndCheckRange) {
  EXPECT_EQ(CVariant::Double(2.5).ToInteger(), 2);
  EXPECT_EQ(CVariant::Double(3.5).ToInteger(), 4);
  EXPECT_EQ(CVariant::Double(-2.5).ToLong(), -2);
  EXPECT_EQ(ErrorOf([] { (void)CVariant::Long(40000).ToInteger(); }), 6);
  EXPECT_EQ(ErrorOf([] { (void)CVariant::Integer(256).ToByte(); }), 6);
  EXPECT_EQ(ErrorOf([] { (void)CVariant::Null().ToString(); }), 94);
  EXPECT_TRUE(CVariant::String(u" TRUE ").ToBool());
  EXPECT_EQ(CVariant::Boolean(true).ToString(), u"True");
  EXPECT_EQ(CVariant::Boolean(true).ToLong(), -1);
}

TEST(Variant, NumberAndDateTexts) {
  EXPECT_EQ(CVariant::Double(0.1 + 0.2).ToString(), u"0.3");
  EXPECT_EQ(CVariant::Double(1e15).ToString(), u"1E+15");
  EXPECT_EQ(CVariant::Double(123456789012345.0).ToString(), u"123456789012345");
  EXPECT_EQ(CVariant::Double(0.0001).ToString(), u"0.0001");
  EXPECT_EQ(CVariant::Double(-1.5e-7).ToString(), u"-1.5E-07");
  EXPECT_EQ(CVariant::Single(0.1f).ToString(), u"0.1");
  EXPECT_EQ(CVariant::CurrencyScaled(-12345).ToString(), u"-1.2345");
  EXPECT_EQ(CVariant::CurrencyScaled(20000).ToString(), u"2");
  double date = 0;
  ASSERT_TRUE(ParseDate(u"1/2/2003", date));
  EXPECT_EQ(CVariant::Date(date).ToString(), u"1/2/2003");
  ASSERT_TRUE(ParseDate(u"2003-01-02 13:05:09", date));
  EXPECT_EQ(CVariant::Date(date).ToString(), u"1/2/2003 1:05:09 PM");
  EXPECT_EQ(CVariant::Date(0.5).ToString(), u"12:00:00 PM");
  EXPECT_FALSE(ParseDate(u"2/30/2003", date));
}

// Text read as a number under en-US: the forms a user types, not only the forms a program writes.
TEST(Variant, NumberTextWithCurrencyGroupsAndParentheses) {
  const auto parsed = [](std::u16string_view text) {
    double value = 0;
    return ParseNumber(text, value) ? value : -999.0;
  };
  EXPECT_EQ(parsed(u"$1"), 1);
  EXPECT_EQ(parsed(u"$1.50"), 1.5);
  EXPECT_EQ(parsed(u"1.5$"), 1.5);
  EXPECT_EQ(parsed(u"-$2"), -2);
  EXPECT_EQ(parsed(u"$-2"), -2);
  EXPECT_EQ(parsed(u"1,000"), 1000);
  EXPECT_EQ(parsed(u"1,2"), 12);  // grouping is not checked
  EXPECT_EQ(parsed(u"1,234,567.5"), 1234567.5);
  EXPECT_EQ(parsed(u"(5)"), -5);
  EXPECT_EQ(parsed(u"($1,000)"), -1000);
  EXPECT_EQ(parsed(u"5-"), -5);
  EXPECT_EQ(parsed(u" &H10 "), 16);
  EXPECT_EQ(parsed(u"&O17"), 15);
  EXPECT_EQ(parsed(u"1e3"), 1000);
  for (const std::u16string_view bad : {u"$", u"$$1", u"1,", u",1", u"1,,0", u"(-5)", u"(5", u"--5", u"-5-", u"()",
                                        u"1 000", u"$ 1", u"1.2.3", u"1e", u","}) {
    EXPECT_EQ(parsed(bad), -999.0) << std::string(bad.begin(), bad.end());
  }
  EXPECT_EQ(CVariant::String(u"1,000").ToDouble(), 1000);
}

TEST(Variant, StringAppendInPlaceOnlyWhenUnshared) {
  CVariant a = CVariant::String(u"ab");
  CVariant b = a;
  EXPECT_FALSE(a.AppendInPlace(u"c"));  // b shares the buffer
  b = CVariant();
  EXPECT_TRUE(a.AppendInPlace(u"c"));
  EXPECT_EQ(a.AsString(), u"abc");
}

// A script can nest arrays a million deep cheaply; freeing them must not recurse per level,
// or the host's stack overflows.
TEST(SafeArray, DeepNestingFreesWithoutRecursion) {
  CVariant nest;
  for (int i = 0; i < 1000000; ++i) nest = CVariant::Array(CSafeArray::FromValues({nest}));
  CVariant shared = nest;  // a nested array still referenced elsewhere survives the free
  CVariant inner = nest.AsArray()->At(0);
  nest.Clear();
  shared.Clear();
  ASSERT_TRUE(inner.IsArray());
  EXPECT_TRUE(inner.AsArray()->At(0).IsArray());
}

}  // namespace
}  // namespace quillet::engine
