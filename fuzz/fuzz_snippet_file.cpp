// Any bytes as a snippet library give a tree (possibly partial) and never a fault or a hang;
// a sound tree written back reads as the same tree.

#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "snippets/SnippetFileFormat.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace quillet::snippets;
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const SSnippetFileContent content = ParseSnippetFile(bytes);
  if (content.root.Depth() > kMaxSnippetFolderDepth) std::abort();
  const std::string written = WriteSnippetFile(content.root);
  const SSnippetFileContent again = ParseSnippetFile(written);
  if (!again.sound || !again.IsCurrent() || !(again.root == content.root)) std::abort();
  if (content.sound && content.IsCurrent() && written != bytes) std::abort();
  return 0;
}
