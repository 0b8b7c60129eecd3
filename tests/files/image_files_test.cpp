#include "core/image_files.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/byte_ops.h"
#include "tests/files/scratch_folder.h"

namespace {

std::string ImageText(const Workspace& workspace) {
  const ByteBlock& bytes = workspace.image.Bytes();
  return std::string(reinterpret_cast<const char*>(bytes.Data()), static_cast<std::size_t>(bytes.Length()));
}

// A workspace that has loaded a file and searched it, and records every status text it shows.
struct LoadedWorkspace {
  Workspace workspace;
  std::vector<std::u8string> shown;

  explicit LoadedWorkspace(const ScratchFolder& folder) {
    PutFile(folder.Path("first.exe"), "first image");
    LoadDroppedFile(workspace, folder.Path("first.exe"));
    workspace.results.Append({"1", "image", "7"});
    workspace.status.SetObserver([this](std::u8string_view text) { shown.emplace_back(text); });
  }
};

TEST(LoadDroppedFile, ReadsTheFileWholeAndKeepsTheRows) {
  const ScratchFolder folder;
  LoadedWorkspace loaded(folder);
  PutFile(folder.Path("second.exe"), std::string("MZ\0second", 9));

  LoadDroppedFile(loaded.workspace, folder.Path("second.exe"));

  EXPECT_EQ(ImageText(loaded.workspace), std::string("MZ\0second", 9));
  EXPECT_EQ(loaded.shown, (std::vector<std::u8string>{kStatusReading, kStatusReadDone}));
  ASSERT_EQ(loaded.workspace.results.Count(), 1);
  EXPECT_EQ(loaded.workspace.results.RowAt(0)->position, "7");
}

struct FailedLoadCase {
  const char* name;
  std::string (*prepare)(const ScratchFolder&);
  const char8_t* status;
};

const FailedLoadCase kFailedLoadCases[] = {
    {"empty file",
     [](const ScratchFolder& f) {
       PutFile(f.Path("empty.exe"), "");
       return f.Path("empty.exe");
     },
     kStatusFileEmpty},
    {"2^31 bytes",
     [](const ScratchFolder& f) {
       PutSparseFile(f.Path("big.exe"), std::int64_t{1} << 31);
       return f.Path("big.exe");
     },
     kStatusFileTooLarge},
    {"missing file", [](const ScratchFolder& f) { return f.Path("missing.exe"); }, kStatusReadFailed},
    {"two paths", [](const ScratchFolder& f) { return f.Path("first.exe") + "\r\n" + f.Path("first.exe") + "\r\n"; },
     kStatusReadFailed},
};

TEST(LoadDroppedFile, AReadThatDeliversNothingStillReplacesTheImageAndSaysWhy) {
  for (const FailedLoadCase& c : kFailedLoadCases) {
    SCOPED_TRACE(c.name);
    const ScratchFolder folder;
    LoadedWorkspace loaded(folder);
    ASSERT_EQ(ImageText(loaded.workspace), "first image");

    LoadDroppedFile(loaded.workspace, c.prepare(folder));

    EXPECT_TRUE(loaded.workspace.image.Bytes().IsEmpty());
    EXPECT_EQ(loaded.shown, (std::vector<std::u8string>{kStatusReading, c.status}));
    EXPECT_EQ(loaded.workspace.results.Count(), 1);
  }
}

TEST(SaveImage, WritesTheImageOrSaysItFailed) {
  const ScratchFolder folder;
  LoadedWorkspace loaded(folder);

  SaveImage(loaded.workspace, folder.Path("saved.exe"));
  EXPECT_EQ(FileBytes(folder.Path("saved.exe")), "first image");
  EXPECT_EQ(loaded.workspace.status.Text(), kStatusSaved);

  ASSERT_TRUE(::SetFileAttributesA(folder.Path("saved.exe").c_str(), FILE_ATTRIBUTE_HIDDEN));
  Workspace empty;
  SaveImage(empty, folder.Path("saved.exe"));
  EXPECT_EQ(empty.status.Text(), kStatusSaveFailed);
  EXPECT_EQ(FileBytes(folder.Path("saved.exe")), "first image");

  SaveImage(empty, folder.Path("no such folder\\saved.exe"));
  EXPECT_EQ(empty.status.Text(), kStatusSaveFailed);
}

TEST(SaveImage, AnImageNeverLoadedSavesAsAnEmptyFile) {
  const ScratchFolder folder;
  PutFile(folder.Path("saved.exe"), "old");
  Workspace workspace;
  SaveImage(workspace, folder.Path("saved.exe"));
  EXPECT_EQ(FileBytes(folder.Path("saved.exe")), "");
  EXPECT_EQ(workspace.status.Text(), kStatusSaved);
}

}  // namespace
