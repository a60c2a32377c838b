#include "engine/objects/wsh/MountTable.h"

#include <fstream>
#include <sstream>

#include "platform/TextConvert.h"

namespace quillet::engine::wsh {

namespace {

constexpr std::string_view kNetworkTypes[] = {"cifs", "smb3", "smbfs", "nfs", "nfs4", "fuse.sshfs", "9p", "afs"};

// mountinfo escapes blanks, tabs, newlines and backslashes as \ooo.
std::string Unescape(std::string_view field) {
  std::string out;
  for (size_t i = 0; i < field.size(); ++i) {
    if (field[i] == '\\' && i + 3 < field.size()) {
      const std::string_view digits = field.substr(i + 1, 3);
      if (digits.size() == 3 && digits.find_first_not_of("01234567") == std::string_view::npos) {
        out += static_cast<char>((digits[0] - '0') * 64 + (digits[1] - '0') * 8 + (digits[2] - '0'));
        i += 3;
        continue;
      }
    }
    out += field[i];
  }
  return out;
}

// //server/share and server:/path both become \\server\share.
std::u16string WindowsShare(std::string source) {
  if (source.starts_with("//")) source = source.substr(2);
  const size_t colon = source.find(":/");
  if (colon != std::string::npos) source = source.substr(0, colon) + source.substr(colon + 1);
  std::u16string share = u"\\\\" + platform::Utf8ToUtf16(source);
  for (char16_t& c : share) {
    if (c == u'/') c = u'\\';
  }
  while (share.size() > 2 && share.back() == u'\\') share.pop_back();
  return share;
}

}  // namespace

std::vector<SNetworkMount> ParseNetworkMounts(std::string_view mountInfo) {
  std::vector<SNetworkMount> mounts;
  std::istringstream lines{std::string(mountInfo)};
  std::string line;
  while (std::getline(lines, line)) {
    std::istringstream fields(line);
    std::vector<std::string> words;
    for (std::string word; fields >> word;) words.push_back(word);
    // id parent major:minor root mount-point options [optional fields...] - type source super-options
    size_t separator = 6;
    while (separator < words.size() && words[separator] != "-") ++separator;
    if (words.size() < 5 || separator + 2 >= words.size()) continue;
    const std::string& type = words[separator + 1];
    bool network = false;
    for (const std::string_view known : kNetworkTypes) network = network || type == known;
    if (!network) continue;
    mounts.push_back({platform::Utf8ToUtf16(Unescape(words[4])), WindowsShare(Unescape(words[separator + 2]))});
  }
  return mounts;
}

std::vector<SNetworkMount> NetworkMounts() {
  std::ifstream file("/proc/self/mountinfo");
  std::stringstream text;
  text << file.rdbuf();
  return ParseNetworkMounts(text.str());
}

}  // namespace quillet::engine::wsh
