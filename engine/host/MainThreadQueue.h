#pragma once
// The script runs on a thread of its own, but windows belong to the main thread. The script
// thread hands a task over and waits; the main thread, while it waits for the script to end,
// runs each task it is handed.

#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>

namespace quillet::engine::host {

class CMainThreadQueue {
 public:
  // Script thread: runs task on the main thread and returns once it has run.
  void RunOnMain(const std::function<void()>& task);
  // Script thread: the script is over; wakes the main thread.
  void Finish();
  // Main thread: serves tasks until Finish or the deadline; true when finished.
  bool ServeUntilFinished(std::chrono::steady_clock::time_point deadline);
  bool ServeUntilFinished() { return ServeUntilFinished(std::chrono::steady_clock::time_point::max()); }

 private:
  std::mutex m_lock;
  std::condition_variable m_changed;
  const std::function<void()>* m_task = nullptr;
  bool m_taskDone = false;
  bool m_finished = false;
};

}  // namespace quillet::engine::host
