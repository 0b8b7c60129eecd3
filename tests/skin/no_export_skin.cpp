// A test stand-in for QvSkin.dll that loads but lacks QvSkinAttach.
#include <cstdint>

extern "C" std::int32_t QvSkinVersion() { return 1; }
