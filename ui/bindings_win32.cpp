#include "ui/bindings_win32.h"

#include "core/image_files.h"
#include "core/patch.h"
#include "core/search.h"

void OnFindClicked(MainWindow& window, std::string_view) {
  FindOccurrences(window.Work(), window.AnsiText(Ctl::编辑框1));
}

void OnPatchClicked(MainWindow& window, std::string_view) {
  PatchOccurrence(window.Work(), window.AnsiText(Ctl::编辑框1), window.AnsiText(Ctl::编辑框2),
                  window.AnsiText(Ctl::编辑框3));
}

void OnSaveClicked(MainWindow& window, std::string_view) { PromptAndSave(window); }

void OnCurrentRowChanged(MainWindow& window, std::string_view) { CopySelectedPosition(window); }

void OnFilesDropped(MainWindow& window, std::string_view droppedPathText) {
  LoadDroppedFile(window.Work(), droppedPathText);
}

void CopySelectedPosition(MainWindow& window) {
  const std::int32_t row = window.SelectedRowIndex();
  window.SetText(Ctl::编辑框2, window.CellText(row, kPositionColumn));
}

void PromptAndSave(MainWindow& window) {
  SaveFileDialog& dialog = window.SaveDialog();
  dialog.SetFilter(u8"exe文件|*.exe");
  if (!dialog.Show(window.Handle())) return;
  SaveImage(window.Work(), dialog.FileName());
}
