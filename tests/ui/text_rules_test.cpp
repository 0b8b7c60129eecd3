#include <gtest/gtest.h>

#include <string>

#include "ui/control_behaviour_win32.h"
#include "ui/run_directory.h"
#include "ui/save_dialog_win32.h"

namespace {

TEST(RunDirectory, CutAtTheLastBackslash) {
  struct Case {
    std::string_view path, expected;
  };
  constexpr Case cases[] = {
      {"C:\\Tools\\x.exe", "C:\\Tools"},
      {"C:\\x.exe", "C:"},
      {"x.exe", ""},
      {"", ""},
      {"\\\\server\\share\\d\\q.exe", "\\\\server\\share\\d"},
      {"C:\\\xB9\xA4\xBE\xDF\\x.exe", "C:\\\xB9\xA4\xBE\xDF"},  // GBK folder name
  };
  for (const Case& c : cases) EXPECT_EQ(RunDirectoryOf(c.path), c.expected) << c.path;
}

TEST(SaveDialogFilter, BuiltIntoTheDoubleNulList) {
  using namespace std::string_literals;
  struct Case {
    std::wstring filter, expected;
  };
  const Case cases[] = {
      {L"exe文件|*.exe", L"exe文件\0*.exe\0\0"s},
      {L"*.exe", L"*.exe\0\0"s},
      {L"a|*.a|b|*.b||", L"a\0*.a\0b\0*.b\0\0"s},  // already terminated: not doubled
      {L"", L""},
  };
  for (const Case& c : cases) EXPECT_EQ(BuildFilterList(c.filter), c.expected);
}

TEST(PositionBox, TakesDigitsMinusAndControlKeysOnly) {
  for (wchar_t c = L'0'; c <= L'9'; ++c) EXPECT_TRUE(IsAcceptedPositionChar(c));
  for (const wchar_t c : {L'-', L'\b', L'\x16' /* Ctrl+V */, L'\x03' /* Ctrl+C */, L'\x7F'})
    EXPECT_TRUE(IsAcceptedPositionChar(c)) << int(c);
  for (const wchar_t c : {L'a', L'Z', L' ', L'+', L'.', L'\x4F4D' /* 位 */, L'\xFF11' /* full-width 1 */})
    EXPECT_FALSE(IsAcceptedPositionChar(c)) << int(c);
}

}  // namespace
