#include "snippets/ui/SnippetDialogPrompts.h"

#include <QMessageBox>

#include "snippets/ui/MoveToDlg.h"
#include "snippets/ui/NewFolderDlg.h"

namespace quillet::snippets {

SSnippetDialogPrompts SSnippetDialogPrompts::Modal() {
  SSnippetDialogPrompts prompts;
  prompts.askFolderName = [](QWidget* parent) -> std::optional<QString> {
    CNewFolderDlg dialog(parent);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.Name();
  };
  prompts.askMoveTarget = [](QWidget* parent, CSnippetFolder& root,
                             const CSnippetFolder* moving) -> CSnippetFolder* {
    CMoveToDlg dialog(root, moving, parent);
    return dialog.exec() == QDialog::Accepted ? dialog.Destination() : nullptr;
  };
  prompts.showMessage = [](QWidget* parent, const QString& text) {
    QMessageBox::warning(parent, QStringLiteral("Quillet"), text);
  };
  return prompts;
}

}  // namespace quillet::snippets
