#pragma once
// MsgBox and InputBox as real windows. Runs on the main thread only; the application object
// is made on first use, so a console script that never asks anything starts no toolkit.

#include <memory>

#include "engine/vm/RuntimeState.h"

class QApplication;
class QMessageBox;

namespace quillet::engine::host {

class CWindowDialogs : public IHostDialogs {
 public:
  CWindowDialogs();
  ~CWindowDialogs() override;

  int MessageBox(const std::u16string& prompt, int32_t buttons, const std::u16string& title) override;
  int MessageBoxWithTimeout(const std::u16string& prompt, int32_t buttons, const std::u16string& title,
                            int32_t seconds) override;
  std::optional<std::u16string> InputBox(const std::u16string& prompt, const std::u16string& title,
                                         const std::u16string& defaultText) override;

 private:
  void EnsureApplication();

  std::unique_ptr<QApplication> m_application;
};

// Sets up a box for MsgBox flags: the button set, the icon, the default and escape buttons.
void ConfigureMessageBox(QMessageBox& box, const std::u16string& prompt, int32_t buttons,
                         const std::u16string& title);
// The MsgBox value of the button that closed the box (vbOK = 1 ... vbNo = 7).
[[nodiscard]] int MessageBoxAnswer(const QMessageBox& box, int32_t buttons);

}  // namespace quillet::engine::host
