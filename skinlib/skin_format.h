#pragma once

// The skin file format, read by portable code (no Windows headers), so it can be fuzzed natively.
//
// All integers are little-endian. A skin is a 12-byte header followed by sections:
//   header   "QVSK", u16 version (1), u16 section count, u32 total size in bytes
//   section  4-byte ASCII tag, u32 payload size, payload
// Version 1 has exactly these sections, each once, in any order:
//   "NAME"  the skin's name, 1..63 bytes of UTF-8
//   "PALT"  u16 colour count (kColourRoleCount), then per role R, G, B and a zero byte
//   "METR"  kMetricsSize bytes of metrics, see SkinMetrics
//   "CAPA"  caption image of the active window:   u16 width, u16 height, width*height BGRX pixels
//   "CAPI"  caption image of the inactive window: the same layout
//   "PAD "  any bytes, ignored (it lets a skin have an exact file size); optional
// The sections cover the file exactly: nothing may follow the last one, and the header's total
// size and section count must agree with what is there.

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

struct Rgb {
  std::uint8_t r = 0, g = 0, b = 0;
  friend bool operator==(const Rgb&, const Rgb&) = default;
};

// What each palette entry colours, in file order.
enum class ColourRole : int {
  kWindowBack,
  kWindowText,
  kEditBack,
  kEditText,
  kEditBorder,
  kButtonFace,
  kButtonFacePressed,
  kButtonText,
  kButtonBorder,
  kGroupLine,
  kGroupText,
  kListBack,
  kListAltBack,
  kListText,
  kListGrid,
  kListSelectBack,
  kListSelectText,
  kHeaderBack,
  kHeaderText,
  kStatusBack,
  kStatusText,
  kFrameOuter,
  kFrameFill,
  kTitleText,
  kTitleTextInactive,
  kCaptionButtonFace,
  kCaptionButtonGlyph,
  kCaptionButtonHot,
  kAccentText,
  kCount
};
inline constexpr int kColourRoleCount = static_cast<int>(ColourRole::kCount);

enum class TitleAlign : std::uint8_t { kLeft = 0, kCentre = 1 };
enum class CaptionButtonShape : std::uint8_t { kSquare = 0, kRound = 1 };

// The "METR" section, one byte each, in this order; each value is checked against its range.
struct SkinMetrics {
  std::uint8_t frameLineWidth = 1;      // 1..4: the outer frame line, inside the system frame
  std::uint8_t buttonCornerRadius = 0;  // 0..12: push buttons, group boxes
  std::uint8_t captionGlyphWeight = 1;  // 1..3: pen width of the caption button glyphs
  TitleAlign titleAlign = TitleAlign::kLeft;
  CaptionButtonShape captionButtonShape = CaptionButtonShape::kSquare;
};
inline constexpr std::uint32_t kMetricsSize = 8;  // five values, three zero bytes

struct SkinImage {
  std::int32_t width = 0, height = 0;  // 1..256 each
  std::vector<std::uint8_t> bgrx;      // width*height*4 bytes, rows top to bottom
};

struct Skin {
  std::string name;
  std::array<Rgb, kColourRoleCount> palette{};
  SkinMetrics metrics;
  SkinImage activeCaption, inactiveCaption;

  [[nodiscard]] Rgb Colour(ColourRole role) const { return palette[static_cast<int>(role)]; }
};

enum class SkinError : std::int32_t {
  kNone = 0,
  kNoBytes,           // null address or length 0
  kBadMagic,          // not "QVSK"
  kBadVersion,        // a version this reader does not know
  kTruncated,         // the bytes end inside the header or a section
  kSizeMismatch,      // the header's total size or section count disagrees with the bytes
  kUnknownSection,    // a tag this version does not have
  kDuplicateSection,  // a section given twice
  kMissingSection,    // a required section absent
  kBadValue,          // a section whose size or values are out of range
};

struct ParsedSkin {
  Skin skin;  // meaningful only when error is kNone
  SkinError error = SkinError::kNone;
};

inline constexpr std::uint16_t kSkinVersion = 1;

// Reads a whole skin from `bytes`. Never reads outside the span; the result owns copies of
// everything it keeps. Cost: linear in the size.
[[nodiscard]] ParsedSkin ParseSkin(std::span<const std::uint8_t> bytes);
