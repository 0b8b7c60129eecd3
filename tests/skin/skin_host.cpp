// A stand-in for the program's start: fixes its run directory, makes it current and applies a
// skin (26 unless a number is given), as the window's creation does. Exit code 0 when the call
// returned.
#include <windows.h>

#include <cstdlib>
#include <string>

#include "skin/skin_library.h"

int main(int argc, char** argv) {
  char path[MAX_PATH + 1] = {};
  const DWORD length = ::GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string runDirectory(path, length);
  runDirectory.resize(runDirectory.rfind('\\') == std::string::npos ? 0 : runDirectory.rfind('\\'));
  ::SetCurrentDirectoryA(runDirectory.c_str());
  SkinLibrary library(runDirectory);
  library.ApplySkin(argc > 1 ? std::atoi(argv[1]) : kStartupSkinNumber);
  return 0;
}
