// For people choosing or checking skins: the real window, dressed in the skin whose number is
// given (1 to 58). The program itself always uses its startup skin.
#include <windows.h>

#include <cwchar>

#include "skin/skin_library.h"
#include "ui/program_win32.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR commandLine, int) {
  const long number = std::wcstol(commandLine, nullptr, 10);
  return RunQuelvane(number == 0 ? kStartupSkinNumber : static_cast<std::int32_t>(number));
}
