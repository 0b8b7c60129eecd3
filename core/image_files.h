#pragma once

#include <string_view>

#include "core/workspace.h"

// Reads the dropped file whole into the image. The dropped-path text is taken unchanged as one
// path, so a text of several CR LF-terminated paths names no file. The image is replaced even
// when the read delivers nothing; the status line then says why. The rows and the edit boxes keep
// their contents.
void LoadDroppedFile(Workspace& workspace, std::string_view droppedPathText);

// Writes the image whole to `path`; the status line says whether it was saved.
void SaveImage(Workspace& workspace, std::string_view path);
