#pragma once
// A view that remembers what the document told it, and tracks a caret through each change.

#include <cstdint>
#include <string>
#include <vector>

#include "document/DocumentView.h"
#include "document/UpdateContext.h"

namespace quillet::test {

class CRecordingView : public document::IDocumentView {
 public:
  struct SNotice {
    uint32_t flags;
    int32_t line;
  };

  void OnDocumentUpdate(IDocumentView*, const document::CUpdateContext* context, uint32_t flags,
                        int32_t line) override {
    notices.push_back({flags, line});
    if (context != nullptr) caret = context->RecalcPoint(caret);
  }
  void OnEditOperation(int32_t action, std::u16string_view text) override {
    operations.emplace_back(action, std::u16string(text));
  }

  document::CTextPosition caret;
  std::vector<SNotice> notices;
  std::vector<std::pair<int32_t, std::u16string>> operations;
};

}  // namespace quillet::test
