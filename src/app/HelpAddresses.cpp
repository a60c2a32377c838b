#include "app/HelpAddresses.h"

#include <string>

#include "base/CommandIds.h"
#include "platform/TextConvert.h"

namespace quillet::app {
namespace {

constexpr uint32_t kConsumerWindows = 1;
constexpr uint32_t kNtWindows = 2;

bool IsWordUnit(char16_t c) {
  return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9') || c == u'_';
}

std::optional<std::u16string_view> DownloadPage(int32_t commandId, const SOsVersion& os) {
  switch (commandId) {
    case ID_HELP_DOWNLOAD_DEBUGGER:
      if (os.platformId == kConsumerWindows) return u"tr_debugger98.asp";
      if (os.platformId == kNtWindows) return u"tr_debuggernt.asp";
      return std::nullopt;
    case ID_HELP_DOWNLOAD_DOCUMENTATION: return u"tr_documentation.asp";
    case ID_HELP_DOWNLOAD_SCRIPT_HOST:
      if (os.platformId == kConsumerWindows || (os.platformId == kNtWindows && os.major < 5)) {
        return u"tr_wsh56_98.asp";
      }
      return u"tr_wsh56_2000.asp";
    default: return std::nullopt;
  }
}

}  // namespace

std::u16string_view ContextHelpPage(int32_t commandId) {
  switch (commandId) {
    case ID_FILE_NEW: return u"topic1.html";
    case ID_FILE_OPEN: return u"topic2.html";
    case ID_FILE_SAVE: return u"topic3.html";
    case ID_EDIT_CUT: return u"topic4.html";
    case ID_EDIT_COPY: return u"topic5.html";
    case ID_EDIT_PASTE: return u"topic6.html";
    case ID_FILE_PRINT: return u"topic7.html";
    case ID_APP_ABOUT: return u"topic8.html";
    case ID_FILE_PRINT_PREVIEW: return u"topic9.html";
    default: return kHelpIndexPage;
  }
}

std::u16string WebSearchAddress(std::u16string_view addressTemplate, std::u16string_view word) {
  std::u16string address;
  for (size_t i = 0; i < addressTemplate.size(); ++i) {
    if (addressTemplate.substr(i, 2) == u"%1") {
      address += word;
      ++i;
    } else {
      address += addressTemplate[i];
    }
  }
  return address;
}

std::optional<std::u16string> DownloadPageAddress(int32_t commandId, const SOsVersion& os) {
  const auto page = DownloadPage(commandId, os);
  if (!page) return std::nullopt;
  const std::string query = "?product=quillet&platformid=" + std::to_string(os.platformId) +
                            "&version=" + std::to_string(os.major) + "-" + std::to_string(os.minor);
  return std::u16string(kMakerHomePage) + std::u16string(*page) + platform::Utf8ToUtf16(query);
}

std::u16string WordAt(std::u16string_view line, int32_t x) {
  if (x < 0 || static_cast<size_t>(x) > line.size()) return {};
  size_t start = static_cast<size_t>(x);
  size_t end = start;
  while (start > 0 && IsWordUnit(line[start - 1])) --start;
  while (end < line.size() && IsWordUnit(line[end])) ++end;
  return std::u16string(line.substr(start, end - start));
}

}  // namespace quillet::app
