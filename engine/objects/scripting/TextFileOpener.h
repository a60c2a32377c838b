#pragma once
// Opening text files as FileSystemObject does, with Windows' rules and errors: OpenTextFile
// (and File.OpenAsTextStream) for reading, writing or appending, CreateTextFile. A file that
// already exists and is opened for writing is replaced only when the stream is closed, so the
// old contents survive a failure part way.

#include <cstdint>
#include <memory>
#include <string>

#include "engine/objects/scripting/TextFileStream.h"

namespace quillet::engine {

// IOMode and Tristate as scripts pass them.
namespace io {
inline constexpr int32_t ForReading = 1;
inline constexpr int32_t ForWriting = 2;
inline constexpr int32_t ForAppending = 8;
inline constexpr int32_t TristateTrue = -1;
inline constexpr int32_t TristateFalse = 0;
inline constexpr int32_t TristateUseDefault = -2;
}  // namespace io

// 5 for a mode or format outside the enumerations; 53 (76 when the folder is missing) for a
// file that is not there and is not to be created; 70 for a folder, a read-only file opened for
// writing, or a refusal.
[[nodiscard]] std::unique_ptr<CTextFileStream> OpenTextFile(const std::string& hostPath, int32_t ioMode, bool create,
                                                            int32_t format);
// 58 for an existing file when overwrite is false; otherwise as OpenTextFile for writing.
[[nodiscard]] std::unique_ptr<CTextFileStream> CreateTextFile(const std::string& hostPath, bool overwrite,
                                                              bool unicode);

}  // namespace quillet::engine
