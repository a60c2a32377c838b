#include "snippets/ui/OrganizeSnippetsDlg.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

#include "snippets/SnippetFolder.h"
#include "snippets/ui/SnippetTreeWidget.h"

namespace quillet::snippets {
namespace {

template <typename T>
std::unique_ptr<T> TakeFrom(std::vector<std::unique_ptr<T>>& list, const T* wanted) {
  const auto found = std::find_if(list.begin(), list.end(), [wanted](const auto& p) { return p.get() == wanted; });
  if (found == list.end()) return nullptr;
  std::unique_ptr<T> taken = std::move(*found);
  list.erase(found);
  return taken;
}

std::u16string WithCrLf(QString text) {
  return text.replace(QStringLiteral("\n"), QStringLiteral("\r\n")).toStdU16String();
}

}  // namespace

COrganizeSnippetsDlg::COrganizeSnippetsDlg(CSnippetFolder& root, SSnippetDialogPrompts prompts,
                                           QWidget* parent)
    : QDialog(parent),
      m_root(root),
      m_prompts(std::move(prompts)),
      m_tree(new CSnippetTreeWidget(true, this)),
      m_code(new QPlainTextEdit(this)),
      m_shortcut(new QLineEdit(this)),
      m_rename(new QPushButton(QStringLiteral("Rename"), this)),
      m_delete(new QPushButton(QStringLiteral("Delete"), this)),
      m_newFolder(new QPushButton(QStringLiteral("New Folder"), this)),
      m_move(new QPushButton(QStringLiteral("Move To..."), this)) {
  setWindowTitle(QStringLiteral("Organize Code Snippets"));
  m_code->setLineWrapMode(QPlainTextEdit::NoWrap);
  m_tree->setEditTriggers(QAbstractItemView::EditKeyPressed | QAbstractItemView::SelectedClicked);
  for (QPushButton* button : {m_rename, m_delete, m_newFolder, m_move}) button->setAutoDefault(false);

  auto* grid = new QGridLayout(this);
  grid->addWidget(m_tree, 0, 0, 4, 1);
  grid->addWidget(new QLabel(QStringLiteral("Code:"), this), 0, 1);
  grid->addWidget(m_code, 1, 1);
  grid->addWidget(new QLabel(QStringLiteral("Shortcut:"), this), 2, 1);
  grid->addWidget(m_shortcut, 3, 1);
  auto* side = new QVBoxLayout;
  for (QPushButton* button : {m_rename, m_delete, m_newFolder, m_move}) side->addWidget(button);
  side->addStretch();
  grid->addLayout(side, 0, 2, 4, 1);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  grid->addWidget(buttons, 4, 0, 1, 3);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

  connect(m_rename, &QPushButton::clicked, this, &COrganizeSnippetsDlg::OnRename);
  connect(m_delete, &QPushButton::clicked, this, &COrganizeSnippetsDlg::OnDelete);
  connect(m_newFolder, &QPushButton::clicked, this, &COrganizeSnippetsDlg::OnNewFolder);
  connect(m_move, &QPushButton::clicked, this, &COrganizeSnippetsDlg::OnMoveTo);
  connect(m_tree, &QTreeWidget::currentItemChanged, this, &COrganizeSnippetsDlg::OnSelectionChanged);
  connect(m_tree, &QTreeWidget::itemChanged, this, &COrganizeSnippetsDlg::OnItemChanged);
  connect(m_code, &QPlainTextEdit::textChanged, this, [this] {
    if (SSnippet* snippet = CSnippetTreeWidget::SnippetOf(m_tree->currentItem()); snippet && !m_showing) {
      snippet->code = WithCrLf(m_code->toPlainText());
    }
  });
  connect(m_shortcut, &QLineEdit::textChanged, this, [this](const QString& text) {
    if (SSnippet* snippet = CSnippetTreeWidget::SnippetOf(m_tree->currentItem()); snippet && !m_showing) {
      snippet->shortcut = text.toStdU16String();
    }
  });

  m_tree->Fill(root);
  OnSelectionChanged();
}

void COrganizeSnippetsDlg::OnSelectionChanged() {
  QTreeWidgetItem* item = m_tree->currentItem();
  const SSnippet* snippet = CSnippetTreeWidget::SnippetOf(item);
  m_showing = true;
  m_code->setPlainText(snippet ? QString::fromStdU16String(snippet->code).replace(QStringLiteral("\r\n"), QStringLiteral("\n"))
                               : QString());
  m_shortcut->setText(snippet ? QString::fromStdU16String(snippet->shortcut) : QString());
  m_showing = false;
  m_code->setReadOnly(snippet == nullptr);
  m_shortcut->setReadOnly(snippet == nullptr);
  const bool other = item != nullptr && item != m_tree->RootItem();
  m_rename->setEnabled(other);
  m_delete->setEnabled(other);
  m_move->setEnabled(other);
  m_newFolder->setEnabled(CSnippetTreeWidget::IsFolder(item));
}

void COrganizeSnippetsDlg::OnItemChanged(QTreeWidgetItem* item) {
  const std::u16string name = item->text(0).toStdU16String();
  if (SSnippet* snippet = CSnippetTreeWidget::SnippetOf(item)) {
    snippet->name = name;
  } else if (CSnippetFolder* folder = CSnippetTreeWidget::FolderOf(item); folder && item != m_tree->RootItem()) {
    folder->name = name;
  }
}

void COrganizeSnippetsDlg::OnRename() {
  QTreeWidgetItem* item = m_tree->currentItem();
  if (item != nullptr && item != m_tree->RootItem()) m_tree->editItem(item);
}

CSnippetFolder* COrganizeSnippetsDlg::ParentFolderOf(const QTreeWidgetItem* item) {
  return item->parent() != nullptr ? CSnippetTreeWidget::FolderOf(item->parent()) : nullptr;
}

void COrganizeSnippetsDlg::OnDelete() {
  QTreeWidgetItem* item = m_tree->currentItem();
  if (item == nullptr || item == m_tree->RootItem()) return;
  CSnippetFolder* parent = ParentFolderOf(item);
  if (parent == nullptr) return;
  // The item goes first: its signals must not reach a snippet already freed.
  SSnippet* snippet = CSnippetTreeWidget::SnippetOf(item);
  CSnippetFolder* folder = CSnippetTreeWidget::FolderOf(item);
  delete item;
  if (snippet != nullptr) TakeFrom(parent->snippets, snippet);
  if (folder != nullptr) TakeFrom(parent->folders, folder);
  OnSelectionChanged();
}

void COrganizeSnippetsDlg::OnNewFolder() {
  QTreeWidgetItem* selected = m_tree->currentItem();
  CSnippetFolder* destination = CSnippetTreeWidget::FolderOf(selected);
  if (destination == nullptr) return;
  const std::optional<QString> name = m_prompts.askFolderName(this);
  if (!name) return;
  QTreeWidgetItem* item = m_tree->AddFolderItem(selected, destination->AddFolder(name->toStdU16String()));
  // Folders stand before snippets in the tree as in the file.
  selected->removeChild(item);
  selected->insertChild(static_cast<int>(destination->folders.size()) - 1, item);
  m_tree->scrollToItem(item);
  m_tree->setCurrentItem(item);
}

void COrganizeSnippetsDlg::OnMoveTo() {
  QTreeWidgetItem* item = m_tree->currentItem();
  if (item == nullptr || item == m_tree->RootItem()) return;
  CSnippetFolder* parent = ParentFolderOf(item);
  CSnippetFolder* movingFolder = CSnippetTreeWidget::FolderOf(item);
  SSnippet* movingSnippet = CSnippetTreeWidget::SnippetOf(item);
  CSnippetFolder* destination = m_prompts.askMoveTarget(this, m_root, movingFolder);
  // The prompt never offers the moving folder's own subtree; a caller that did is refused.
  if (destination == nullptr || parent == nullptr ||
      (movingFolder != nullptr && movingFolder->Contains(destination))) {
    return;
  }
  const void* moved = movingFolder != nullptr ? static_cast<const void*>(movingFolder) : movingSnippet;
  delete item;
  if (movingFolder != nullptr) destination->folders.push_back(TakeFrom(parent->folders, movingFolder));
  if (movingSnippet != nullptr) destination->snippets.push_back(TakeFrom(parent->snippets, movingSnippet));
  QTreeWidgetItem* destinationItem = m_tree->ItemFor(destination);
  m_tree->FillChildren(destinationItem, *destination);
  QTreeWidgetItem* movedItem = m_tree->ItemFor(moved);
  m_tree->scrollToItem(movedItem);
  m_tree->setCurrentItem(movedItem);
}

}  // namespace quillet::snippets
