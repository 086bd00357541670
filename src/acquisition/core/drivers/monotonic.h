#pragma once

#include <cstdint>
#include <functional>

namespace ravlin {

// A monotonic time in milliseconds. Backends that wait for time to pass read it instead of sleeping;
// tests give them a function they advance by hand.
using MonotonicMs = std::function<std::int64_t()>;

// The steady clock of the machine.
MonotonicMs steadyMonotonicMs();

} // namespace ravlin
