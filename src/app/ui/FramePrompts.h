#pragma once
// Everything the main window asks the user, in one interface: the real dialogs in the program,
// scripted answers in tests.

#include <QString>
#include <QUrl>

#include <optional>
#include <string>

#include "document/DocumentSaveFlow.h"

class QWidget;

namespace quillet::app {

enum class ESaveChangesAnswer { Save, Discard, Cancel };

class IFramePrompts : public document::IDocumentPrompts {
 public:
  virtual ESaveChangesAnswer AskSaveChanges(const QString& title) = 0;
  virtual std::optional<std::string> AskOpenPath(const std::string& folder) = 0;
  virtual void ShowError(const QString& text) = 0;
  virtual void ShowMessage(const QString& text) = 0;
  virtual void ShowAbout(const QString& text) = 0;
  // Hands an address (a web page, a help page, the user's help file) to the desktop.
  virtual void OpenAddress(const QUrl& address) = 0;
  // OK (true) or Cancel. Answered with OK where nobody asks, as a script run without a window.
  virtual bool AskOkCancel(const QString& /*text*/) { return true; }
};

class CDialogPrompts final : public IFramePrompts {
 public:
  explicit CDialogPrompts(QWidget* parent) : m_parent(parent) {}

  std::optional<document::SSaveAsAnswer> AskSavePath(const document::SSaveAsRequest& request) override;
  bool ConfirmUnicodeLoss(const std::u16string& message) override;
  void ReportSaveFailure(const std::string& path, int error) override;
  ESaveChangesAnswer AskSaveChanges(const QString& title) override;
  std::optional<std::string> AskOpenPath(const std::string& folder) override;
  void ShowError(const QString& text) override;
  void ShowMessage(const QString& text) override;
  void ShowAbout(const QString& text) override;
  void OpenAddress(const QUrl& address) override;
  bool AskOkCancel(const QString& text) override;

 private:
  QWidget* m_parent;
};

}  // namespace quillet::app
