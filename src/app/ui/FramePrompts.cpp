#include "app/ui/FramePrompts.h"

#include <QDesktopServices>
#include <QFile>
#include <QFileDialog>
#include <QMessageBox>

#include <cstring>

#include "app/AppStrings.h"

namespace quillet::app {
namespace {

QString FromUtf16(std::u16string_view text) {
  return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

QString FilterText(const document::SSaveFilter& filter) {
  return FromUtf16(filter.name) + QStringLiteral(" (") + FromUtf16(filter.pattern) +
         QStringLiteral(")");
}

}  // namespace

std::optional<document::SSaveAsAnswer> CDialogPrompts::AskSavePath(
    const document::SSaveAsRequest& request) {
  QStringList filters;
  for (const auto& filter : document::kSaveFilters) filters << FilterText(filter);
  QFileDialog dialog(m_parent, FromUtf16(request.title));
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setNameFilters(filters);
  dialog.selectNameFilter(filters.value(request.filterIndex - 1));
  dialog.setDefaultSuffix(QStringLiteral("vbs"));
  dialog.selectFile(QFile::decodeName(request.proposedPath.c_str()));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return document::SSaveAsAnswer{QFile::encodeName(dialog.selectedFiles().front()).toStdString(),
                                 static_cast<int>(filters.indexOf(dialog.selectedNameFilter())) + 1};
}

bool CDialogPrompts::ConfirmUnicodeLoss(const std::u16string& message) {
  return QMessageBox::warning(m_parent, FromUtf16(kAppTitle), FromUtf16(message),
                              QMessageBox::Ok | QMessageBox::Cancel) == QMessageBox::Ok;
}

void CDialogPrompts::ReportSaveFailure(const std::string& path, int error) {
  ShowError(FromUtf16(kFailedToSaveDocument) + QStringLiteral("\n") +
            QFile::decodeName(path.c_str()) + QStringLiteral("\n") +
            QString::fromLocal8Bit(std::strerror(error)));
}

ESaveChangesAnswer CDialogPrompts::AskSaveChanges(const QString& title) {
  switch (QMessageBox::question(m_parent, FromUtf16(kAppTitle),
                                FromUtf16(kAskToSave).arg(title),
                                QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel)) {
    case QMessageBox::Yes: return ESaveChangesAnswer::Save;
    case QMessageBox::No: return ESaveChangesAnswer::Discard;
    default: return ESaveChangesAnswer::Cancel;
  }
}

std::optional<std::string> CDialogPrompts::AskOpenPath(const std::string& folder) {
  const QString path = QFileDialog::getOpenFileName(
      m_parent, QString(), QFile::decodeName(folder.c_str()),
      QStringLiteral("VBScript (*.vbs);;All Files (*)"));
  if (path.isEmpty()) return std::nullopt;
  return QFile::encodeName(path).toStdString();
}

void CDialogPrompts::ShowError(const QString& text) {
  QMessageBox::critical(m_parent, FromUtf16(kAppTitle), text);
}

void CDialogPrompts::ShowMessage(const QString& text) {
  QMessageBox::information(m_parent, FromUtf16(kAppTitle), text);
}

bool CDialogPrompts::AskOkCancel(const QString& text) {
  return QMessageBox::question(m_parent, FromUtf16(kAppTitle), text, QMessageBox::Ok | QMessageBox::Cancel) ==
         QMessageBox::Ok;
}

void CDialogPrompts::ShowAbout(const QString& text) {
  QMessageBox::about(m_parent, FromUtf16(kAppTitle), text);
}

void CDialogPrompts::OpenAddress(const QUrl& address) {
  if (!QDesktopServices::openUrl(address)) ShowError(address.toDisplayString());
}

}  // namespace quillet::app
