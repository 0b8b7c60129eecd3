// The window against odd input: texts of a mebibyte pasted into every box, a search text of line
// breaks only, and positions at and past the ends of the 32-bit range, in ASCII and full width,
// typed and pasted. The program must keep responding, and its rows, status text and saved image
// must be exactly what the core gives for the texts the boxes hold.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "core/patch.h"
#include "core/search.h"
#include "core/status_texts.h"
#include "tests/e2e/quelvane_run.h"
#include "tests/e2e/save_dialog.h"

namespace {

constexpr std::size_t kMebibyte = std::size_t{1} << 20;

struct ClipboardTraits {
  using Handle = bool;
  static Handle Invalid() { return false; }
  static void Close(Handle) { ::CloseClipboard(); }
};
using OpenClipboardGuard = Unique<ClipboardTraits>;

struct GlobalMemoryTraits {
  using Handle = HGLOBAL;
  static Handle Invalid() { return nullptr; }
  static void Close(Handle memory) { ::GlobalFree(memory); }
};
using UniqueGlobalMemory = Unique<GlobalMemoryTraits>;

// Puts `text` on the clipboard and has `control` paste it, as Ctrl+V would, replacing what the
// box holds. Pasting, unlike typing, passes by the position box's character filter.
void Paste(HWND control, std::wstring_view text) {
  ::SendMessageW(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L""));
  UniqueGlobalMemory memory(::GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t)));
  ASSERT_TRUE(memory) << "no memory for the clipboard";
  auto* const characters = static_cast<wchar_t*>(::GlobalLock(memory.get()));
  ASSERT_NE(characters, nullptr);
  std::copy(text.begin(), text.end(), characters);
  characters[text.size()] = L'\0';
  ::GlobalUnlock(memory.get());
  {
    OpenClipboardGuard clipboard;
    // Another program may hold the clipboard for a moment.
    ASSERT_TRUE(WaitUntil([&] {
      clipboard.reset(::OpenClipboard(nullptr) != FALSE);
      return static_cast<bool>(clipboard);
    })) << "the clipboard stays busy";
    ASSERT_TRUE(::EmptyClipboard());
    ASSERT_NE(::SetClipboardData(CF_UNICODETEXT, memory.get()), nullptr);
    static_cast<void>(memory.release());  // the clipboard owns it now
  }
  ::SendMessageW(control, WM_PASTE, 0, 0);
}

std::wstring AnsiToWide(std::string_view ansi) {
  if (ansi.empty()) return {};
  const int size = static_cast<int>(ansi.size());
  std::wstring wide(static_cast<std::size_t>(::MultiByteToWideChar(CP_ACP, 0, ansi.data(), size, nullptr, 0)), L'\0');
  ::MultiByteToWideChar(CP_ACP, 0, ansi.data(), size, wide.data(), static_cast<int>(wide.size()));
  return wide;
}

// A cell as the list shows it: the driver reads at most 1023 characters of one.
std::string AsShown(const std::string& ansi) {
  std::wstring wide = AnsiToWide(ansi);
  if (wide.size() > 1023) wide.resize(1023);
  return WideToUtf8(wide);
}

std::vector<ListRow> RowsAsShown(const ResultList& results) {
  std::vector<ListRow> rows;
  for (std::int32_t i = 0; i < results.Count(); ++i) {
    const ResultRow& row = *results.RowAt(i);
    rows.push_back({AsShown(row.number), AsShown(row.searchName), AsShown(row.position)});
  }
  return rows;
}

// Equal bytes; on a difference, says where instead of printing a mebibyte.
testing::AssertionResult SameBytes(std::string_view actual, std::string_view expected) {
  if (actual == expected) return testing::AssertionSuccess();
  const auto mismatch = std::mismatch(actual.begin(), actual.end(), expected.begin(), expected.end());
  return testing::AssertionFailure() << actual.size() << " bytes instead of " << expected.size()
                                     << ", first difference at offset " << (mismatch.first - actual.begin());
}

std::string Contents(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

std::string_view BytesOf(const ByteBlock& block) {
  return {reinterpret_cast<const char*>(block.Data()), static_cast<std::size_t>(block.Length())};
}

// A run with `image` dropped, and the core's own workspace in the state that drop leaves.
struct DroppedImage {
  explicit DroppedImage(const std::string& image) {
    run.DropFiles({run.Folder().Put(L"image.bin", image)});
    core.image.Install(ByteBlock({reinterpret_cast<const std::uint8_t*>(image.data()), image.size()}));
    core.status.Set(kStatusReadDone);
  }

  // The window shows the rows and the status text the core has.
  void ExpectSameAsCore(const std::string& what) const {
    EXPECT_EQ(run.Status(), Utf8(core.status.Text())) << what;
    EXPECT_EQ(run.Rows(), RowsAsShown(core.results)) << what;
  }

  // Saves through the dialog and compares the file with the core's image.
  void ExpectSavedAsCore(std::wstring_view name) const {
    run.Click(run.Controls().按钮3);
    HWND dialog = WaitForDialog(run.ProcessId());
    ASSERT_NE(dialog, nullptr) << "no save dialog";
    const std::filesystem::path saved = run.Folder().Path() / name;
    ChooseFile(dialog, saved);
    ASSERT_TRUE(run.WaitForStatus(Utf8(kStatusSaved))) << run.Status();
    EXPECT_TRUE(SameBytes(Contents(saved), BytesOf(core.image.Bytes())));
  }

  QuelvaneRun run{ProgramsUnderTest::quelvane};
  Workspace core;
};

TEST(OddInput, MebibyteTextsPastedIntoEveryBoxAreSearchedPatchedAndSavedWhole) {
  // 16 ANSI bytes a piece: Chinese, ASCII and a line break.
  std::wstring search;
  for (std::size_t i = 0; i < kMebibyte / 16; ++i) search += L"长文本xyz\r\n12345";
  // Six bytes shorter than the search text, so the patch pads it with six zero bytes.
  std::wstring replacement;
  for (std::size_t i = 0; i < kMebibyte / 8 - 1; ++i) replacement += L"替换文本";
  replacement += L"ab";
  const std::string searchAnsi = WideToAnsi(search);
  const std::string replacementAnsi = WideToAnsi(replacement);
  ASSERT_EQ(searchAnsi.size(), kMebibyte);
  ASSERT_EQ(replacementAnsi.size(), kMebibyte - 6);

  DroppedImage dropped("MZ head " + searchAnsi + " middle " + searchAnsi + " tail");
  const QuelvaneRun& run = dropped.run;
  const MainControls& c = run.Controls();
  ASSERT_TRUE(run.WaitForStatus(Utf8(kStatusReadDone))) << run.Status();

  Paste(c.编辑框1, search);
  ASSERT_TRUE(SameBytes(EditAnsiText(c.编辑框1), searchAnsi)) << "the search box did not take the whole text";
  run.Click(c.按钮1);
  FindOccurrences(dropped.core, searchAnsi);
  ASSERT_EQ(dropped.core.results.Count(), 2);
  dropped.ExpectSameAsCore("search");

  // The second occurrence's position behind a mebibyte of leading white space and zeros. Only a
  // few zeros: Wine lays out a long run of digits in a one-line box in quadratic time (64 KiB of
  // them take seconds a paint), which is the platform's cost, not the program's.
  const std::string& second = dropped.core.results.RowAt(1)->position;
  constexpr std::size_t kZeros = 16;
  const std::string position = std::string(kMebibyte - kZeros - second.size(), ' ') + std::string(kZeros, '0') + second;
  Paste(c.编辑框2, AnsiToWide(position));
  ASSERT_TRUE(SameBytes(EditAnsiText(c.编辑框2), position)) << "the position box did not take the whole text";
  Paste(c.编辑框3, replacement);
  ASSERT_TRUE(SameBytes(EditAnsiText(c.编辑框3), replacementAnsi)) << "the replacement box did not take it";

  run.Click(c.按钮2);
  PatchOccurrence(dropped.core, searchAnsi, position, replacementAnsi);
  ASSERT_EQ(dropped.core.results.Count(), 1);  // the first occurrence is left
  dropped.ExpectSameAsCore("patch");
  dropped.ExpectSavedAsCore(L"long.exe");
  EXPECT_EQ(run.CloseWithEsc(), 0u);
}

enum class Input { Typed, Pasted };

struct PositionCase {
  std::wstring_view position;
  Input input;
  std::wstring_view replacement;
};

TEST(OddInput, LineBreakSearchAndPositionsAtTheEndsOfTheRangeDoWhatTheCoreDoes) {
  // Overlapping runs of line breaks, a lone CR and a lone LF.
  DroppedImage dropped("\r\n\r\n\r\nAB\r\r\n\n\r\n\r\nCD\r\n");
  const QuelvaneRun& run = dropped.run;
  const MainControls& c = run.Controls();
  ASSERT_TRUE(run.WaitForStatus(Utf8(kStatusReadDone))) << run.Status();

  const std::string search = "\r\n\r\n";
  Paste(c.编辑框1, AnsiToWide(search));
  ASSERT_EQ(EditAnsiText(c.编辑框1), search);
  run.Click(c.按钮1);
  FindOccurrences(dropped.core, search);
  ASSERT_GT(dropped.core.results.Count(), 1);
  dropped.ExpectSameAsCore("search for line breaks");

  // Each patch works on the image the one before left; the boxes are compared with what they hold.
  const PositionCase cases[] = {
      {L"-2147483648", Input::Typed, L"a"},
      {L"２１４７４８３６４８", Input::Typed, L"b"},  // full-width digits, which the box may refuse as typed
      {L"２１４７４８３６４８", Input::Pasted, L"cc"},
      {L"+", Input::Typed, L"d"},
      {L"+", Input::Pasted, L"e"},
      {L"-", Input::Typed, L"f"},
      {L"2147483647", Input::Typed, L"gggg"},  // past the end: the image grows
      {L"4294967299", Input::Pasted, L""},     // wraps round to 3: four zero bytes there
  };
  for (const PositionCase& each : cases) {
    const std::string what = WideToUtf8(each.position) + (each.input == Input::Typed ? " typed" : " pasted");
    if (each.input == Input::Typed) {
      ::SendMessageW(c.编辑框2, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L""));
      run.Type(c.编辑框2, each.position);
    } else {
      Paste(c.编辑框2, each.position);
      EXPECT_EQ(EditAnsiText(c.编辑框2), WideToAnsi(each.position)) << what << ": a paste goes in unchanged";
    }
    ::SendMessageW(c.编辑框3, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L""));
    run.Type(c.编辑框3, each.replacement);
    const std::string positionText = EditAnsiText(c.编辑框2);
    run.Click(c.按钮2);
    PatchOccurrence(dropped.core, search, positionText, WideToAnsi(each.replacement));
    dropped.ExpectSameAsCore(what + ", the box holding \"" + positionText + "\"");
  }
  dropped.ExpectSavedAsCore(L"breaks.exe");
  EXPECT_EQ(run.CloseWithEsc(), 0u);
}

}  // namespace
