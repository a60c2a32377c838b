#include "debug/ui/ShellBar.h"

#include <QFont>
#include <QPointer>
#include <QTimer>
#include <QVBoxLayout>

#include "base/SettingsInventory.h"
#include "debug/OutputLimit.h"
#include "debug/ScriptInput.h"
#include "debug/ui/ShellEditCtrl.h"
#include "platform/ProcessLauncher.h"

namespace quillet::debug {

CShellBar::CShellBar(QWidget* parent) : QWidget(parent), m_edit(new CShellEditCtrl(this)) {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(m_edit);
  connect(m_edit, &CShellEditCtrl::InputEntered, this, &CShellBar::SendInput);
}

// A script still running when the window goes is ended with it; the reader then ends too.
CShellBar::~CShellBar() {
  if (m_process) m_process->Terminate();
  m_reader.Stop();
}

void CShellBar::ApplyFont(const app::CSettings& settings) {
  QFont font(QString::fromStdU16String(settings.Read(app::settings::FontFace)));
  // The editor's default: 10 points on this screen.
  const int32_t height = settings.Read(app::settings::FontHeight, app::settings::DefaultFontHeight(logicalDpiY()));
  font.setPixelSize(std::max(1, std::abs(height)));
  font.setWeight(static_cast<QFont::Weight>(std::clamp(settings.Read(app::settings::FontWeight), 1, 1000)));
  font.setStyleHint(QFont::Monospace);
  font.setFixedPitch(true);
  font.setStyleStrategy(QFont::NoAntialias);
  m_edit->setFont(font);
}

bool CShellBar::LaunchRedirected(const platform::CProcessLauncher& launcher, std::u16string_view commandLine,
                                 platform::CChildProcess& process, std::u16string& error) {
  ClearOutput();
  show();
  StopReader();
  auto launched = launcher.Launch(commandLine, true);
  if (auto* message = std::get_if<std::u16string>(&launched)) {
    error = *message;
    return false;
  }
  process = std::move(std::get<platform::CChildProcess>(launched));
  m_process = &process;
  m_readerEnded = false;
  m_readerDone = false;
  QPointer<CShellBar> self(this);
  m_reader.Start(
      process.TakeOutputFd(),
      [this](std::u16string text) { QueueOutput(std::move(text)); },
      [self] {
        QMetaObject::invokeMethod(self, [self] {
          if (!self) return;
          self->m_readerDone = true;
          self->EndWhenDrained();
        }, Qt::QueuedConnection);
      });
  process.WriteInput(EncodeScriptInput(u"\r\n"));
  return true;
}

void CShellBar::AppendOutput(std::u16string_view text) { m_edit->AppendOutput(text); }

void CShellBar::ClearOutput() { m_edit->ClearOutput(); }

void CShellBar::StopReader() {
  m_reader.Stop();
  FlushOutput();
  m_process = nullptr;
}

// Text beyond the window's limit would be trimmed away as soon as it arrived, so the oldest
// whole lines of a flood are dropped here, before they cost the window any work.
void CShellBar::QueueOutput(std::u16string text) {
  std::lock_guard guard(m_pendingLock);
  m_pending += text;
  if (m_pending.size() - m_pendingStart > kOutputLimit) {
    const size_t feed = m_pending.find(u'\n', m_pending.size() - (kOutputLimit - kOutputTrimStep));
    if (feed != std::u16string::npos) {
      m_pendingStart = feed + 1;
      m_pendingDropped = true;
    }
  }
  // Erasing the front once it is most of the buffer keeps every character's copy count small.
  if (m_pendingStart > m_pending.size() / 2) {
    m_pending.erase(0, m_pendingStart);
    m_pendingStart = 0;
  }
  if (m_drainPosted) return;
  m_drainPosted = true;
  QPointer<CShellBar> self(this);
  QMetaObject::invokeMethod(this, [self] { if (self) self->DrainOutput(); }, Qt::QueuedConnection);
}

// Slices keep each turn of the event loop short while a script floods the window.
void CShellBar::DrainOutput() {
  static constexpr std::chrono::milliseconds kFloodPause{8};
  // Each append costs the window a fixed amount besides its characters, so once the script
  // has finished the rest goes in larger pieces.
  static constexpr size_t kSlice = 16384;
  static constexpr size_t kFinalSlice = 4 * kSlice;
  std::u16string slice;
  bool dropped = false;
  {
    std::lock_guard guard(m_pendingLock);
    const size_t length = std::min(m_readerDone ? kFinalSlice : kSlice, m_pending.size() - m_pendingStart);
    slice = m_pending.substr(m_pendingStart, length);
    m_pendingStart += length;
    if (m_pendingStart == m_pending.size()) {
      m_pending.clear();
      m_pendingStart = 0;
    }
    dropped = std::exchange(m_pendingDropped, false);
    m_drainPosted = !m_pending.empty();
  }
  if (dropped) m_edit->ClearOutput();
  if (!slice.empty()) AppendOutput(slice);
  if (m_drainPosted) {
    // While the script still writes, one slice per pause is all anyone can read; the rest
    // of a flood waits, and what falls past the limit meanwhile never costs the window.
    QPointer<CShellBar> self(this);
    const auto drain = [self] { if (self) self->DrainOutput(); };
    if (m_readerDone) QMetaObject::invokeMethod(this, drain, Qt::QueuedConnection);
    else QTimer::singleShot(kFloodPause, this, drain);
  } else {
    EndWhenDrained();
  }
}

// The end is reported only after the last text is in the window, so the completion line and
// the error search come after it.
void CShellBar::EndWhenDrained() {
  if (!m_readerDone || m_readerEnded) return;
  {
    std::lock_guard guard(m_pendingLock);
    if (m_drainPosted) return;
  }
  m_readerEnded = true;
  emit ReaderEnded();
}

void CShellBar::FlushOutput() {
  for (;;) {
    {
      std::lock_guard guard(m_pendingLock);
      if (m_pending.empty() && !m_pendingDropped) return;  // empty whenever all is taken
    }
    DrainOutput();
  }
}

void CShellBar::SendInput(const QString& line) {
  if (!m_process) return;
  m_process->WriteInput(EncodeScriptInput(line.toStdU16String()));
}

}  // namespace quillet::debug
