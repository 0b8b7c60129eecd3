// A test stand-in for QvSkin.dll: records the arguments of each QvSkinAttach call, and the bytes
// it was given, in skin_call.bin in the current directory.
#include <cstdio>
#include <cstring>

#include "skinlib/skin_api.h"

extern "C" std::int32_t QVSKIN_CALL QvSkinAttach(const std::uint8_t* skinBytes, std::int32_t byteCount,
                                                 const char* text, std::int32_t a4, std::int32_t a5, std::int32_t a6) {
  std::FILE* file = std::fopen("skin_call.bin", "wb");
  if (file == nullptr) return -1;
  // address null?, length, text null?, text length, a4, a5, a6; then the bytes.
  const std::int32_t header[] = {skinBytes == nullptr,
                                 byteCount,
                                 text == nullptr,
                                 text == nullptr ? -1 : static_cast<std::int32_t>(std::strlen(text)),
                                 a4,
                                 a5,
                                 a6};
  std::fwrite(header, sizeof(header), 1, file);
  if (skinBytes != nullptr && byteCount > 0) std::fwrite(skinBytes, 1, static_cast<std::size_t>(byteCount), file);
  std::fclose(file);
  return 0;
}
