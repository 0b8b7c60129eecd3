#pragma once

// Reading controls of another process. Messages whose answer is written through a pointer need
// that pointer to be valid in the other process, so the driver lends it memory there.

#include <windows.h>

#include <array>
#include <string>
#include <vector>

using ListRow = std::array<std::string, 3>;  // the three cells of a results row, UTF-8

int ListRowCount(HWND list);
// The text of one cell, UTF-8; the empty text when the row does not exist.
std::string ListCellText(HANDLE process, HWND list, int row, int column);
std::vector<ListRow> ListRows(HANDLE process, HWND list);
int ListColumnWidth(HWND list, int column);
// The selected row's index, -1 when none is selected; the same for the focused (current) row.
int ListSelectedRow(HWND list);
int ListFocusedRow(HWND list);
// The screen point in the middle of the first cell of `row`.
POINT ListRowPoint(HANDLE process, HWND list, int row);

// The text of the status bar's first part, UTF-8, read through the wide API.
std::string StatusBarText(HANDLE process, HWND bar);
int StatusBarPartCount(HWND bar);

// An edit box's whole content: UTF-8 through the wide API, or the ANSI bytes the program sees.
std::string EditText(HWND edit);
std::string EditAnsiText(HWND edit);
