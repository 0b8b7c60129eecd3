#pragma once

#include <cstddef>

// Memory for a block could not be had outside the places that recover from it (a patch is
// refused, a read gives nothing): says how many bytes were asked for, then ends the program.
// No exception may unwind through the system's window procedures, so handlers end here instead.
[[noreturn]] void ReportOutOfMemory(std::size_t byteCount);
