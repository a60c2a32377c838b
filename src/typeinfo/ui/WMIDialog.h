#pragma once
// "Insert a WMI script": the listed management classes, one of which the user picks.

#include <QDialog>
#include <QString>

#include <functional>
#include <string_view>

class QListWidget;

namespace quillet::platform {
class CWmiCatalog;
}

namespace quillet::typeinfo {

class CWMIDialog : public QDialog {
  Q_OBJECT

 public:
  explicit CWMIDialog(const platform::CWmiCatalog& catalogue, QWidget* parent = nullptr);

  // The chosen class once the dialog ended with OK; empty when none was selected.
  [[nodiscard]] QString ClassName() const { return m_className; }
  [[nodiscard]] QListWidget* List() const { return m_list; }

  void accept() override;

 private:
  QListWidget* m_list = nullptr;
  QString m_className;
};

// The WMI command: asks for a class and hands the script generated for it to insert, which the
// editor places at the caret as one edit. Nothing is inserted when the dialog is cancelled.
void RunWmiScriptCommand(QWidget* parent, const std::function<void(std::u16string_view)>& insert);

}  // namespace quillet::typeinfo
