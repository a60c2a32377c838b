#pragma once
// How a text file's characters are stored: in the system's ANSI code page, or as UTF-16LE
// ("Unicode"), which starts with the byte order mark FF FE.

namespace quillet::engine {

enum class ETextEncoding { Ansi, Utf16 };

}  // namespace quillet::engine
