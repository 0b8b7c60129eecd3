#include "ui/text_win32.h"

namespace {

std::wstring WideFrom(UINT codePage, std::string_view text) {
  if (text.empty()) return {};
  const int length = ::MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(length), L'\0');
  ::MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), wide.data(), length);
  return wide;
}

}  // namespace

std::wstring WideFromUtf8(std::u8string_view text) {
  return WideFrom(CP_UTF8, {reinterpret_cast<const char*>(text.data()), text.size()});
}

std::wstring WideFromAnsi(std::string_view text) { return WideFrom(CP_ACP, text); }

std::string AnsiFromWide(std::wstring_view text) {
  if (text.empty()) return {};
  const int size = static_cast<int>(text.size());
  const int length =
      ::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.data(), size, nullptr, 0, nullptr, nullptr);
  std::string ansi(static_cast<std::size_t>(length), '\0');
  ::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.data(), size, ansi.data(), length, nullptr, nullptr);
  return ansi;
}

std::string WindowAnsiText(HWND window) {
  const int length = ::GetWindowTextLengthW(window);
  std::wstring wide(static_cast<std::size_t>(length) + 1, L'\0');
  const int copied = ::GetWindowTextW(window, wide.data(), length + 1);
  wide.resize(static_cast<std::size_t>(copied));
  return AnsiFromWide(wide);
}

void SetWindowAnsiText(HWND window, std::string_view text) { ::SetWindowTextW(window, WideFromAnsi(text).c_str()); }
