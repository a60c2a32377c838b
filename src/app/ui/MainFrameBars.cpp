// The main window's menus, toolbars, status bar and docking bars, and the commands that show them.

#include <QAction>
#include <QDialog>
#include <QGuiApplication>
#include <QLabel>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>

#include <vector>

#include "app/AppStrings.h"
#include "base/CommandIds.h"
#include "app/MenuLayout.h"
#include "base/SettingsInventory.h"
#include "app/ui/ArgumentsCombo.h"
#include "app/ui/CommandIcons.h"
#include "app/ui/FrameObjectBrowser.h"
#include "app/ui/MainFrame.h"
#include "app/ui/OptionsDialog.h"
#include "app/ui/QtText.h"
#include "app/ui/SizingControlBar.h"
#include "editor/ui/QuilletView.h"
#include "typeinfo/ui/ObjectBrowserBar.h"

namespace quillet::app {
namespace {

// Commands the frame or the view already handle; every other one waits for its handler.
constexpr int kHandledAtStart[] = {
    ID_FILE_NEW,        ID_FILE_OPEN,     ID_FILE_SAVE,          ID_FILE_SAVE_AS,
    ID_APP_EXIT,        ID_EDIT_UNDO,     ID_EDIT_REDO,          ID_VIEW_TOOLBAR,
    ID_VIEW_STATUS_BAR, ID_VIEW_OUTPUT,   ID_VIEW_OBJECT_BROWSER, ID_TOOLS_RUNNING_SCRIPTS,
    ID_SNIPPETS_INSERT, ID_TOOLS_OPTIONS, ID_HELP_CONTENTS, ID_HELP_SEARCH, ID_HELP_SEARCH_WEB,
    ID_HELP_WEBSITE,    ID_APP_ABOUT,
};

SRect ToRect(const QRect& rect) { return {rect.x(), rect.y(), rect.width(), rect.height()}; }

QKeySequence ShortcutFor(int commandId) {
  switch (commandId) {
    case ID_FILE_NEW: return QKeySequence::New;
    case ID_FILE_OPEN: return QKeySequence::Open;
    case ID_FILE_SAVE: return QKeySequence::Save;
    case ID_EDIT_UNDO: return QKeySequence::Undo;
    case ID_EDIT_REDO: return QKeySequence::Redo;
    case ID_HELP_SEARCH: return QKeySequence(Qt::Key_F1);
    case ID_EDIT_FIND: return QKeySequence(Qt::CTRL | Qt::Key_F);
    case ID_EDIT_REPLACE: return QKeySequence(Qt::CTRL | Qt::Key_H);
    case ID_EDIT_GOTO_LINE: return QKeySequence(Qt::CTRL | Qt::Key_G);
    case ID_EDIT_REPEAT: return QKeySequence(Qt::Key_F3);
    case ID_EDIT_FIND_PREVIOUS: return QKeySequence(Qt::SHIFT | Qt::Key_F3);
    case ID_EDIT_COMPLETE_WORD: return QKeySequence(Qt::ALT | Qt::Key_Right);
    case ID_FILE_PRINT: return QKeySequence(Qt::CTRL | Qt::Key_P);
    case ID_DEBUG_RUN_SCRIPT: return QKeySequence(Qt::CTRL | Qt::Key_F5);
    case ID_DEBUG_STOP: return QKeySequence(Qt::SHIFT | Qt::Key_F5);
    case ID_DEBUG_START_OR_CONTINUE: return QKeySequence(Qt::Key_F5);
    case ID_DEBUG_STEP_INTO: return QKeySequence(Qt::Key_F11);
    case ID_DEBUG_STEP_OVER: return QKeySequence(Qt::Key_F10);
    case ID_DEBUG_STEP_OUT: return QKeySequence(Qt::SHIFT | Qt::Key_F11);
    case ID_DEBUG_TOGGLE_BREAKPOINT: return QKeySequence(Qt::Key_F9);
    case ID_DEBUG_REMOVE_ALL_BREAKPOINTS: return QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_F9);
    default: return {};
  }
}

// The sentence the status bar shows while the command is under the mouse in a menu.
QString StatusTipFor(int commandId) {
  switch (commandId) {
    case ID_EDIT_LIST_MEMBERS: return QStringLiteral("Brings up the completion list box");
    case ID_EDIT_PARAMETERS_INFO: return QStringLiteral("Provides help with parameters of functions");
    default: return {};
  }
}

}  // namespace

QAction* CMainFrame::MakeAction(int commandId, const QString& text) {
  auto* action = new QAction(text, this);
  action->setData(commandId);
  action->setShortcut(ShortcutFor(commandId));
  action->setStatusTip(StatusTipFor(commandId));
  action->setIcon(CommandIcon(commandId, *style()));
  action->setIconVisibleInMenu(false);
  action->setEnabled(std::find(std::begin(kHandledAtStart), std::end(kHandledAtStart), commandId) !=
                     std::end(kHandledAtStart));
  return action;
}

void CMainFrame::CreateCommands() {
  for (const SMenu& menu : MainMenu()) {
    for (const SMenuItem& item : menu.items) {
      if (item.id != 0 && !m_actions.contains(item.id)) {
        m_actions[item.id] = MakeAction(item.id, ToQString(item.text));
      }
    }
  }
  for (const SMenuItem& item : ToolbarOnlyCommands()) {
    m_actions[item.id] = MakeAction(item.id, ToQString(item.text));
  }
  // The view takes these keys itself while it has the focus.
  Action(ID_EDIT_UNDO)->setShortcutContext(Qt::WidgetShortcut);
  Action(ID_EDIT_REDO)->setShortcutContext(Qt::WidgetShortcut);
  Action(ID_EDIT_COMPLETE_WORD)->setShortcutContext(Qt::WidgetShortcut);
  for (const int checkable : {ID_VIEW_TOOLBAR, ID_VIEW_STATUS_BAR, ID_VIEW_OUTPUT, ID_VIEW_VARIABLES,
                              ID_VIEW_OBJECT_BROWSER, ID_VIEW_LINE_NUMBERS, ID_VIEW_WHITESPACE,
                              ID_DEBUG_WSCRIPT, ID_DEBUG_CSCRIPT, ID_DEBUG_REDIRECT_CONSOLE}) {
    Action(checkable)->setCheckable(true);
  }
  Action(ID_FILE_MRU_FILE1)->setEnabled(false);
}

void CMainFrame::FillMenu(QMenu* menu, std::span<const SMenuItem> items) {
  for (const SMenuItem& item : items) {
    if (item.id == 0) {
      menu->addSeparator();
    } else {
      menu->addAction(Action(item.id));
    }
  }
}

void CMainFrame::CreateMenus() {
  for (const SMenu& layout : MainMenu()) {
    QMenu* menu = menuBar()->addMenu(ToQString(layout.title));
    FillMenu(menu, layout.items);
    menu->installEventFilter(this);  // F1 on an item: context help
    if (layout.items.front().id == ID_FILE_NEW) m_fileMenu = menu;
    if (layout.items.front().id == ID_SNIPPETS_ADD) m_snippetsMenu = menu;
    if (layout.items.front().id == ID_SAMPLES_EMPTY) m_samplesMenu = menu;
  }
  // The toolbar's drop-down is a copy of the Snippets menu, filled when it opens.
  m_insertSnippetMenu = new QMenu(this);
  for (const SMenu& layout : MainMenu()) {
    if (layout.items.front().id == ID_SNIPPETS_ADD) FillMenu(m_insertSnippetMenu, layout.items);
  }
}

void CMainFrame::CreateContextMenu() {
  m_contextMenu = new QMenu(this);
  for (const SMenuItem& item : app::EditorContextMenu()) {
    if (item.id == 0) {
      m_contextMenu->addSeparator();
    } else if (item.id == kInsertSnippetPopupId) {
      m_contextSnippetMenu = m_contextMenu->addMenu(ToQString(item.text));
      m_contextSnippetMenu->addAction(Action(ID_SNIPPETS_WMI));
      m_contextSnippetMenu->addSeparator();
    } else if (Action(item.id)->text() == ToQString(item.text)) {
      m_contextMenu->addAction(Action(item.id));
    } else {
      // Same command, the context menu's own wording.
      m_contextMenu->addAction(MakeAction(item.id, ToQString(item.text)));
    }
  }
  m_view->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(m_view, &QWidget::customContextMenuRequested, this,
          [this](const QPoint& at) { m_contextMenu->popup(m_view->mapToGlobal(at)); });
}

void CMainFrame::CreateToolbars() {
  m_mainToolbar = addToolBar(ToQString(kMainToolbarTitle));
  m_mainToolbar->setObjectName(QStringLiteral("mainToolbar"));
  FillToolbar(m_mainToolbar, MainToolbarButtons());
  addToolBarBreak();
  m_debugToolbar = addToolBar(ToQString(kDebugToolbarTitle));
  m_debugToolbar->setObjectName(QStringLiteral("debugToolbar"));
  FillToolbar(m_debugToolbar, DebugToolbarButtons());
  for (QToolBar* toolbar : {m_mainToolbar, m_debugToolbar}) {
    toolbar->setIconSize(QSize(16, 16));
    toolbar->setToolButtonStyle(Qt::ToolButtonIconOnly);
  }
  m_debugToolbar->installEventFilter(this);
}

void CMainFrame::FillToolbar(QToolBar* toolbar, std::span<const SToolbarButton> buttons) {
  for (const SToolbarButton& button : buttons) {
    if (button.id == 0) {
      toolbar->addSeparator();
      continue;
    }
    if (button.id == ID_DEBUG_ARGUMENTS_LABEL) {
      AddArgumentsBox(toolbar, ToQString(button.caption));
      return;
    }
    QAction* action = Action(button.id);
    toolbar->addAction(action);
    auto* toolButton = qobject_cast<QToolButton*>(toolbar->widgetForAction(action));
    if (button.caption.empty() || toolButton == nullptr) continue;
    const QString caption = button.caption == kConsoleHostCaption
                                ? ToQString(m_settings.Read(settings::ConsoleHost))
                                : ToQString(button.caption);
    action->setIconText(caption);
    toolButton->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    if (button.id == ID_SNIPPETS_INSERT) {
      toolButton->setMenu(m_insertSnippetMenu);
      toolButton->setPopupMode(QToolButton::InstantPopup);
    }
  }
}

void CMainFrame::AddArgumentsBox(QToolBar* toolbar, const QString& label) {
  auto* text = new QLabel(label, toolbar);
  text->setContentsMargins(6, 0, 4, 0);
  toolbar->addWidget(text)->setData(static_cast<int>(ID_DEBUG_ARGUMENTS_LABEL));
  m_arguments = new CArgumentsCombo(toolbar);
  m_arguments->LoadRecent(m_settings);
  toolbar->addWidget(m_arguments)->setData(static_cast<int>(ID_DEBUG_ARGUMENTS));
}

void CMainFrame::CreateStatusBar() {
  statusBar()->showMessage(ToQString(kReadyMessage));
  m_positionPane = new QLabel(this);
  m_positionPane->setMinimumWidth(fontMetrics().horizontalAdvance(ToQString(kPositionPaneSizer)));
  statusBar()->addPermanentWidget(m_positionPane);
  for (const auto text : {kOverwritePane, kCapsLockPane, kNumLockPane}) {
    auto* pane = new QLabel(ToQString(text), this);
    // Greyed until something reports the state it shows.
    pane->setEnabled(false);
    statusBar()->addPermanentWidget(pane);
    if (text == kOverwritePane) {
      connect(m_view, &editor::CQuilletView::OverwriteChanged, pane, &QWidget::setEnabled);
    }
  }
  connect(m_view, &editor::CQuilletView::CaretMoved, this, [this](int line, int column) {
    m_positionPane->setText(ToQString(kPositionPaneFormat).arg(line).arg(column));
  });
}

void CMainFrame::CreateDockingBars() {
  m_variablesBar = new CSizingControlBar(ToQString(kVariablesBarTitle), settings::kVariablesBarId, this);
  m_outputBar = new CSizingControlBar(ToQString(kOutputBarTitle), settings::kOutputBarId, this);
  for (CSizingControlBar* bar : {m_variablesBar, m_outputBar}) {
    bar->setAllowedAreas(Qt::BottomDockWidgetArea);
  }
  addDockWidget(Qt::BottomDockWidgetArea, m_variablesBar);
  splitDockWidget(m_variablesBar, m_outputBar, Qt::Horizontal);
  // Both share one row, each half as wide as the variables bar and half as tall again.
  SBarSizes sizes = m_variablesBar->Sizes();
  sizes.horizontal = {sizes.horizontal.width / 2, sizes.horizontal.height * 3 / 2};
  m_variablesBar->SetSizes(sizes);
  m_outputBar->SetSizes(sizes);
  m_variablesBar->hide();
  m_outputBar->hide();

  m_objectBrowserBar = new CSizingControlBar(ToQString(kObjectBrowserBarTitle), settings::kObjectBrowserBarId, this);
  m_objectBrowserBar->setAllowedAreas(Qt::LeftDockWidgetArea | Qt::RightDockWidgetArea);
  m_objectBrowser = std::make_unique<CFrameObjectBrowser>(*m_objectBrowserBar, *m_view, m_settings);
  PlaceObjectBrowser();
}

void CMainFrame::PlaceObjectBrowser() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  const SRect workArea = screen != nullptr ? ToRect(screen->availableGeometry()) : SRect{};
  m_objectBrowserPlacement = SObjectBrowserPlacement::Load(m_settings, workArea);
  const auto& placement = m_objectBrowserPlacement;
  SBarSizes sizes = m_objectBrowserBar->Sizes();
  sizes.floating = placement.floatingSize;
  sizes.vertical.width = placement.dockedWidth;
  addDockWidget(placement.side == EDockSide::Left ? Qt::LeftDockWidgetArea : Qt::RightDockWidgetArea,
                m_objectBrowserBar);
  if (placement.floating) {
    m_objectBrowserBar->setFloating(true);
    m_objectBrowserBar->move(placement.x, placement.y);
  }
  m_objectBrowserBar->SetSizes(sizes);
  m_objectBrowser->Bar().SetSplitterFromBottom(placement.splitterFromBottom);
  m_objectBrowserBar->setVisible(placement.show);
}

void CMainFrame::ConnectFrameCommands() {
  QAction* toolbars = Action(ID_VIEW_TOOLBAR);
  toolbars->setChecked(true);
  connect(toolbars, &QAction::toggled, this, [this](bool on) {
    m_mainToolbar->setVisible(on);
    m_debugToolbar->setVisible(on);
  });
  QAction* status = Action(ID_VIEW_STATUS_BAR);
  status->setChecked(true);
  connect(status, &QAction::toggled, statusBar(), &QWidget::setVisible);

  QAction* output = Action(ID_VIEW_OUTPUT);
  connect(output, &QAction::triggered, this, [this] { m_outputBar->setVisible(!m_outputBar->isVisible()); });
  // The slots name the bar, not the frame: bars still report visibility changes while the
  // frame's own destructor has already run and only its QWidget part is left.
  connect(m_outputBar, &QDockWidget::visibilityChanged, output,
          [bar = m_outputBar, output] { output->setChecked(!bar->isHidden()); });
  QAction* browser = Action(ID_VIEW_OBJECT_BROWSER);
  connect(browser, &QAction::triggered, this, &CMainFrame::ToggleObjectBrowser);
  connect(m_objectBrowserBar, &QDockWidget::visibilityChanged, browser,
          [bar = m_objectBrowserBar, browser] { browser->setChecked(!bar->isHidden()); });
  browser->setChecked(!m_objectBrowserBar->isHidden());

  connect(Action(ID_FILE_NEW), &QAction::triggered, this, &CMainFrame::OnFileNew);
  connect(Action(ID_FILE_OPEN), &QAction::triggered, this, &CMainFrame::OnFileOpen);
  connect(Action(ID_FILE_SAVE), &QAction::triggered, this, &CMainFrame::OnFileSave);
  connect(Action(ID_FILE_SAVE_AS), &QAction::triggered, this, &CMainFrame::OnFileSaveAs);
  connect(Action(ID_APP_EXIT), &QAction::triggered, this, &QWidget::close);
  connect(Action(ID_EDIT_UNDO), &QAction::triggered, m_view, &editor::CQuilletView::Undo);
  connect(Action(ID_EDIT_REDO), &QAction::triggered, m_view, &editor::CQuilletView::Redo);
  connect(Action(ID_TOOLS_RUNNING_SCRIPTS), &QAction::triggered, this, &CMainFrame::OnRunningScripts);
  connect(Action(ID_TOOLS_OPTIONS), &QAction::triggered, this, &CMainFrame::OnOptions);
  ConnectCommand(ID_TOOLS_REFERENCES, [this] { OnReferences(); });
  ConnectHelpCommands();
}

void CMainFrame::OnOptions() {
  COptionsDialog dialog(m_settings, this);
  if (dialog.exec() == QDialog::Accepted) ReloadViewSettings();
}

void CMainFrame::ReloadViewSettings() {
  m_view->ReloadSettings();
  emit ViewSettingsChanged();
}

void CMainFrame::ToggleObjectBrowser() {
  if (m_objectBrowserBar->isHidden()) {
    m_objectBrowserBar->show();
    return;
  }
  // Hiding remembers where it stood, so that it comes back there at the next start.
  m_objectBrowserPlacement = CurrentObjectBrowserPlacement();
  m_objectBrowserPlacement.Save(m_settings);
  m_objectBrowserBar->hide();
}

SObjectBrowserPlacement CMainFrame::CurrentObjectBrowserPlacement() const {
  SObjectBrowserPlacement placement = m_objectBrowserPlacement;
  placement.show = true;
  placement.splitterFromBottom = m_objectBrowser->Bar().SplitterFromBottom();
  placement.floating = m_objectBrowserBar->isFloating();
  if (placement.floating) {
    placement.floatingSize = {m_objectBrowserBar->width(), m_objectBrowserBar->height()};
    placement.x = m_objectBrowserBar->x();
    placement.y = m_objectBrowserBar->y();
  } else {
    placement.dockedWidth = m_objectBrowserBar->width();
    const auto area = dockWidgetArea(m_objectBrowserBar);
    placement.side = area == Qt::LeftDockWidgetArea    ? EDockSide::Left
                     : area == Qt::RightDockWidgetArea ? EDockSide::Right
                                                       : EDockSide::Other;
  }
  return placement;
}

void CMainFrame::RestorePlacement() {
  std::vector<SRect> screens;
  for (const QScreen* screen : QGuiApplication::screens()) screens.push_back(ToRect(screen->geometry()));
  if (const auto stored = RestorablePlacement(m_settings, ToRect(geometry()), screens)) {
    setGeometry(stored->left, stored->top, stored->width, stored->height);
  }
}

void CMainFrame::SavePlacementAndBars() {
  if (!isMinimized() && !isMaximized()) SavePlacement(m_settings, ToRect(geometry()));
  if (m_objectBrowserBar->isHidden()) {
    SObjectBrowserPlacement hidden = m_objectBrowserPlacement;
    hidden.show = false;
    hidden.Save(m_settings);
    return;
  }
  CurrentObjectBrowserPlacement().Save(m_settings);
}

void CMainFrame::WidenArgumentsBox() {
  const int width = ArgumentsBoxWidth(m_debugToolbar->width(), m_arguments->geometry().left());
  if (m_arguments->width() != width) m_arguments->setFixedWidth(width);
}

bool CMainFrame::eventFilter(QObject* watched, QEvent* event) {
  if (watched == m_debugToolbar && event->type() == QEvent::Resize) WidenArgumentsBox();
  if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_F1) {
    auto* menu = qobject_cast<QMenu*>(watched);
    if (menu != nullptr && menu->activeAction() != nullptr) {
      const int commandId = menu->activeAction()->data().toInt();
      menu->close();
      OnContextHelp(commandId);
      return true;
    }
  }
  return QMainWindow::eventFilter(watched, event);
}

}  // namespace quillet::app
