#pragma once
// The library a user starts with: the language's statements and blocks, and the patterns that
// administrators' scripts are made of. Each part the user types is a field.

#include "snippets/SnippetFolder.h"

namespace quillet::snippets {

[[nodiscard]] CSnippetFolder FirstSnippetLibrary();

}  // namespace quillet::snippets
