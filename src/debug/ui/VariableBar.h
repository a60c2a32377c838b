#pragma once
// The variables window: while the script is stopped, every frame of its stack with the
// variables visible there, as a tree of names and values. Objects and arrays open level by
// level, each level asked of the host only when opened, so a huge array never loads whole.

#include <QWidget>

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include <nlohmann/json.hpp>

class QTreeWidget;
class QTreeWidgetItem;

namespace quillet::document {
class CWatchList;
}

namespace quillet::debug {

class CHostDebugClient;

class CVariableBar : public QWidget {
  Q_OBJECT

 public:
  explicit CVariableBar(QWidget* parent = nullptr);

  // Shows the stack of the stopped script; frames new to the window open at once.
  void Refresh(CHostDebugClient* client);
  // The run is over: the last values stay on view, nothing more is asked.
  void Detach();
  // Rebuilt at every refresh from the variables listed under the frames and the open items.
  void SetWatchList(document::CWatchList* watchList) { m_watchList = watchList; }
  [[nodiscard]] QTreeWidget* Tree() const { return m_tree; }
  // Asks for a simple value's new text (name, type, value); nothing when cancelled. The
  // "Variable" dialog unless replaced (tests answer themselves).
  using ValueEditor = std::function<std::optional<QString>(const QString&, const QString&, const QString&)>;
  void SetValueEditor(ValueEditor editor) { m_editValue = std::move(editor); }
  // A double-clicked row: simple values can be changed, objects and arrays cannot.
  void EditVariable(QTreeWidgetItem* item);

  static constexpr int kNameWidth = 200;

 private:
  void OnExpanded(QTreeWidgetItem* item);
  // watched: the level is filled for a refresh, and what it lists goes to the watch list.
  void LoadFrame(QTreeWidgetItem* frame, bool watched);
  void LoadVariables(QTreeWidgetItem* parent, int64_t reference, bool watched);
  struct SListed {
    int64_t container;  // the reference of the list the variable came from
    nlohmann::json variable;
  };
  void MergeFrames(const nlohmann::json& frames);
  void MergeChildren(QTreeWidgetItem* parent, const std::vector<SListed>& variables, bool watched);
  // Replies that arrive after the tree was cleared or refilled are dropped.
  [[nodiscard]] bool StillShown(uint64_t generation) const { return generation == m_generation; }

  QTreeWidget* m_tree;
  CHostDebugClient* m_client = nullptr;
  uint64_t m_generation = 0;
  ValueEditor m_editValue;
  document::CWatchList* m_watchList = nullptr;
};

}  // namespace quillet::debug
