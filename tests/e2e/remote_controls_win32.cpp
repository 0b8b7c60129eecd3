#include "tests/e2e/remote_controls.h"

#include <commctrl.h>

#include <stdexcept>

#include "tests/e2e/win32_basics.h"

namespace {

// A block of memory inside another process, freed when it goes.
class RemoteBlock {
 public:
  RemoteBlock(HANDLE process, size_t byteCount)
      : process_(process),
        address_(::VirtualAllocEx(process, nullptr, byteCount, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE)) {
    if (!address_) throw std::runtime_error("cannot lend memory to the program");
  }
  ~RemoteBlock() { ::VirtualFreeEx(process_, address_, 0, MEM_RELEASE); }
  RemoteBlock(const RemoteBlock&) = delete;
  RemoteBlock& operator=(const RemoteBlock&) = delete;

  [[nodiscard]] char* Address() const noexcept { return static_cast<char*>(address_); }
  void Write(size_t offset, const void* bytes, size_t byteCount) const {
    if (!::WriteProcessMemory(process_, Address() + offset, bytes, byteCount, nullptr)) {
      throw std::runtime_error("cannot write the program's memory");
    }
  }
  void Read(size_t offset, void* bytes, size_t byteCount) const {
    if (!::ReadProcessMemory(process_, Address() + offset, bytes, byteCount, nullptr)) {
      throw std::runtime_error("cannot read the program's memory");
    }
  }

 private:
  HANDLE process_;
  void* address_;
};

constexpr int kCellCharacters = 1024;

}  // namespace

int ListRowCount(HWND list) { return static_cast<int>(::SendMessageW(list, LVM_GETITEMCOUNT, 0, 0)); }

std::string ListCellText(HANDLE process, HWND list, int row, int column) {
  RemoteBlock block(process, sizeof(LVITEMW) + kCellCharacters * sizeof(wchar_t));
  wchar_t* const remoteText = reinterpret_cast<wchar_t*>(block.Address() + sizeof(LVITEMW));
  LVITEMW item{};
  item.mask = LVIF_TEXT;
  item.iItem = row;
  item.iSubItem = column;
  item.pszText = remoteText;
  item.cchTextMax = kCellCharacters;
  block.Write(0, &item, sizeof item);
  const auto length =
      static_cast<size_t>(::SendMessageW(list, LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(block.Address())));
  // A list that answers with its own buffer (a virtual list) writes that pointer back into the item.
  block.Read(0, &item, sizeof item);
  std::wstring text(length, L'\0');
  if (length == 0) return {};
  if (item.pszText == remoteText) {
    block.Read(sizeof(LVITEMW), text.data(), length * sizeof(wchar_t));
  } else if (!::ReadProcessMemory(process, item.pszText, text.data(), length * sizeof(wchar_t), nullptr)) {
    throw std::runtime_error("cannot read a cell's text");
  }
  return WideToUtf8(text);
}

std::vector<ListRow> ListRows(HANDLE process, HWND list) {
  std::vector<ListRow> rows;
  const int count = ListRowCount(list);
  for (int row = 0; row < count; ++row) {
    rows.push_back({ListCellText(process, list, row, 0), ListCellText(process, list, row, 1),
                    ListCellText(process, list, row, 2)});
  }
  return rows;
}

int ListColumnWidth(HWND list, int column) {
  return static_cast<int>(::SendMessageW(list, LVM_GETCOLUMNWIDTH, column, 0));
}

int ListSelectedRow(HWND list) { return static_cast<int>(::SendMessageW(list, LVM_GETNEXTITEM, -1, LVNI_SELECTED)); }
int ListFocusedRow(HWND list) { return static_cast<int>(::SendMessageW(list, LVM_GETNEXTITEM, -1, LVNI_FOCUSED)); }

POINT ListRowPoint(HANDLE process, HWND list, int row) {
  RemoteBlock block(process, sizeof(RECT));
  RECT bounds{};
  bounds.left = LVIR_LABEL;
  block.Write(0, &bounds, sizeof bounds);
  if (!::SendMessageW(list, LVM_GETITEMRECT, row, reinterpret_cast<LPARAM>(block.Address()))) {
    throw std::runtime_error("the row has no place on screen");
  }
  block.Read(0, &bounds, sizeof bounds);
  POINT centre{(bounds.left + bounds.right) / 2, (bounds.top + bounds.bottom) / 2};
  ::ClientToScreen(list, &centre);
  return centre;
}

std::string StatusBarText(HANDLE process, HWND bar) {
  const auto length = LOWORD(::SendMessageW(bar, SB_GETTEXTLENGTHW, 0, 0));
  RemoteBlock block(process, (length + 1) * sizeof(wchar_t));
  ::SendMessageW(bar, SB_GETTEXTW, 0, reinterpret_cast<LPARAM>(block.Address()));
  std::wstring text(length, L'\0');
  if (length > 0) block.Read(0, text.data(), length * sizeof(wchar_t));
  return WideToUtf8(text);
}

int StatusBarPartCount(HWND bar) { return static_cast<int>(::SendMessageW(bar, SB_GETPARTS, 0, 0)); }

// WM_GETTEXT is carried across processes by the system; GetWindowText would only see the caption.
std::string EditText(HWND edit) {
  const auto length = ::SendMessageW(edit, WM_GETTEXTLENGTH, 0, 0);
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  text.resize(
      static_cast<size_t>(::SendMessageW(edit, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()))));
  return WideToUtf8(text);
}

std::string EditAnsiText(HWND edit) {
  const auto length = ::SendMessageA(edit, WM_GETTEXTLENGTH, 0, 0);
  std::string text(static_cast<size_t>(length) * 2 + 1, '\0');
  text.resize(
      static_cast<size_t>(::SendMessageA(edit, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()))));
  return text;
}
