#include <gtest/gtest.h>

#include "typeinfo/Guid.h"
#include "typeinfo/VariantValue.h"

using namespace quillet::typeinfo;

TEST(Guid, RegistryTextFormRoundTrips) {
  const SGuid guid{0x000209FF, 0x0A0B, 0xC0D, {0xC0, 0, 0, 0, 0xAB, 0, 0, 0x46}};
  EXPECT_EQ(GuidToString(guid), u"{000209FF-0A0B-0C0D-C000-0000AB000046}");
  EXPECT_EQ(ParseGuid(u"{000209ff-0a0b-0c0d-c000-0000ab000046}"), guid);
  EXPECT_EQ(ParseGuid(u"000209FF-0A0B-0C0D-C000-0000AB000046"), guid);
  EXPECT_EQ(GuidToString(SGuid{}), u"{00000000-0000-0000-0000-000000000000}");
  for (const char16_t* bad : {u"", u"{}", u"{000209FF-0A0B-0C0D-C000-0000AB00004}", u"{000209FF-0A0B-0C0D-C000-0000AB00004G}",
                              u"{000209FF+0A0B-0C0D-C000-0000AB000046}", u"{000209FF-0A0B-0C0D-C000-0000AB000046"})
    EXPECT_FALSE(ParseGuid(bad)) << std::u16string(bad).size();
}

TEST(VariantValue, TextAsTheAutomationConversionGivesIt) {
  const auto text = [](std::uint16_t type, std::int64_t integer, double real = 0) {
    return VariantToText(SVariant{type, integer, real, {}});
  };
  EXPECT_EQ(text(vt::kI4, -5), u"-5");
  EXPECT_EQ(text(vt::kI2, 32767), u"32767");
  EXPECT_EQ(text(vt::kBool, -1), u"-1") << "the catalogue turns -1 into True itself";
  EXPECT_EQ(text(vt::kBool, 0), u"0");
  EXPECT_EQ(text(vt::kUi1, 255), u"255");
  EXPECT_EQ(text(vt::kUi8, -1), u"18446744073709551615");
  EXPECT_EQ(text(vt::kR8, 0, 2.5), u"2.5");
  EXPECT_EQ(text(vt::kR8, 0, 1.0 / 3), u"0.333333333333333");
  EXPECT_EQ(text(vt::kR8, 0, 1e20), u"1E+20");
  EXPECT_EQ(text(vt::kR4, 0, 0.1f), u"0.1");
  EXPECT_EQ(text(vt::kCy, 12345), u"1.2345");
  EXPECT_EQ(text(vt::kCy, -10000), u"-1");
  EXPECT_EQ(text(vt::kCy, 15000), u"1.5");
  EXPECT_EQ(text(vt::kDate, 0, 36526), u"1/1/2000");
  EXPECT_EQ(text(vt::kDate, 0, 36526.75), u"1/1/2000 6:00:00 PM");
  EXPECT_EQ(text(vt::kDate, 0, 0.5), u"12:00:00 PM");
  EXPECT_EQ(text(vt::kDate, 0, 0), u"12:00:00 AM");
  EXPECT_EQ(text(vt::kDate, 0, -1.25), u"12/29/1899 6:00:00 AM");
  EXPECT_EQ(VariantToText(SVariant{vt::kBstr, 0, 0, u"abc"}), u"abc");
  EXPECT_EQ(text(vt::kEmpty, 0), u"");
  EXPECT_EQ(text(vt::kDispatch, 0), u"");

  EXPECT_EQ(NormalizeInteger(vt::kI2, 0xFFFF), -1);
  EXPECT_EQ(NormalizeInteger(vt::kUi2, 0xFFFF), 65535);
  EXPECT_EQ(NormalizeInteger(vt::kBool, 1), -1);
  EXPECT_EQ(NormalizeInteger(vt::kI1, 0x80), -128);
}
