#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>

#include "skin/skin_library.h"
#include "tests/skin/test_folder_win32.h"

namespace {

// The attributes that matter here. Wine reports the archive bit on every regular file whatever
// was set, so that one bit is not compared.
DWORD AttributesOf(const std::wstring& path) {
  return ::GetFileAttributesW(path.c_str()) & ~static_cast<DWORD>(FILE_ATTRIBUTE_ARCHIVE);
}

// A run folder holding a copy of the host program, as the program lies in its own folder.
struct RunFolder {
  TestFolder folder;
  std::wstring program = folder.Path(L"host.exe");
  std::wstring library = folder.Path(L"QvSkin.dll");
  RunFolder() { ::CopyFileW((BuildFolder() + L"\\skin_host.exe").c_str(), program.c_str(), FALSE); }
  void PlaceStandIn(const wchar_t* kind) const {
    ::CopyFileW((BuildFolder() + L"\\" + kind + L"\\QvSkin.dll").c_str(), library.c_str(), FALSE);
  }
};

// What the recording stand-in saw.
struct RecordedArguments {
  std::int32_t addressIsNull, byteCount, textIsNull, textLength, a4, a5, a6;
};
struct RecordedCall : RecordedArguments {
  Bytes bytes;
};

RecordedCall ReadRecord(const RunFolder& run) {
  const Bytes file = ReadBytes(run.folder.Path(L"skin_call.bin"));
  RecordedCall call{};
  constexpr std::size_t kHeader = sizeof(RecordedArguments);
  if (file.size() < kHeader) return RecordedCall{{-1, -1, -1, -1, -1, -1, -1}, {}};
  std::memcpy(static_cast<RecordedArguments*>(&call), file.data(), kHeader);
  call.bytes.assign(file.begin() + kHeader, file.end());
  return call;
}

TEST(SkinDeployment, WritesTheLibraryHiddenWhenMissingAndAppliesSkin26) {
  RunFolder run;
  const ChildRun child = RunChild(run.program);
  ASSERT_TRUE(child.finished);
  EXPECT_EQ(child.exitCode, 0u) << "box: " << std::string(child.boxText.begin(), child.boxText.end());
  const Bytes written = ReadBytes(run.library);
  const auto image = SkinLibraryImage();
  ASSERT_GT(image.size(), 1024u);
  EXPECT_EQ(written, Bytes(image.begin(), image.end()));
  EXPECT_EQ(AttributesOf(run.library), static_cast<DWORD>(FILE_ATTRIBUTE_HIDDEN));
}

TEST(SkinDeployment, KeepsAnExistingLibraryAndCallsItWithSkin26) {
  RunFolder run;
  run.PlaceStandIn(L"recording");
  const Bytes before = ReadBytes(run.library);
  ::SetFileAttributesW(run.library.c_str(), FILE_ATTRIBUTE_READONLY);

  const ChildRun child = RunChild(run.program);
  ASSERT_TRUE(child.finished);
  EXPECT_EQ(child.exitCode, 0u);
  EXPECT_EQ(ReadBytes(run.library), before);
  EXPECT_EQ(AttributesOf(run.library), static_cast<DWORD>(FILE_ATTRIBUTE_READONLY));

  const RecordedCall call = ReadRecord(run);
  EXPECT_EQ(call.addressIsNull, 0);
  EXPECT_EQ(call.byteCount, 20703);
  const ByteBlock entry = SkinCatalogueEntry(26);
  EXPECT_EQ(call.bytes, Bytes(entry.Bytes().begin(), entry.Bytes().end()));
  EXPECT_EQ(call.textIsNull, 0);
  EXPECT_EQ(call.textLength, 0);
  EXPECT_EQ(call.a4, 0);
  EXPECT_EQ(call.a5, 0);
  EXPECT_EQ(call.a6, 0);
}

TEST(SkinDeployment, NumbersOutsideTheCataloguePassNullAndZero) {
  for (const wchar_t* number : {L"0", L"-1", L"59"}) {
    RunFolder run;
    run.PlaceStandIn(L"recording");
    const ChildRun child = RunChild(run.program, number);
    ASSERT_TRUE(child.finished);
    EXPECT_EQ(child.exitCode, 0u);
    const RecordedCall call = ReadRecord(run);
    EXPECT_EQ(call.addressIsNull, 1) << number;
    EXPECT_EQ(call.byteCount, 0) << number;
    EXPECT_EQ(call.textIsNull, 0) << number;
    EXPECT_TRUE(call.bytes.empty()) << number;
  }
}

// A folder of the library's name, and a library without the function: both are reported and
// end the program with -1; no other location is tried for the second.
TEST(SkinDeployment, ReportsAndExitsWhenTheFunctionCannotBeBound) {
  struct Case {
    const wchar_t* what;
    void (*prepare)(const RunFolder&);
  };
  const Case kCases[] = {
      {L"folder of that name", [](const RunFolder& run) { ::CreateDirectoryW(run.library.c_str(), nullptr); }},
      {L"library without the export", [](const RunFolder& run) { run.PlaceStandIn(L"no_export"); }},
  };
  for (const Case& c : kCases) {
    RunFolder run;
    c.prepare(run);
    const ChildRun child = RunChild(run.program);
    const std::string what(c.what, c.what + std::wcslen(c.what));
    ASSERT_TRUE(child.finished) << what;
    EXPECT_EQ(child.exitCode, static_cast<DWORD>(-1)) << what;
    EXPECT_NE(child.boxText.find(L"QvSkinAttach"), std::wstring::npos) << what;
    EXPECT_NE(child.boxText.find(L"QvSkin.dll"), std::wstring::npos) << what;
    EXPECT_EQ(::GetFileAttributesW(run.folder.Path(L"skin_call.bin").c_str()), INVALID_FILE_ATTRIBUTES) << what;
  }
}

}  // namespace
