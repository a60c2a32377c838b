#include "engine/host/MainThreadQueue.h"

namespace quillet::engine::host {

void CMainThreadQueue::RunOnMain(const std::function<void()>& task) {
  std::unique_lock<std::mutex> guard(m_lock);
  m_task = &task;
  m_taskDone = false;
  m_changed.notify_all();
  m_changed.wait(guard, [&] { return m_taskDone; });
}

void CMainThreadQueue::Finish() {
  std::lock_guard<std::mutex> guard(m_lock);
  m_finished = true;
  m_changed.notify_all();
}

bool CMainThreadQueue::ServeUntilFinished(std::chrono::steady_clock::time_point deadline) {
  std::unique_lock<std::mutex> guard(m_lock);
  for (;;) {
    const auto ready = [&] { return m_finished || (m_task != nullptr && !m_taskDone); };
    if (deadline == std::chrono::steady_clock::time_point::max()) m_changed.wait(guard, ready);
    else if (!m_changed.wait_until(guard, deadline, ready)) return false;
    if (m_finished) return true;
    const std::function<void()>* task = m_task;
    guard.unlock();
    try {
      (*task)();  // a window may stay open for a long time: the lock is not held meanwhile
    } catch (...) {
      // The script thread must never wait for ever on a task that failed.
    }
    guard.lock();
    m_task = nullptr;
    m_taskDone = true;
    m_changed.notify_all();
  }
}

}  // namespace quillet::engine::host
