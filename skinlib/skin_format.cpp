#include "skinlib/skin_format.h"

#include <cstring>
#include <string_view>

namespace {

constexpr std::uint32_t kHeaderSize = 12;
constexpr std::uint32_t kSectionHeaderSize = 8;
constexpr std::uint32_t kMaxNameBytes = 63;
constexpr std::int32_t kMaxImageSide = 256;

// A bounds-checked little-endian cursor over one span.
class Reader {
 public:
  explicit Reader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

  [[nodiscard]] std::size_t Remaining() const { return bytes_.size() - offset_; }
  [[nodiscard]] bool Has(std::size_t count) const { return count <= Remaining(); }

  // Callers check Has() first; these never step past the end.
  std::uint8_t U8() { return bytes_[offset_++]; }
  std::uint16_t U16() {
    const std::uint16_t low = U8();
    return static_cast<std::uint16_t>(low | (U8() << 8));
  }
  std::uint32_t U32() {
    const std::uint32_t low = U16();
    return low | (static_cast<std::uint32_t>(U16()) << 16);
  }
  std::span<const std::uint8_t> Take(std::size_t count) {
    const auto part = bytes_.subspan(offset_, count);
    offset_ += count;
    return part;
  }

 private:
  std::span<const std::uint8_t> bytes_;
  std::size_t offset_ = 0;
};

enum Section : int { kName, kPalette, kMetrics, kActiveCaption, kInactiveCaption, kPadding, kSectionCount };
constexpr std::array<std::string_view, kSectionCount> kTags = {"NAME", "PALT", "METR", "CAPA", "CAPI", "PAD "};

int SectionOf(std::span<const std::uint8_t> tag) {
  for (int i = 0; i < kSectionCount; ++i) {
    if (std::memcmp(tag.data(), kTags[i].data(), 4) == 0) return i;
  }
  return -1;
}

SkinError ReadName(std::span<const std::uint8_t> payload, std::string& name) {
  if (payload.empty() || payload.size() > kMaxNameBytes) return SkinError::kBadValue;
  for (const std::uint8_t byte : payload) {
    if (byte == 0) return SkinError::kBadValue;
  }
  name.assign(payload.begin(), payload.end());
  return SkinError::kNone;
}

SkinError ReadPalette(std::span<const std::uint8_t> payload, std::array<Rgb, kColourRoleCount>& palette) {
  Reader reader(payload);
  if (!reader.Has(2) || reader.U16() != kColourRoleCount) return SkinError::kBadValue;
  if (reader.Remaining() != kColourRoleCount * 4u) return SkinError::kBadValue;
  for (Rgb& colour : palette) {
    colour.r = reader.U8();
    colour.g = reader.U8();
    colour.b = reader.U8();
    if (reader.U8() != 0) return SkinError::kBadValue;
  }
  return SkinError::kNone;
}

SkinError ReadMetrics(std::span<const std::uint8_t> payload, SkinMetrics& metrics) {
  if (payload.size() != kMetricsSize) return SkinError::kBadValue;
  const auto in = [](std::uint8_t value, int low, int high) { return value >= low && value <= high; };
  if (!in(payload[0], 1, 4) || !in(payload[1], 0, 12) || !in(payload[2], 1, 3) || !in(payload[3], 0, 1) ||
      !in(payload[4], 0, 1) || payload[5] != 0 || payload[6] != 0 || payload[7] != 0) {
    return SkinError::kBadValue;
  }
  metrics.frameLineWidth = payload[0];
  metrics.buttonCornerRadius = payload[1];
  metrics.captionGlyphWeight = payload[2];
  metrics.titleAlign = static_cast<TitleAlign>(payload[3]);
  metrics.captionButtonShape = static_cast<CaptionButtonShape>(payload[4]);
  return SkinError::kNone;
}

SkinError ReadImage(std::span<const std::uint8_t> payload, SkinImage& image) {
  Reader reader(payload);
  if (!reader.Has(4)) return SkinError::kBadValue;
  const std::int32_t width = reader.U16();
  const std::int32_t height = reader.U16();
  if (width < 1 || width > kMaxImageSide || height < 1 || height > kMaxImageSide) return SkinError::kBadValue;
  const auto pixelBytes = static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 4;
  if (reader.Remaining() != pixelBytes) return SkinError::kBadValue;
  const auto pixels = reader.Take(pixelBytes);
  image.width = width;
  image.height = height;
  image.bgrx.assign(pixels.begin(), pixels.end());
  return SkinError::kNone;
}

}  // namespace

ParsedSkin ParseSkin(std::span<const std::uint8_t> bytes) {
  ParsedSkin result;
  const auto fail = [&result](SkinError error) {
    result = ParsedSkin{};
    result.error = error;
    return result;
  };
  if (bytes.data() == nullptr || bytes.empty()) return fail(SkinError::kNoBytes);
  Reader reader(bytes);
  if (!reader.Has(4) || std::memcmp(bytes.data(), "QVSK", 4) != 0) return fail(SkinError::kBadMagic);
  reader.Take(4);
  if (!reader.Has(kHeaderSize - 4)) return fail(SkinError::kTruncated);
  if (reader.U16() != kSkinVersion) return fail(SkinError::kBadVersion);
  const std::uint16_t sectionCount = reader.U16();
  if (reader.U32() != bytes.size()) return fail(SkinError::kSizeMismatch);

  std::array<bool, kSectionCount> seen{};
  int sectionsRead = 0;
  while (reader.Remaining() > 0) {
    if (!reader.Has(kSectionHeaderSize)) return fail(SkinError::kTruncated);
    const int section = SectionOf(reader.Take(4));
    const std::uint32_t payloadSize = reader.U32();
    if (section < 0) return fail(SkinError::kUnknownSection);
    if (seen[section]) return fail(SkinError::kDuplicateSection);
    seen[section] = true;
    if (!reader.Has(payloadSize)) return fail(SkinError::kTruncated);
    const auto payload = reader.Take(payloadSize);
    ++sectionsRead;

    SkinError error = SkinError::kNone;
    switch (section) {
      case kName:
        error = ReadName(payload, result.skin.name);
        break;
      case kPalette:
        error = ReadPalette(payload, result.skin.palette);
        break;
      case kMetrics:
        error = ReadMetrics(payload, result.skin.metrics);
        break;
      case kActiveCaption:
        error = ReadImage(payload, result.skin.activeCaption);
        break;
      case kInactiveCaption:
        error = ReadImage(payload, result.skin.inactiveCaption);
        break;
      default:
        break;  // padding
    }
    if (error != SkinError::kNone) return fail(error);
  }
  if (sectionsRead != sectionCount) return fail(SkinError::kSizeMismatch);
  for (int i = 0; i < kSectionCount; ++i) {
    if (i != kPadding && !seen[i]) return fail(SkinError::kMissingSection);
  }
  return result;
}
