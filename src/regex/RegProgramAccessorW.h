#pragma once
// Base of every class that reads or writes a compiled program: how to step from a node to its
// operand and its successor.

#include "regex/RegErrorHandlerW.h"
#include "regex/RegNodeKind.h"

namespace quillet::regex {

class CRegProgramAccessorW : public CRegErrorHandlerW {
 protected:
  [[nodiscard]] static ERegNodeKind Kind(const char16_t* node) {
    return static_cast<ERegNodeKind>(node[0]);
  }
  [[nodiscard]] static const char16_t* Operand(const char16_t* node) { return node + kNodeUnits; }
  [[nodiscard]] static char16_t* Operand(char16_t* node) { return node + kNodeUnits; }

  // Null when the node has no successor.
  [[nodiscard]] static const char16_t* Next(const char16_t* node) {
    const char16_t distance = node[1];
    if (distance == 0) return nullptr;
    return Kind(node) == ERegNodeKind::BACK ? node - distance : node + distance;
  }
  [[nodiscard]] static char16_t* Next(char16_t* node) {
    return const_cast<char16_t*>(Next(static_cast<const char16_t*>(node)));
  }
};

}  // namespace quillet::regex
