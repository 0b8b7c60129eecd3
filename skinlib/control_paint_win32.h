#pragma once

// Painting of the controls the skin restyles, each from the current kit. Include after
// <windows.h> and <commctrl.h>.

#include "skinlib/paint_kit_win32.h"

void PaintPushButton(const PaintKit& kit, HWND button, HDC dc);
void PaintGroupBox(const PaintKit& kit, HWND group, HDC dc);
void PaintHeader(const PaintKit& kit, HWND header, HDC dc);
void PaintStatusBar(const PaintKit& kit, HWND status, HDC dc);
void PaintEditBorder(const PaintKit& kit, HWND edit);

// Colours of a static, edit or button child asked for by WM_CTLCOLOR*: `chosenText` is what the
// window's own procedure set, kept when it differs from the system default (the program's blue
// instructions, say). Returns the background brush.
HBRUSH ColourControl(const PaintKit& kit, UINT message, HDC dc, HWND control, COLORREF chosenText);

// The list view's NM_CUSTOMDRAW: skin rows, selection and grid lines.
LRESULT CustomDrawList(const PaintKit& kit, NMLVCUSTOMDRAW& draw);
void ApplyListColours(const PaintKit& kit, HWND list);
