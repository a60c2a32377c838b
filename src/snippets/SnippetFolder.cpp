#include "snippets/SnippetFolder.h"

#include <algorithm>

namespace quillet::snippets {

CSnippetFolder::CSnippetFolder(const CSnippetFolder& other) : name(other.name) {
  folders.reserve(other.folders.size());
  for (const auto& folder : other.folders) folders.push_back(std::make_unique<CSnippetFolder>(*folder));
  snippets.reserve(other.snippets.size());
  for (const auto& snippet : other.snippets) snippets.push_back(std::make_unique<SSnippet>(*snippet));
}

CSnippetFolder& CSnippetFolder::operator=(const CSnippetFolder& other) {
  if (this != &other) *this = CSnippetFolder(other);
  return *this;
}

CSnippetFolder& CSnippetFolder::AddFolder(std::u16string folderName) {
  folders.push_back(std::make_unique<CSnippetFolder>(std::move(folderName)));
  return *folders.back();
}

SSnippet& CSnippetFolder::AddSnippet(SSnippet snippet) {
  snippets.push_back(std::make_unique<SSnippet>(std::move(snippet)));
  return *snippets.back();
}

void CSnippetFolder::ForEachSnippet(const std::function<void(const SSnippet&)>& visit) const {
  for (const auto& folder : folders) folder->ForEachSnippet(visit);
  for (const auto& snippet : snippets) visit(*snippet);
}

size_t CSnippetFolder::SnippetCount() const {
  size_t count = snippets.size();
  for (const auto& folder : folders) count += folder->SnippetCount();
  return count;
}

size_t CSnippetFolder::Depth() const {
  size_t deepest = 0;
  for (const auto& folder : folders) deepest = std::max(deepest, folder->Depth() + 1);
  return deepest;
}

bool CSnippetFolder::Contains(const CSnippetFolder* folder) const {
  if (folder == this) return true;
  return std::any_of(folders.begin(), folders.end(),
                     [folder](const auto& child) { return child->Contains(folder); });
}

bool operator==(const CSnippetFolder& a, const CSnippetFolder& b) {
  if (a.name != b.name || a.folders.size() != b.folders.size() ||
      a.snippets.size() != b.snippets.size()) {
    return false;
  }
  for (size_t i = 0; i < a.folders.size(); ++i) {
    if (!(*a.folders[i] == *b.folders[i])) return false;
  }
  for (size_t i = 0; i < a.snippets.size(); ++i) {
    if (!(*a.snippets[i] == *b.snippets[i])) return false;
  }
  return true;
}

}  // namespace quillet::snippets
