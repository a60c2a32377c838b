#pragma once
// What one running script owns besides its variables: the random generator, the locale
// chosen by SetLocale, the host's dialogs and the classes CreateObject can make. Built-in
// functions have no engine argument, so they reach the running engine's state through the
// thread it runs on; outside a run they see a process-wide default.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "engine/runtime/ObjectRegistry.h"

namespace quillet::engine {

// The host's answer to MsgBox and InputBox. A host without a display keeps the default,
// which never waits for anyone.
class IHostDialogs {
 public:
  virtual ~IHostDialogs() = default;
  // buttons holds the MsgBox flags (vbOKCancel, vbCritical, vbDefaultButton2 ...); the
  // result is the pressed button's value (vbOK = 1 ...).
  virtual int MessageBox(const std::u16string& prompt, int32_t buttons, const std::u16string& title) = 0;
  // A box that closes by itself after `seconds` (more than 0) and then answers kTimedOut.
  // Hosts whose boxes never wait for anyone keep this default, their plain MessageBox.
  virtual int MessageBoxWithTimeout(const std::u16string& prompt, int32_t buttons, const std::u16string& title,
                                    int32_t /*seconds*/) {
    return MessageBox(prompt, buttons, title);
  }
  static constexpr int kTimedOut = -1;
  // Empty when the user cancels.
  virtual std::optional<std::u16string> InputBox(const std::u16string& prompt, const std::u16string& title,
                                                 const std::u16string& defaultText) = 0;
};

// The answers of an engine without a host (tests, tools): the default button and the default
// text, at once and silently. The hosts give their own, which also show the prompt.
class CNoDisplayDialogs : public IHostDialogs {
 public:
  int MessageBox(const std::u16string& prompt, int32_t buttons, const std::u16string& title) override;
  std::optional<std::u16string> InputBox(const std::u16string& prompt, const std::u16string& title,
                                         const std::u16string& defaultText) override;
};

// The value a MsgBox flag set returns when its default button is taken.
[[nodiscard]] int DefaultMessageBoxAnswer(int32_t buttons);

struct SRuntimeState {
  uint32_t rndSeed = 0x50000;  // the generator's 24-bit state before any Rnd or Randomize
  uint32_t localeId = 1033;    // en-US unless the host or SetLocale says otherwise
  IHostDialogs* dialogs = nullptr;  // null: the no-display answers
  std::u16string hostName = u"Quillet Script Host";  // the title of MsgBox and InputBox
  CObjectRegistry creatable;  // CreateObject's classes; a host registers its own here
  // Where Debug.Write goes: a debugger's output; without one the text goes nowhere.
  std::function<void(std::u16string_view)> debugOutput;
};

// The state of the engine running on this thread, else the process-wide default.
[[nodiscard]] SRuntimeState& CurrentRuntime();
[[nodiscard]] IHostDialogs& CurrentDialogs();

// Makes state current on this thread for its lifetime; nests.
class CRuntimeScope {
 public:
  explicit CRuntimeScope(SRuntimeState& state);
  ~CRuntimeScope();
  CRuntimeScope(const CRuntimeScope&) = delete;
  CRuntimeScope& operator=(const CRuntimeScope&) = delete;

 private:
  SRuntimeState* m_previous;
};

}  // namespace quillet::engine
