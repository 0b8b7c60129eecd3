// Files dropped with real OLE drag and drop, searches through the window, and the results list
// handing a row's position to the position box.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/status_texts.h"
#include "tests/e2e/quelvane_run.h"

namespace {

struct DroppedFile {
  std::wstring_view name;
  std::string_view bytes;
};

struct DropCase {
  const char* what;
  std::vector<DroppedFile> files;
  PathCharacters characters;
  bool accepted;
  std::u8string_view status;
};

TEST(Drop, FilesAreTakenAndTheStatusSaysHowTheReadWent) {
  const DropCase cases[] = {
      {"one file", {{L"one.bin", "MZ data"}}, PathCharacters::Wide, true, kStatusReadDone},
      {"one file, ANSI list, Chinese name", {{L"中文名.bin", "MZ data"}}, PathCharacters::Ansi, true, kStatusReadDone},
      {"an empty file", {{L"empty.bin", ""}}, PathCharacters::Wide, true, kStatusFileEmpty},
      // Several paths become one CR LF-separated text, which names no file.
      {"two files", {{L"a.bin", "A"}, {L"b.bin", "B"}}, PathCharacters::Wide, true, kStatusReadFailed},
  };
  for (const DropCase& each : cases) {
    QuelvaneRun run(ProgramsUnderTest::quelvane);
    std::vector<std::filesystem::path> paths;
    for (const DroppedFile& file : each.files) paths.push_back(run.Folder().Put(file.name, file.bytes));
    EXPECT_NE(run.DropFiles(paths, each.characters), static_cast<DWORD>(DROPEFFECT_NONE)) << each.what;
    EXPECT_TRUE(run.WaitForStatus(Utf8(each.status))) << each.what << ": the status is " << run.Status();
  }
}

TEST(Drop, TextHtmlAndLinksAreRefused) {
  struct RefusedCase {
    std::wstring_view format;
    std::string_view bytes;
  };
  const RefusedCase cases[] = {
      {L"Text", "C:\\windows\\notepad.exe"},
      {L"HTML Format", "Version:0.9\r\n<a href=\"file:///C:/windows/notepad.exe\">notepad</a>"},
      {L"UniformResourceLocator", "file:///C:/windows/notepad.exe"},
  };
  QuelvaneRun run(ProgramsUnderTest::quelvane);
  for (const RefusedCase& each : cases) {
    EXPECT_EQ(run.DropData(each.format, each.bytes), static_cast<DWORD>(DROPEFFECT_NONE)) << WideToUtf8(each.format);
    EXPECT_EQ(run.Status(), Utf8(kStatusAtStart)) << WideToUtf8(each.format);
  }
  // The same window takes a file: the refusals came from it, not from a drag that went nowhere.
  EXPECT_NE(run.DropFiles({run.Folder().Put(L"after.bin", "x")}), static_cast<DWORD>(DROPEFFECT_NONE));
}

struct SearchCase {
  const char* what;
  std::string image;
  std::wstring_view typed;
  std::vector<ListRow> rows;
};

TEST(Search, RowsListEveryOccurrenceOfTheTypedText) {
  const std::string gbk = Utf8ToAnsi(Utf8(u8"中文"));
  const SearchCase cases[] = {
      {"ASCII", "xxABCxxABCABC", L"ABC", {{"1", "ABC", "3"}, {"2", "ABC", "8"}, {"3", "ABC", "11"}}},
      {"Chinese in the ANSI code page", "ab" + gbk + "c" + gbk, L"中文", {{"1", "中文", "3"}, {"2", "中文", "8"}}},
  };
  for (const SearchCase& each : cases) {
    QuelvaneRun run(ProgramsUnderTest::quelvane);
    run.DropFiles({run.Folder().Put(L"image.bin", each.image)});
    ASSERT_TRUE(run.WaitForStatus(Utf8(kStatusReadDone))) << each.what;
    run.Search(each.typed);
    EXPECT_EQ(run.Rows(), each.rows) << each.what;
    EXPECT_EQ(run.Status(), Utf8(kStatusReadDone)) << each.what;  // a search that finds says nothing
  }
}

TEST(Search, StopsAtAThousandRows) {
  QuelvaneRun run(ProgramsUnderTest::quelvane);
  run.DropFiles({run.Folder().Put(L"many.bin", std::string(1500, 'q'))});
  ASSERT_TRUE(run.WaitForStatus(Utf8(kStatusReadDone)));
  run.Search(L"q");
  ASSERT_EQ(ListRowCount(run.Controls().超级列表框1), 1000);
  EXPECT_EQ(ListCellText(run.Process(), run.Controls().超级列表框1, 999, 0), "1000");
  EXPECT_EQ(ListCellText(run.Process(), run.Controls().超级列表框1, 999, 2), "1000");
  EXPECT_EQ(ListColumnWidth(run.Controls().超级列表框1, 1), 300);
}

TEST(Search, ClickingANewRowCopiesItsPositionAndNothingElseDoes) {
  QuelvaneRun run(ProgramsUnderTest::quelvane);
  const MainControls& c = run.Controls();
  run.DropFiles({run.Folder().Put(L"image.bin", "xxABCxxABCABC")});
  ASSERT_TRUE(run.WaitForStatus(Utf8(kStatusReadDone)));
  run.Search(L"ABC");
  ASSERT_EQ(ListRowCount(c.超级列表框1), 3);

  run.Type(c.编辑框2, L"77");
  run.ClickRow(1);
  EXPECT_EQ(ListSelectedRow(c.超级列表框1), 1);
  EXPECT_EQ(EditAnsiText(c.编辑框2), "8");  // what was typed there is replaced

  ::SendMessageW(c.编辑框2, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L""));
  run.Type(c.编辑框2, L"42");
  run.ClickRow(1);  // the current row again: no copy
  EXPECT_EQ(EditAnsiText(c.编辑框2), "42");

  run.Click(c.按钮1);  // the list is emptied and refilled: no copy either
  EXPECT_EQ(ListRowCount(c.超级列表框1), 3);
  EXPECT_EQ(EditAnsiText(c.编辑框2), "42");

  run.ClickRow(2);
  EXPECT_EQ(EditAnsiText(c.编辑框2), "11");
}

struct RefusalCase {
  const char* what;
  std::wstring_view search, position, replacement;
  bool patch;  // 修改 rather than 寻找
  std::u8string_view status;
};

TEST(Search, RefusalsAreReportedInTheStatusBar) {
  const RefusalCase cases[] = {
      {"empty search text", L"", L"", L"", false, kStatusEnterSearchText},
      {"text not in the file", L"zzz", L"", L"", false, kStatusNotFound},
      {"replacement longer than the text", L"ABC", L"3", L"ABCD", true, kStatusReplacementTooLong},
      {"no position", L"ABC", L"", L"X", true, kStatusEnterPosition},
  };
  for (const RefusalCase& each : cases) {
    QuelvaneRun run(ProgramsUnderTest::quelvane);
    const MainControls& c = run.Controls();
    run.DropFiles({run.Folder().Put(L"image.bin", "xxABCxx")});
    ASSERT_TRUE(run.WaitForStatus(Utf8(kStatusReadDone))) << each.what;
    run.Type(c.编辑框1, each.search);
    run.Type(c.编辑框2, each.position);
    run.Type(c.编辑框3, each.replacement);
    run.Click(each.patch ? c.按钮2 : c.按钮1);
    EXPECT_TRUE(run.WaitForStatus(Utf8(each.status))) << each.what << ": the status is " << run.Status();
  }
}

}  // namespace
