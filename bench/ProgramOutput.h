#pragma once
// Runs a program found along PATH and reads its standard output to the end, as a script reading
// a listing would: the baseline of the process-listing benchmarks.

#include <cstddef>
#include <initializer_list>

namespace quillet::bench {

// The number of lines the program printed; 0 when it could not be started.
size_t CountOutputLines(std::initializer_list<const char*> arguments);

}  // namespace quillet::bench
