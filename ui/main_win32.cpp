#include <windows.h>

#include "ui/program_win32.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) { return RunQuelvane(); }
