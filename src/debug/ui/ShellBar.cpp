#include "debug/ui/ShellBar.h"

#include <QFont>
#include <QPointer>
#include <QVBoxLayout>

#include "app/SettingsInventory.h"
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
  const int32_t height = settings.Read(app::settings::FontHeight);
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
  QPointer<CShellBar> self(this);
  m_reader.Start(
      process.TakeOutputFd(),
      [self](std::u16string text) {
        QMetaObject::invokeMethod(self, [self, text = std::move(text)] { if (self) self->AppendOutput(text); },
                                  Qt::QueuedConnection);
      },
      [self] {
        QMetaObject::invokeMethod(self, [self] {
          if (!self) return;
          self->m_readerEnded = true;
          emit self->ReaderEnded();
        }, Qt::QueuedConnection);
      });
  process.WriteInput(EncodeScriptInput(u"\r\n"));
  return true;
}

void CShellBar::AppendOutput(std::u16string_view text) { m_edit->AppendOutput(text); }

void CShellBar::ClearOutput() { m_edit->ClearOutput(); }

void CShellBar::StopReader() {
  m_reader.Stop();
  m_process = nullptr;
}

void CShellBar::SendInput(const QString& line) {
  if (!m_process) return;
  m_process->WriteInput(EncodeScriptInput(line.toStdU16String()));
}

}  // namespace quillet::debug
