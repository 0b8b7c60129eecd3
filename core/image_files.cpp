#include "core/image_files.h"

#include <utility>

#include "core/file_io.h"
#include "core/status_texts.h"

namespace {

std::u8string_view ReadStatus(ReadOutcome outcome) {
  switch (outcome) {
    case ReadOutcome::kRead:
      return kStatusReadDone;
    case ReadOutcome::kEmpty:
      return kStatusFileEmpty;
    case ReadOutcome::kTooLarge:
      return kStatusFileTooLarge;
    case ReadOutcome::kFailed:
      break;
  }
  return kStatusReadFailed;
}

}  // namespace

void LoadDroppedFile(Workspace& workspace, std::string_view droppedPathText) {
  workspace.status.Set(kStatusReading);
  // The old image goes whatever the read gives, so both of its blocks are given back first: a
  // large file then never needs more than its own size of memory.
  workspace.image.Release();
  ReadResult read = ReadWholeFile(droppedPathText);
  workspace.image.Install(std::move(read.bytes));
  workspace.status.Set(ReadStatus(read.outcome));
}

void SaveImage(Workspace& workspace, std::string_view path) {
  const bool saved = WriteWholeFile(path, {workspace.image.Bytes().Bytes()});
  workspace.status.Set(saved ? kStatusSaved : kStatusSaveFailed);
}
