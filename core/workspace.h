#pragma once

#include "core/result_list.h"
#include "core/status_line.h"
#include "core/working_image.h"

// Everything the user's actions work on: the image, the rows of the last search and the status
// text. The program has exactly one, owned by its window's thread; tests make their own.
struct Workspace {
  WorkingImage image;
  ResultList results;
  StatusLine status;
};
