#pragma once

// The one function QvSkin.dll exports.

#include <cstdint>

#if defined(_WIN32) && !defined(_WIN64)
#define QVSKIN_CALL __stdcall  // the callee removes its 24 bytes of arguments
#else
#define QVSKIN_CALL
#endif

// Reads the skin in `skinBytes` (`byteCount` bytes, our own "QVSK" format) and restyles every
// window of the calling thread with it: those that exist and those it creates later. The bytes
// are copied; the caller may free them as soon as this returns. `text` and the three integers are
// reserved (the program passes "" and zeros). A second call replaces the skin.
// Returns 0, or a negative value when the bytes are no valid skin; then nothing is restyled.
extern "C" std::int32_t QVSKIN_CALL QvSkinAttach(const std::uint8_t* skinBytes, std::int32_t byteCount,
                                                 const char* text, std::int32_t reserved1, std::int32_t reserved2,
                                                 std::int32_t reserved3);
