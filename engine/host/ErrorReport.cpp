#include "engine/host/ErrorReport.h"

#include <cstdio>

#include "platform/TextConvert.h"

namespace quillet::engine::host {

namespace {

std::u16string Number(int value) { return platform::Utf8ToUtf16(std::to_string(value)); }

std::u16string KindText(const CScriptError& error) {
  return error.Kind() == EErrorKind::Compilation ? u"VBScript compilation error" : u"VBScript runtime error";
}

// The error as a result code: the script facility for the language's own numbers, the
// number itself when a script raised a full result code.
std::u16string ResultCode(int number) {
  auto code = static_cast<uint32_t>(number);
  if (number > 0 && number <= 0xFFFF) code |= 0x800A0000U;
  char text[16];
  std::snprintf(text, sizeof text, "%08X", code);
  return platform::Utf8ToUtf16(text);
}

}  // namespace

std::u16string ConsoleErrorText(const CScriptError& error, const std::u16string& path) {
  std::u16string text = path + u"(" + Number(error.Line()) + u", " + Number(error.Column()) + u") ";
  if (!error.Source().empty() && error.Kind() != EErrorKind::Compilation) text += error.Source();
  else text += KindText(error);
  return text + u": " + error.Description() + u"\r\n";
}

std::u16string WindowErrorText(const CScriptError& error, const std::u16string& path) {
  const std::u16string source =
      !error.Source().empty() && error.Kind() != EErrorKind::Compilation ? error.Source() : KindText(error);
  return u"Script:\t" + path + u"\nLine:\t" + Number(error.Line()) + u"\nChar:\t" + Number(error.Column()) +
         u"\nError:\t" + error.Description() + u"\nCode:\t" + ResultCode(error.Number()) + u"\nSource: \t" + source;
}

}  // namespace quillet::engine::host
