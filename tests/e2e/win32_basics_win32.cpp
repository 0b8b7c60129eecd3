#include "tests/e2e/win32_basics.h"

namespace {

std::wstring ToWide(UINT codePage, std::string_view bytes) {
  if (bytes.empty()) return {};
  const int size = static_cast<int>(bytes.size());
  std::wstring wide(::MultiByteToWideChar(codePage, 0, bytes.data(), size, nullptr, 0), L'\0');
  ::MultiByteToWideChar(codePage, 0, bytes.data(), size, wide.data(), static_cast<int>(wide.size()));
  return wide;
}

std::string FromWide(UINT codePage, std::wstring_view wide) {
  if (wide.empty()) return {};
  const int size = static_cast<int>(wide.size());
  std::string bytes(::WideCharToMultiByte(codePage, 0, wide.data(), size, nullptr, 0, nullptr, nullptr), '\0');
  ::WideCharToMultiByte(codePage, 0, wide.data(), size, bytes.data(), static_cast<int>(bytes.size()), nullptr, nullptr);
  return bytes;
}

}  // namespace

std::wstring Utf8ToWide(std::string_view utf8) { return ToWide(CP_UTF8, utf8); }
std::string WideToUtf8(std::wstring_view wide) { return FromWide(CP_UTF8, wide); }
std::string Utf8ToAnsi(std::string_view utf8) { return FromWide(CP_ACP, ToWide(CP_UTF8, utf8)); }
std::string WideToAnsi(std::wstring_view wide) { return FromWide(CP_ACP, wide); }

std::filesystem::path WindowsPath(std::string path) {
  if (path.starts_with('/')) path = "Z:" + path;
  for (char& c : path) c = c == '/' ? '\\' : c;
  return std::filesystem::path(Utf8ToWide(path));
}

std::filesystem::path BesideThisProgram(std::wstring_view name) {
  wchar_t self[MAX_PATH];
  ::GetModuleFileNameW(nullptr, self, MAX_PATH);
  return std::filesystem::path(self).parent_path() / name;
}
