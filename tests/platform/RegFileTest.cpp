#include <gtest/gtest.h>

#include "platform/RegFileParser.h"
#include "platform/RegFileWriter.h"

using namespace quillet::platform;

namespace {

std::string Utf16File(std::u16string_view text) {
  std::string bytes = "\xFF\xFE";
  for (const char16_t unit : text) {
    bytes.push_back(static_cast<char>(unit & 0xFF));
    bytes.push_back(static_cast<char>(unit >> 8));
  }
  return bytes;
}

const CRegValue* ValueAt(const CRegKey& root, std::u16string_view path, std::u16string_view name) {
  const CRegKey* key = root.FindPath(path);
  return key ? key->FindValue(name) : nullptr;
}

}  // namespace

TEST(RegFile, ReadsWhatRegeditExports) {
  const std::u16string text =
      u"Windows Registry Editor Version 5.00\r\n\r\n"
      u"[HKEY_CURRENT_USER\\Software\\Kelmarsh\\Quillet\\Options]\r\n"
      u"\"TabSize\"=dword:00000004\r\n"
      u"\"Path\"=\"C:\\\\Scripts\\\\\\\"quoted\\\" caf\u00E9\"\r\n"
      u"@=\"default\"\r\n"
      u"\"Expand\"=hex(2):25,00,54,00,\\\r\n  45,00,00,00\r\n"
      u"\"Blob\"=hex:01,ff\r\n"
      u"; a comment\r\n"
      u"[HKEY_CURRENT_USER\\Software\\Kelmarsh\\Quillet\\Gone]\r\n"
      u"\"x\"=dword:1\r\n"
      u"[-HKEY_CURRENT_USER\\Software\\Kelmarsh\\Quillet\\Gone]\r\n"
      u"\"ignored\"=dword:2\r\n";
  const CRegFileParseResult result = CRegFileParser::Parse(Utf16File(text));
  ASSERT_TRUE(result.ok) << result.error << " at line " << result.errorLine;
  EXPECT_EQ(result.flavour, ERegFileFlavour::Regedit5);
  const std::u16string options = u"HKEY_CURRENT_USER\\Software\\Kelmarsh\\Quillet\\Options";
  EXPECT_EQ(ValueAt(*result.root, options, u"tabsize")->AsDword(), 4u) << "names ignore case";
  EXPECT_EQ(ValueAt(*result.root, options, u"Path")->AsString(),
            u"C:\\Scripts\\\"quoted\" caf\u00E9");
  EXPECT_EQ(ValueAt(*result.root, options, u"")->AsString(), u"default");
  const CRegValue* expand = ValueAt(*result.root, options, u"Expand");
  EXPECT_TRUE(expand->Is(ERegType::ExpandString));
  EXPECT_EQ(expand->AsString(), u"%TE");
  EXPECT_EQ(ValueAt(*result.root, options, u"Blob")->data, (std::vector<uint8_t>{1, 0xFF}));
  EXPECT_EQ(result.root->FindPath(u"HKEY_CURRENT_USER\\Software\\Kelmarsh\\Quillet\\Gone"),
            nullptr);
}

TEST(RegFile, ReadsRegedit4AndWineHives) {
  const auto v4 = CRegFileParser::Parse("REGEDIT4\n\n[HKEY_CURRENT_USER\\A]\n\"n\"=\"caf\xE9\"\n");
  ASSERT_TRUE(v4.ok) << v4.error;
  EXPECT_EQ(v4.flavour, ERegFileFlavour::Regedit4);
  EXPECT_EQ(ValueAt(*v4.root, u"HKEY_CURRENT_USER\\A", u"n")->AsString(), u"caf\u00E9");

  const auto wine = CRegFileParser::Parse(
      "WINE REGISTRY Version 2\n;; All keys relative to \\\\Machine\n\n#arch=win64\n\n"
      "[Software\\\\Classes\\\\Word.Doc] 1600000000\n#time=1d6f0e2b3c4a5b6\n"
      "@=\"Doc\\tument\\x263a\"\n\"Path\"=str(2):\"%SystemRoot%\\\\x\"\n\"N\"=dword:0000000a\n");
  ASSERT_TRUE(wine.ok) << wine.error << " at line " << wine.errorLine;
  EXPECT_EQ(wine.flavour, ERegFileFlavour::Wine);
  const std::u16string key = u"Software\\Classes\\Word.Doc";
  EXPECT_EQ(ValueAt(*wine.root, key, u"")->AsString(), u"Doc\tument\u263a");
  EXPECT_TRUE(ValueAt(*wine.root, key, u"Path")->Is(ERegType::ExpandString));
  EXPECT_EQ(ValueAt(*wine.root, key, u"Path")->AsString(), u"%SystemRoot%\\x");
  EXPECT_EQ(ValueAt(*wine.root, key, u"N")->AsDword(), 10u);
}

TEST(RegFile, RefusesWhatItCannotRead) {
  const std::string bad[] = {
      "",
      "garbage",
      "REGEDIT4\n[HKEY_CURRENT_USER\\A]\n\"unterminated=dword:1\n",
      "REGEDIT4\n[HKEY_CURRENT_USER\\A]\n\"x\"=dword:123456789\n",
      "REGEDIT4\n[HKEY_CURRENT_USER\\A]\n\"x\"=hex:1,2g\n",
      "REGEDIT4\n\"x\"=dword:1\n",
      "REGEDIT4\n[HKEY_CURRENT_USER\\A\n",
      "REGEDIT4\n[HKEY_CURRENT_USER\\A]\n\"x\"=\"open string\n",
      "REGEDIT4\n[HKEY_CURRENT_USER\\A]\nplain words\n",
  };
  for (const std::string& bytes : bad) {
    const auto result = CRegFileParser::Parse(bytes);
    EXPECT_FALSE(result.ok) << bytes;
    EXPECT_FALSE(result.error.empty());
  }
  std::string deep = "REGEDIT4\n[";
  for (int i = 0; i < 100000; ++i) deep += "k\\";
  EXPECT_FALSE(CRegFileParser::Parse(deep + "]\n").ok) << "too deep for the registry";
}

TEST(RegFile, WriterOutputReadsBackTheSame) {
  CRegKey root;
  CRegKey& key = root.OpenOrCreatePath(u"HKEY_CURRENT_USER\\Software\\Kelmarsh\\Quillet\\Find");
  key.SetValue(CRegValue::MakeString(u"Arg0", u"a \"quoted\" \\ path"));
  key.SetValue(CRegValue::MakeString(u"Multi", u"line one\r\nline two"));
  key.SetValue(CRegValue::MakeDword(u"Neg", 0xFFFFFFFF));
  CRegValue raw;
  raw.name = u"Raw";
  raw.type = 7;
  raw.data.assign(100, 0xAB);
  key.SetValue(raw);
  const std::string bytes = CRegFileWriter::Write(root);
  EXPECT_EQ(bytes.substr(0, 4), std::string("\xFF\xFEW\0", 4));
  const auto parsed = CRegFileParser::Parse(bytes);
  ASSERT_TRUE(parsed.ok) << parsed.error << " at line " << parsed.errorLine;
  EXPECT_EQ(CRegFileWriter::Write(*parsed.root), bytes);
  const CRegKey* back = parsed.root->FindPath(u"HKEY_CURRENT_USER\\Software\\Kelmarsh\\Quillet\\Find");
  ASSERT_NE(back, nullptr);
  EXPECT_EQ(back->FindValue(u"Arg0")->AsString(), u"a \"quoted\" \\ path");
  EXPECT_EQ(back->FindValue(u"Multi")->AsString(), u"line one\r\nline two");
  EXPECT_EQ(back->FindValue(u"Neg")->AsDword(), 0xFFFFFFFFu);
  EXPECT_EQ(back->FindValue(u"Raw")->data, raw.data);
}
