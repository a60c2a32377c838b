// Writes the language reference pages into the folder named on the command line; run by the
// build so that the reference always matches the catalogue compiled into the program.

#include <filesystem>
#include <fstream>
#include <iostream>

#include "app/LanguageReference.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: " << argv[0] << " OUTPUT_FOLDER\n";
    return 2;
  }
  const std::filesystem::path folder = argv[1];
  std::error_code error;
  std::filesystem::create_directories(folder, error);
  for (const auto& page : quillet::app::BuildLanguageReference()) {
    std::ofstream out(folder / page.fileName, std::ios::binary | std::ios::trunc);
    out << page.html;
    if (!out) {
      std::cerr << "cannot write " << (folder / page.fileName).string() << "\n";
      return 1;
    }
  }
  return 0;
}
