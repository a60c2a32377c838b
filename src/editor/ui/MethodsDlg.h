#pragma once
// The member list popup under the caret: the names of a completion set, sorted, preselected on
// the word typed so far, placed inside the screen's work area. It owns the keyboard while it is
// up, types word characters into the editor as they come, and ends with one completion message:
// the chosen name and how many characters before the caret it replaces, or no name.

#include <QFrame>
#include <QKeyEvent>
#include <QPoint>
#include <QString>

#include <memory>
#include <vector>

#include "intellisense/CompletionSet.h"

namespace quillet::editor {

class CMyListCtrl;

class CMethodsDlg : public QFrame {
  Q_OBJECT

 public:
  // The list's largest size, as its dialog template had it.
  static constexpr int kMaxListWidth = 320;
  static constexpr int kMaxListHeight = 200;
  static constexpr int kExtraWidth = 35;

  // caretTop is the top of the caret's line on the screen; editor receives the characters and
  // owns the popup, which goes with it.
  CMethodsDlg(const intellisense::CCompletionSet& set, const QString& prefix, QPoint caretTop, int lineHeight,
              int charWidth, QWidget* editor);
  ~CMethodsDlg() override;

  // Shows the popup with the focus; an empty set closes it at once instead.
  void Open();

  [[nodiscard]] CMyListCtrl* List() const { return m_list; }
  [[nodiscard]] QString SelectedName() const;

 signals:
  // The completion message: name replaces the count characters before the caret; an empty name
  // means the popup closed without inserting.
  void Completed(const QString& name, int count);
  void StatusText(const QString& text);
  void BackspaceRequested();

 protected:
  void hideEvent(QHideEvent* event) override;

 private:
  void Fill();
  void FitSize();
  void Place();
  void OnWordCharacter(QKeyEvent* event);
  void OnBackspace();
  void SelectForTypedWord();
  void Select(int row);
  void Commit();
  void CommitAndPass(QKeyEvent* event);
  void Finish(const QString& name, int count);

  intellisense::CCompletionSet m_set;
  std::vector<const intellisense::SCompletionEntry*> m_sorted;
  QString m_prefix;
  QPoint m_caretTop;
  int m_lineHeight;
  int m_charWidth;
  QWidget* m_editor;
  CMyListCtrl* m_list;
  bool m_finished = false;
};

}  // namespace quillet::editor
