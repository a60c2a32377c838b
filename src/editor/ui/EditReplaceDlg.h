#pragma once
// The modeless Find and Replace dialog. CFindReplaceSession decides everything; this window
// shows its options and lists and passes the buttons on.

#include <QDialog>

#include <functional>

#include "editor/FindReplaceSession.h"

class QCheckBox;
class QComboBox;
class QPushButton;
class QRadioButton;

namespace quillet::editor {

class CEditReplaceDlg : public QDialog {
  Q_OBJECT

 public:
  enum class EKind { Find, Replace };
  using MessageSink = std::function<void(const QString&)>;

  // Opens the session at once: the options and the start come from the view as it is now.
  CEditReplaceDlg(EKind kind, CEditorCore& view, app::CSettings* settings, MessageSink showMessage,
                  QWidget* parent = nullptr);
  ~CEditReplaceDlg() override;

  [[nodiscard]] CFindReplaceSession& Session() { return m_session; }
  [[nodiscard]] QComboBox* FindBox() const { return m_find; }
  [[nodiscard]] QComboBox* ReplaceBox() const { return m_replace; }
  [[nodiscard]] QCheckBox* MatchCaseBox() const { return m_matchCase; }
  [[nodiscard]] QCheckBox* WholeWordBox() const { return m_wholeWord; }
  [[nodiscard]] QCheckBox* SearchUpBox() const { return m_searchUp; }
  [[nodiscard]] QRadioButton* SelectionRadio() const { return m_selection; }
  [[nodiscard]] QRadioButton* WholeDocumentRadio() const { return m_wholeDocument; }
  [[nodiscard]] QPushButton* FindNextButton() const { return m_findNext; }
  [[nodiscard]] QPushButton* ReplaceButton() const { return m_replaceButton; }
  [[nodiscard]] QPushButton* ReplaceAllButton() const { return m_replaceAll; }

  void OnFindNext();
  void OnReplace();
  void OnReplaceAll();

 protected:
  void done(int result) override;

 private:
  void BuildControls();
  void ShowSession();
  void TakeControls();
  void ShowLists();
  void Report(const std::u16string& message);

  CFindReplaceSession m_session;
  MessageSink m_showMessage;
  QComboBox* m_find = nullptr;
  QComboBox* m_replace = nullptr;
  QCheckBox* m_matchCase = nullptr;
  QCheckBox* m_wholeWord = nullptr;
  QCheckBox* m_searchUp = nullptr;
  QRadioButton* m_selection = nullptr;
  QRadioButton* m_wholeDocument = nullptr;
  QPushButton* m_findNext = nullptr;
  QPushButton* m_replaceButton = nullptr;
  QPushButton* m_replaceAll = nullptr;
  bool m_closed = false;
};

}  // namespace quillet::editor
