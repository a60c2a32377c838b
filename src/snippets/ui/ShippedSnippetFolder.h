#pragma once

#include <string>

namespace quillet::snippets {

// The folder of "samples.xml" and of the first snippet library: share/quillet beside the
// installed program, else the build tree's share/quillet.
[[nodiscard]] std::string ShippedSnippetFolder();

}  // namespace quillet::snippets
