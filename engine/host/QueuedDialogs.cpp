#include "engine/host/QueuedDialogs.h"

namespace quillet::engine::host {

int CQueuedDialogs::MessageBox(const std::u16string& prompt, int32_t buttons, const std::u16string& title) {
  int answer = DefaultMessageBoxAnswer(buttons);
  m_queue.RunOnMain([&] { answer = m_windows.MessageBox(prompt, buttons, title); });
  return answer;
}

int CQueuedDialogs::MessageBoxWithTimeout(const std::u16string& prompt, int32_t buttons, const std::u16string& title,
                                          int32_t seconds) {
  int answer = kTimedOut;
  m_queue.RunOnMain([&] { answer = m_windows.MessageBoxWithTimeout(prompt, buttons, title, seconds); });
  return answer;
}

std::optional<std::u16string> CQueuedDialogs::InputBox(const std::u16string& prompt, const std::u16string& title,
                                                       const std::u16string& defaultText) {
  std::optional<std::u16string> answer = defaultText;
  m_queue.RunOnMain([&] { answer = m_windows.InputBox(prompt, title, defaultText); });
  return answer;
}

}  // namespace quillet::engine::host
