#pragma once
// The main window: menus, the two toolbars, the status bar and the three docking bars around the
// editor view; the file commands with their questions about unsaved changes; and the commands
// that belong to no document (bars, options, help).

#include <QMainWindow>
#include <QPointer>

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "app/FrameLayout.h"
#include "app/OsVersion.h"
#include "app/ui/FramePrompts.h"

class QAction;
class QPrinter;
class QSocketNotifier;
class QLabel;
class QMenu;
class QToolBar;

namespace quillet::document {
class CQuilletDoc;
}
namespace quillet::debug {
class CDebugController;
class CScriptRunner;
class CShellBar;
class CVariableBar;
}
namespace quillet::snippets {
class CLibrarySnippetSource;
class CSnippetFolder;
}
namespace quillet::editor {
class CEditReplaceDlg;
class CQuilletView;
class CTypeInformation;
}

namespace quillet::app {

class CArgumentsCombo;
class CFrameDebugWindows;
class CFrameObjectBrowser;
class CFrameRunHost;
class CRecentFileList;
class CSettings;
class CSettingsReferenceStore;
class CSizingControlBar;
struct SMenuItem;
struct SToolbarButton;

class CMainFrame : public QMainWindow {
  Q_OBJECT

 public:
  CMainFrame(document::CQuilletDoc& document, CRecentFileList& recentFiles, CSettings& settings,
             const SOsVersion& osVersion);
  ~CMainFrame() override;

  [[nodiscard]] editor::CQuilletView* View() const { return m_view; }
  // Tests answer the questions themselves; the frame keeps using them until replaced.
  void SetPrompts(IFramePrompts* prompts) { m_prompts = prompts; }
  [[nodiscard]] IFramePrompts& Prompts() const { return *m_prompts; }
  [[nodiscard]] CSettings& Settings() const { return m_settings; }
  [[nodiscard]] document::CQuilletDoc& Document() const { return m_document; }
  // Run script and the output window (MainFrameRun.cpp).
  [[nodiscard]] debug::CScriptRunner& Runner() const { return *m_runner; }
  [[nodiscard]] debug::CShellBar* ShellBar() const { return m_shellBar; }
  void OnRunScript();
  // The debugger (MainFrameDebug.cpp).
  [[nodiscard]] debug::CDebugController& Debugger() const { return *m_debugger; }
  [[nodiscard]] debug::CVariableBar* VariableBar() const { return m_variableBar; }
  // Start when idle, else Continue.
  void OnStartOrContinue();
  // The debugging part of the run is over (the host left or the run ended).
  void EndDebugging();
  void UpdateDebugCommands();

  // The menu bar's action for the command (the first one built).
  [[nodiscard]] QAction* Action(int commandId) const;
  // A command stays disabled until whoever handles it connects here.
  void ConnectCommand(int commandId, std::function<void()> handler);

  [[nodiscard]] QToolBar* MainToolbar() const { return m_mainToolbar; }
  [[nodiscard]] QToolBar* DebugToolbar() const { return m_debugToolbar; }
  [[nodiscard]] CArgumentsCombo* ArgumentsBox() const { return m_arguments; }
  [[nodiscard]] QMenu* EditorContextMenu() const { return m_contextMenu; }
  // Places that later parts fill: the snippet tree goes at the end of the Snippets menu and of
  // the insert-snippet popups, the sample scripts replace the Samples menu's items, and the bars
  // get their windows.
  [[nodiscard]] QMenu* SnippetsMenu() const { return m_snippetsMenu; }
  [[nodiscard]] QMenu* InsertSnippetMenu() const { return m_insertSnippetMenu; }
  [[nodiscard]] QMenu* SamplesMenu() const { return m_samplesMenu; }
  [[nodiscard]] CSizingControlBar* OutputBar() const { return m_outputBar; }
  [[nodiscard]] CSizingControlBar* VariablesBar() const { return m_variablesBar; }
  [[nodiscard]] CSizingControlBar* ObjectBrowserBar() const { return m_objectBrowserBar; }
  [[nodiscard]] CFrameObjectBrowser& ObjectBrowser() const { return *m_objectBrowser; }

  // Asks about unsaved changes; false when the user cancels or saving failed.
  bool SaveModified();
  // Replaces the script with the file's; reports "Failed to open document." on failure.
  bool OpenDocumentFile(const std::string& path);
  void UpdateTitle();

  // While a script is debugged the help commands are refused.
  void SetDebugging(bool debugging) { m_debugging = debugging; }
  [[nodiscard]] bool IsDebugging() const { return m_debugging; }
  // The folder of the help pages: the installed one beside the program, else the build tree's.
  [[nodiscard]] static QString HelpFolder();
  [[nodiscard]] std::u16string WordAtCaret() const;

  void OnHelpContents();
  // F1 on a highlighted menu item: the help topic of that command.
  void OnContextHelp(int commandId);
  void OnHelpSearch();
  void OnHelpSearchWeb();
  void OnHelpWebsite();
  void OnDownloadPage(int commandId);
  void OnAbout();

  // Tells every view to take the editor settings again, after the Options dialog wrote them.
  void ReloadViewSettings();
  // Enabled states, check marks and Undo/Redo texts of the view's commands, brought up to date.
  void UpdateEditorCommands();

  // Find, Replace, F3, Shift+F3 and Ctrl+G (MainFrameFind.cpp).
  void OpenFindDialog(bool replace);
  void OnRepeatSearch(bool reverse);
  void OnGoToLine();
  [[nodiscard]] editor::CEditReplaceDlg* FindDialog() const;
  // Closes it as its Close button does, keeping what was typed in it, and deletes it at once.
  void CloseFindDialog();

  // Print, Print Preview and Page Setup (MainFramePrint.cpp).
  void OnFilePrint();
  void OnPrintPreview();
  void OnPageSetup();
  // False when the printer could not start.
  bool PrintTo(QPrinter& printer, bool selectionOnly);

  // Snippets and samples (MainFrameSnippets.cpp).
  // Reads the library again into the Snippets menu, the toolbar's drop-down and the context
  // menu's pop-up.
  void RebuildSnippetMenus();
  void InsertSnippet(size_t number);
  // Replaces the Samples menu's items by the samples, or the placeholder when none can be read.
  void RebuildSamplesMenu();
  void OpenSample(int number);
  // "Add to Code Snippets..." and "Organize Code Snippets...": the dialog works on a copy of the
  // library that is written back whole on OK.
  void OnAddSnippet();
  void OnOrganizeSnippets();
  [[nodiscard]] QMenu* ContextSnippetMenu() const { return m_contextSnippetMenu; }

  void OnFileNew();
  void OnFileOpen();
  bool OnFileSave();
  bool OnFileSaveAs();

 signals:
  // Views that keep settings of their own connect here.
  void ViewSettingsChanged();

 protected:
  void closeEvent(QCloseEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // Building (MainFrameBars.cpp)
  void CreateCommands();
  QAction* MakeAction(int commandId, const QString& text);
  void CreateMenus();
  void FillMenu(QMenu* menu, std::span<const SMenuItem> items);
  void CreateContextMenu();
  void CreateToolbars();
  void FillToolbar(QToolBar* toolbar, std::span<const SToolbarButton> buttons);
  void AddArgumentsBox(QToolBar* toolbar, const QString& label);
  void CreateStatusBar();
  void CreateDockingBars();
  void PlaceObjectBrowser();
  void ConnectFrameCommands();
  void ConnectEditorCommands();
  void ConnectIntelliSense();
  void RestorePlacement();
  void SavePlacementAndBars();
  void WidenArgumentsBox();
  void ToggleObjectBrowser();
  [[nodiscard]] SObjectBrowserPlacement CurrentObjectBrowserPlacement() const;
  void OnRunningScripts();
  void OnOptions();
  void OnReferences();  // MainFrameTools.cpp
  void ConnectHelpCommands();
  void ConnectFindCommands();
  void ConnectPrintCommands();
  void ConnectRunCommands();
  void ConnectDebugCommands();
  bool StartDebugging();
  // Leaving the script while it is debugged ends the run, if the user agrees.
  bool StopDebuggingToLeave();
  // The sockets of the debugger are read as the event loop finds them readable.
  void WatchDebuggerSockets();
  void ConnectSnippetCommands();
  [[nodiscard]] std::optional<std::string> SnippetsFilePath();
  void SaveSnippetLibrary(const snippets::CSnippetFolder& root, const std::string& path);
  void UpdateRunCommands();
  void ShowRecordedArguments(const QString& arguments);
  // A new or opened script starts with no arguments and an empty output window.
  void ClearArgumentsAndOutput();

  void RebuildRecentFiles();
  void AfterSave(bool saved);

  document::CQuilletDoc& m_document;
  CRecentFileList& m_recentFiles;
  CSettings& m_settings;
  std::unique_ptr<CSettingsReferenceStore> m_referenceStore;
  std::unique_ptr<editor::CTypeInformation> m_typeInformation;
  SOsVersion m_osVersion;
  editor::CQuilletView* m_view = nullptr;
  std::unique_ptr<CDialogPrompts> m_dialogPrompts;
  IFramePrompts* m_prompts = nullptr;

  std::map<int, QAction*> m_actions;
  QMenu* m_fileMenu = nullptr;
  QMenu* m_snippetsMenu = nullptr;
  QMenu* m_samplesMenu = nullptr;
  QMenu* m_insertSnippetMenu = nullptr;
  QMenu* m_contextMenu = nullptr;
  QMenu* m_contextSnippetMenu = nullptr;
  std::unique_ptr<snippets::CLibrarySnippetSource> m_snippetSource;
  std::vector<QAction*> m_recentActions;
  QToolBar* m_mainToolbar = nullptr;
  QToolBar* m_debugToolbar = nullptr;
  CArgumentsCombo* m_arguments = nullptr;
  QLabel* m_positionPane = nullptr;
  CSizingControlBar* m_outputBar = nullptr;
  CSizingControlBar* m_variablesBar = nullptr;
  CSizingControlBar* m_objectBrowserBar = nullptr;
  SObjectBrowserPlacement m_objectBrowserPlacement;
  std::unique_ptr<CFrameObjectBrowser> m_objectBrowser;
  bool m_debugging = false;
  QPointer<editor::CEditReplaceDlg> m_findDialog;
  debug::CShellBar* m_shellBar = nullptr;
  std::unique_ptr<CFrameRunHost> m_runHost;
  std::unique_ptr<debug::CScriptRunner> m_runner;
  std::unique_ptr<CFrameDebugWindows> m_debugWindows;
  std::unique_ptr<debug::CDebugController> m_debugger;
  debug::CVariableBar* m_variableBar = nullptr;
  QPointer<QSocketNotifier> m_listenerNotifier;
  QPointer<QSocketNotifier> m_hostNotifier;
};

}  // namespace quillet::app
