#pragma once
// Tests of permission failures must not run as root, who may write anywhere; CI runs as root.
// RunUnprivileged forks, drops the child to the "nobody" user when running as root, runs the
// body there and reports its exit status (0 for success).

#include <functional>

namespace quillet::test {

// body returns 0 on success, any other number identifies the failed check.
[[nodiscard]] int RunUnprivileged(const std::function<int()>& body);

}  // namespace quillet::test
