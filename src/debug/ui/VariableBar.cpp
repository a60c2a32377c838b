#include "debug/ui/VariableBar.h"

#include <QHeaderView>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "debug/HostDebugClient.h"

namespace quillet::debug {

using nlohmann::json;

namespace {

// What an item stands for, and whether its children were asked for already.
constexpr int kReferenceRole = Qt::UserRole;
constexpr int kIsFrameRole = Qt::UserRole + 1;
constexpr int kLoadedRole = Qt::UserRole + 2;
constexpr int kThreadId = 1;

QString Text(const json& object, const char* name) {
  const auto it = object.find(name);
  return it != object.end() && it->is_string() ? QString::fromStdString(it->get<std::string>()) : QString();
}

int64_t Number(const json& object, const char* name) {
  const auto it = object.find(name);
  return it != object.end() && it->is_number_integer() ? it->get<int64_t>() : 0;
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
  connect(m_tree, &QTreeWidget::itemExpanded, this, &CVariableBar::OnExpanded);
}

void CVariableBar::Clear() {
  ++m_generation;
  m_client = nullptr;
  m_tree->clear();
}

void CVariableBar::Refresh(CHostDebugClient* client) {
  Clear();
  m_client = client;
  if (m_client == nullptr) return;
  const uint64_t generation = m_generation;
  m_client->Request("stackTrace", json{{"threadId", kThreadId}}, [this, generation](bool success, const json& body) {
    if (!StillShown(generation)) return;
    for (const json& frame : List(success, body, "stackFrames")) {
      if (!frame.is_object()) continue;
      auto* item = new QTreeWidgetItem(m_tree, {QLatin1Char('[') + Text(frame, "name") + QLatin1Char(']')});
      item->setData(0, kReferenceRole, QVariant::fromValue<qlonglong>(Number(frame, "id")));
      item->setData(0, kIsFrameRole, true);
      item->setChildIndicatorPolicy(QTreeWidgetItem::ShowIndicator);
    }
    if (m_tree->topLevelItemCount() > 0) m_tree->topLevelItem(0)->setExpanded(true);
  });
}

void CVariableBar::OnExpanded(QTreeWidgetItem* item) {
  if (m_client == nullptr || item->data(0, kLoadedRole).toBool()) return;
  item->setData(0, kLoadedRole, true);
  if (item->data(0, kIsFrameRole).toBool()) return LoadFrame(item);
  LoadVariables(item, item->data(0, kReferenceRole).toLongLong());
}

// A frame shows its own variables, then the script's globals, all at its first level.
void CVariableBar::LoadFrame(QTreeWidgetItem* frame) {
  const uint64_t generation = m_generation;
  const int64_t frameId = frame->data(0, kReferenceRole).toLongLong();
  m_client->Request("scopes", json{{"frameId", frameId}}, [this, generation, frame](bool success, const json& body) {
    if (!StillShown(generation)) return;
    for (const json& scope : List(success, body, "scopes")) {
      if (scope.is_object()) LoadVariables(frame, Number(scope, "variablesReference"));
    }
  });
}

void CVariableBar::LoadVariables(QTreeWidgetItem* parent, int64_t reference) {
  if (reference <= 0) return;
  const uint64_t generation = m_generation;
  m_client->Request("variables", json{{"variablesReference", reference}},
                    [this, generation, parent](bool success, const json& body) {
                      if (StillShown(generation)) AddVariables(parent, List(success, body, "variables"));
                    });
}

void CVariableBar::AddVariables(QTreeWidgetItem* parent, const json& variables) {
  for (const json& variable : variables) {
    if (!variable.is_object()) continue;
    auto* item = new QTreeWidgetItem(parent, {Text(variable, "name"), Text(variable, "value")});
    const int64_t reference = Number(variable, "variablesReference");
    item->setData(0, kReferenceRole, QVariant::fromValue<qlonglong>(reference));
    if (reference > 0) item->setChildIndicatorPolicy(QTreeWidgetItem::ShowIndicator);
  }
}

}  // namespace quillet::debug
