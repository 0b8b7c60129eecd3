#include <gtest/gtest.h>

#include <string>

#include "core/patch.h"
#include "core/search.h"
#include "tests/core/bytes.h"

namespace {

Workspace WithImage(std::string_view bytes) {
  Workspace workspace;
  workspace.image.Install(Bytes(bytes));
  return workspace;
}

using namespace std::string_literals;

struct PatchCase {
  std::string_view note, image, search, position, replacement;
  std::string expectedImage;
  std::u8string_view expectedStatus;
};
const PatchCase kPatchCases[] = {
    {"same length, no zero", "xxHELLOxx", "HELLO", "3", "WORLD", "xxWORLDxx", kStatusPatched},
    {"shorter: zero-padded", "xxHELLOxx", "HELLO", "3", "HI", "xxHI\0\0\0xx"s, kStatusPatched},
    {"empty replacement: all zeros", "xxHELLOxx", "HELLO", "3", "", "xx\0\0\0\0\0xx"s, kStatusPatched},
    {"one byte longer: refused", "xxHELLOxx", "HELLO", "3", "HELLO!", "xxHELLOxx", kStatusReplacementTooLong},
    {"too long wins over empty position", "xxHELLOxx", "HELLO", "", "HELLO!", "xxHELLOxx", kStatusReplacementTooLong},
    {"empty position: refused", "xxHELLOxx", "HELLO", "", "HI", "xxHELLOxx", kStatusEnterPosition},
    {"GBK 4 bytes by GBK 2 bytes", "a\xd6\xd0\xce\xc4z", "\xd6\xd0\xce\xc4", "2", "\xc4\xe3", "a\xc4\xe3\0\0z"s,
     kStatusPatched},
    {"ASCII 4 by GBK 4, no zero", "-abcd-", "abcd", "2", "\xd6\xd0\xce\xc4", "-\xd6\xd0\xce\xc4-", kStatusPatched},
    {"trailing text after the number", "xxxxxxxxxxxHELLO", "HELLO", "12abc", "HI", "xxxxxxxxxxxHI\0\0\0"s,
     kStatusPatched},
    {"full-width digits", "xxHELLOxx", "HELLO", "\xa3\xb3", "HI", "xxHI\0\0\0xx"s, kStatusPatched},
    {"no number: the first byte", "HELLOxx", "HELLO", "abc", "HI", "HI\0\0\0xx"s, kStatusPatched},
    {"past the end: appended", "ab", "HELLO", "99", "HI", "abHI\0\0\0"s, kStatusPatched},
    {"near the end: grows", "abHE", "HELLO", "3", "HI", "abHI\0\0\0"s, kStatusPatched},
    {"whatever lies there is overwritten", "123456", "HE", "2", "xy", "1xy456", kStatusPatched},
    {"empty search and replacement", "abc", "", "2", "", "abc", kStatusPatched},
    {"nothing loaded", "", "HELLO", "1", "HI", "HI\0\0\0"s, kStatusPatched},
};

TEST(PatchOccurrence, WritesZeroPaddedReplacement) {
  for (const PatchCase& c : kPatchCases) {
    Workspace workspace = WithImage(c.image);
    PatchOccurrence(workspace, c.search, c.position, c.replacement);
    EXPECT_EQ(Text(workspace.image.Bytes()), c.expectedImage) << c.note;
    EXPECT_EQ(workspace.status.Text(), c.expectedStatus) << c.note;
  }
}

TEST(PatchOccurrence, SearchesAgainAndEndsWithDone) {
  Workspace workspace = WithImage("HELLO HELLO");
  FindOccurrences(workspace, "HELLO");
  PatchOccurrence(workspace, "HELLO", "1", "HI");
  ASSERT_EQ(workspace.results.Count(), 1);
  EXPECT_EQ(workspace.results.RowAt(0)->position, "7");
  PatchOccurrence(workspace, "HELLO", "7", "YO");  // the last one: the search finds nothing
  EXPECT_EQ(workspace.results.Count(), 0);
  EXPECT_EQ(workspace.status.Text(), kStatusPatched);
}

TEST(PatchOccurrence, RefusalsAndAnEmptySearchKeepTheRows) {
  Workspace workspace = WithImage("abab");
  FindOccurrences(workspace, "b");
  PatchOccurrence(workspace, "b", "", "");
  PatchOccurrence(workspace, "b", "2", "xy");
  PatchOccurrence(workspace, "", "2", "");
  EXPECT_EQ(workspace.results.Count(), 2);
  EXPECT_EQ(workspace.status.Text(), kStatusPatched);
}

TEST(PatchOccurrence, PatchesAccumulate) {
  Workspace workspace = WithImage("AAAA");
  for (const char* position : {"1", "2", "3", "4"}) PatchOccurrence(workspace, "A", position, "b");
  EXPECT_EQ(Text(workspace.image.Bytes()), "bbbb");
}

// When memory for the new image is short, earlier patches must survive so the user can save them.
TEST(PatchOccurrence, OutOfMemoryRefusesAndKeepsTheImage) {
  Workspace workspace = WithImage(std::string(1000, 'a') + "HELLO");
  PatchOccurrence(workspace, "HELLO", "1001", "HI");
  FindOccurrences(workspace, "a");
  const std::string before = Text(workspace.image.Bytes());
  const std::int32_t rows = workspace.results.Count();
  workspace.image.ReleaseSpare();
  SetBlockAllocationLimit(500);
  PatchOccurrence(workspace, "a", "1", "b");
  SetBlockAllocationLimit(SIZE_MAX);
  EXPECT_EQ(Text(workspace.image.Bytes()), before);
  EXPECT_EQ(workspace.results.Count(), rows);
  EXPECT_EQ(workspace.status.Text(), kStatusPatchOutOfMemory);
  PatchOccurrence(workspace, "a", "1", "b");  // with memory back, patching goes on
  EXPECT_EQ(Text(workspace.image.Bytes()).front(), 'b');
}

TEST(BuildPatchedImage, LeavesTheImageItWasGiven) {
  const ByteBlock image = Bytes("xxHELLOxx");
  const ByteBlock patched = BuildPatchedImage(image, "HELLO", "3", "HI");
  EXPECT_EQ(Text(image), "xxHELLOxx");
  EXPECT_EQ(Text(patched), "xxHI\0\0\0xx"s);
  EXPECT_EQ(Text(BuildReplacement("abcd", "ab")), "ab\0\0"s);
}

}  // namespace
