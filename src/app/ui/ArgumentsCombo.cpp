#include "app/ui/ArgumentsCombo.h"

#include <QAbstractItemView>
#include <QLineEdit>

#include "app/AppStrings.h"
#include "base/CommandIds.h"
#include "base/SettingsInventory.h"

namespace quillet::app {
namespace {

QString FromUtf16(std::u16string_view text) {
  return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

CArgumentsCombo::CArgumentsCombo(QWidget* parent) : QComboBox(parent) {
  setObjectName(QStringLiteral("arguments"));
  setEditable(true);
  // The runner keeps the list; typing Return must not add entries behind its back.
  setInsertPolicy(QComboBox::NoInsert);
  lineEdit()->setPlaceholderText(FromUtf16(kArgumentsCue));
  view()->setMinimumWidth(100);
  setMinimumWidth(50);
  setProperty("commandId", static_cast<int>(ID_DEBUG_ARGUMENTS));
}

void CArgumentsCombo::LoadRecent(const CSettings& settings) {
  clear();
  const auto entries = settings.ReadNonEmptyList(settings::RecentArguments);
  if (entries.empty()) addItem(QString());
  for (const auto& entry : entries) addItem(FromUtf16(entry));
}

}  // namespace quillet::app
