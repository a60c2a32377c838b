#include "typeinfo/ui/ObjectBrowserBar.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QMouseEvent>
#include <QTextCursor>
#include <QTextEdit>
#include <QToolBar>
#include <QTreeWidget>

#include <algorithm>

#include "base/CommandIds.h"
#include "intellisense/ScriptHostLibrary.h"
#include "intellisense/ScriptOutline.h"
#include "platform/ClassRegistry.h"
#include "platform/TextConvert.h"
#include "typeinfo/BrowserDescription.h"
#include "typeinfo/TypeLib.h"
#include "typeinfo/ui/ObjectBrowserArtwork.h"
#include "typeinfo/ui/ObjectBrowserItems.h"

namespace quillet::typeinfo {
namespace {

constexpr std::u16string_view kWmiLibraryName = u"WMI Classes";

bool SortsAfter(const QTreeWidgetItem* item, const QString& text) {
  return item->text(0).compare(text, Qt::CaseInsensitive) > 0;
}

}  // namespace

CObjectBrowserBar::CObjectBrowserBar(std::shared_ptr<const platform::CClassRegistry> registry, app::CSettings* settings,
                                     FFillWmiLibrary fillWmiLibrary, QWidget* parent)
    : QWidget(parent), m_registry(std::move(registry)), m_settings(settings) {
  CreateToolbar();
  LoadRecentSearches();
  CreateTree();
  m_wmi = std::make_unique<CTypeLib>();
  m_wmi->name = kWmiLibraryName;
  m_wmi->libraryKind = CTypeLib::ELibraryKind::Wmi;
  m_notFound = [this](const QString& text) { QMessageBox::information(this, QApplication::applicationName(), text); };
  StartWmiThread(std::move(fillWmiLibrary));
  Reset();
}

// The filler may be in the middle of a long read: it is asked to stop and waited for, so that
// it never writes into a library that is gone.
CObjectBrowserBar::~CObjectBrowserBar() {
  if (m_wmiThread.joinable()) {
    m_wmiThread.request_stop();
    m_wmiThread.join();
  }
}

void CObjectBrowserBar::CreateToolbar() {
  m_toolbar = new QToolBar(this);
  m_toolbar->setIconSize(QSize(16, 16));
  m_search = new QComboBox(m_toolbar);
  m_search->setEditable(true);
  m_search->setInsertPolicy(QComboBox::NoInsert);
  m_search->lineEdit()->setPlaceholderText(QStringLiteral("<Search>"));
  m_search->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
  m_search->setObjectName(QStringLiteral("objectBrowserSearch"));
  m_toolbar->addWidget(m_search);
  QAction* find = m_toolbar->addAction(FindButtonImage(), QStringLiteral("Find"));
  find->setData(static_cast<int>(app::ID_OBJECT_BROWSER_FIND));
  find->setToolTip(QStringLiteral("Find"));
  find->setStatusTip(QStringLiteral("Find Object"));
  connect(find, &QAction::triggered, this, &CObjectBrowserBar::Find);
  for (QObject* keys : {static_cast<QObject*>(m_search), static_cast<QObject*>(m_search->lineEdit())}) {
    keys->installEventFilter(this);
  }
}

void CObjectBrowserBar::CreateTree() {
  m_tree = new QTreeWidget(this);
  m_tree->setObjectName(QStringLiteral("objectBrowserTree"));
  m_tree->setHeaderHidden(true);
  m_tree->setRootIsDecorated(true);
  m_tree->setUniformRowHeights(true);
  m_tree->setFrameShape(QFrame::StyledPanel);
  m_tree->setIconSize(QSize(16, 16));
  m_tree->installEventFilter(this);
  connect(m_tree, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* current) { ShowDescription(current); });
  connect(m_tree, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem* item) { OnDoubleClicked(item); });

  m_band = new QWidget(this);
  m_band->setCursor(Qt::SizeVerCursor);
  m_band->installEventFilter(this);

  m_description = new QTextEdit(this);
  m_description->setObjectName(QStringLiteral("objectBrowserDescription"));
  m_description->setReadOnly(true);
  m_description->setFrameShape(QFrame::StyledPanel);
  m_description->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  m_description->setFont(QFont(QStringLiteral("Arial"), 10, QFont::Normal));
  QPalette palette = m_description->palette();
  palette.setColor(QPalette::Base, palette.color(QPalette::Window));
  m_description->setPalette(palette);
  m_description->installEventFilter(this);
}

void CObjectBrowserBar::StartWmiThread(FFillWmiLibrary fillWmiLibrary) {
  if (!fillWmiLibrary) return;
  CTypeLib* library = m_wmi.get();
  m_wmiThread = std::jthread([this, library, fill = std::move(fillWmiLibrary)](std::stop_token stop) {
    fill(*library, stop);
    if (stop.stop_requested()) return;
    QMetaObject::invokeMethod(this, [this] { OnWmiLibraryFilled(); }, Qt::QueuedConnection);
  });
}

void CObjectBrowserBar::OnWmiLibraryFilled() {
  if (m_wmiThread.joinable()) m_wmiThread.join();
  InsertLibraryItem(*m_wmi);
  emit WmiLibraryLoaded();
}

void CObjectBrowserBar::Reset() {
  m_searchItem = nullptr;
  m_found = false;
  m_scriptItems.clear();
  // The script's items go with the tree; the next outline scan finds them all again.
  m_script = intellisense::MakeScriptLibrary();
  m_tree->clear();
  m_description->clear();
  m_libraries.clear();
  (void)AddLibrary(std::u16string(intellisense::kScriptHostLibraryPath));
}

// ---- Libraries ----

std::vector<CTypeLib*> CObjectBrowserBar::LoadedLibraries() {
  std::vector<CTypeLib*> libraries;
  for (const auto& library : m_libraries) libraries.push_back(library.get());
  return libraries;
}

// The host's library is asked for by its program's name; it is read from the file its class
// registration names, and keeps that name as its path so that it is never taken for a
// library of the script's.
CTypeLib& CObjectBrowserBar::AddLibrary(const std::u16string& path) {
  QApplication::setOverrideCursor(Qt::WaitCursor);
  std::u16string file = path;
  if (path == intellisense::kScriptHostLibraryPath && m_registry) {
    const std::u16string hostLibrary = intellisense::FindScriptHostLibrary(*m_registry);
    if (!hostLibrary.empty()) file = hostLibrary;
  }
  auto library = std::make_unique<CTypeLib>(file, m_registry);
  library->path = path;
  CTypeLib& added = *library;
  m_libraries.push_back(std::move(library));
  InsertLibraryItem(added);
  QApplication::restoreOverrideCursor();
  return added;
}

void CObjectBrowserBar::RemoveLibrary(CTypeLib& library) {
  for (int i = 0; i < m_tree->topLevelItemCount(); ++i) {
    QTreeWidgetItem* item = m_tree->topLevelItem(i);
    if (ImageOf(item) == 0 && LibraryOf(item) == &library) {
      DeleteItem(item);
      break;
    }
  }
  std::erase_if(m_libraries, [&](const auto& held) { return held.get() == &library; });
}

// The whole branch is built before it joins the tree, so that the tree lays out once.
void CObjectBrowserBar::InsertLibraryItem(CTypeLib& library) {
  QTreeWidgetItem* root = MakeBrowserItem(library.name, 0, &library);
  QList<QTreeWidgetItem*> groups;
  groups.reserve(static_cast<qsizetype>(library.groups.size()));
  for (const auto& group : library.groups) {
    QTreeWidgetItem* groupItem = MakeBrowserItem(group->name, GroupImage(*group), group.get());
    QList<QTreeWidgetItem*> members;
    members.reserve(static_cast<qsizetype>(group->members.size()));
    for (const auto& member : group->members) {
      members.push_back(MakeBrowserItem(member->name, static_cast<int>(member->kind), member.get()));
    }
    groupItem->addChildren(members);
    groups.push_back(groupItem);
  }
  root->addChildren(groups);

  int at = m_tree->topLevelItemCount();
  for (int i = 0; i < m_tree->topLevelItemCount(); ++i) {
    const QTreeWidgetItem* item = m_tree->topLevelItem(i);
    if (ImageOf(item) == 0 && SortsAfter(item, root->text(0))) {
      at = i;
      break;
    }
  }
  m_tree->insertTopLevelItem(at, root);
}

QTreeWidgetItem* CObjectBrowserBar::FirstLibraryItem() const {
  for (int i = 0; i < m_tree->topLevelItemCount(); ++i) {
    if (ImageOf(m_tree->topLevelItem(i)) == 0) return m_tree->topLevelItem(i);
  }
  return nullptr;
}

// ---- The script's items ----

// Script items at the root stay above the libraries, sorted among themselves; under a class
// an item goes before the first that sorts after it, else last.
void CObjectBrowserBar::InsertScriptItem(QTreeWidgetItem* parent, QTreeWidgetItem* item) {
  const QString text = item->text(0);
  if (parent != nullptr) {
    int at = parent->childCount();
    for (int i = 0; i < parent->childCount(); ++i) {
      if (SortsAfter(parent->child(i), text)) {
        at = i;
        break;
      }
    }
    parent->insertChild(at, item);
    return;
  }
  QTreeWidgetItem* firstLibrary = FirstLibraryItem();
  int at = firstLibrary != nullptr ? m_tree->indexOfTopLevelItem(firstLibrary) : m_tree->topLevelItemCount();
  for (int i = 0; i < at; ++i) {
    if (SortsAfter(m_tree->topLevelItem(i), text)) {
      at = i;
      break;
    }
  }
  m_tree->insertTopLevelItem(at, item);
}

void CObjectBrowserBar::InsertScriptGroup(CTypeLibGroup& group) {
  QTreeWidgetItem* item = MakeBrowserItem(group.name, GroupImage(group), &group);
  m_scriptItems[&group] = item;
  InsertScriptItem(nullptr, item);
}

void CObjectBrowserBar::InsertScriptMember(CTypeLibGroup& group, CTypeLibMember& member) {
  QTreeWidgetItem* item = MakeBrowserItem(member.name, static_cast<int>(member.kind), &member);
  m_scriptItems[&member] = item;
  QTreeWidgetItem* parent = nullptr;
  if (group.kind != ECatalogueKind::ScriptCode) {
    const auto found = m_scriptItems.find(&group);
    if (found != m_scriptItems.end()) parent = found->second;
  }
  InsertScriptItem(parent, item);
}

void CObjectBrowserBar::RemoveScriptGroup(CTypeLibGroup& group) {
  for (const auto& member : group.members) m_scriptItems.erase(member.get());
  const auto found = m_scriptItems.find(&group);
  if (found == m_scriptItems.end()) return;
  QTreeWidgetItem* item = found->second;
  m_scriptItems.erase(found);
  DeleteItem(item);
}

void CObjectBrowserBar::RemoveScriptMember(CTypeLibGroup&, CTypeLibMember& member) {
  const auto found = m_scriptItems.find(&member);
  if (found == m_scriptItems.end()) return;
  QTreeWidgetItem* item = found->second;
  m_scriptItems.erase(found);
  DeleteItem(item);
}

// The search goes on after its last match; a match that disappears takes the search back to
// the top instead of leaving it on a deleted item.
void CObjectBrowserBar::DeleteItem(QTreeWidgetItem* item) {
  for (const QTreeWidgetItem* at = m_searchItem; at != nullptr; at = at->parent()) {
    if (at == item) {
      m_searchItem = nullptr;
      break;
    }
  }
  delete item;
}

// ---- Description and double-click ----

void CObjectBrowserBar::RefreshDescription() { ShowDescription(m_tree->currentItem()); }

void CObjectBrowserBar::ShowDescription(QTreeWidgetItem* item) {
  const SBrowserDescription description =
      DescribeBrowserItem(ImageOf(item), LibraryOf(item), GroupOf(item), MemberOf(item));
  // The pane counts a line break as one character, as the bold range does: both are on the
  // first line, before any break.
  QString text = QString::fromStdU16String(description.text);
  text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  m_description->setPlainText(text);
  if (description.boldStart < 0 || description.boldEnd <= description.boldStart) return;
  QTextCursor cursor(m_description->document());
  cursor.setPosition(description.boldStart);
  cursor.setPosition(std::min<int>(description.boldEnd, static_cast<int>(text.size())), QTextCursor::KeepAnchor);
  QTextCharFormat bold;
  bold.setFontWeight(QFont::Bold);
  cursor.mergeCharFormat(bold);
}

void CObjectBrowserBar::OnDoubleClicked(QTreeWidgetItem* item) {
  int line = -1;
  const int image = ImageOf(item);
  if (image == 1) {
    if (const CTypeLibGroup* group = GroupOf(item)) line = group->line;
  } else if (image == 4 || image == 5 || image == 7) {
    if (const CTypeLibMember* member = MemberOf(item)) line = member->line;
  }
  if (line != -1) emit GoToLineRequested(line);
}

// ---- Layout ----

int CObjectBrowserBar::SplitterFromBottom() const { return m_paneHeight + kSplitterBand / 2; }

void CObjectBrowserBar::SetSplitterFromBottom(int distance) {
  m_paneHeight = std::max(0, distance - kSplitterBand / 2);
  LayOut();
}

void CObjectBrowserBar::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  LayOut();
}

// The description pane keeps its height as the bar is resized; the band stays at least the
// margin away from either edge.
void CObjectBrowserBar::LayOut() {
  const int width = this->width();
  const int height = this->height();
  const int toolbarHeight = m_toolbar->sizeHint().height();
  int splitter = height - m_paneHeight - kSplitterBand / 2;
  if (splitter < 0) splitter = kSplitterMargin;
  splitter = std::max(kSplitterMargin, std::min(splitter, height - kSplitterMargin));
  m_toolbar->setGeometry(0, 0, width, toolbarHeight);
  m_band->setGeometry(0, splitter - kSplitterBand / 2, width, kSplitterBand);
  m_tree->setGeometry(0, toolbarHeight, width, std::max(0, splitter - kSplitterBand / 2 - toolbarHeight));
  m_description->setGeometry(0, splitter + kSplitterBand / 2, width, std::max(0, height - splitter - kSplitterBand / 2));
}

bool CObjectBrowserBar::eventFilter(QObject* watched, QEvent* event) {
  if (watched == m_band) {
    const QEvent::Type type = event->type();
    if (type != QEvent::MouseButtonPress && type != QEvent::MouseMove && type != QEvent::MouseButtonRelease) {
      return QWidget::eventFilter(watched, event);
    }
    const auto* mouse = static_cast<QMouseEvent*>(event);
    if (event->type() == QEvent::MouseButtonPress && mouse->button() == Qt::LeftButton) {
      m_dragging = true;
      return true;
    }
    if (event->type() == QEvent::MouseMove && m_dragging) {
      const int y = m_band->mapTo(this, mouse->position().toPoint()).y();
      const int splitter = std::max(kSplitterMargin, std::min(y, height() - kSplitterMargin));
      m_paneHeight = std::max(0, height() - splitter - kSplitterBand / 2);
      LayOut();
      return true;
    }
    if (event->type() == QEvent::MouseButtonRelease && mouse->button() == Qt::LeftButton) {
      m_dragging = false;
      return true;
    }
    return QWidget::eventFilter(watched, event);
  }
  // Enter and F3 search while the bar has the focus, before the main window's own F3.
  if (event->type() == QEvent::ShortcutOverride || event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    const bool searchKey = key == Qt::Key_F3 || ((key == Qt::Key_Return || key == Qt::Key_Enter) && watched != m_description);
    if (searchKey) {
      event->accept();
      if (event->type() == QEvent::KeyPress) Find();
      return true;
    }
  }
  if (watched == m_tree && event->type() == QEvent::FocusIn) RefreshDescription();
  return QWidget::eventFilter(watched, event);
}

}  // namespace quillet::typeinfo
