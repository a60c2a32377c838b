#pragma once
// MsgBox and InputBox where there is no display: nobody can answer, so the script must not
// wait. The prompt goes to the host's error stream and the default answer comes back.

#include "engine/vm/RuntimeState.h"
#include "engine/host/OutputStream.h"

namespace quillet::engine::host {

class CConsoleDialogs : public IHostDialogs {
 public:
  explicit CConsoleDialogs(COutputStream& err) : m_err(err) {}

  int MessageBox(const std::u16string& prompt, int32_t buttons, const std::u16string& title) override;
  std::optional<std::u16string> InputBox(const std::u16string& prompt, const std::u16string& title,
                                         const std::u16string& defaultText) override;

 private:
  COutputStream& m_err;
};

}  // namespace quillet::engine::host
