#pragma once

// Whole-file primitives. Paths are ANSI byte strings (the system code page), as the shell and the
// save dialog hand them over. None shows a message or throws: a failure is the empty block or
// false, and the caller decides what follows. Every call opens, transfers everything in one
// request and closes; no file stays open.

#include <cstdint>
#include <initializer_list>
#include <span>
#include <string_view>

#include "core/byte_block.h"

// Why a read delivered nothing; the caller may tell the user.
enum class ReadOutcome { kRead, kEmpty, kTooLarge, kFailed };

struct ReadResult {
  ByteBlock bytes;  // the whole file, or empty
  ReadOutcome outcome = ReadOutcome::kFailed;
};

// The whole file, read while others may read but not write it. An empty path, a missing file, a
// folder, a file open elsewhere for writing, a file of 0 bytes or of 2^31 bytes or more, and
// memory that cannot be had all give the empty block.
[[nodiscard]] ReadResult ReadWholeFile(std::string_view path);

// Writes the blocks one after another as the file's whole content, normal attributes. The
// existing file is replaced only once the new content is complete on disk, so a failure half-way
// leaves it as it was. An empty path, a missing folder, an existing file that is hidden, system
// or read-only or open elsewhere give false and change nothing. Writing only empty blocks leaves
// an empty file and succeeds.
[[nodiscard]] bool WriteWholeFile(std::string_view path, std::initializer_list<std::span<const std::uint8_t>> blocks);

// True when a directory lookup of the path finds anything: a folder counts, and wildcards match.
[[nodiscard]] bool FileExists(std::string_view path);

// Sets the file's attributes to `value` & 0x27 (read-only, hidden, system, archive) as a whole:
// bits of the mask that are 0 are cleared. True when the system accepted it.
[[nodiscard]] bool SetAttributes(std::string_view path, std::int32_t value);
