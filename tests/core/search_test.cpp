#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/search.h"
#include "tests/core/bytes.h"

namespace {

Workspace WithImage(std::string_view bytes) {
  Workspace workspace;
  workspace.image.Install(Bytes(bytes));
  return workspace;
}

std::vector<std::string> Positions(const ResultList& rows) {
  std::vector<std::string> positions;
  for (std::int32_t i = 0; i < rows.Count(); ++i) positions.push_back(rows.RowAt(i)->position);
  return positions;
}

using Strings = std::vector<std::string>;

struct SearchCase {
  std::string_view image, text;
  Strings positions;
};
const SearchCase kSearchCases[] = {
    {"aaaa", "aa", {"1", "2", "3"}},  // overlaps listed
    {"xxabc", "abc", {"3"}},          // ends at the last byte
    {"a\xd6\xd0\xce\xc4"
     "b\xd6\xd0\xce\xc4",
     "\xd6\xd0\xce\xc4",
     {"2", "7"}},                   // GBK at odd and even offsets
    {"ab\r\nab", "b\r\na", {"2"}},  // a line break is part of the pattern
    {"abc", "abcd", {}},            // longer than the image
    {"", "a", {}},                  // nothing loaded
};

TEST(FindOccurrences, ListsEveryOccurrenceInOrder) {
  for (const SearchCase& c : kSearchCases) {
    Workspace workspace = WithImage(c.image);
    FindOccurrences(workspace, c.text);
    EXPECT_EQ(Positions(workspace.results), c.positions) << c.image << " / " << c.text;
    EXPECT_EQ(workspace.status.Text(), c.positions.empty() ? kStatusNotFound : kStatusAtStart) << c.text;
  }
}

TEST(FindOccurrences, RowsCarryNumberTextAndPosition) {
  Workspace workspace = WithImage("--ab--ab");
  FindOccurrences(workspace, "ab");
  ASSERT_EQ(workspace.results.Count(), 2);
  EXPECT_EQ(*workspace.results.RowAt(0), (ResultRow{"1", "ab", "3"}));
  EXPECT_EQ(*workspace.results.RowAt(1), (ResultRow{"2", "ab", "7"}));
  EXPECT_EQ(workspace.results.RowAt(2), nullptr);
  // One copy of the search text for all rows: a long text found 1000 times must not take 1000 copies.
  EXPECT_EQ(&workspace.results.RowAt(0)->searchName.Text(), &workspace.results.RowAt(1)->searchName.Text());
  EXPECT_EQ(workspace.results.RowAt(-1), nullptr);
}

TEST(FindOccurrences, StopsAtOneThousandRows) {
  for (const std::size_t size : {std::size_t{1000}, std::size_t{5000}}) {
    Workspace workspace = WithImage(std::string(size, 'z'));
    FindOccurrences(workspace, "z");
    ASSERT_EQ(workspace.results.Count(), 1000) << size;
    EXPECT_EQ(*workspace.results.RowAt(999), (ResultRow{"1000", "z", "1000"}));
  }
}

TEST(FindOccurrences, EmptyTextKeepsRowsAndAsks) {
  Workspace workspace = WithImage("abab");
  FindOccurrences(workspace, "b");
  workspace.status.Set(kStatusReadDone);
  FindOccurrences(workspace, "");
  EXPECT_EQ(workspace.status.Text(), kStatusEnterSearchText);
  EXPECT_EQ(Positions(workspace.results), (Strings{"2", "4"}));
}

TEST(FindOccurrences, FoundLeavesTheStatusAndNotFoundEmptiesTheRows) {
  Workspace workspace = WithImage("abab");
  workspace.status.Set(kStatusReadDone);
  FindOccurrences(workspace, "b");
  EXPECT_EQ(workspace.status.Text(), kStatusReadDone);
  FindOccurrences(workspace, "q");
  EXPECT_EQ(workspace.results.Count(), 0);
  EXPECT_EQ(workspace.status.Text(), kStatusNotFound);
}

// What a view sees: the rows emptied, then each row appended in order, then the status.
class RecordingObserver : public ResultListObserver {
 public:
  void OnRowsCleared() override { events.push_back("cleared"); }
  void OnRowAppended(std::int32_t index) override { events.push_back("row " + std::to_string(index)); }
  Strings events;
};

TEST(FindOccurrences, TellsTheObserversWhatChanged) {
  Workspace workspace = WithImage("xaxa");
  RecordingObserver rows;
  std::u8string shownStatus;
  workspace.results.SetObserver(&rows);
  workspace.status.SetObserver([&](std::u8string_view text) { shownStatus = text; });
  FindOccurrences(workspace, "a");
  EXPECT_EQ(rows.events, (Strings{"cleared", "row 0", "row 1"}));
  FindOccurrences(workspace, "q");
  EXPECT_EQ(shownStatus, kStatusNotFound);
}

}  // namespace
