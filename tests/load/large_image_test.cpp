// A 1 GiB image: dropped, searched for a rare text and for one with more places than the list
// shows, patched inside and past its end, and saved; the saved file is compared by a hash taken
// while streaming it, against the same hash of the content it must have.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "core/status_texts.h"
#include "tests/e2e/quelvane_run.h"
#include "tests/e2e/save_dialog.h"
#include "tests/e2e/windows_of.h"

namespace {

constexpr std::int64_t kImageSize = std::int64_t{1} << 30;
constexpr std::int64_t kManyStep = 512 * 1024;
constexpr int kManyCount = 1200;
constexpr std::int64_t kRarePlace = 700ll * 1024 * 1024 + 12345;  // 0-based
constexpr std::chrono::minutes kLongWait{3};

// Bytes placed at an offset; everything else in the image is zero.
struct Piece {
  std::int64_t offset;
  std::string bytes;
};

std::vector<Piece> PlantedPieces() {
  std::vector<Piece> pieces;
  for (int i = 0; i < kManyCount; ++i) pieces.push_back({i * kManyStep + 100, "QvMany"});
  pieces.push_back({kRarePlace, "QvRareText"});
  return pieces;
}

class BigFile {
 public:
  BigFile(const std::filesystem::path& path, const std::vector<Piece>& pieces) : path_(path) {
    // Sparse: only the planted pieces take room on the disk.
    UniqueHandle file(
        ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file.get() == INVALID_HANDLE_VALUE) throw std::runtime_error("cannot make the big file");
    LARGE_INTEGER end{.QuadPart = kImageSize};
    ::SetFilePointerEx(file.get(), end, nullptr, FILE_BEGIN);
    ::SetEndOfFile(file.get());
    for (const Piece& piece : pieces) {
      LARGE_INTEGER at{.QuadPart = piece.offset};
      DWORD written = 0;
      ::SetFilePointerEx(file.get(), at, nullptr, FILE_BEGIN);
      ::WriteFile(file.get(), piece.bytes.data(), static_cast<DWORD>(piece.bytes.size()), &written, nullptr);
    }
  }
  ~BigFile() { ::DeleteFileW(path_.c_str()); }
  BigFile(const BigFile&) = delete;
  BigFile& operator=(const BigFile&) = delete;

 private:
  std::filesystem::path path_;
};

// A 64-bit hash over bytes fed in pieces of any size.
class StreamHash {
 public:
  void Add(const std::uint8_t* bytes, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i) hash_ = (hash_ ^ bytes[i]) * 0x100000001b3ull;
    length_ += count;
  }
  [[nodiscard]] std::pair<std::uint64_t, std::uint64_t> Value() const { return {hash_, length_}; }

 private:
  std::uint64_t hash_ = 0xcbf29ce484222325ull;
  std::uint64_t length_ = 0;
};

constexpr std::size_t kChunk = 16 * 1024 * 1024;

std::pair<std::uint64_t, std::uint64_t> HashOfFile(const std::filesystem::path& path) {
  UniqueHandle file(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
  StreamHash hash;
  if (file.get() == INVALID_HANDLE_VALUE) return hash.Value();
  std::vector<std::uint8_t> chunk(kChunk);
  DWORD got = 0;
  while (::ReadFile(file.get(), chunk.data(), static_cast<DWORD>(chunk.size()), &got, nullptr) && got > 0) {
    hash.Add(chunk.data(), got);
  }
  return hash.Value();
}

// The hash of `length` bytes that are zero except for `pieces`, later pieces over earlier ones.
std::pair<std::uint64_t, std::uint64_t> HashOfContent(std::int64_t length, const std::vector<Piece>& pieces) {
  StreamHash hash;
  std::vector<std::uint8_t> chunk;
  for (std::int64_t start = 0; start < length; start += kChunk) {
    const std::int64_t size = std::min<std::int64_t>(kChunk, length - start);
    chunk.assign(static_cast<std::size_t>(size), 0);
    for (const Piece& piece : pieces) {
      for (std::size_t i = 0; i < piece.bytes.size(); ++i) {
        const std::int64_t at = piece.offset + static_cast<std::int64_t>(i) - start;
        if (at >= 0 && at < size) chunk[static_cast<std::size_t>(at)] = static_cast<std::uint8_t>(piece.bytes[i]);
      }
    }
    hash.Add(chunk.data(), chunk.size());
  }
  return hash.Value();
}

void SetText(HWND edit, const std::wstring& text) {
  ::SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

// Clicks 寻找 for `text`; the list's rows once the search has run.
std::vector<ListRow> SearchFor(const QuelvaneRun& run, const std::wstring& text) {
  SetText(run.Controls().编辑框1, text);
  ::SendMessageW(run.Controls().按钮1, BM_CLICK, 0, 0);
  return run.Rows();
}

void Patch(const QuelvaneRun& run, const std::wstring& text, std::int64_t position, const std::wstring& replacement) {
  SetText(run.Controls().编辑框1, text);
  SetText(run.Controls().编辑框2, std::to_wstring(position));
  SetText(run.Controls().编辑框3, replacement);
  ::SendMessageW(run.Controls().按钮2, BM_CLICK, 0, 0);
}

bool SaveAs(const QuelvaneRun& run, const std::filesystem::path& file) {
  ::PostMessageW(run.Controls().按钮3, BM_CLICK, 0, 0);
  HWND dialog = WaitForDialog(run.ProcessId());
  if (!dialog) return false;
  ChooseFile(dialog, file);
  return WaitUntil(
      [&] {
        return run.Status() != Utf8(kStatusPatched) && run.Status() != Utf8(kStatusReadDone) &&
               TopWindowsOf(run.ProcessId(), L"#32770").empty();
      },
      kLongWait);
}

// Drops the big file and checks both searches.
void DropAndSearch(const QuelvaneRun& run, const std::filesystem::path& big) {
  run.DropFiles({big});
  ASSERT_TRUE(WaitUntil([&] { return run.Status() == Utf8(kStatusReadDone); }, kLongWait)) << run.Status();

  const std::vector<ListRow> rare = SearchFor(run, L"QvRareText");
  ASSERT_EQ(rare.size(), 1u);
  EXPECT_EQ(rare[0][2], std::to_string(kRarePlace + 1));

  const std::vector<ListRow> many = SearchFor(run, L"QvMany");
  ASSERT_EQ(many.size(), 1000u);  // the list stops at 1000 of the 1200 places
  EXPECT_EQ(many[999][0], "1000");
  EXPECT_EQ(many[999][2], std::to_string(999 * kManyStep + 101));
}

TEST(LargeImage, WholeRoadOnAGibibyte) {
  QuelvaneRun run(ProgramsUnderTest::quelvane);
  std::vector<Piece> pieces = PlantedPieces();
  const BigFile big(run.Folder().Path() / L"big.exe", pieces);
  DropAndSearch(run, run.Folder().Path() / L"big.exe");

  Patch(run, L"QvRareText", kRarePlace + 1, L"Done");
  ASSERT_EQ(run.Status(), Utf8(kStatusPatched));
  EXPECT_EQ(run.Rows().size(), 0u);  // the search runs again and finds the text gone
  // The last two bytes are replaced by ten: the image grows by eight.
  Patch(run, L"QvTailText", kImageSize - 1, L"End");
  ASSERT_EQ(run.Status(), Utf8(kStatusPatched));

  const std::filesystem::path saved = run.Folder().Path() / L"big-saved.exe";
  ASSERT_TRUE(SaveAs(run, saved));
  ASSERT_EQ(run.Status(), Utf8(kStatusSaved));
  pieces.push_back({kRarePlace, std::string("Done\0\0\0\0\0\0", 10)});
  pieces.push_back({kImageSize - 2, std::string("End\0\0\0\0\0\0\0", 10)});
  EXPECT_EQ(HashOfFile(saved), HashOfContent(kImageSize + 8, pieces));
  std::filesystem::remove(saved);
  EXPECT_EQ(run.CloseWithEsc(), 0u);
}

// Run under a data limit that leaves room for one copy of the image only.
TEST(LargeImage, ShortOfMemoryThePatchIsRefusedAndTheImageKept) {
  QuelvaneRun run(ProgramsUnderTest::quelvane);
  const std::vector<Piece> pieces = PlantedPieces();
  const BigFile big(run.Folder().Path() / L"big.exe", pieces);
  DropAndSearch(run, run.Folder().Path() / L"big.exe");

  Patch(run, L"QvRareText", kRarePlace + 1, L"Done");
  ASSERT_EQ(run.Status(), Utf8(kStatusPatchOutOfMemory));
  EXPECT_EQ(run.Rows().size(), 1000u);  // the rows of the last search stay

  const std::filesystem::path saved = run.Folder().Path() / L"big-saved.exe";
  ASSERT_TRUE(SaveAs(run, saved));
  ASSERT_EQ(run.Status(), Utf8(kStatusSaved));
  EXPECT_EQ(HashOfFile(saved), HashOfContent(kImageSize, pieces));
  std::filesystem::remove(saved);
  EXPECT_EQ(run.CloseWithEsc(), 0u);
}

}  // namespace
