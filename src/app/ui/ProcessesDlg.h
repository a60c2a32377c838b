#pragma once
// "Running scripts": the script hosts running on the machine, refreshed once a second in place
// (rows keep their position and the selection stays on its process), and ending the selected one.

#include <QDialog>
#include <QTimer>

#include <functional>
#include <string>

#include "platform/ScriptHostProcessTable.h"

class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace quillet::app {

class CProcessesDlg : public QDialog {
  Q_OBJECT

 public:
  // Shows the system's text for a failure; a message box with an error icon unless a test says otherwise.
  using ErrorReporter = std::function<void(const QString&)>;

  // consoleHost: the "Engine"/"CScript" setting.
  explicit CProcessesDlg(const std::u16string& consoleHost, QWidget* parent = nullptr);

  [[nodiscard]] QTreeWidget* List() const { return m_list; }
  [[nodiscard]] QPushButton* TerminateButton() const { return m_terminate; }
  void SetErrorReporter(ErrorReporter reporter) { m_reportError = std::move(reporter); }

  void Refresh();
  void OnTerminate();

 private:
  [[nodiscard]] QTreeWidgetItem* RowOf(pid_t processId) const;
  static void ShowRow(QTreeWidgetItem& row, const platform::SScriptHostProcess& process);
  void ReportError(int error);

  platform::CScriptHostProcessTable m_table;
  QTreeWidget* m_list = nullptr;
  QPushButton* m_terminate = nullptr;
  QTimer m_timer;
  ErrorReporter m_reportError;
};

}  // namespace quillet::app
