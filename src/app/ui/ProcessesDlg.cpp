#include "app/ui/ProcessesDlg.h"

#include <QDateTime>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <cstring>
#include <unordered_set>

#include "app/AppStrings.h"
#include "app/ui/QtText.h"

namespace quillet::app {

namespace {

enum EColumn { kCommandLineColumn, kPidColumn, kCreationDateColumn };
// Each row carries its process's start time, which Terminate checks so that it never signals a
// later process given the same id.
constexpr int kStartTicksRole = Qt::UserRole;
constexpr int kRefreshMilliseconds = 1000;

// The user's short date and the user's time format, without the zone a long format may add.
QString CreationText(std::time_t created) {
  if (created == 0) return {};
  const QDateTime local = QDateTime::fromSecsSinceEpoch(static_cast<qint64>(created));
  const QLocale locale;
  QString timeFormat = locale.timeFormat(QLocale::LongFormat);
  timeFormat.remove(QLatin1Char('t'));
  return locale.toString(local.date(), QLocale::ShortFormat) + QLatin1Char(' ') +
         locale.toString(local.time(), timeFormat.trimmed());
}

// Rows are changed only where their text differs, so that a refresh does not repaint them.
void SetTextIfChanged(QTreeWidgetItem& row, int column, const QString& text) {
  if (row.text(column) != text) row.setText(column, text);
}

}  // namespace

CProcessesDlg::CProcessesDlg(const std::u16string& consoleHost, QWidget* parent)
    : QDialog(parent), m_table(consoleHost) {
  setWindowTitle(ToQString(kRunningScriptsTitle));
  auto* layout = new QVBoxLayout(this);
  m_list = new QTreeWidget(this);
  m_list->setObjectName(QStringLiteral("processes"));
  m_list->setRootIsDecorated(false);
  m_list->setUniformRowHeights(true);
  m_list->setSelectionMode(QAbstractItemView::SingleSelection);
  m_list->setSortingEnabled(false);
  m_list->setHeaderLabels({QStringLiteral("Command Line"), QStringLiteral("PID"), QStringLiteral("Creation Date")});
  m_list->header()->setSectionsClickable(false);
  m_list->header()->setStretchLastSection(false);
  m_list->setColumnWidth(kCommandLineColumn, 450);
  m_list->setColumnWidth(kPidColumn, 45);
  m_list->setColumnWidth(kCreationDateColumn, 120);
  layout->addWidget(m_list);

  auto* buttons = new QDialogButtonBox(this);
  m_terminate = buttons->addButton(QStringLiteral("Terminate Process"), QDialogButtonBox::ActionRole);
  QPushButton* close = buttons->addButton(QStringLiteral("Close"), QDialogButtonBox::AcceptRole);
  close->setDefault(true);
  connect(m_terminate, &QPushButton::clicked, this, &CProcessesDlg::OnTerminate);
  connect(buttons, &QDialogButtonBox::accepted, this, &CProcessesDlg::accept);
  layout->addWidget(buttons);
  resize(650, 300);

  m_reportError = [this](const QString& text) {
    QMessageBox::critical(this, ToQString(kAppTitle), text);
  };
  connect(&m_timer, &QTimer::timeout, this, &CProcessesDlg::Refresh);
  Refresh();
  m_timer.start(kRefreshMilliseconds);
}

QTreeWidgetItem* CProcessesDlg::RowOf(pid_t processId) const {
  const QString text = QString::number(processId);
  for (int i = 0; i < m_list->topLevelItemCount(); ++i) {
    QTreeWidgetItem* row = m_list->topLevelItem(i);
    if (row->text(kPidColumn) == text) return row;
  }
  return nullptr;
}

void CProcessesDlg::ShowRow(QTreeWidgetItem& row, const platform::SScriptHostProcess& process) {
  const std::u16string& shown = process.commandLine.empty() ? process.name : process.commandLine;
  SetTextIfChanged(row, kCommandLineColumn, ToQString(shown));
  SetTextIfChanged(row, kPidColumn, QString::number(process.processId));
  SetTextIfChanged(row, kCreationDateColumn, CreationText(process.creationTime));
  row.setData(kPidColumn, kStartTicksRole, static_cast<qulonglong>(process.startTicks));
}

// Rows not found again are those of processes that have ended. They are told apart in a set of
// this refresh rather than by clearing each row's id first, which would repaint every row.
void CProcessesDlg::Refresh() {
  int error = 0;
  const auto hosts = m_table.List(error);
  if (!hosts) {
    ReportError(error);
    return;
  }
  std::unordered_set<const QTreeWidgetItem*> confirmed;
  for (const platform::SScriptHostProcess& process : *hosts) {
    QTreeWidgetItem* row = RowOf(process.processId);
    if (row == nullptr) row = new QTreeWidgetItem(m_list);
    ShowRow(*row, process);
    confirmed.insert(row);
  }
  for (int i = m_list->topLevelItemCount() - 1; i >= 0; --i) {
    if (confirmed.count(m_list->topLevelItem(i)) == 0) delete m_list->takeTopLevelItem(i);
  }
}

// The list is not refreshed here: the next tick removes the process once it has ended.
void CProcessesDlg::OnTerminate() {
  for (int i = 0; i < m_list->topLevelItemCount(); ++i) {
    const QTreeWidgetItem* row = m_list->topLevelItem(i);
    if (!row->isSelected()) continue;
    platform::SScriptHostProcess process;
    process.processId = static_cast<pid_t>(row->text(kPidColumn).toInt());
    process.startTicks = row->data(kPidColumn, kStartTicksRole).toULongLong();
    if (const int error = platform::CScriptHostProcessTable::Terminate(process); error != 0) {
      ReportError(error);
      return;
    }
  }
}

// The timer waits while the message is up, so that a failure that lasts does not stack boxes.
void CProcessesDlg::ReportError(int error) {
  const bool ticking = m_timer.isActive();
  m_timer.stop();
  m_reportError(QString::fromLocal8Bit(std::strerror(error)));
  if (ticking) m_timer.start(kRefreshMilliseconds);
}

}  // namespace quillet::app
