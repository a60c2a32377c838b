#pragma once
// The Options dialog's help sources: the user's help file and the web-search address.

#include <QWidget>

#include "app/OptionsValues.h"

class QLineEdit;

namespace quillet::app {

class CHelpPage : public QWidget {
  Q_OBJECT

 public:
  explicit CHelpPage(QWidget* parent = nullptr);

  void Load(const SOptionsValues& values);
  void Store(SOptionsValues& values) const;

 private:
  void OnBrowse();

  QLineEdit* m_file;
  QLineEdit* m_web;
};

// "Name (patterns)|patterns|...||" as the file dialog's filters. "*.*" becomes "*", because a
// file name without a point must still be listed under "All files".
[[nodiscard]] QStringList FileDialogFilters(std::u16string_view filter);

}  // namespace quillet::app
