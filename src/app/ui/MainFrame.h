#pragma once
// The main window: menus for the file commands, the editor view, and the questions about
// unsaved changes before the script is replaced or the window closes.

#include <QMainWindow>

#include <memory>
#include <string>

#include "app/ui/FramePrompts.h"

class QAction;
class QMenu;

namespace quillet::document {
class CQuilletDoc;
}
namespace quillet::editor {
class CQuilletView;
}

namespace quillet::app {

class CRecentFileList;

class CMainFrame : public QMainWindow {
  Q_OBJECT

 public:
  CMainFrame(document::CQuilletDoc& document, CRecentFileList& recentFiles);
  ~CMainFrame() override;

  [[nodiscard]] editor::CQuilletView* View() const { return m_view; }
  // Tests answer the questions themselves; the frame keeps using them until replaced.
  void SetPrompts(IFramePrompts* prompts) { m_prompts = prompts; }
  [[nodiscard]] IFramePrompts& Prompts() const { return *m_prompts; }
  [[nodiscard]] QAction* Action(int commandId) const;

  // Asks about unsaved changes; false when the user cancels or saving failed.
  bool SaveModified();
  // Replaces the script with the file's; reports "Failed to open document." on failure.
  bool OpenDocumentFile(const std::string& path);
  void UpdateTitle();

  void OnFileNew();
  void OnFileOpen();
  bool OnFileSave();
  bool OnFileSaveAs();

 protected:
  void closeEvent(QCloseEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  void CreateMenus();
  QAction* AddCommand(QMenu* menu, int commandId, const QString& text, const QKeySequence& keys);
  void RebuildRecentFiles();
  void AfterSave(bool saved);

  document::CQuilletDoc& m_document;
  CRecentFileList& m_recentFiles;
  editor::CQuilletView* m_view = nullptr;
  std::unique_ptr<CDialogPrompts> m_dialogPrompts;
  IFramePrompts* m_prompts = nullptr;
  QMenu* m_fileMenu = nullptr;
  QAction* m_recentSeparator = nullptr;
  QAction* m_exitAction = nullptr;
  std::vector<QAction*> m_recentActions;
};

}  // namespace quillet::app
