// Writes the first snippet library, the one a new user is given, at build time.

#include <cstdio>
#include <fstream>

#include "snippets/FirstSnippetLibrary.h"
#include "snippets/SnippetFileFormat.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s <quillet_snippets.dat>\n", argv[0]);
    return 2;
  }
  const std::string bytes =
      quillet::snippets::WriteSnippetFile(quillet::snippets::FirstSnippetLibrary());
  std::ofstream out(argv[1], std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  out.close();
  return out ? 0 : 1;
}
