#pragma once
// The script thread's view of the host's windows: each MsgBox or InputBox is handed to the
// main thread, which owns the windows, and the script waits for the answer.

#include "engine/vm/RuntimeState.h"
#include "engine/host/MainThreadQueue.h"

namespace quillet::engine::host {

class CQueuedDialogs : public IHostDialogs {
 public:
  CQueuedDialogs(CMainThreadQueue& queue, IHostDialogs& windows) : m_queue(queue), m_windows(windows) {}

  int MessageBox(const std::u16string& prompt, int32_t buttons, const std::u16string& title) override;
  int MessageBoxWithTimeout(const std::u16string& prompt, int32_t buttons, const std::u16string& title,
                            int32_t seconds) override;
  std::optional<std::u16string> InputBox(const std::u16string& prompt, const std::u16string& title,
                                         const std::u16string& defaultText) override;

 private:
  CMainThreadQueue& m_queue;
  IHostDialogs& m_windows;
};

}  // namespace quillet::engine::host
