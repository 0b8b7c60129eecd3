#include <windows.h>

#include "tests/skin/test_folder_win32.h"

#include <filesystem>
#include <fstream>
#include <iterator>

#include "core/win32/unique_handles.h"

namespace {

void RemoveTree(const std::wstring& path) {
  WIN32_FIND_DATAW found{};
  const UniqueFind find(::FindFirstFileW((path + L"\\*").c_str(), &found));
  if (find) {
    do {
      const std::wstring name = found.cFileName;
      if (name == L"." || name == L"..") continue;
      const std::wstring child = path + L"\\" + name;
      ::SetFileAttributesW(child.c_str(), FILE_ATTRIBUTE_NORMAL);
      if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        RemoveTree(child);
      } else {
        ::DeleteFileW(child.c_str());
      }
    } while (::FindNextFileW(find.get(), &found));
  }
  ::RemoveDirectoryW(path.c_str());
}

struct ChildWindows {
  DWORD processId;
  HWND box = nullptr;
};

BOOL CALLBACK FindBox(HWND window, LPARAM data) {
  auto& search = *reinterpret_cast<ChildWindows*>(data);
  DWORD owner = 0;
  ::GetWindowThreadProcessId(window, &owner);
  wchar_t className[16] = {};
  ::GetClassNameW(window, className, 16);
  if (owner == search.processId && std::wstring(className) == L"#32770" && ::IsWindowVisible(window)) {
    search.box = window;
    return FALSE;
  }
  return TRUE;
}

BOOL CALLBACK CollectText(HWND window, LPARAM data) {
  wchar_t text[512] = {};
  ::GetWindowTextW(window, text, 512);
  *reinterpret_cast<std::wstring*>(data) += std::wstring(text) + L"\n";
  return TRUE;
}

}  // namespace

TestFolder::TestFolder() {
  wchar_t temp[MAX_PATH] = {};
  ::GetTempPathW(MAX_PATH, temp);
  static int serial = 0;
  path_ = std::wstring(temp) + L"qvskin-test-" + std::to_wstring(::GetCurrentProcessId()) + L"-" +
          std::to_wstring(++serial);
  if (!path_.empty() && path_.back() == L'\\') path_.pop_back();
  RemoveTree(path_);
  ::CreateDirectoryW(path_.c_str(), nullptr);
}

TestFolder::~TestFolder() { RemoveTree(path_); }

std::wstring BuildFolder() {
  wchar_t path[MAX_PATH] = {};
  ::GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring folder = path;
  return folder.substr(0, folder.rfind(L'\\'));
}

Bytes ReadBytes(const std::wstring& path) {
  std::ifstream in(std::filesystem::path(path), std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteBytes(const std::wstring& path, const Bytes& bytes) {
  std::ofstream out(std::filesystem::path(path), std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

ChildRun RunChild(const std::wstring& program, const std::wstring& arguments) {
  ChildRun run;
  std::wstring commandLine = L"\"" + program + L"\" " + arguments;
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION process{};
  if (!::CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process)) {
    return run;
  }
  const UniqueHandle child(process.hProcess), thread(process.hThread);
  for (int waited = 0; waited < 600; ++waited) {  // at most a minute
    if (::WaitForSingleObject(child.get(), 100) == WAIT_OBJECT_0) {
      run.finished = true;
      break;
    }
    ChildWindows search{process.dwProcessId};
    ::EnumWindows(FindBox, reinterpret_cast<LPARAM>(&search));
    if (search.box != nullptr && run.boxText.empty()) {
      std::wstring texts;
      CollectText(search.box, reinterpret_cast<LPARAM>(&texts));
      ::EnumChildWindows(search.box, CollectText, reinterpret_cast<LPARAM>(&texts));
      // Answer only once the box has its message: it may be found while still being built.
      if (texts.find(L"Qv") != std::wstring::npos) {
        run.boxText = texts;
        ::PostMessageW(search.box, WM_COMMAND, IDOK, 0);
      }
    }
  }
  if (!run.finished) ::TerminateProcess(child.get(), 99);
  ::GetExitCodeProcess(child.get(), &run.exitCode);
  return run;
}
