#pragma once

namespace bench {

// `brenvik_bench --memory`: opens the 100,000-line library in an otherwise idle process and
// prints its peak resident memory against the target. Returns the exit code.
int runMemoryMeasurement();

} // namespace bench
