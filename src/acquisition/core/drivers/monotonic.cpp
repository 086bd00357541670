#include "acquisition/core/drivers/monotonic.h"

#include <chrono>

namespace ravlin {

MonotonicMs steadyMonotonicMs() {
    return [] {
        using namespace std::chrono;
        return static_cast<std::int64_t>(
            duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
    };
}

} // namespace ravlin
