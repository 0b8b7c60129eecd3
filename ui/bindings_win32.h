#pragma once

// Which user action runs which operation: one row per action, one handler per row.

#include <string_view>

#include "ui/controls.h"
#include "ui/main_window_win32.h"

void OnFindClicked(MainWindow& window, std::string_view);
void OnPatchClicked(MainWindow& window, std::string_view);
void OnSaveClicked(MainWindow& window, std::string_view);
void OnCurrentRowChanged(MainWindow& window, std::string_view);
void OnFilesDropped(MainWindow& window, std::string_view droppedPathText);

struct Binding {
  Ctl source;
  Event event;
  void (*handler)(MainWindow& window, std::string_view eventText);
};

inline constexpr Binding kBindings[] = {
    {Ctl::按钮1, Event::Clicked, OnFindClicked},
    {Ctl::按钮2, Event::Clicked, OnPatchClicked},
    {Ctl::按钮3, Event::Clicked, OnSaveClicked},
    {Ctl::超级列表框1, Event::CurrentRowChanged, OnCurrentRowChanged},
    {Ctl::拖放对象1, Event::FilesDropped, OnFilesDropped},
};

// Puts the "位置" text of the selected row into 编辑框2, replacing what it held; empties the box
// when no row is selected.
void CopySelectedPosition(MainWindow& window);

// Asks for the target file with the save dialog, then saves the image there. A cancelled dialog
// saves nothing and leaves the status text as it was.
void PromptAndSave(MainWindow& window);
