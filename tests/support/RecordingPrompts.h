#pragma once
// The main window's questions and messages for window tests: messages and questions are kept
// for the test to compare, and every question gets the answer the test set.

#include <QStringList>
#include <QUrl>

#include <optional>
#include <string>

#include "app/ui/FramePrompts.h"

namespace quillet::test {

class CRecordingPrompts : public app::IFramePrompts {
 public:
  std::optional<document::SSaveAsAnswer> AskSavePath(const document::SSaveAsRequest&) override { return std::nullopt; }
  bool ConfirmUnicodeLoss(const std::u16string&) override { return true; }
  void ReportSaveFailure(const std::string&, int) override {}
  app::ESaveChangesAnswer AskSaveChanges(const QString&) override { return app::ESaveChangesAnswer::Discard; }
  std::optional<std::string> AskOpenPath(const std::string&) override { return std::nullopt; }
  void ShowError(const QString& text) override { messages << text; }
  void ShowMessage(const QString& text) override { messages << text; }
  void ShowAbout(const QString&) override {}
  void OpenAddress(const QUrl&) override {}
  bool AskOkCancel(const QString& text) override {
    questions << text;
    return okay;
  }
  QStringList messages;
  QStringList questions;
  bool okay = true;
};

}  // namespace quillet::test
