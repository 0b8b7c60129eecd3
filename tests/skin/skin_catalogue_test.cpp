#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>

#include "skin/skin_library.h"
#include "skinlib/skin_format.h"

namespace {

constexpr std::int32_t kCatalogueSizes[kSkinCount] = {
    18930, 13192, 24409, 30738, 8321,  26370, 15733, 12105, 23603, 20863, 11676, 17997, 11725, 37461, 30958,
    25715, 34523, 28961, 29447, 15562, 20738, 18765, 31134, 44110, 20275, 20703, 17460, 16675, 11121, 10017,
    8490,  11740, 19752, 26506, 18056, 8565,  7177,  10937, 10008, 10591, 32808, 5057,  7497,  16746, 9026,
    27155, 24495, 5088,  11135, 7715,  8099,  5319,  10218, 28555, 6896,  16551, 49705, 20975};

double Luminance(Rgb c) {
  const auto channel = [](int v) {
    const double x = v / 255.0;
    return x <= 0.03928 ? x / 12.92 : std::pow((x + 0.055) / 1.055, 2.4);
  };
  return 0.2126 * channel(c.r) + 0.7152 * channel(c.g) + 0.0722 * channel(c.b);
}
double Contrast(Rgb a, Rgb b) {
  const double la = Luminance(a), lb = Luminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

TEST(SkinCatalogue, HoldsFiftyEightDistinctSkinsOfTheListedSizes) {
  std::vector<ByteBlock> entries;
  for (std::int32_t n = 1; n <= kSkinCount; ++n) {
    ByteBlock entry = SkinCatalogueEntry(n);
    ASSERT_EQ(entry.Length(), kCatalogueSizes[n - 1]) << "skin " << n;
    EXPECT_EQ(std::memcmp(entry.Data(), "QVSK", 4), 0) << "skin " << n;
    for (const ByteBlock& earlier : entries) EXPECT_FALSE(earlier == entry) << "skin " << n << " repeats";
    entries.push_back(std::move(entry));
  }
  EXPECT_EQ(SkinCatalogueEntry(kStartupSkinNumber).Length(), 20703);
}

TEST(SkinCatalogue, NumbersOutsideTheCatalogueGiveNothing) {
  for (const std::int32_t n : {0, -1, 59, INT32_MIN, INT32_MAX}) EXPECT_TRUE(SkinCatalogueEntry(n).IsEmpty()) << n;
}

TEST(SkinCatalogue, AnEntryIsAPrivateCopy) {
  ByteBlock first = SkinCatalogueEntry(26);
  first.MutableBytes()[0] = 'X';
  EXPECT_EQ(SkinCatalogueEntry(26).Data()[0], 'Q');
}

// Every stored skin reads, and its texts stay readable on their backgrounds: the program's
// blue instructions too, which the library keeps where it reads well.
TEST(SkinCatalogue, EverySkinParsesAndReadsWell) {
  const std::pair<ColourRole, ColourRole> kTextOnBack[] = {
      {ColourRole::kWindowText, ColourRole::kWindowBack}, {ColourRole::kEditText, ColourRole::kEditBack},
      {ColourRole::kButtonText, ColourRole::kButtonFace}, {ColourRole::kButtonText, ColourRole::kButtonFacePressed},
      {ColourRole::kGroupText, ColourRole::kWindowBack},  {ColourRole::kListText, ColourRole::kListBack},
      {ColourRole::kListText, ColourRole::kListAltBack},  {ColourRole::kListSelectText, ColourRole::kListSelectBack},
      {ColourRole::kHeaderText, ColourRole::kHeaderBack}, {ColourRole::kStatusText, ColourRole::kStatusBack},
      {ColourRole::kAccentText, ColourRole::kWindowBack},
  };
  std::vector<std::string> names;
  for (std::int32_t n = 1; n <= kSkinCount; ++n) {
    const ByteBlock entry = SkinCatalogueEntry(n);
    const ParsedSkin parsed = ParseSkin(entry.Bytes());
    ASSERT_EQ(parsed.error, SkinError::kNone) << "skin " << n;
    const Skin& skin = parsed.skin;
    for (const auto& [text, back] : kTextOnBack) {
      EXPECT_GE(Contrast(skin.Colour(text), skin.Colour(back)), 4.5)
          << "skin " << n << " roles " << static_cast<int>(text) << " on " << static_cast<int>(back);
    }
    EXPECT_GE(Contrast(Rgb{0, 0, 255}, skin.Colour(ColourRole::kWindowBack)), 4.5) << "skin " << n << ": blue text";
    for (const auto& [image, title] : {std::pair{&skin.activeCaption, ColourRole::kTitleText},
                                       std::pair{&skin.inactiveCaption, ColourRole::kTitleTextInactive}}) {
      for (std::size_t i = 0; i < image->bgrx.size(); i += 4) {
        const Rgb pixel{image->bgrx[i + 2], image->bgrx[i + 1], image->bgrx[i]};
        ASSERT_GE(Contrast(skin.Colour(title), pixel), 3.0) << "skin " << n << ": title on its caption";
      }
    }
    EXPECT_EQ(std::count(names.begin(), names.end(), skin.name), 0) << "skin " << n << " " << skin.name;
    names.push_back(skin.name);
  }
}

}  // namespace
