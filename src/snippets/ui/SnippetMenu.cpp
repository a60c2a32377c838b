#include "snippets/ui/SnippetMenu.h"

#include <QMenu>

#include "base/CommandIds.h"
#include "platform/FileBytes.h"
#include "snippets/SnippetFileFormat.h"

namespace quillet::snippets {
namespace {

class CMenuFiller {
 public:
  explicit CMenuFiller(const std::function<void(size_t)>& choose) : m_choose(choose) {}

  void Fill(QMenu* menu, const CSnippetFolder& folder) {
    for (const auto& child : folder.folders) {
      QMenu* popup = menu->addMenu(QString::fromStdU16String(child->name));
      Fill(popup, *child);
    }
    for (const auto& snippet : folder.snippets) {
      QAction* action = menu->addAction(QString::fromStdU16String(snippet->name));
      const size_t number = m_counter++;
      // Past the last number of the range an item keeps working but has no command id of its
      // own: the next range belongs to the samples.
      const bool inRange = number <= static_cast<size_t>(app::ID_SNIPPET_LAST - app::ID_SNIPPET_FIRST);
      action->setData(inRange ? app::ID_SNIPPET_FIRST + static_cast<int>(number) : 0);
      QObject::connect(action, &QAction::triggered, menu, [choose = m_choose, number] { choose(number); });
    }
    if (folder.folders.empty() && folder.snippets.empty()) {
      QAction* empty = menu->addAction(QStringLiteral("(Empty)"));
      empty->setData(static_cast<int>(app::ID_SNIPPET_EMPTY));
      empty->setEnabled(false);  // a placeholder with no command behind it
    }
  }

 private:
  const std::function<void(size_t)>& m_choose;
  size_t m_counter = 0;
};

void RemoveItemsAfter(QMenu* menu, int fixedItems) {
  const QList<QAction*> actions = menu->actions();
  for (qsizetype i = fixedItems; i < actions.size(); ++i) {
    QAction* action = actions[i];
    menu->removeAction(action);
    if (QMenu* popup = action->menu()) popup->deleteLater();
    if (action->parent() == menu) action->deleteLater();
  }
}

}  // namespace

void BuildSnippetMenu(QMenu* menu, int fixedItems, const CSnippetFolder& root,
                      const std::function<void(size_t)>& choose) {
  RemoveItemsAfter(menu, fixedItems);
  CMenuFiller(choose).Fill(menu, root);
}

void BuildSnippetMenu(QMenu* menu, int fixedItems, const std::string& libraryPath,
                      const std::function<void(size_t)>& choose) {
  RemoveItemsAfter(menu, fixedItems);
  std::string bytes;
  if (!platform::ReadFileBytes(libraryPath, bytes)) return;
  const SSnippetFileContent content = ParseSnippetFile(bytes);
  if (content.IsCurrent()) CMenuFiller(choose).Fill(menu, content.root);
}

}  // namespace quillet::snippets
