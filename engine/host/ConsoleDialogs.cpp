#include "engine/host/ConsoleDialogs.h"

namespace quillet::engine::host {

int CConsoleDialogs::MessageBox(const std::u16string& prompt, int32_t buttons, const std::u16string&) {
  m_err.Write(prompt + u"\r\n");
  m_err.Flush();
  return DefaultMessageBoxAnswer(buttons);
}

std::optional<std::u16string> CConsoleDialogs::InputBox(const std::u16string& prompt, const std::u16string&,
                                                        const std::u16string& defaultText) {
  m_err.Write(prompt + u"\r\n");
  m_err.Flush();
  return defaultText;
}

}  // namespace quillet::engine::host
