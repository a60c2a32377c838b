// Page layout for printing: number column, margins and bands, wrapping and the page table.

#include <gtest/gtest.h>

#include "base/SettingsInventory.h"
#include "document/QuilletDoc.h"
#include "editor/PrintLayout.h"
#include "editor/PrinterMetrics.h"
#include "platform/SettingsStore.h"
#include "TempFolder.h"

namespace quillet::test {
namespace {

using editor::CPrintLayout;
using editor::SPrintRect;

// 10 units a character, 20 a row; one unit a millimetre.
class CUnitMetrics : public editor::IPrinterMetrics {
 public:
  [[nodiscard]] int32_t LineHeight() const override { return 20; }
  [[nodiscard]] int32_t CharWidth(char16_t) const override { return 10; }
};

class PrintLayoutTest : public ::testing::Test {
 protected:
  void Lines(int count, std::u16string_view text = u"x") {
    doc.FreeAll();
    for (int i = 0; i < count; ++i) doc.AppendLine(text);
  }
  // A page of 200 by 300 units with 10-unit margins: text 180 wide and 280 high.
  void Layout(CPrintLayout& layout, bool header, bool footer, int first = 0, int last = 1 << 30) {
    layout.Layout({0, 0, 200, 300}, 1.0, 1.0, header, footer, first, last);
  }
  document::CQuilletDoc doc;
  CUnitMetrics metrics;
  editor::SPrintSettings settings;
};

TEST_F(PrintLayoutTest, NumberColumnBandsAndPages) {
  Lines(100);
  CPrintLayout layout(doc, metrics, settings);
  EXPECT_EQ(layout.Digits(), 3);
  EXPECT_EQ(layout.NumberColumnWidth(), 30);
  EXPECT_EQ(layout.TextOffset(), 50);
  Layout(layout, false, false);
  EXPECT_EQ(layout.TextRect().top, 10);
  ASSERT_EQ(layout.Pages().size(), 8u);  // 14 rows a page
  EXPECT_EQ(layout.Pages()[0].last, 13);
  EXPECT_EQ(layout.Pages()[7].first, 98);
  EXPECT_EQ(layout.Pages()[7].last, 99);
  Layout(layout, true, true);
  EXPECT_EQ(layout.TextRect().top, 40);
  EXPECT_EQ(layout.TextRect().bottom, 260);
  EXPECT_EQ(layout.HeaderBand().top, 10);
  EXPECT_EQ(layout.FooterBand().bottom, 290);
  EXPECT_EQ(layout.Pages()[0].last, 10);  // 11 rows a page
  // Printing the selection lays out its lines only.
  Layout(layout, false, false, 20, 30);
  ASSERT_EQ(layout.Pages().size(), 1u);
  EXPECT_EQ(layout.Pages()[0].first, 20);
  EXPECT_EQ(layout.Pages()[0].last, 30);
  Lines(8);
  EXPECT_EQ(CPrintLayout(doc, metrics, settings).Digits(), 1);
  Lines(9);
  EXPECT_EQ(CPrintLayout(doc, metrics, settings).Digits(), 2);
}

TEST_F(PrintLayoutTest, LongLinesWrapIncludingBlanks) {
  // 180 wide less the 30 offset of a 1-digit column and 1: 14 characters a row fit.
  doc.FreeAll();
  doc.AppendLine(std::u16string(30, u'a'));
  doc.AppendLine(std::u16string(20, u' ') + u"\t\t\t\t");
  doc.AppendLine(u"");
  CPrintLayout layout(doc, metrics, settings);
  Layout(layout, false, false);
  EXPECT_EQ(layout.RowStarts(0), (std::vector<int32_t>{0, 14, 28}));
  EXPECT_EQ(layout.PrintedLineHeight(0), 60);
  EXPECT_GT(layout.PrintedLineHeight(1), 20);
  EXPECT_EQ(layout.PrintedLineHeight(2), 20);
  settings.wordBreak = false;
  CPrintLayout clipped(doc, metrics, settings);
  Layout(clipped, false, false);
  EXPECT_EQ(clipped.PrintedLineHeight(0), 20);
  // A line taller than a page still gets a page of its own, and nothing loops.
  settings.wordBreak = true;
  doc.FreeAll();
  doc.AppendLine(std::u16string(2000, u'w'));
  doc.AppendLine(u"next");
  CPrintLayout tall(doc, metrics, settings);
  Layout(tall, false, false);
  ASSERT_EQ(tall.Pages().size(), 2u);
  EXPECT_EQ(tall.Pages()[1].first, 1);
  // Margins wider than the paper leave a minimal text area rather than none.
  settings.marginLeft = settings.marginRight = 150;
  CPrintLayout narrow(doc, metrics, settings);
  Layout(narrow, false, false);
  EXPECT_GT(narrow.TextRect().Width(), 0);
}

TEST_F(PrintLayoutTest, TemplatesAndPageSetupMargins) {
  using editor::FormatPageTemplate;
  EXPECT_EQ(FormatPageTemplate(u"Page &p/&n", u"D", u"T", u"s.vbs", 2, 3), u"Page 2/3");
  EXPECT_EQ(FormatPageTemplate(u"&f &d &t&", u"1/2/26", u"10:00", u"a&p.vbs", 1, 1),
            u"a&p.vbs 1/2/26 10:00&");
  EXPECT_EQ(FormatPageTemplate(u"", u"D", u"T", u"f", 1, 1), u"");

  CTempFolder folder;
  platform::CSettingsStore store(folder.File("settings.reg"), u"HKEY_CURRENT_USER\\Software\\T");
  app::CSettings appSettings(store);
  const editor::SPageMargins shown = editor::ReadPageSetupMargins(appSettings);
  EXPECT_EQ(shown.left, 1000);  // the printing margins, not a tenth of a millimetre
  editor::WritePageSetupMargins(appSettings, {2540, 1000, 1249, 3000});
  EXPECT_EQ(appSettings.Read(app::settings::PageSetupLeftMargin), 2540);
  EXPECT_EQ(editor::ReadPageSetupMargins(appSettings).right, 1249);
  const editor::SPrintSettings read = editor::ReadPrintSettings(&appSettings);
  EXPECT_EQ(read.marginLeft, 25);
  EXPECT_EQ(read.marginRight, 12);
  EXPECT_EQ(read.marginBottom, 30);
  EXPECT_EQ(read.footer, u"Page &p/&n");
}

}  // namespace
}  // namespace quillet::test
