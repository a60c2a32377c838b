// The object browser's search: the next item whose texts contain the search text, wrapping
// round once something was found, and the list of recent searches.

#include <QApplication>
#include <QComboBox>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>

#include "base/SettingsInventory.h"
#include "editor/RecentEntryList.h"
#include "typeinfo/TypeLib.h"
#include "typeinfo/ui/ObjectBrowserBar.h"
#include "typeinfo/ui/ObjectBrowserItems.h"

namespace quillet::typeinfo {
namespace {

bool Contains(const std::u16string& field, const QString& text) {
  return !field.empty() && QString::fromStdU16String(field).contains(text, Qt::CaseInsensitive);
}

class CWaitCursor {
 public:
  CWaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
  ~CWaitCursor() { QApplication::restoreOverrideCursor(); }
  CWaitCursor(const CWaitCursor&) = delete;
  CWaitCursor& operator=(const CWaitCursor&) = delete;
};

}  // namespace

void CObjectBrowserBar::Find() {
  const CWaitCursor wait;
  const QString text = m_search->currentText().trimmed();
  if (text.isEmpty()) {
    m_searchItem = nullptr;
    m_found = false;
    return;
  }
  QTreeWidgetItem* start = nullptr;
  if (text != m_lastSearch) {
    m_lastSearch = text;
    m_found = false;
    AddRecentSearch(text);
  } else if (m_searchItem != nullptr) {
    QTreeWidgetItemIterator after(m_searchItem);
    start = *++after;
    if (start == nullptr) start = m_tree->topLevelItem(0);
    if (start == nullptr) return;
  }
  // Wrapping happens once: a match that has since left the tree must not keep the search going.
  bool wrapped = false;
  QTreeWidgetItemIterator it = start != nullptr ? QTreeWidgetItemIterator(start) : QTreeWidgetItemIterator(m_tree);
  for (;;) {
    for (; *it != nullptr; ++it) {
      if (!Matches(*it, text)) continue;
      m_found = true;
      m_searchItem = *it;
      m_tree->setCurrentItem(*it);
      m_tree->scrollToItem(*it);
      return;
    }
    if (!m_found || wrapped) break;
    wrapped = true;
    it = QTreeWidgetItemIterator(m_tree);
  }
  m_searchItem = nullptr;
  m_found = false;
  m_notFound(QStringLiteral("The following specified text was not found:\n\n") + text);
}

bool CObjectBrowserBar::Matches(QTreeWidgetItem* item, const QString& text) const {
  const int image = ImageOf(item);
  if (image == 0) {
    const CTypeLib* library = LibraryOf(item);
    return library != nullptr && (Contains(library->name, text) || Contains(library->description, text));
  }
  if (image >= 1 && image <= 3) {
    const CTypeLibGroup* group = GroupOf(item);
    return group != nullptr && (Contains(group->name, text) || Contains(group->text, text));
  }
  if (image >= 4 && image <= 7) {
    const CTypeLibMember* member = MemberOf(item);
    return member != nullptr && (Contains(member->name, text) || Contains(member->description, text));
  }
  return false;
}

void CObjectBrowserBar::AddRecentSearch(const QString& text) {
  const auto entries = editor::UpdateRecentList(m_settings, app::settings::RecentObjectBrowserSearches, text.toStdU16String());
  m_search->clear();
  for (const auto& entry : entries) m_search->addItem(QString::fromStdU16String(entry));
  m_search->setEditText(text);
}

void CObjectBrowserBar::LoadRecentSearches() {
  if (m_settings == nullptr) return;
  for (const auto& entry : m_settings->ReadNonEmptyList(app::settings::RecentObjectBrowserSearches)) {
    m_search->addItem(QString::fromStdU16String(entry));
  }
  m_search->setEditText(QString());
}

}  // namespace quillet::typeinfo
