#include "snippets/ui/MoveToDlg.h"

#include <QDialogButtonBox>
#include <QVBoxLayout>

#include "snippets/ui/SnippetTreeWidget.h"

namespace quillet::snippets {

CMoveToDlg::CMoveToDlg(CSnippetFolder& root, const CSnippetFolder* moving, QWidget* parent)
    : QDialog(parent), m_tree(new CSnippetTreeWidget(false, this)) {
  setWindowTitle(QStringLiteral("Move to:"));
  m_tree->Fill(root, moving);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(m_tree);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  layout->addWidget(buttons);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

CSnippetFolder* CMoveToDlg::Destination() const {
  return CSnippetTreeWidget::FolderOf(m_tree->currentItem());
}

}  // namespace quillet::snippets
