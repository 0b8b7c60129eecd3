#include <windows.h>

#include "skin/skin_library.h"
#include "ui/program_win32.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) { return RunQuelvane(kStartupSkinNumber); }
