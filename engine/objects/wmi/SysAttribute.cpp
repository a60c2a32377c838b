#include "engine/objects/wmi/SysAttribute.h"

#include <dirent.h>

#include <algorithm>
#include <cctype>

#include "engine/objects/wmi/MachineFiles.h"

namespace quillet::engine::machine {

std::optional<std::string> SysAttribute(const std::string& path) {
  auto text = ReadSmallFile(path);
  if (!text) return std::nullopt;
  const auto isSpace = [](char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; };
  while (!text->empty() && isSpace(text->back())) text->pop_back();
  const auto first = std::find_if_not(text->begin(), text->end(), isSpace);
  text->erase(text->begin(), first);
  if (text->empty()) return std::nullopt;
  return text;
}

std::vector<std::string> FolderEntries(const std::string& folder) {
  std::vector<std::string> names;
  DIR* dir = opendir(folder.c_str());
  if (dir == nullptr) return names;
  while (const dirent* entry = readdir(dir)) {
    const std::string name = entry->d_name;
    if (name != "." && name != "..") names.push_back(name);
  }
  closedir(dir);
  std::sort(names.begin(), names.end());
  return names;
}

}  // namespace quillet::engine::machine
