#include "snippets/ui/SnippetTreeWidget.h"

#include <QApplication>
#include <QHeaderView>
#include <QStyle>

#include "snippets/SnippetFolder.h"

namespace quillet::snippets {
namespace {

constexpr int kPointerRole = Qt::UserRole;
constexpr int kImageRole = Qt::UserRole + 1;

QIcon ImageIcon(int image) {
  QStyle* style = QApplication::style();
  switch (image) {
    case CSnippetTreeWidget::ImageRoot: return style->standardIcon(QStyle::SP_DirHomeIcon);
    case CSnippetTreeWidget::ImageFolder: return style->standardIcon(QStyle::SP_DirClosedIcon);
    case CSnippetTreeWidget::ImageOpenFolder: return style->standardIcon(QStyle::SP_DirOpenIcon);
    default: return style->standardIcon(QStyle::SP_FileIcon);
  }
}

}  // namespace

CSnippetTreeWidget::CSnippetTreeWidget(bool showSnippets, QWidget* parent)
    : QTreeWidget(parent), m_showSnippets(showSnippets) {
  setHeaderHidden(true);
  setColumnCount(1);
  setIconSize(QSize(16, 16));
  connect(this, &QTreeWidget::itemExpanded, this, [this](QTreeWidgetItem* item) {
    if (ImageOf(item) == ImageFolder) SetImage(item, ImageOpenFolder);
  });
  connect(this, &QTreeWidget::itemCollapsed, this, [this](QTreeWidgetItem* item) {
    if (ImageOf(item) == ImageOpenFolder) SetImage(item, ImageFolder);
  });
}

void CSnippetTreeWidget::Fill(CSnippetFolder& root, const CSnippetFolder* skipFolder) {
  clear();
  m_skipFolder = skipFolder;
  auto* rootItem = NewItem(QStringLiteral("Snippets"), &root, ImageRoot);
  addTopLevelItem(rootItem);
  FillChildren(rootItem, root);
  rootItem->setExpanded(true);
  setCurrentItem(rootItem);
}

void CSnippetTreeWidget::FillChildren(QTreeWidgetItem* item, CSnippetFolder& folder) {
  qDeleteAll(item->takeChildren());
  for (const auto& child : folder.folders) {
    if (child.get() != m_skipFolder) FillChildren(AddFolderItem(item, *child), *child);
  }
  if (!m_showSnippets) return;
  for (const auto& snippet : folder.snippets) AddSnippetItem(item, *snippet);
}

QTreeWidgetItem* CSnippetTreeWidget::AddFolderItem(QTreeWidgetItem* parent, CSnippetFolder& folder) {
  QTreeWidgetItem* item = NewItem(QString::fromStdU16String(folder.name), &folder, ImageFolder);
  parent->addChild(item);
  return item;
}

QTreeWidgetItem* CSnippetTreeWidget::AddSnippetItem(QTreeWidgetItem* parent, SSnippet& snippet) {
  QTreeWidgetItem* item = NewItem(QString::fromStdU16String(snippet.name), &snippet, ImageSnippet);
  parent->addChild(item);
  return item;
}

// Everything is set before the item joins the tree: a change signal for a half-made item would
// reach the dialogs with its pointer but not yet its kind.
QTreeWidgetItem* CSnippetTreeWidget::NewItem(const QString& text, void* folderOrSnippet, int image) {
  auto* item = new QTreeWidgetItem(QStringList{text});
  item->setData(0, kPointerRole, QVariant::fromValue(reinterpret_cast<quintptr>(folderOrSnippet)));
  if (image != ImageRoot) item->setFlags(item->flags() | Qt::ItemIsEditable);
  SetImage(item, image);
  return item;
}

int CSnippetTreeWidget::ImageOf(const QTreeWidgetItem* item) { return item->data(0, kImageRole).toInt(); }

CSnippetFolder* CSnippetTreeWidget::FolderOf(const QTreeWidgetItem* item) {
  if (!IsFolder(item)) return nullptr;
  return reinterpret_cast<CSnippetFolder*>(item->data(0, kPointerRole).value<quintptr>());
}

SSnippet* CSnippetTreeWidget::SnippetOf(const QTreeWidgetItem* item) {
  if (item == nullptr || ImageOf(item) != ImageSnippet) return nullptr;
  return reinterpret_cast<SSnippet*>(item->data(0, kPointerRole).value<quintptr>());
}

QTreeWidgetItem* CSnippetTreeWidget::ItemFor(const void* folderOrSnippet) const {
  const auto wanted = reinterpret_cast<quintptr>(folderOrSnippet);
  for (QTreeWidgetItemIterator it(const_cast<CSnippetTreeWidget*>(this)); *it != nullptr; ++it) {
    if ((*it)->data(0, kPointerRole).value<quintptr>() == wanted) return *it;
  }
  return nullptr;
}

void CSnippetTreeWidget::SetImage(QTreeWidgetItem* item, int image) {
  item->setData(0, kImageRole, image);
  item->setIcon(0, ImageIcon(image));
}

}  // namespace quillet::snippets
