// The Options dialog over a settings store in a temporary folder, driven as the user would.

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTest>

#include "TempFolder.h"
#include "app/OptionsValues.h"
#include "base/SettingsInventory.h"
#include "app/ui/ColorPicker.h"
#include "app/ui/OptionsDialog.h"
#include "platform/SettingsStore.h"

using namespace quillet;
using namespace quillet::app;

class OptionsDialogTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<test::CTempFolder> m_folder;
  std::unique_ptr<platform::CSettingsStore> m_store;
  std::unique_ptr<CSettings> m_settings;

  std::string StoredFile() const { return test::ReadFile(m_store->FilePath()); }

 private slots:
  void init() {
    m_folder = std::make_unique<test::CTempFolder>();
    m_folder->IsolateUserFolders();
    m_store = std::make_unique<platform::CSettingsStore>(m_folder->File("settings.reg"),
                                                         u"HKEY_CURRENT_USER\\Software\\T");
    m_settings = std::make_unique<CSettings>(*m_store);
    m_settings->Write(settings::HelpWeb, u"x");  // so that the file exists to compare
  }

  void pagesAndLabelsInOrder() {
    COptionsDialog dialog(*m_settings);
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Options"));
    QStringList pages;
    for (int i = 0; i < dialog.Pages()->count(); ++i) pages << dialog.Pages()->tabText(i);
    QCOMPARE(pages, (QStringList{"Colors", "Tabs", "Help", "Debug", "Printing"}));
    QStringList boxes;
    for (auto* box : dialog.findChildren<QCheckBox*>()) boxes << box->text();
    QVERIFY(boxes.contains("Stop at the beggining of the script if no breakpoint is set"));
    auto* keywords = dialog.findChild<CColorPicker*>("Keywords:");
    QCOMPARE(keywords->count(), CColorPicker::kStandardColorCount);
    QCOMPARE(keywords->Color(), 0xFF0000);
  }

  void okWritesEveryValue() {
    COptionsDialog dialog(*m_settings);
    dialog.findChild<QLineEdit*>("tabSize")->setText("8");
    dialog.findChild<QRadioButton*>()->setChecked(true);  // "Insert spaces"
    dialog.findChild<CColorPicker*>("Comments:")->SetColor(0x00FFFF);
    dialog.findChild<QLineEdit*>("helpWeb")->setText("https://example.org/?q=%1");
    dialog.accept();
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    const auto values = SOptionsValues::Read(*m_settings);
    QCOMPARE(values.tabSize, 8);
    QVERIFY(values.insertSpaces);
    QCOMPARE(values.colors[SOptionsValues::Comments], 0x00FFFF);
    QCOMPARE(values.colors[SOptionsValues::Fields], 0x0000FF);
    QCOMPARE(m_settings->Read(settings::HelpWeb), std::u16string(u"https://example.org/?q=%1"));
    QCOMPARE(m_settings->ReadInt(u"Options", u"FirstStep", -1), 0);  // written, not just defaulted
  }

  void cancelAfterDefaultsWritesNothing() {
    m_settings->Write(settings::KeywordsColor, 0x008080);
    const std::string before = StoredFile();
    COptionsDialog dialog(*m_settings);
    for (auto* button : dialog.findChildren<QPushButton*>()) {
      if (button->text() == "&Defaults") button->click();
    }
    QCOMPARE(dialog.findChild<CColorPicker*>("Keywords:")->Color(), 0xFF0000);
    dialog.reject();
    QCOMPARE(StoredFile(), before);
  }

  void tabSizeOutsideOneToTwentyIsRefused() {
    for (const char* size : {"0", "21", "", "4x"}) {
      const std::string before = StoredFile();
      COptionsDialog dialog(*m_settings);
      dialog.show();
      dialog.findChild<QLineEdit*>("tabSize")->setText(size);
      dialog.accept();
      QVERIFY2(dialog.isVisible(), size);
      QCOMPARE(dialog.Pages()->currentIndex(), 1);
      QCOMPARE(StoredFile(), before);
    }
  }

  void colourOutsideTheListSurvivesOk() {
    m_settings->Write(settings::StringsColor, 0x123456);
    COptionsDialog dialog(*m_settings);
    auto* strings = dialog.findChild<CColorPicker*>("Strings:");
    QCOMPARE(strings->currentText(), QStringLiteral("Automatic"));
    dialog.accept();
    QCOMPARE(m_settings->Read(settings::StringsColor), 0x123456);
  }
};

QTEST_MAIN(OptionsDialogTest)
#include "OptionsDialogTest.moc"
