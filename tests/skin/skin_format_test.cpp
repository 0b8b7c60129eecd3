#include "skinlib/skin_format.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string_view>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

void PutU16(Bytes& out, std::uint32_t v) {
  out.push_back(static_cast<std::uint8_t>(v));
  out.push_back(static_cast<std::uint8_t>(v >> 8));
}
void PutU32(Bytes& out, std::uint32_t v) {
  PutU16(out, v & 0xFFFF);
  PutU16(out, v >> 16);
}
void PutSection(Bytes& out, std::string_view tag, const Bytes& payload) {
  out.insert(out.end(), tag.begin(), tag.end());
  PutU32(out, static_cast<std::uint32_t>(payload.size()));
  out.insert(out.end(), payload.begin(), payload.end());
}

// The parts of a small skin; a test changes one and assembles it.
struct SkinParts {
  std::string_view magic = "QVSK";
  std::uint32_t version = 1;
  int extraCount = 0;  // added to the real section count in the header
  int extraSize = 0;   // added to the real total size in the header
  Bytes name = {'T', 'e', 's', 't'};
  Bytes palette = [] {
    Bytes p;
    PutU16(p, kColourRoleCount);
    for (int i = 0; i < kColourRoleCount; ++i) p.insert(p.end(), {std::uint8_t(i), std::uint8_t(2 * i), 7, 0});
    return p;
  }();
  Bytes metrics = {2, 5, 3, 1, 1, 0, 0, 0};
  Bytes active = {2, 0, 1, 0, 1, 2, 3, 0, 4, 5, 6, 0};  // 2 x 1
  Bytes inactive = {1, 0, 1, 0, 9, 9, 9, 0};            // 1 x 1
  std::vector<std::pair<std::string_view, Bytes>> more = {{"PAD ", Bytes(5)}};
  bool dropName = false;

  Bytes Build() const {
    Bytes body;
    int count = 0;
    const auto add = [&](std::string_view tag, const Bytes& payload) {
      PutSection(body, tag, payload);
      ++count;
    };
    if (!dropName) add("NAME", name);
    add("PALT", palette);
    add("METR", metrics);
    add("CAPA", active);
    add("CAPI", inactive);
    for (const auto& [tag, payload] : more) add(tag, payload);
    Bytes out(magic.begin(), magic.end());
    PutU16(out, version);
    PutU16(out, static_cast<std::uint32_t>(count + extraCount));
    PutU32(out, static_cast<std::uint32_t>(12 + body.size() + extraSize));
    out.insert(out.end(), body.begin(), body.end());
    return out;
  }
};

TEST(SkinFormat, ReadsEverySection) {
  const Bytes bytes = SkinParts{}.Build();
  const ParsedSkin parsed = ParseSkin(bytes);
  ASSERT_EQ(parsed.error, SkinError::kNone);
  EXPECT_EQ(parsed.skin.name, "Test");
  EXPECT_EQ(parsed.skin.Colour(ColourRole::kWindowBack), (Rgb{0, 0, 7}));
  EXPECT_EQ(parsed.skin.Colour(ColourRole::kAccentText), (Rgb{28, 56, 7}));
  EXPECT_EQ(parsed.skin.metrics.frameLineWidth, 2);
  EXPECT_EQ(parsed.skin.metrics.buttonCornerRadius, 5);
  EXPECT_EQ(parsed.skin.metrics.titleAlign, TitleAlign::kCentre);
  EXPECT_EQ(parsed.skin.metrics.captionButtonShape, CaptionButtonShape::kRound);
  EXPECT_EQ(parsed.skin.activeCaption.width, 2);
  EXPECT_EQ(parsed.skin.activeCaption.bgrx, (Bytes{1, 2, 3, 0, 4, 5, 6, 0}));
  EXPECT_EQ(parsed.skin.inactiveCaption.height, 1);
}

struct BrokenCase {
  const char* what;
  void (*change)(SkinParts&);
  SkinError expected;
};

const BrokenCase kBrokenCases[] = {
    {"wrong magic", [](SkinParts& p) { p.magic = "QVSL"; }, SkinError::kBadMagic},
    {"version 2", [](SkinParts& p) { p.version = 2; }, SkinError::kBadVersion},
    {"header counts a section too many", [](SkinParts& p) { p.extraCount = 1; }, SkinError::kSizeMismatch},
    {"header size one byte long", [](SkinParts& p) { p.extraSize = 1; }, SkinError::kSizeMismatch},
    {"header size one byte short", [](SkinParts& p) { p.extraSize = -1; }, SkinError::kSizeMismatch},
    {"no name", [](SkinParts& p) { p.dropName = true; }, SkinError::kMissingSection},
    {"empty name", [](SkinParts& p) { p.name.clear(); }, SkinError::kBadValue},
    {"zero byte in name", [](SkinParts& p) { p.name[1] = 0; }, SkinError::kBadValue},
    {"name of 64 bytes", [](SkinParts& p) { p.name.assign(64, 'a'); }, SkinError::kBadValue},
    {"palette one colour short", [](SkinParts& p) { p.palette.resize(p.palette.size() - 4); }, SkinError::kBadValue},
    {"palette count disagrees", [](SkinParts& p) { p.palette[0] = kColourRoleCount + 1; }, SkinError::kBadValue},
    {"palette filler not zero", [](SkinParts& p) { p.palette[5] = 1; }, SkinError::kBadValue},
    {"frame line of 0", [](SkinParts& p) { p.metrics[0] = 0; }, SkinError::kBadValue},
    {"corner radius 13", [](SkinParts& p) { p.metrics[1] = 13; }, SkinError::kBadValue},
    {"title alignment 2", [](SkinParts& p) { p.metrics[3] = 2; }, SkinError::kBadValue},
    {"metrics short", [](SkinParts& p) { p.metrics.pop_back(); }, SkinError::kBadValue},
    {"image width 0",
     [](SkinParts& p) {
       p.active = {0, 0, 1, 0};
     },
     SkinError::kBadValue},
    {"image larger than its pixels", [](SkinParts& p) { p.active[2] = 2; }, SkinError::kBadValue},
    {"image of 257 columns",
     [](SkinParts& p) {
       p.inactive = {1, 1, 1, 0};
     },
     SkinError::kBadValue},
    {"image header cut",
     [](SkinParts& p) {
       p.inactive = {1, 0};
     },
     SkinError::kBadValue},
    {"unknown section",
     [](SkinParts& p) {
       p.more = {{"JUNK", Bytes(2)}};
     },
     SkinError::kUnknownSection},
    {"section twice",
     [](SkinParts& p) {
       p.more = {{"METR", p.metrics}};
     },
     SkinError::kDuplicateSection},
};

TEST(SkinFormat, RefusesInconsistentSkins) {
  for (const BrokenCase& c : kBrokenCases) {
    SkinParts parts;
    c.change(parts);
    const Bytes bytes = parts.Build();
    const ParsedSkin parsed = ParseSkin(bytes);
    EXPECT_EQ(parsed.error, c.expected) << c.what;
    EXPECT_TRUE(parsed.skin.name.empty() && parsed.skin.activeCaption.bgrx.empty()) << c.what << ": kept a part";
  }
}

TEST(SkinFormat, RefusesEveryTruncationAndNoBytes) {
  const Bytes bytes = SkinParts{}.Build();
  for (std::size_t length = 0; length < bytes.size(); ++length) {
    // A copy of exactly `length` bytes, so a read past the end is a read past the allocation.
    const Bytes cut(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(length));
    EXPECT_NE(ParseSkin(cut).error, SkinError::kNone) << "length " << length;
  }
  EXPECT_EQ(ParseSkin({}).error, SkinError::kNoBytes);
  EXPECT_EQ(ParseSkin(std::span<const std::uint8_t>(static_cast<const std::uint8_t*>(nullptr), 0)).error,
            SkinError::kNoBytes);
}

TEST(SkinFormat, SectionRunningPastTheEndIsTruncated) {
  Bytes bytes = SkinParts{}.Build();
  // The padding section is last: claim one byte more than is there.
  const std::size_t sizeField = bytes.size() - 5 - 4;
  bytes[sizeField] = 6;
  EXPECT_EQ(ParseSkin(bytes).error, SkinError::kTruncated);
}

}  // namespace
