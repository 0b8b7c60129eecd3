#include "tests/e2e/process.h"

#include <stdexcept>

namespace {

RunningProgram Start(const std::filesystem::path& exe, STARTUPINFOW& startup, bool inheritHandles) {
  std::wstring commandLine = L"\"" + exe.wstring() + L"\"";
  const std::wstring folder = exe.parent_path().wstring();
  PROCESS_INFORMATION info{};
  if (!::CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, inheritHandles, 0, nullptr, folder.c_str(),
                        &startup, &info)) {
    throw std::runtime_error("cannot start " + WideToUtf8(exe.wstring()));
  }
  UniqueHandle thread(info.hThread);
  return {UniqueHandle(info.hProcess), info.dwProcessId, info.dwThreadId};
}

}  // namespace

RunningProgram StartProgram(const std::filesystem::path& exe) {
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  return Start(exe, startup, false);
}

std::optional<DWORD> WaitForExit(HANDLE process, std::chrono::milliseconds timeout) {
  if (::WaitForSingleObject(process, static_cast<DWORD>(timeout.count())) != WAIT_OBJECT_0) return std::nullopt;
  DWORD code = 0;
  ::GetExitCodeProcess(process, &code);
  return code;
}

ProgramOutput RunToEnd(const std::filesystem::path& exe) {
  SECURITY_ATTRIBUTES inheritable{};
  inheritable.nLength = sizeof inheritable;
  inheritable.bInheritHandle = TRUE;
  HANDLE readEnd = nullptr;
  HANDLE writeEnd = nullptr;
  if (!::CreatePipe(&readEnd, &writeEnd, &inheritable, 0)) throw std::runtime_error("cannot make a pipe");
  UniqueHandle reader(readEnd);
  UniqueHandle writer(writeEnd);
  ::SetHandleInformation(reader.get(), HANDLE_FLAG_INHERIT, 0);

  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdOutput = writer.get();
  startup.hStdError = writer.get();
  startup.hStdInput = ::GetStdHandle(STD_INPUT_HANDLE);
  RunningProgram program = Start(exe, startup, true);
  writer.reset();  // our copy of the write end must go, or the read below never sees the end

  ProgramOutput output;
  char buffer[4096];
  DWORD got = 0;
  while (::ReadFile(reader.get(), buffer, sizeof buffer, &got, nullptr) && got > 0) {
    output.standardOutput.append(buffer, got);
  }
  const std::optional<DWORD> code = WaitForExit(program.process.get());
  if (!code) {
    ::TerminateProcess(program.process.get(), 1);
    throw std::runtime_error("the program did not end");
  }
  output.exitCode = *code;
  return output;
}
