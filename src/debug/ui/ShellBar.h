#pragma once
// The content of the output bar: the output window, its font, and a redirected host's pipes
// and reader. Text from the reader's thread arrives here through queued calls.

#include <QWidget>

#include <memory>
#include <mutex>
#include <string>

#include "debug/OutputReader.h"
#include "platform/ChildProcess.h"

namespace quillet::app {
class CSettings;
}
namespace quillet::platform {
class CProcessLauncher;
}

namespace quillet::debug {

class CShellEditCtrl;

class CShellBar : public QWidget {
  Q_OBJECT

 public:
  explicit CShellBar(QWidget* parent = nullptr);
  ~CShellBar() override;

  [[nodiscard]] CShellEditCtrl* Edit() const { return m_edit; }
  // Face2, Height2 and Weight2 of "Font", as the editor uses them.
  void ApplyFont(const app::CSettings& settings);

  // Clears the window, starts the host with pipes, starts the reader and greets the script
  // with CR LF. The process goes to process; false when it could not start.
  [[nodiscard]] bool LaunchRedirected(const platform::CProcessLauncher& launcher, std::u16string_view commandLine,
                                      platform::CChildProcess& process, std::u16string& error);
  void AppendOutput(std::u16string_view text);
  void ClearOutput();
  // Stops reading; text already read is still delivered.
  void StopReader();
  [[nodiscard]] bool IsReading() const { return m_reader.IsRunning() && !m_readerEnded; }

 signals:
  void ReaderEnded();

 private:
  void SendInput(const QString& line);
  // The reader's side: text waits here until the window takes it.
  void QueueOutput(std::u16string text);
  // The window's side: takes a slice, and comes back for the rest after other events.
  void DrainOutput();
  void FlushOutput();
  void EndWhenDrained();

  CShellEditCtrl* m_edit = nullptr;
  COutputReader m_reader;
  platform::CChildProcess* m_process = nullptr;  // the run's process, for its input
  bool m_readerEnded = true;
  bool m_readerDone = true;  // the reader has read its last, though the window may not have it yet
  std::mutex m_pendingLock;
  std::u16string m_pending;
  size_t m_pendingStart = 0;  // text before it has gone to the window; erased in bulk
  bool m_drainPosted = false;
  bool m_pendingDropped = false;  // the window's text is older than everything pending
};

}  // namespace quillet::debug
