#include "engine/vm/RuntimeState.h"

namespace quillet::engine {

namespace {

thread_local SRuntimeState* t_current = nullptr;

SRuntimeState& ProcessDefault() {
  static SRuntimeState state;
  return state;
}

}  // namespace

int DefaultMessageBoxAnswer(int32_t buttons) {
  // The answers of each button set, in the order the buttons appear.
  static constexpr int kAnswers[6][3] = {
      {1, 1, 1},  // vbOKOnly
      {1, 2, 2},  // vbOKCancel
      {3, 4, 5},  // vbAbortRetryIgnore
      {6, 7, 2},  // vbYesNoCancel
      {6, 7, 7},  // vbYesNo
      {4, 2, 2},  // vbRetryCancel
  };
  const int set = buttons & 0x7;
  int defaultButton = (buttons >> 8) & 0x3;
  if (set >= 6) return 1;
  static constexpr int kButtonCount[6] = {1, 2, 3, 3, 2, 2};
  if (defaultButton >= kButtonCount[set]) defaultButton = 0;
  return kAnswers[set][defaultButton];
}

int CNoDisplayDialogs::MessageBox(const std::u16string&, int32_t buttons, const std::u16string&) {
  return DefaultMessageBoxAnswer(buttons);
}

std::optional<std::u16string> CNoDisplayDialogs::InputBox(const std::u16string&, const std::u16string&,
                                                          const std::u16string& defaultText) {
  return defaultText;
}

SRuntimeState& CurrentRuntime() { return t_current != nullptr ? *t_current : ProcessDefault(); }

IHostDialogs& CurrentDialogs() {
  static CNoDisplayDialogs noDisplay;
  IHostDialogs* dialogs = CurrentRuntime().dialogs;
  return dialogs != nullptr ? *dialogs : noDisplay;
}

CRuntimeScope::CRuntimeScope(SRuntimeState& state) : m_previous(t_current) { t_current = &state; }

CRuntimeScope::~CRuntimeScope() { t_current = m_previous; }

}  // namespace quillet::engine
