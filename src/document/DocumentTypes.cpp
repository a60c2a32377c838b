#include "document/DocumentTypes.h"

namespace quillet::document {

std::string_view LineEndBytes(ELineEndStyle style) {
  switch (style) {
    case EolLfCr: return "\n\r";
    case EolLf: return "\n";
    default: return "\r\n";
  }
}

}  // namespace quillet::document
