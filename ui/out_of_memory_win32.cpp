#include "ui/out_of_memory_win32.h"

#include <windows.h>

#include <string>

void ReportOutOfMemory(std::size_t byteCount) {
  const std::wstring text = byteCount == 0
                                ? std::wstring(L"内存不足，程序无法继续运行。")
                                : L"内存不足：无法取得 " + std::to_wstring(byteCount) + L" 字节，程序无法继续运行。";
  ::MessageBoxW(nullptr, text.c_str(), L"Quelvane", MB_OK | MB_ICONSTOP);
  ::ExitProcess(static_cast<UINT>(-1));
}
