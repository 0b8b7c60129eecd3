#include "core/file_io.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "tests/files/scratch_folder.h"

namespace {

using namespace std::string_view_literals;

// 文件乗.exe in GBK: the second byte of 乗 is 0x5C, the byte of '\'.
constexpr char kChineseName[] = "\xCE\xC4\xBC\xFE\x81\x5C.exe";
constexpr std::string_view kContent = "MZ\x90\0\x03\0text\r\n\xFF"sv;

std::span<const std::uint8_t> Span(std::string_view text) {
  return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}
std::string Text(const ByteBlock& block) {
  return std::string(reinterpret_cast<const char*>(block.Data()), static_cast<std::size_t>(block.Length()));
}

TEST(FileTests, RunInTheChineseCodePage) { ASSERT_EQ(::GetACP(), 936u) << "GBK names need code page 936"; }

// What a read is handed: a path, and maybe a file held open by "another program" meanwhile.
struct ReadSetup {
  std::string path;
  UniqueFile hold;
};

struct ReadCase {
  const char* name;
  ReadSetup (*prepare)(const ScratchFolder&);
  ReadOutcome outcome;
  std::string_view bytes;
};

ReadSetup Prepared(const ScratchFolder& folder, const char* name, std::string_view bytes) {
  PutFile(folder.Path(name), bytes);
  return {folder.Path(name), {}};
}

const ReadCase kReadCases[] = {
    {"normal file", [](const ScratchFolder& f) { return Prepared(f, "a.exe", kContent); }, ReadOutcome::kRead,
     kContent},
    {"empty file", [](const ScratchFolder& f) { return Prepared(f, "a.exe", ""); }, ReadOutcome::kEmpty, ""},
    {"folder",
     [](const ScratchFolder& f) {
       ::CreateDirectoryA(f.Path("sub").c_str(), nullptr);
       return ReadSetup{f.Path("sub"), {}};
     },
     ReadOutcome::kFailed, ""},
    {"missing file",
     [](const ScratchFolder& f) {
       return ReadSetup{f.Path("missing.exe"), {}};
     },
     ReadOutcome::kFailed, ""},
    {"empty path", [](const ScratchFolder&) { return ReadSetup{}; }, ReadOutcome::kFailed, ""},
    {"NUL inside the path names no file",
     [](const ScratchFolder& f) {
       Prepared(f, "a.exe", kContent);
       return ReadSetup{f.Path("a.exe") + std::string("\0x", 2), {}};
     },
     ReadOutcome::kFailed, ""},
    {"open elsewhere for writing",
     [](const ScratchFolder& f) {
       ReadSetup setup = Prepared(f, "a.exe", kContent);
       setup.hold = HoldOpen(setup.path, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE);
       return setup;
     },
     ReadOutcome::kFailed, ""},
    {"open elsewhere for reading only",
     [](const ScratchFolder& f) {
       ReadSetup setup = Prepared(f, "a.exe", kContent);
       setup.hold = HoldOpen(setup.path, GENERIC_READ, FILE_SHARE_READ);
       return setup;
     },
     ReadOutcome::kRead, kContent},
    {"exactly 2^31 bytes",
     [](const ScratchFolder& f) {
       PutSparseFile(f.Path("big.exe"), std::int64_t{1} << 31);
       return ReadSetup{f.Path("big.exe"), {}};
     },
     ReadOutcome::kTooLarge, ""},
    {"2^32 + 3 bytes, whose low 32 bits say 3",
     [](const ScratchFolder& f) {
       PutSparseFile(f.Path("big.exe"), (std::int64_t{1} << 32) + 3);
       return ReadSetup{f.Path("big.exe"), {}};
     },
     ReadOutcome::kTooLarge, ""},
    {"Chinese name", [](const ScratchFolder& f) { return Prepared(f, kChineseName, kContent); }, ReadOutcome::kRead,
     kContent},
    {"two dropped paths, each ending in CR LF",
     [](const ScratchFolder& f) {
       Prepared(f, "a.exe", kContent);
       Prepared(f, "b.exe", kContent);
       return ReadSetup{f.Path("a.exe") + "\r\n" + f.Path("b.exe") + "\r\n", {}};
     },
     ReadOutcome::kFailed, ""},
};

TEST(ReadWholeFile, Cases) {
  for (const ReadCase& c : kReadCases) {
    SCOPED_TRACE(c.name);
    const ScratchFolder folder;
    const ReadSetup setup = c.prepare(folder);
    const ReadResult result = ReadWholeFile(setup.path);
    EXPECT_EQ(result.outcome, c.outcome);
    EXPECT_EQ(Text(result.bytes), c.bytes);
  }
}

TEST(ReadWholeFile, MemoryThatCannotBeHadIsAFailedRead) {
  const ScratchFolder folder;
  PutFile(folder.Path("a.exe"), kContent);
  SetBlockAllocationLimit(kContent.size() - 1);
  const ReadResult result = ReadWholeFile(folder.Path("a.exe"));
  SetBlockAllocationLimit(static_cast<std::size_t>(-1));
  EXPECT_EQ(result.outcome, ReadOutcome::kFailed);
  EXPECT_TRUE(result.bytes.IsEmpty());
}

// What a write meets at its target, and what must be there afterwards.
enum class Target { kNone, kNormal, kHidden, kSystem, kReadOnly, kOpenElsewhere, kFolder };

struct WriteCase {
  const char* name;
  Target target;
  const char* path;  // inside the scratch folder; nullptr: the empty path
  bool written;
};

constexpr std::string_view kOld = "old content";

const WriteCase kWriteCases[] = {
    {"new file", Target::kNone, "out.exe", true},
    {"over an existing file", Target::kNormal, "out.exe", true},
    {"new file with a Chinese name", Target::kNone, kChineseName, true},
    {"empty path", Target::kNone, nullptr, false},
    {"hidden target", Target::kHidden, "out.exe", false},
    {"system target", Target::kSystem, "out.exe", false},
    {"read-only target", Target::kReadOnly, "out.exe", false},
    {"target open elsewhere for reading", Target::kOpenElsewhere, "out.exe", false},
    {"target is a folder", Target::kFolder, "out.exe", false},
    {"missing folder", Target::kNone, "no such folder\\out.exe", false},
};

TEST(WriteWholeFile, Cases) {
  for (const WriteCase& c : kWriteCases) {
    SCOPED_TRACE(c.name);
    const ScratchFolder folder;
    const std::string path = c.path == nullptr ? std::string() : folder.Path(c.path);
    UniqueFile hold;
    DWORD oldAttributes = 0;
    if (c.target == Target::kFolder) {
      ASSERT_TRUE(::CreateDirectoryA(path.c_str(), nullptr));
    } else if (c.target != Target::kNone) {
      PutFile(path, kOld);
      const DWORD set = c.target == Target::kHidden     ? FILE_ATTRIBUTE_HIDDEN
                        : c.target == Target::kSystem   ? FILE_ATTRIBUTE_SYSTEM
                        : c.target == Target::kReadOnly ? FILE_ATTRIBUTE_READONLY
                                                        : FILE_ATTRIBUTE_ARCHIVE;
      ASSERT_TRUE(::SetFileAttributesA(path.c_str(), set));
      oldAttributes = Attributes(path);
      if (c.target == Target::kOpenElsewhere) hold = HoldOpen(path, GENERIC_READ, FILE_SHARE_READ);
    }
    const std::vector<std::string> namesBefore = FolderNames(folder.Folder());

    EXPECT_EQ(WriteWholeFile(path, {Span("new "), Span(""), Span("content\0!"sv)}), c.written);
    hold.reset();

    if (c.written) {
      EXPECT_EQ(FileBytes(path), "new content\0!"sv);
      EXPECT_EQ(Attributes(path) & ~DWORD{FILE_ATTRIBUTE_ARCHIVE}, 0u);
      EXPECT_EQ(FolderNames(folder.Folder()), std::vector<std::string>{c.path});  // no temporary file left
    } else {
      if (c.target != Target::kNone && c.target != Target::kFolder) {
        EXPECT_EQ(FileBytes(path), kOld);
        EXPECT_EQ(Attributes(path), oldAttributes);
      }
      EXPECT_EQ(FolderNames(folder.Folder()), namesBefore);  // nothing created, nothing left behind
    }
  }
}

TEST(WriteWholeFile, OnlyEmptyBlocksLeaveAnEmptyFile) {
  const ScratchFolder folder;
  const std::string path = folder.Path("out.exe");
  PutFile(path, kOld);
  EXPECT_TRUE(WriteWholeFile(path, {Span("")}));
  EXPECT_EQ(FileBytes(path), "");
}

// A disk that fills up half-way: a small tmpfs mapped as a drive by the test setup. Its letter
// comes in QV_FULL_DISK_DRIVE; without it (a run by hand) there is nothing to test on.
TEST(FullDisk, FailedSaveLeavesTheOldFileAsItWas) {
  const char* drive = std::getenv("QV_FULL_DISK_DRIVE");
  if (drive == nullptr) GTEST_SKIP() << "no small disk mapped";
  const std::string folder = std::string(drive) + ":\\";
  const std::string target = folder + "target.exe";
  const std::string fits(100 * 1024, 'f');
  const std::string tooLarge(1024 * 1024, 'L');
  const std::string old(64 * 1024, 'o');
  PutFile(target, old);

  // The same save of something that fits works there: the disk is usable, just small.
  ASSERT_TRUE(WriteWholeFile(folder + "fits.exe", {Span(fits)}));
  EXPECT_EQ(FileBytes(folder + "fits.exe"), fits);
  ASSERT_TRUE(::DeleteFileA((folder + "fits.exe").c_str()));

  EXPECT_FALSE(WriteWholeFile(target, {Span(tooLarge)}));
  EXPECT_EQ(FileBytes(target), old);
  EXPECT_EQ(FolderNames(folder), std::vector<std::string>{"target.exe"});
  ::DeleteFileA(target.c_str());
}

struct ExistsCase {
  const char* name;
  const char* path;  // inside the scratch folder, which holds a.exe, 文件乗.exe and the folder sub
  bool exists;
};

const ExistsCase kExistsCases[] = {
    {"file", "a.exe", true},
    {"folder", "sub", true},
    {"missing", "b.exe", false},
    {"wildcard that matches", "*.exe", true},
    {"wildcard that matches nothing", "*.dll", false},
    {"Chinese name", kChineseName, true},
};

TEST(FileExists, Cases) {
  const ScratchFolder folder;
  PutFile(folder.Path("a.exe"), kContent);
  PutFile(folder.Path(kChineseName), kContent);
  ASSERT_TRUE(::CreateDirectoryA(folder.Path("sub").c_str(), nullptr));
  for (const ExistsCase& c : kExistsCases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(FileExists(folder.Path(c.path)), c.exists);
  }
  EXPECT_FALSE(FileExists(""));
  EXPECT_FALSE(FileExists(folder.Path("a.exe") + "\r\n" + folder.Path("a.exe") + "\r\n"));
}

struct AttributesCase {
  const char* name;
  DWORD before;
  std::int32_t value;
  DWORD after;
};

const AttributesCase kAttributesCases[] = {
    {"hidden replaces read-only", FILE_ATTRIBUTE_READONLY, 2, FILE_ATTRIBUTE_HIDDEN},
    {"0 clears everything", FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN, 0, 0},
    {"bits outside 0x27 are dropped", 0, -1,
     FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE},
    {"read-only and archive over hidden and system", FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM, 0x21,
     FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_ARCHIVE},
};

TEST(SetAttributes, Cases) {
  for (const AttributesCase& c : kAttributesCases) {
    SCOPED_TRACE(c.name);
    const ScratchFolder folder;
    const std::string path = folder.Path("a.dll");
    PutFile(path, kContent);
    ASSERT_TRUE(::SetFileAttributesA(path.c_str(), c.before == 0 ? FILE_ATTRIBUTE_NORMAL : c.before));
    EXPECT_TRUE(SetAttributes(path, c.value));
    // Wine shows every file as archive whatever it was told, so that bit is left out here.
    EXPECT_EQ(Attributes(path) & ~DWORD{FILE_ATTRIBUTE_ARCHIVE}, c.after & ~DWORD{FILE_ATTRIBUTE_ARCHIVE});
  }
  const ScratchFolder folder;
  EXPECT_FALSE(SetAttributes(folder.Path("missing.dll"), 2));
  EXPECT_FALSE(SetAttributes("", 2));
}

}  // namespace
