// Printing to PDF, checked from outside with poppler's pdftotext: pages, header and footer,
// the number column, wrapping and the margins.

#include <QImage>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTest>

#include <algorithm>

#include "TempFolder.h"
#include "base/SettingsInventory.h"
#include "document/QuilletDoc.h"
#include "editor/ui/QuilletView.h"
#include "editor/ui/ScriptPrinter.h"
#include "platform/SettingsStore.h"

using namespace quillet;

namespace {

struct SWord {
  int page = 0;
  double xMin = 0, yMin = 0, xMax = 0;
  QString text;
};

QString PdfText(const QString& pdf) {
  QProcess process;
  process.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
  process.waitForFinished(60000);
  return QString::fromUtf8(process.readAllStandardOutput());
}

std::vector<SWord> PdfWords(const QString& pdf) {
  QProcess process;
  process.start(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pdf, QStringLiteral("-")});
  process.waitForFinished(60000);
  const QString html = QString::fromUtf8(process.readAllStandardOutput());
  static const QRegularExpression tag(QString::fromLatin1(
      R"re(<page |<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="[\d.]+">([^<]*)</word>)re"));
  std::vector<SWord> words;
  int page = 0;
  for (auto it = tag.globalMatch(html); it.hasNext();) {
    const QRegularExpressionMatch match = it.next();
    if (match.captured(0).startsWith(QStringLiteral("<page"))) {
      ++page;
      continue;
    }
    words.push_back({page, match.captured(1).toDouble(), match.captured(2).toDouble(),
                     match.captured(3).toDouble(), match.captured(4)});
  }
  return words;
}

// Renders the first page with poppler's pdftoppm and counts pixels that are not a shade of grey.
int ColouredPixels(const QString& pdf) {
  const QString prefix = pdf + QStringLiteral("-page");
  QProcess process;
  process.start(QStringLiteral("pdftoppm"), {QStringLiteral("-r"), QStringLiteral("60"), QStringLiteral("-f"),
                                             QStringLiteral("1"), QStringLiteral("-l"), QStringLiteral("1"),
                                             QStringLiteral("-singlefile"), pdf, prefix});
  process.waitForFinished(60000);
  const QImage image(prefix + QStringLiteral(".ppm"));
  if (image.isNull()) return -1;
  int coloured = 0;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      const QRgb pixel = image.pixel(x, y);
      if (qAbs(qRed(pixel) - qGreen(pixel)) > 24 || qAbs(qGreen(pixel) - qBlue(pixel)) > 24) ++coloured;
    }
  }
  return coloured;
}

const SWord* FirstWord(const std::vector<SWord>& words, const QString& text) {
  const auto it = std::find_if(words.begin(), words.end(), [&](const SWord& w) { return w.text == text; });
  return it == words.end() ? nullptr : &*it;
}

}  // namespace

class ScriptPrinterTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<test::CTempFolder> m_folder;
  std::unique_ptr<platform::CSettingsStore> m_store;
  std::unique_ptr<app::CSettings> m_settings;
  document::CQuilletDoc m_doc;

  void Load(const QStringList& lines) {
    m_doc.FreeAll();
    for (const QString& line : lines) m_doc.AppendLine(std::u16string_view(reinterpret_cast<const char16_t*>(line.utf16()), static_cast<size_t>(line.size())));
    m_doc.SetPathName("/scripts/listing.vbs");
    m_doc.UpdateViews(nullptr, nullptr, document::UpdateAll, -1);
  }

  QString PrintToPdf(const QString& name, int* pages = nullptr, bool selection = false,
                     editor::CQuilletView* existing = nullptr) {
    const QString path = QString::fromStdString(m_folder->File(name.toStdString()));
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    printer.setPageSize(QPageSize(QPageSize::A4));
    std::unique_ptr<editor::CQuilletView> own;
    editor::CQuilletView* view = existing;
    if (view == nullptr) {
      own = std::make_unique<editor::CQuilletView>(m_doc);
      view = own.get();
    }
    editor::CScriptPrinter scriptPrinter(view->Core(), view->EditorFont(), m_settings.get());
    if (!scriptPrinter.Print(printer, selection)) return {};
    if (pages != nullptr) *pages = scriptPrinter.PageCount();
    return path;
  }

 private slots:
  void init() {
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty()) {
      QSKIP("pdftotext (poppler-utils) is not installed");
    }
    m_folder = std::make_unique<test::CTempFolder>();
    m_folder->IsolateUserFolders();
    m_store = std::make_unique<platform::CSettingsStore>(m_folder->File("settings.reg"), u"HKEY_CURRENT_USER\\Software\\T");
    m_settings = std::make_unique<app::CSettings>(*m_store);
  }

  void pagesCarryHeaderFooterAndNumbers() {
    QStringList lines;
    for (int i = 1; i <= 100; ++i) lines << QStringLiteral("Dim v%1").arg(i);
    Load(lines);
    // Larger margins force three pages, however tall the font.
    m_settings->Write(app::settings::PageMarginTop, 95);
    m_settings->Write(app::settings::PageMarginBottom, 95);
    int pages = 0;
    const QString pdf = PrintToPdf(QStringLiteral("numbers.pdf"), &pages);
    QVERIFY(!pdf.isEmpty());
    const QStringList pageTexts = PdfText(pdf).split(QLatin1Char('\f'), Qt::SkipEmptyParts);
    QCOMPARE(pageTexts.size(), pages);
    QVERIFY2(pages >= 3, qPrintable(QString::number(pages)));
    QVERIFY(pageTexts[1].contains(QStringLiteral("Page 2/%1").arg(pages)));
    QVERIFY(pageTexts[0].contains(QStringLiteral("listing.vbs")));
    QVERIFY(pageTexts.last().contains(QStringLiteral("Dim v100")));

    // Three digits for 100 lines: numbers end at one right edge, text starts two columns on.
    const std::vector<SWord> words = PdfWords(pdf);
    const SWord* one = FirstWord(words, QStringLiteral("1"));
    const SWord* hundred = FirstWord(words, QStringLiteral("100"));
    const SWord* text = FirstWord(words, QStringLiteral("v100"));
    QVERIFY(one && hundred && text);
    const double column = (hundred->xMax - hundred->xMin) / 3;
    QVERIFY(qAbs(one->xMax - hundred->xMax) < 0.5);
    const SWord* dim = nullptr;
    for (const SWord& word : words) {
      if (word.page == hundred->page && qAbs(word.yMin - hundred->yMin) < 0.5 && word.text == QStringLiteral("Dim")) dim = &word;
    }
    QVERIFY(dim != nullptr);
    QVERIFY2(qAbs(dim->xMin - hundred->xMin - 5 * column) < 0.5,
             qPrintable(QStringLiteral("%1 %2 %3").arg(dim->xMin).arg(hundred->xMin).arg(column)));
    // The top margin of 95 mm is where the header band starts.
    const SWord* header = FirstWord(words, QStringLiteral("listing.vbs"));
    QVERIFY(header != nullptr);
    QVERIFY2(qAbs(header->yMin - 95 * 72 / 25.4) < 6, qPrintable(QString::number(header->yMin)));
  }

  void longLinesWrapAndSelectionKeepsItsNumbers() {
    const QString longLine = QString(400, QLatin1Char('a'));
    Load({QStringLiteral("first"), longLine, QStringLiteral("after"), QStringLiteral("last")});
    editor::CQuilletView view(m_doc);
    view.Core().SetSelection({2, 1}, {1, 2});
    int pages = 0;
    const QString pdf = PrintToPdf(QStringLiteral("wrap.pdf"), &pages, true, &view);
    QCOMPARE(pages, 1);
    const std::vector<SWord> words = PdfWords(pdf);
    QVERIFY(FirstWord(words, QStringLiteral("first")) == nullptr);
    QVERIFY(FirstWord(words, QStringLiteral("last")) == nullptr);
    const SWord* two = FirstWord(words, QStringLiteral("2"));
    const SWord* three = FirstWord(words, QStringLiteral("3"));
    const SWord* after = FirstWord(words, QStringLiteral("after"));
    QVERIFY(two && three && after);
    QVERIFY(FirstWord(words, QStringLiteral("1")) == nullptr);
    int characters = 0;
    int rows = 0;
    for (const SWord& word : words) {
      if (!word.text.startsWith(QLatin1Char('a')) || word.text == QStringLiteral("after")) continue;
      ++rows;
      characters += static_cast<int>(word.text.size());
      QVERIFY(qAbs(word.xMin - after->xMin) < 0.5);
      QVERIFY(word.yMin < three->yMin);
    }
    QCOMPARE(characters, 400);
    QVERIFY2(rows >= 2, qPrintable(QString::number(rows)));
  }

  void colorsZeroPrintsInBlackAndWhite() {
    if (QStandardPaths::findExecutable(QStringLiteral("pdftoppm")).isEmpty()) QSKIP("pdftoppm is not installed");
    Load({QStringLiteral("Dim strName ' a comment in colour"), QStringLiteral("strName = \"text\" & 42")});
    QVERIFY(ColouredPixels(PrintToPdf(QStringLiteral("colour.pdf"))) > 20);
    m_settings->Write(app::settings::PageColors, 0);
    QCOMPARE(ColouredPixels(PrintToPdf(QStringLiteral("black.pdf"))), 0);
  }

  void marginsMoveTheText() {
    Load({QStringLiteral("Option Explicit")});
    const SWord narrow = *FirstWord(PdfWords(PrintToPdf(QStringLiteral("m10.pdf"))), QStringLiteral("Option"));
    m_settings->Write(app::settings::PageMarginLeft, 40);
    m_settings->Write(app::settings::PageHeader, QStringLiteral("").toStdU16String());
    const std::vector<SWord> words = PdfWords(PrintToPdf(QStringLiteral("m40.pdf")));
    const SWord wide = *FirstWord(words, QStringLiteral("Option"));
    QVERIFY2(qAbs(wide.xMin - narrow.xMin - 30 * 72 / 25.4) < 1, qPrintable(QString::number(wide.xMin - narrow.xMin)));
    // Without a header the text starts at the top margin.
    QVERIFY(FirstWord(words, QStringLiteral("listing.vbs")) == nullptr);
    QVERIFY(wide.yMin < narrow.yMin);
  }
};

QTEST_MAIN(ScriptPrinterTest)
#include "ScriptPrinterTest.moc"
