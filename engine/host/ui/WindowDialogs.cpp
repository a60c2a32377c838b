#include "engine/host/ui/WindowDialogs.h"

#include <QApplication>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include <array>
#include <chrono>
#include <vector>

namespace quillet::engine::host {

namespace {

struct SButton {
  QMessageBox::StandardButton qt;
  int answer;
};

// The button sets of the MsgBox flags, in the order they appear.
std::vector<SButton> ButtonSet(int32_t buttons) {
  using B = QMessageBox;
  switch (buttons & 0x7) {
    case 1: return {{B::Ok, 1}, {B::Cancel, 2}};
    case 2: return {{B::Abort, 3}, {B::Retry, 4}, {B::Ignore, 5}};
    case 3: return {{B::Yes, 6}, {B::No, 7}, {B::Cancel, 2}};
    case 4: return {{B::Yes, 6}, {B::No, 7}};
    case 5: return {{B::Retry, 4}, {B::Cancel, 2}};
    default: return {{B::Ok, 1}};
  }
}

QMessageBox::Icon IconFor(int32_t buttons) {
  switch (buttons & 0x70) {
    case 0x10: return QMessageBox::Critical;
    case 0x20: return QMessageBox::Question;
    case 0x30: return QMessageBox::Warning;
    case 0x40: return QMessageBox::Information;
    default: return QMessageBox::NoIcon;
  }
}

// The toolkit wants argc and argv that outlive the application.
int g_argc = 1;
char g_programName[] = "quillet-script-host";
std::array<char*, 2> g_argv{g_programName, nullptr};

}  // namespace

void ConfigureMessageBox(QMessageBox& box, const std::u16string& prompt, int32_t buttons,
                         const std::u16string& title) {
  box.setWindowTitle(QString::fromStdU16String(title));
  box.setText(QString::fromStdU16String(prompt));
  box.setTextFormat(Qt::PlainText);
  box.setIcon(IconFor(buttons));
  const std::vector<SButton> set = ButtonSet(buttons);
  QMessageBox::StandardButtons standard;
  for (const SButton& b : set) standard |= b.qt;
  box.setStandardButtons(standard);
  size_t defaultIndex = static_cast<size_t>((buttons >> 8) & 0x3);
  if (defaultIndex >= set.size()) defaultIndex = 0;
  box.setDefaultButton(set[defaultIndex].qt);
  // Escape means Cancel where there is one, and OK on a box that has only OK; a Yes/No or
  // Abort/Retry/Ignore box must be answered with a button.
  if (standard & QMessageBox::Cancel) box.setEscapeButton(QMessageBox::Cancel);
  else if (set.size() == 1) box.setEscapeButton(QMessageBox::Ok);
  if (buttons & 0x1000) box.setWindowFlag(Qt::WindowStaysOnTopHint);  // vbSystemModal
}

int MessageBoxAnswer(const QMessageBox& box, int32_t buttons) {
  const auto* clicked = box.clickedButton();
  for (const SButton& b : ButtonSet(buttons)) {
    if (clicked != nullptr && clicked == box.button(b.qt)) return b.answer;
  }
  return DefaultMessageBoxAnswer(buttons);
}

CWindowDialogs::CWindowDialogs() = default;
CWindowDialogs::~CWindowDialogs() = default;

void CWindowDialogs::EnsureApplication() {
  if (m_application == nullptr && QApplication::instance() == nullptr) {
    m_application = std::make_unique<QApplication>(g_argc, g_argv.data());
  }
}

int CWindowDialogs::MessageBox(const std::u16string& prompt, int32_t buttons, const std::u16string& title) {
  EnsureApplication();
  QMessageBox box;
  ConfigureMessageBox(box, prompt, buttons, title);
  box.exec();
  return MessageBoxAnswer(box, buttons);
}

// The box closes itself as if nobody had pressed anything, even one that has no button for
// Escape, which the user could not close that way.
int CWindowDialogs::MessageBoxWithTimeout(const std::u16string& prompt, int32_t buttons, const std::u16string& title,
                                          int32_t seconds) {
  if (seconds <= 0) return MessageBox(prompt, buttons, title);
  EnsureApplication();
  QMessageBox box;
  ConfigureMessageBox(box, prompt, buttons, title);
  bool timedOut = false;
  QTimer timer;
  timer.setSingleShot(true);
  QObject::connect(&timer, &QTimer::timeout, &box, [&] {
    timedOut = true;
    box.done(QDialog::Rejected);
  });
  timer.start(std::chrono::seconds(seconds));
  box.exec();
  return timedOut ? kTimedOut : MessageBoxAnswer(box, buttons);
}

std::optional<std::u16string> CWindowDialogs::InputBox(const std::u16string& prompt, const std::u16string& title,
                                                       const std::u16string& defaultText) {
  EnsureApplication();
  QInputDialog dialog;
  dialog.setWindowTitle(QString::fromStdU16String(title));
  dialog.setLabelText(QString::fromStdU16String(prompt));
  dialog.setTextValue(QString::fromStdU16String(defaultText));
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.textValue().toStdU16String();
}

}  // namespace quillet::engine::host
