#pragma once
// What the document needs of a view: it calls every attached view after each change.

#include <cstdint>
#include <string_view>

namespace quillet::document {

class CUpdateContext;

class IDocumentView {
 public:
  virtual ~IDocumentView() = default;
  // source is the view that made the change (or null); context maps old positions to new ones
  // (or null); line is -1 when the change is not tied to one line.
  virtual void OnDocumentUpdate(IDocumentView* source, const CUpdateContext* context,
                                uint32_t flags, int32_t line) = 0;
  // Called on the view that closed an undo group, with the group's last action and text.
  virtual void OnEditOperation(int32_t /*action*/, std::u16string_view /*text*/) {}
};

}  // namespace quillet::document
