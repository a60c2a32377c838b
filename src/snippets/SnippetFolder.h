#pragma once
// A folder of the snippet library. Children are held by pointer so that the dialogs can keep
// a handle on a folder or snippet while the lists around it change.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "snippets/Snippet.h"

namespace quillet::snippets {

class CSnippetFolder {
 public:
  CSnippetFolder() = default;
  explicit CSnippetFolder(std::u16string folderName) : name(std::move(folderName)) {}
  CSnippetFolder(const CSnippetFolder& other);
  CSnippetFolder& operator=(const CSnippetFolder& other);
  CSnippetFolder(CSnippetFolder&&) noexcept = default;
  CSnippetFolder& operator=(CSnippetFolder&&) noexcept = default;

  CSnippetFolder& AddFolder(std::u16string folderName);
  SSnippet& AddSnippet(SSnippet snippet);

  // Every snippet in menu order: depth first, a folder's subfolders before its own snippets.
  void ForEachSnippet(const std::function<void(const SSnippet&)>& visit) const;
  [[nodiscard]] size_t SnippetCount() const;
  [[nodiscard]] size_t Depth() const;

  // True when folder is this one or lies anywhere beneath it.
  [[nodiscard]] bool Contains(const CSnippetFolder* folder) const;

  friend bool operator==(const CSnippetFolder& a, const CSnippetFolder& b);

  std::u16string name;  // not stored for the root
  std::vector<std::unique_ptr<CSnippetFolder>> folders;
  std::vector<std::unique_ptr<SSnippet>> snippets;
};

}  // namespace quillet::snippets
