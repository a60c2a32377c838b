#include "engine/objects/wsh/PrinterList.h"

#include <dlfcn.h>

#include <cstring>

#include "platform/TextConvert.h"

namespace quillet::engine::wsh {

namespace {

// The print library's public structures, as its ABI (version 2) lays them out; the library is
// loaded at run time so that the engine runs where it is not installed.
struct SCupsOption {
  char* name;
  char* value;
};
struct SCupsDest {
  char* name;
  char* instance;
  int isDefault;
  int optionCount;
  SCupsOption* options;
};
using GetDests = int (*)(SCupsDest**);
using FreeDests = void (*)(int, SCupsDest*);

std::u16string Text(const char* text) { return platform::Utf8ToUtf16(text != nullptr ? text : ""); }

// Loaded once and never unloaded: the library keeps state of its own (per-thread data, exit
// handlers) that must outlive any one call, and unloading it would leave that state dangling.
void* PrintLibrary() {
  static void* const library = ::dlopen("libcups.so.2", RTLD_NOW | RTLD_LOCAL);
  return library;
}

}  // namespace

std::vector<SPrinter> Printers() {
  std::vector<SPrinter> printers;
  void* library = PrintLibrary();
  if (library == nullptr) return printers;
  const auto getDests = reinterpret_cast<GetDests>(::dlsym(library, "cupsGetDests"));
  const auto freeDests = reinterpret_cast<FreeDests>(::dlsym(library, "cupsFreeDests"));
  if (getDests != nullptr && freeDests != nullptr) {
    SCupsDest* dests = nullptr;
    const int count = getDests(&dests);
    for (int i = 0; i < count && dests != nullptr; ++i) {
      const SCupsDest& dest = dests[i];
      std::u16string name = Text(dest.name);
      if (dest.instance != nullptr) name += u"/" + Text(dest.instance);
      SPrinter printer{name, name, dest.isDefault != 0, {}};
      for (int o = 0; o < dest.optionCount && dest.options != nullptr; ++o) {
        const SCupsOption& option = dest.options[o];
        if (option.name == nullptr || option.value == nullptr) continue;
        if (std::strcmp(option.name, "device-uri") == 0) printer.port = Text(option.value);
        printer.options.emplace_back(option.name, option.value);
      }
      printers.push_back(std::move(printer));
    }
    freeDests(count, dests);
  }
  return printers;
}

}  // namespace quillet::engine::wsh
