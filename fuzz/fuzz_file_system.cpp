// FileSystemObject's readers of untrusted input: path strings (the drive map and the path-name
// functions, wildcard patterns) and text file contents (the text stream in both encodings, the
// double-byte decoding, the PE version reader). Input: one byte choosing the encoding, a path
// in UTF-16LE up to a 00 00 pair, then the file's contents. Any input gives a value or a
// script error, never a fault, and reading by pieces gives what reading all at once gives.

#include <stdlib.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "engine/objects/scripting/NameMatcher.h"
#include "engine/objects/scripting/PathNames.h"
#include "engine/objects/scripting/TextFileOpener.h"
#include "engine/runtime/ScriptError.h"
#include "platform/DriveMap.h"
#include "platform/PeFileVersion.h"
#include "platform/TextConvert.h"

namespace {

using namespace quillet;

const std::string& ScratchFile() {
  static const std::string path = [] {
    std::string folder = std::filesystem::temp_directory_path().string() + "/quillet-fuzz-XXXXXX";
    if (::mkdtemp(folder.data()) == nullptr) std::abort();
    static const std::string removeAtExit = folder;
    std::atexit([] { std::filesystem::remove_all(removeAtExit); });
    return folder + "/contents.txt";
  }();
  return path;
}

void ExercisePath(std::u16string_view text) {
  platform::CDriveMap drives;
  drives.Map(u'Z', "/");
  drives.Map(u'C', "/quillet-fuzz-none/drive_c");
  const platform::CScriptPath path = drives.Absolute(text, "/current/folder");
  const std::u16string spelled = path.Text();
  // Absolute text reads back as itself (a trailing separator keeps the last name untrimmed).
  if (drives.Absolute(spelled + u"\\", "/").Text() != spelled) std::abort();
  (void)drives.ToHost(path);
  (void)drives.FromHost(platform::Utf16ToUtf8(text));
  (void)engine::GetParentFolderName(text);
  (void)engine::GetBaseName(text);
  (void)engine::GetExtensionName(text);
  (void)engine::GetDriveName(text);
  (void)engine::BuildPath(text, text);
  const size_t half = text.size() / 2;
  (void)engine::CNameMatcher(text.substr(0, half)).Matches(text.substr(half));
}

std::u16string ReadInPieces(const std::string& path, int32_t format) {
  std::u16string text;
  auto stream = engine::OpenTextFile(path, engine::io::ForReading, false, format);
  for (int32_t step = 0; !stream->AtEndOfStream(); ++step) {
    switch (step % 4) {
      case 0: text += stream->Read(step % 7 + 1); break;
      case 1: (void)stream->AtEndOfLine(); text += stream->Read(1); break;
      case 2: text += stream->Read(3); break;
      default: text += stream->Read(64); break;
    }
  }
  return text;
}

void ExerciseContents(std::string_view contents, int32_t format) {
  const std::string& path = ScratchFile();
  std::ofstream(path, std::ios::binary | std::ios::trunc).write(contents.data(), static_cast<std::streamsize>(contents.size()));
  try {
    auto lines = engine::OpenTextFile(path, engine::io::ForReading, false, format);
    while (!lines->AtEndOfStream()) (void)lines->ReadLine();
    const std::u16string pieces = ReadInPieces(path, format);
    auto whole = engine::OpenTextFile(path, engine::io::ForReading, false, format);
    const std::u16string all = whole->AtEndOfStream() ? std::u16string{} : whole->ReadAll();
    if (pieces != all) std::abort();
  } catch (const engine::CScriptError&) {
  }
  int error = 0;
  (void)platform::ReadPeFileVersion(path, error);
  (void)platform::FileVersionFromResources(contents, 0x1000, 0x1000);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const std::string_view input(reinterpret_cast<const char*>(data) + 1, size - 1);
  const int32_t formats[] = {engine::io::TristateFalse, engine::io::TristateTrue, engine::io::TristateUseDefault};
  const int32_t format = formats[data[0] % 3];
  size_t end = 0;
  while (end + 1 < input.size() && !(input[end] == '\0' && input[end + 1] == '\0')) end += 2;
  std::u16string path;
  for (size_t i = 0; i + 1 < end + 1 && i + 1 < input.size(); i += 2) {
    path += static_cast<char16_t>(static_cast<uint8_t>(input[i]) | static_cast<uint8_t>(input[i + 1]) << 8);
  }
  ExercisePath(path);
  ExerciseContents(end + 2 <= input.size() ? input.substr(end + 2) : std::string_view{}, format);
  return 0;
}
