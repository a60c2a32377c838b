#pragma once
// Whether a window can be shown: a display server named by the environment that accepts a
// connection. Asked before any window toolkit starts, because the toolkit ends the process
// when it cannot reach its display.

namespace quillet::engine::host {

[[nodiscard]] bool HasUsableDisplay();

}  // namespace quillet::engine::host
