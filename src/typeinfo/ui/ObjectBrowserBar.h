#pragma once
// The object browser's window: a search box with its Find button, one tree of what the script
// can use (its own global code and classes, the libraries of the objects it creates, the script
// host's library and the WMI classes), a splitter band and the description of the selected item.
// The script outline keeps the script's items and the set of libraries current through the
// IScriptOutlineBrowser operations.

#include <QWidget>

#include <functional>
#include <memory>
#include <stop_token>
#include <thread>
#include <unordered_map>
#include <vector>

#include "intellisense/ScriptOutlineBrowser.h"

class QComboBox;
class QTextEdit;
class QToolBar;
class QTreeWidget;
class QTreeWidgetItem;

namespace quillet::app {
class CSettings;
}
namespace quillet::platform {
class CClassRegistry;
}

namespace quillet::typeinfo {

class CTypeLib;

class CObjectBrowserBar : public QWidget, public intellisense::IScriptOutlineBrowser {
  Q_OBJECT

 public:
  using FFillWmiLibrary = std::function<void(CTypeLib& library, std::stop_token stop)>;

  static constexpr int kSplitterBand = 4;
  static constexpr int kSplitterMargin = 20;

  // Without settings no recent searches are kept; without a filler the WMI library stays empty
  // and out of the tree. The registry finds the host's library and the libraries' imports.
  CObjectBrowserBar(std::shared_ptr<const platform::CClassRegistry> registry, app::CSettings* settings,
                    FFillWmiLibrary fillWmiLibrary, QWidget* parent = nullptr);
  ~CObjectBrowserBar() override;

  // Deletes every item, the script's groups and the loaded libraries, then shows the script
  // host's library.
  void Reset();
  // Runs a search with the box's text (the Find button, Enter, F3).
  void Find();
  // The description pane's distance from the bottom, as the main window saves and places it.
  [[nodiscard]] int SplitterFromBottom() const;
  void SetSplitterFromBottom(int distance);
  // Replaces the message box of a search that found nothing.
  void SetNotFoundPrompt(std::function<void(const QString& text)> prompt) { m_notFound = std::move(prompt); }

  [[nodiscard]] QTreeWidget* Tree() const { return m_tree; }
  [[nodiscard]] QComboBox* SearchBox() const { return m_search; }
  [[nodiscard]] QTextEdit* DescriptionPane() const { return m_description; }
  [[nodiscard]] CTypeLib& WmiLibrary() const { return *m_wmi; }

  // IScriptOutlineBrowser
  [[nodiscard]] CTypeLib& ScriptLibrary() override { return *m_script; }
  void InsertScriptGroup(CTypeLibGroup& group) override;
  void InsertScriptMember(CTypeLibGroup& group, CTypeLibMember& member) override;
  void RemoveScriptGroup(CTypeLibGroup& group) override;
  void RemoveScriptMember(CTypeLibGroup& group, CTypeLibMember& member) override;
  void RefreshDescription() override;
  [[nodiscard]] std::vector<CTypeLib*> LoadedLibraries() override;
  CTypeLib& AddLibrary(const std::u16string& path) override;
  void RemoveLibrary(CTypeLib& library) override;

 signals:
  // A script item was double-clicked: its definition's line (0-based) for the editor view.
  void GoToLineRequested(int line);
  // The WMI library is filled and in the tree.
  void WmiLibraryLoaded();

 protected:
  void resizeEvent(QResizeEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void CreateToolbar();
  void CreateTree();
  void StartWmiThread(FFillWmiLibrary fillWmiLibrary);
  void OnWmiLibraryFilled();
  void LayOut();
  void InsertLibraryItem(CTypeLib& library);
  [[nodiscard]] QTreeWidgetItem* FirstLibraryItem() const;
  void InsertScriptItem(QTreeWidgetItem* parent, QTreeWidgetItem* item);
  void DeleteItem(QTreeWidgetItem* item);
  void ShowDescription(QTreeWidgetItem* item);
  void OnDoubleClicked(QTreeWidgetItem* item);
  void AddRecentSearch(const QString& text);
  void LoadRecentSearches();
  [[nodiscard]] bool Matches(QTreeWidgetItem* item, const QString& text) const;
  [[nodiscard]] QTreeWidgetItem* NextInPreOrder(QTreeWidgetItem* item) const;

  std::shared_ptr<const platform::CClassRegistry> m_registry;
  app::CSettings* m_settings;
  std::unique_ptr<CTypeLib> m_script;
  std::unique_ptr<CTypeLib> m_wmi;
  std::vector<std::unique_ptr<CTypeLib>> m_libraries;
  std::unordered_map<const void*, QTreeWidgetItem*> m_scriptItems;

  QToolBar* m_toolbar = nullptr;
  QComboBox* m_search = nullptr;
  QTreeWidget* m_tree = nullptr;
  QWidget* m_band = nullptr;
  QTextEdit* m_description = nullptr;
  int m_paneHeight = 100;
  bool m_dragging = false;

  QString m_lastSearch;
  QTreeWidgetItem* m_searchItem = nullptr;
  bool m_found = false;
  std::function<void(const QString&)> m_notFound;

  std::jthread m_wmiThread;
};

}  // namespace quillet::typeinfo
