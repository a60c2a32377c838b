#include "platform/CommandLineSplit.h"

namespace quillet::platform {
namespace {

[[nodiscard]] bool IsBlank(char16_t c) { return c == u' ' || c == u'\t'; }

// The program name: no escapes at all, so a path ending in a backslash stays intact.
size_t TakeProgramName(std::u16string_view line, std::vector<std::u16string>& args) {
  size_t i = 0;
  std::u16string name;
  if (!line.empty() && line[0] == u'"') {
    const size_t close = line.find(u'"', 1);
    const size_t end = close == std::u16string_view::npos ? line.size() : close;
    name = line.substr(1, end - 1);
    i = close == std::u16string_view::npos ? line.size() : close + 1;
  } else {
    while (i < line.size() && !IsBlank(line[i])) name += line[i++];
  }
  args.push_back(std::move(name));
  return i;
}

// Backslashes count only before a quote: 2n then a quote give n and a quote that toggles,
// 2n+1 then a quote give n and a literal quote.
size_t TakeBackslashes(std::u16string_view line, size_t i, std::u16string& arg, bool& literalQuote) {
  size_t count = 0;
  while (i < line.size() && line[i] == u'\\') { ++count; ++i; }
  const bool beforeQuote = i < line.size() && line[i] == u'"';
  arg.append(beforeQuote ? count / 2 : count, u'\\');
  literalQuote = beforeQuote && count % 2 == 1;
  return i;
}

size_t TakeArgument(std::u16string_view line, size_t i, std::u16string& arg) {
  bool quoted = false;
  while (i < line.size() && (quoted || !IsBlank(line[i]))) {
    if (line[i] == u'\\') {
      bool literalQuote = false;
      i = TakeBackslashes(line, i, arg, literalQuote);
      if (literalQuote) { arg += u'"'; ++i; }
    } else if (line[i] == u'"') {
      if (quoted && i + 1 < line.size() && line[i + 1] == u'"') {
        arg += u'"';
        i += 2;
      } else {
        quoted = !quoted;
        ++i;
      }
    } else {
      arg += line[i++];
    }
  }
  return i;
}

}  // namespace

size_t ProgramNameLength(std::u16string_view commandLine) {
  std::vector<std::u16string> name;
  return TakeProgramName(commandLine, name);
}

std::vector<std::u16string> SplitCommandLine(std::u16string_view commandLine) {
  std::vector<std::u16string> args;
  size_t i = TakeProgramName(commandLine, args);
  for (;;) {
    while (i < commandLine.size() && IsBlank(commandLine[i])) ++i;
    if (i >= commandLine.size()) break;
    std::u16string arg;
    i = TakeArgument(commandLine, i, arg);
    args.push_back(std::move(arg));
  }
  return args;
}

}  // namespace quillet::platform
