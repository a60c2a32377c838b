#pragma once
// The tree control the snippet dialogs share: the root captioned "Snippets", then depth first
// each folder's folders and, where wanted, its snippets after them. Each item carries its folder
// or snippet and its kind, told apart by image as the dialogs expect: 0 the root, 1 and 2 a
// closed and an open folder, 3 a snippet.

#include <QTreeWidget>

namespace quillet::snippets {

class CSnippetFolder;
struct SSnippet;

class CSnippetTreeWidget : public QTreeWidget {
  Q_OBJECT

 public:
  enum EImage { ImageRoot = 0, ImageFolder = 1, ImageOpenFolder = 2, ImageSnippet = 3 };

  // skipFolder and everything under it are left out (the folder being moved).
  CSnippetTreeWidget(bool showSnippets, QWidget* parent = nullptr);
  void Fill(CSnippetFolder& root, const CSnippetFolder* skipFolder = nullptr);
  // Replaces item's children by the folder's contents.
  void FillChildren(QTreeWidgetItem* item, CSnippetFolder& folder);
  QTreeWidgetItem* AddFolderItem(QTreeWidgetItem* parent, CSnippetFolder& folder);
  QTreeWidgetItem* AddSnippetItem(QTreeWidgetItem* parent, SSnippet& snippet);

  [[nodiscard]] static int ImageOf(const QTreeWidgetItem* item);
  [[nodiscard]] static bool IsFolder(const QTreeWidgetItem* item) {
    return item != nullptr && ImageOf(item) != ImageSnippet;
  }
  // The item's folder (the root's for the root item), or null for a snippet.
  [[nodiscard]] static CSnippetFolder* FolderOf(const QTreeWidgetItem* item);
  [[nodiscard]] static SSnippet* SnippetOf(const QTreeWidgetItem* item);
  [[nodiscard]] bool IsEditingLabel() const { return state() == EditingState; }
  [[nodiscard]] QTreeWidgetItem* RootItem() const { return topLevelItem(0); }
  [[nodiscard]] QTreeWidgetItem* ItemFor(const void* folderOrSnippet) const;

 private:
  [[nodiscard]] static QTreeWidgetItem* NewItem(const QString& text, void* folderOrSnippet, int image);
  static void SetImage(QTreeWidgetItem* item, int image);
  bool m_showSnippets;
  const CSnippetFolder* m_skipFolder = nullptr;
};

}  // namespace quillet::snippets
