#include "debug/ui/VariableBar.h"

#include <QHeaderView>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <memory>
#include <vector>

#include "debug/HostDebugClient.h"
#include "debug/ui/VariableRowDelegate.h"
#include "debug/ui/VariableValueDlg.h"
#include "document/WatchList.h"

namespace quillet::debug {

using nlohmann::json;

namespace {

// What an item stands for, and whether its children were asked for already.
constexpr int kReferenceRole = Qt::UserRole;
constexpr int kIsFrameRole = Qt::UserRole + 1;
constexpr int kLoadedRole = Qt::UserRole + 2;
constexpr int kContainerRole = Qt::UserRole + 3;  // where the variable was listed, to change it there
constexpr int kTypeRole = Qt::UserRole + 4;
constexpr int kThreadId = 1;

QString Text(const json& object, const char* name) {
  const auto it = object.find(name);
  return it != object.end() && it->is_string() ? QString::fromStdString(it->get<std::string>()) : QString();
}

int64_t Number(const json& object, const char* name) {
  const auto it = object.find(name);
  return it != object.end() && it->is_number_integer() ? it->get<int64_t>() : 0;
}

// The row's indexes from the top of the tree, which orders the watch list as the rows are.
std::vector<int32_t> Place(QTreeWidgetItem* item) {
  std::vector<int32_t> place;
  for (; item != nullptr; item = item->parent()) {
    QTreeWidgetItem* parent = item->parent();
    place.insert(place.begin(), parent != nullptr ? parent->indexOfChild(item)
                                                  : item->treeWidget()->indexOfTopLevelItem(item));
  }
  return place;
}

json List(bool success, const json& body, const char* name) {
  if (!success || !body.is_object()) return json::array();
  const auto it = body.find(name);
  return it != body.end() && it->is_array() ? *it : json::array();
}

}  // namespace

CVariableBar::CVariableBar(QWidget* parent) : QWidget(parent), m_tree(new QTreeWidget(this)) {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(m_tree);
  m_tree->setColumnCount(2);
  m_tree->setHeaderLabels({QStringLiteral("Name"), QStringLiteral("Value")});
  m_tree->header()->resizeSection(0, kNameWidth);
  m_tree->header()->setStretchLastSection(true);
  m_tree->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  m_tree->setItemDelegate(new CVariableRowDelegate(m_tree));
  // A row is selected wherever it is clicked, not only on its text.
  m_tree->setSelectionBehavior(QAbstractItemView::SelectRows);
  // Dragging a column's edge redraws the rows at once.
  connect(m_tree->header(), &QHeaderView::sectionResized, m_tree->viewport(), qOverload<>(&QWidget::update));
  connect(m_tree, &QTreeWidget::itemExpanded, this, &CVariableBar::OnExpanded);
  connect(m_tree, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem* item) { EditVariable(item); });
  m_editValue = [this](const QString& name, const QString& type, const QString& value) -> std::optional<QString> {
    CVariableValueDlg dialog(name, type, value, this);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.Value();
  };
}

void CVariableBar::EditVariable(QTreeWidgetItem* item) {
  if (m_client == nullptr || item == nullptr || item->data(0, kIsFrameRole).toBool()) return;
  if (item->data(0, kReferenceRole).toLongLong() > 0) return;  // an object or array
  const std::optional<QString> value = m_editValue(item->text(0), item->data(0, kTypeRole).toString(), item->text(1));
  if (!value) return;
  const uint64_t generation = m_generation;
  const json arguments{{"variablesReference", item->data(0, kContainerRole).toLongLong()},
                       {"name", item->text(0).toStdString()},
                       {"value", value->toStdString()}};
  // Text the engine refuses leaves the old value, and nothing is said.
  m_client->Request("setVariable", arguments, [this, generation, item](bool success, const json& body) {
    if (success && StillShown(generation) && body.is_object()) item->setText(1, Text(body, "value"));
  });
}

void CVariableBar::Detach() {
  ++m_generation;
  m_client = nullptr;
}

// Items stay between stops: what the user opened stays open while the frames and the names
// before it are the same, and shows the new values.
void CVariableBar::Refresh(CHostDebugClient* client) {
  Detach();
  m_client = client;
  if (m_watchList != nullptr) m_watchList->Clear();
  if (m_client == nullptr) return;
  const uint64_t generation = m_generation;
  m_client->Request("stackTrace", json{{"threadId", kThreadId}}, [this, generation](bool success, const json& body) {
    if (StillShown(generation)) MergeFrames(List(success, body, "stackFrames"));
  });
}

void CVariableBar::MergeFrames(const json& frames) {
  int kept = 0;
  bool matching = true;
  for (const json& frame : frames) {
    if (!frame.is_object()) continue;
    const QString text = QLatin1Char('[') + Text(frame, "name") + QLatin1Char(']');
    QTreeWidgetItem* item = matching ? m_tree->topLevelItem(kept) : nullptr;
    matching = item != nullptr && item->text(0) == text;
    if (!matching) {
      while (m_tree->topLevelItemCount() > kept) delete m_tree->takeTopLevelItem(kept);
      item = new QTreeWidgetItem(m_tree, {text});
      item->setData(0, kIsFrameRole, true);
      item->setFirstColumnSpanned(true);  // drawn as one bar across the row
      item->setChildIndicatorPolicy(QTreeWidgetItem::ShowIndicator);
    }
    item->setData(0, kReferenceRole, QVariant::fromValue<qlonglong>(Number(frame, "id")));
    if (!matching) {
      // Filled here rather than by the expansion, so that its variables reach the watch list.
      item->setData(0, kLoadedRole, true);
      LoadFrame(item, true);
      item->setExpanded(true);
    } else if (item->data(0, kLoadedRole).toBool()) {
      LoadFrame(item, true);
    }
    ++kept;
  }
  while (m_tree->topLevelItemCount() > kept) delete m_tree->takeTopLevelItem(kept);
}

void CVariableBar::OnExpanded(QTreeWidgetItem* item) {
  if (m_client == nullptr || item->data(0, kLoadedRole).toBool()) return;
  item->setData(0, kLoadedRole, true);
  if (item->data(0, kIsFrameRole).toBool()) return LoadFrame(item, false);
  LoadVariables(item, item->data(0, kReferenceRole).toLongLong(), false);
}

// A frame shows its own variables, then the script's globals, all at its first level: both
// lists are in before the level is filled.
void CVariableBar::LoadFrame(QTreeWidgetItem* frame, bool watched) {
  const uint64_t generation = m_generation;
  const int64_t frameId = frame->data(0, kReferenceRole).toLongLong();
  m_client->Request("scopes", json{{"frameId", frameId}}, [this, generation, frame, watched](bool success, const json& body) {
    if (!StillShown(generation)) return;
    struct SGathered {
      std::vector<json> lists;
      std::vector<int64_t> containers;
      size_t waiting = 0;
    };
    auto gathered = std::make_shared<SGathered>();
    for (const json& scope : List(success, body, "scopes")) {
      if (scope.is_object() && Number(scope, "variablesReference") > 0) {
        gathered->containers.push_back(Number(scope, "variablesReference"));
      }
    }
    gathered->lists.resize(gathered->containers.size());
    gathered->waiting = gathered->containers.size();
    if (gathered->waiting == 0) return MergeChildren(frame, {}, watched);
    for (size_t i = 0; i < gathered->containers.size(); ++i) {
      m_client->Request("variables", json{{"variablesReference", gathered->containers[i]}},
                        [this, generation, frame, gathered, i, watched](bool found, const json& variables) {
                          if (!StillShown(generation)) return;
                          gathered->lists[i] = List(found, variables, "variables");
                          if (--gathered->waiting > 0) return;
                          std::vector<SListed> all;
                          for (size_t n = 0; n < gathered->lists.size(); ++n) {
                            for (const json& variable : gathered->lists[n]) all.push_back({gathered->containers[n], variable});
                          }
                          MergeChildren(frame, all, watched);
                        });
    }
  });
}

void CVariableBar::LoadVariables(QTreeWidgetItem* parent, int64_t reference, bool watched) {
  if (reference <= 0) return;
  const uint64_t generation = m_generation;
  m_client->Request("variables", json{{"variablesReference", reference}},
                    [this, generation, parent, reference, watched](bool success, const json& body) {
                      if (!StillShown(generation)) return;
                      std::vector<SListed> listed;
                      for (const json& variable : List(success, body, "variables")) listed.push_back({reference, variable});
                      MergeChildren(parent, listed, watched);
                    });
}

void CVariableBar::MergeChildren(QTreeWidgetItem* parent, const std::vector<SListed>& variables, bool watched) {
  int kept = 0;
  bool matching = true;
  for (const SListed& listed : variables) {
    const json& variable = listed.variable;
    if (!variable.is_object()) continue;
    const QString name = Text(variable, "name");
    QTreeWidgetItem* item = matching ? parent->child(kept) : nullptr;
    matching = item != nullptr && item->text(0) == name;
    if (!matching) {
      while (parent->childCount() > kept) delete parent->takeChild(kept);
      item = new QTreeWidgetItem(parent, {name});
    }
    const int64_t reference = Number(variable, "variablesReference");
    item->setText(1, Text(variable, "value"));
    if (watched && m_watchList != nullptr) {
      m_watchList->Add(Place(item), name.toStdU16String(), item->text(1).toStdU16String());
    }
    item->setData(0, kReferenceRole, QVariant::fromValue<qlonglong>(reference));
    item->setData(0, kContainerRole, QVariant::fromValue<qlonglong>(listed.container));
    item->setData(0, kTypeRole, Text(variable, "type"));
    item->setChildIndicatorPolicy(reference > 0 ? QTreeWidgetItem::ShowIndicator
                                                : QTreeWidgetItem::DontShowIndicatorWhenChildless);
    // Opened before: its members are read again; a value that lost its members closes.
    if (item->data(0, kLoadedRole).toBool()) {
      if (reference > 0) {
        LoadVariables(item, reference, watched);
      } else {
        while (item->childCount() > 0) delete item->takeChild(0);
        item->setData(0, kLoadedRole, false);
      }
    }
    ++kept;
  }
  while (parent->childCount() > kept) delete parent->takeChild(kept);
}

}  // namespace quillet::debug
