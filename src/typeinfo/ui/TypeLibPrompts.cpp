#include "typeinfo/ui/TypeLibPrompts.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>

namespace quillet::typeinfo {

std::optional<QString> CTypeLibDialogPrompts::AskTypeLibPath(QWidget* parent, const QString& current) {
  const QString folder = current.isEmpty() ? QString() : QFileInfo(current).absolutePath();
  const QString path = QFileDialog::getOpenFileName(parent, QString(), folder, QString::fromLatin1(kTypeLibFileFilter));
  if (path.isEmpty()) return std::nullopt;
  return path;
}

void CTypeLibDialogPrompts::ShowMessage(QWidget* parent, const QString& text) {
  QMessageBox::information(parent, QStringLiteral("Quillet"), text);
}

void CTypeLibDialogPrompts::ShowWarning(QWidget* parent, const QString& text) {
  QMessageBox::warning(parent, QStringLiteral("Quillet"), text);
}

}  // namespace quillet::typeinfo
