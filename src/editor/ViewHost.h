#pragma once
// What the editing logic asks of the window that shows it. Every call is a request to repaint
// or re-read state; none of them may edit the document.

#include <cstdint>

namespace quillet::editor {

class IViewHost {
 public:
  virtual ~IViewHost() = default;
  // Lines first..last need painting again; last -1 means to the bottom of the window.
  virtual void InvalidateLines(int32_t /*first*/, int32_t /*last*/) {}
  virtual void InvalidateAll() {}
  // Line count, longest line or margin width changed.
  virtual void ScrollRangesChanged() {}
  // First visible line or column changed.
  virtual void Scrolled() {}
  // Caret, selection or overwrite mode changed.
  virtual void CaretChanged() {}
  // A breakpoint was set or cleared: a running debugger must hear of it.
  virtual void BreakpointsChanged() {}
};

}  // namespace quillet::editor
