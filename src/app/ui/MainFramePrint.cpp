// Print, print preview and page setup, through Qt's printing dialogs.

#include <QMarginsF>
#include <QPageLayout>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>

#include "base/CommandIds.h"
#include "base/SettingsInventory.h"
#include "app/ui/MainFrame.h"
#include "editor/EditorCore.h"
#include "editor/PrintSettings.h"
#include "editor/ui/QuilletView.h"
#include "editor/ui/ScriptPrinter.h"

namespace quillet::app {

void CMainFrame::ConnectPrintCommands() {
  ConnectCommand(ID_FILE_PRINT, [this] { OnFilePrint(); });
  ConnectCommand(ID_FILE_PRINT_PREVIEW, [this] { OnPrintPreview(); });
  ConnectCommand(ID_FILE_PAGE_SETUP, [this] { OnPageSetup(); });
}

bool CMainFrame::PrintTo(QPrinter& printer, bool selectionOnly) {
  editor::CScriptPrinter scriptPrinter(m_view->Core(), m_view->EditorFont(), &m_settings);
  return scriptPrinter.Print(printer, selectionOnly);
}

namespace {

// A selection over several lines is what the user most likely wants on paper; one within a line
// is more likely a leftover, so the whole script stays the first choice.
void PreselectSelection(QPrinter& printer, const editor::CEditorCore& core) {
  if (core.HasSelection() && core.SelectionStart().y != core.SelectionEnd().y) {
    printer.setPrintRange(QPrinter::Selection);
  }
}

}  // namespace

void CMainFrame::OnFilePrint() {
  QPrinter printer(QPrinter::HighResolution);
  QPrintDialog dialog(&printer, this);
  const editor::CEditorCore& core = m_view->Core();
  QAbstractPrintDialog::PrintDialogOptions options = QAbstractPrintDialog::PrintToFile;
  // The page numbers are not known before the layout, so the range choice stays off.
  if (core.HasSelection()) options |= QAbstractPrintDialog::PrintSelection;
  dialog.setOptions(options);
  PreselectSelection(printer, core);
  if (dialog.exec() != QDialog::Accepted) return;
  if (!PrintTo(printer, printer.printRange() == QPrinter::Selection)) {
    m_prompts->ShowError(tr("The script could not be printed."));
  }
}

void CMainFrame::OnPrintPreview() {
  QPrinter printer(QPrinter::HighResolution);
  // The preview shows what Print would print without a change in its dialog.
  PreselectSelection(printer, m_view->Core());
  QPrintPreviewDialog dialog(&printer, this);
  connect(&dialog, &QPrintPreviewDialog::paintRequested, this,
          [this](QPrinter* target) { PrintTo(*target, target->printRange() == QPrinter::Selection); });
  if (m_settings.Read(settings::PreviewPages) > 1) {
    if (auto* preview = dialog.findChild<QPrintPreviewWidget*>()) preview->setViewMode(QPrintPreviewWidget::FacingPagesView);
  }
  dialog.exec();
}

void CMainFrame::OnPageSetup() {
  QPrinter printer(QPrinter::HighResolution);
  const editor::SPageMargins stored = editor::ReadPageSetupMargins(m_settings);
  printer.setPageMargins(QMarginsF(stored.left / 100.0, stored.top / 100.0, stored.right / 100.0,
                                   stored.bottom / 100.0),
                         QPageLayout::Millimeter);
  QPageSetupDialog dialog(&printer, this);
  if (dialog.exec() != QDialog::Accepted) return;
  const QMarginsF chosen = printer.pageLayout().margins(QPageLayout::Millimeter);
  const auto hundredths = [](double millimetres) { return static_cast<int32_t>(millimetres * 100 + 0.5); };
  editor::WritePageSetupMargins(m_settings, {hundredths(chosen.left()), hundredths(chosen.top()),
                                             hundredths(chosen.right()), hundredths(chosen.bottom())});
}

}  // namespace quillet::app
