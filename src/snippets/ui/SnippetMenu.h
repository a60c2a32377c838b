#pragma once
// The library as a menu tree: the Snippets menu, the editor's "Insert a code snippet" pop-up and
// the toolbar's drop-down. The file is read at every build; nothing is cached.

#include <cstddef>
#include <functional>
#include <string>

class QMenu;

namespace quillet::snippets {

class CSnippetFolder;

// Removes every item of menu after its first fixedItems, then appends the tree: a pop-up per
// folder, an item per snippet (command ID_SNIPPET_FIRST + its number in menu order), and
// "(Empty)" for a folder with nothing in it. choose gets the number of the snippet picked.
void BuildSnippetMenu(QMenu* menu, int fixedItems, const CSnippetFolder& root,
                      const std::function<void(size_t)>& choose);
// The same from the library file; a file that is missing or not in the current form adds
// nothing.
void BuildSnippetMenu(QMenu* menu, int fixedItems, const std::string& libraryPath,
                      const std::function<void(size_t)>& choose);

}  // namespace quillet::snippets
