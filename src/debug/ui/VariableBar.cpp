#include "debug/ui/VariableBar.h"

#include <QHeaderView>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "debug/HostDebugClient.h"
#include "debug/ui/VariableValueDlg.h"

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
                    [this, generation, parent, reference](bool success, const json& body) {
                      if (StillShown(generation)) AddVariables(parent, reference, List(success, body, "variables"));
                    });
}

void CVariableBar::AddVariables(QTreeWidgetItem* parent, int64_t container, const json& variables) {
  for (const json& variable : variables) {
    if (!variable.is_object()) continue;
    auto* item = new QTreeWidgetItem(parent, {Text(variable, "name"), Text(variable, "value")});
    const int64_t reference = Number(variable, "variablesReference");
    item->setData(0, kReferenceRole, QVariant::fromValue<qlonglong>(reference));
    item->setData(0, kContainerRole, QVariant::fromValue<qlonglong>(container));
    item->setData(0, kTypeRole, Text(variable, "type"));
    if (reference > 0) item->setChildIndicatorPolicy(QTreeWidgetItem::ShowIndicator);
  }
}

}  // namespace quillet::debug
