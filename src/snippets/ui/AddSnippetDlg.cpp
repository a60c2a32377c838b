#include "snippets/ui/AddSnippetDlg.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

#include "snippets/SnippetFolder.h"
#include "snippets/ui/SnippetTreeWidget.h"

namespace quillet::snippets {

CAddSnippetDlg::CAddSnippetDlg(CSnippetFolder& root, const QString& code, SSnippetDialogPrompts prompts,
                               QWidget* parent)
    : QDialog(parent),
      m_prompts(std::move(prompts)),
      m_code(new QPlainTextEdit(QString(code).replace(QStringLiteral("\r\n"), QStringLiteral("\n")), this)),
      m_name(new QLineEdit(this)),
      m_shortcut(new QLineEdit(this)),
      m_tree(new CSnippetTreeWidget(false, this)),
      m_newFolder(new QPushButton(QStringLiteral("New Folder"), this)) {
  setWindowTitle(QStringLiteral("Add to Code Snippets"));
  m_code->setLineWrapMode(QPlainTextEdit::NoWrap);
  m_tree->Fill(root);
  auto* layout = new QFormLayout(this);
  layout->addRow(QStringLiteral("Code:"), m_code);
  layout->addRow(QStringLiteral("Name:"), m_name);
  layout->addRow(QStringLiteral("Shortcut:"), m_shortcut);
  layout->addRow(QStringLiteral("Create in:"), m_tree);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  buttons->addButton(m_newFolder, QDialogButtonBox::ActionRole);
  layout->addRow(buttons);
  connect(buttons, &QDialogButtonBox::accepted, this, &CAddSnippetDlg::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(m_newFolder, &QPushButton::clicked, this, &CAddSnippetDlg::OnNewFolder);
  m_name->setFocus();
}

void CAddSnippetDlg::OnNewFolder() {
  QTreeWidgetItem* selected = m_tree->currentItem();
  CSnippetFolder* destination = CSnippetTreeWidget::FolderOf(selected);
  if (destination == nullptr) return;
  const std::optional<QString> name = m_prompts.askFolderName(this);
  if (!name) return;
  QTreeWidgetItem* item = m_tree->AddFolderItem(selected, destination->AddFolder(name->toStdU16String()));
  m_tree->scrollToItem(item);
  m_tree->setCurrentItem(item);
}

void CAddSnippetDlg::accept() {
  const QString name = m_name->text().trimmed();
  if (name.isEmpty()) {
    m_prompts.showMessage(this, QStringLiteral("Name is required."));
    return;
  }
  if (CSnippetFolder* destination = CSnippetTreeWidget::FolderOf(m_tree->currentItem())) {
    // The code's lines are kept with the editor's CR LF.
    QString code = m_code->toPlainText();
    code.replace(QStringLiteral("\n"), QStringLiteral("\r\n"));
    destination->AddSnippet({name.toStdU16String(), m_shortcut->text().toStdU16String(), code.toStdU16String()});
  }
  QDialog::accept();
}

}  // namespace quillet::snippets
