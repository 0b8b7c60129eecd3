#include "tests/load/resource_figures.h"

// clang-format off
#include <windows.h>
#include <psapi.h>
#include <winternl.h>
// clang-format on

#include <algorithm>
#include <string_view>
#include <vector>

namespace {

std::uint64_t CommittedPrivateBytes() {
  std::uint64_t bytes = 0;
  MEMORY_BASIC_INFORMATION region{};
  const char* address = nullptr;
  while (::VirtualQuery(address, &region, sizeof region) == sizeof region) {
    if (region.State == MEM_COMMIT && region.Type == MEM_PRIVATE) bytes += region.RegionSize;
    const char* next = static_cast<const char*>(region.BaseAddress) + region.RegionSize;
    if (next <= address) break;  // the top of the address space
    address = next;
  }
  return bytes;
}

// The system's list of every open handle (SystemExtendedHandleInformation), which carries full
// process ids; the handles of this process are counted.
struct HandleEntry {
  PVOID object;
  ULONG_PTR processId;
  ULONG_PTR value;
  ULONG access;
  USHORT creatorTrace;
  USHORT typeIndex;
  ULONG attributes;
  ULONG reserved;
};
struct HandleList {
  ULONG_PTR count;
  ULONG_PTR reserved;
  HandleEntry entries[1];
};
constexpr auto kExtendedHandleInformation = static_cast<SYSTEM_INFORMATION_CLASS>(64);
constexpr NTSTATUS kLengthMismatch = static_cast<NTSTATUS>(0xC0000004);

std::wstring_view Text(const UNICODE_STRING& text) { return {text.Buffer, text.Length / sizeof(wchar_t)}; }

// Wine's save dialog opens the key where it remembers the last folder and never closes it: one
// handle more after every save under Wine, none on Windows. The soak tells these apart from ours.
bool IsDialogMemoryKey(HANDLE handle) {
  alignas(ULONG_PTR) unsigned char answer[2048];
  ULONG length = 0;
  if (::NtQueryObject(handle, ObjectTypeInformation, answer, sizeof answer, &length) != 0) return false;
  // Only keys are asked for their names: asking a pipe can block.
  if (Text(reinterpret_cast<const PUBLIC_OBJECT_TYPE_INFORMATION*>(answer)->TypeName) != L"Key") return false;
  if (::NtQueryObject(handle, ObjectNameInformation, answer, sizeof answer, &length) != 0) return false;
  return Text(reinterpret_cast<const OBJECT_NAME_INFORMATION*>(answer)->Name).ends_with(L"\\ComDlg32\\LastVisitedMRU");
}

void CountListedHandles(ResourceFigures& figures) {
  figures.handlesListed = 0;
  figures.dialogMemoryKeys = 0;
  std::vector<ULONG_PTR> buffer(4096);  // ULONG_PTR keeps the entries aligned
  for (;;) {
    ULONG needed = 0;
    const auto size = static_cast<ULONG>(buffer.size() * sizeof(ULONG_PTR));
    const NTSTATUS status = ::NtQuerySystemInformation(kExtendedHandleInformation, buffer.data(), size, &needed);
    if (status == kLengthMismatch) {
      // Handles opened meanwhile may need more than the answer says.
      buffer.resize(std::max<std::size_t>(needed, size) * 2 / sizeof(ULONG_PTR));
      continue;
    }
    if (status != 0) return;
    const auto& list = *reinterpret_cast<const HandleList*>(buffer.data());
    const ULONG_PTR self = ::GetCurrentProcessId();
    for (ULONG_PTR i = 0; i < list.count; ++i) {
      if (list.entries[i].processId != self) continue;
      ++figures.handlesListed;
      if (IsDialogMemoryKey(reinterpret_cast<HANDLE>(list.entries[i].value))) ++figures.dialogMemoryKeys;
    }
    return;
  }
}

// GDI and USER handles carry a table index in their low word. Wine takes the bare index for any
// live object of the calling process and numbers USER objects 0x20, 0x22, …; Windows, where the
// system's own counters answer, may not, and these counts then come out short.
DWORD LiveGdiObjects() {
  DWORD count = 0;
  for (ULONG index = 0; index <= 0xFFFF; ++index) count += ::GetObjectType(ULongToHandle(index)) != 0 ? 1 : 0;
  return count;
}

void CountMenusAndIcons(ResourceFigures& figures) {
  figures.menus = 0;
  figures.icons = 0;
  for (ULONG index = 0x20; index <= 0xFFFF; index += 2) {
    const HANDLE handle = ULongToHandle(index);
    if (::IsMenu(static_cast<HMENU>(handle))) {
      ++figures.menus;
      continue;
    }
    ICONINFO icon{};
    if (::GetIconInfo(static_cast<HICON>(handle), &icon)) {
      ++figures.icons;
      if (icon.hbmColor != nullptr) ::DeleteObject(icon.hbmColor);
      if (icon.hbmMask != nullptr) ::DeleteObject(icon.hbmMask);
    }
  }
}

BOOL CALLBACK CountChild(HWND, LPARAM count) {
  ++*reinterpret_cast<DWORD*>(count);
  return TRUE;
}

void CountIfOurs(HWND window, DWORD& count) {
  DWORD owner = 0;
  ::GetWindowThreadProcessId(window, &owner);
  if (owner != ::GetCurrentProcessId()) return;
  ++count;
  ::EnumChildWindows(window, CountChild, reinterpret_cast<LPARAM>(&count));
}

BOOL CALLBACK CountTopLevel(HWND window, LPARAM count) {
  CountIfOurs(window, *reinterpret_cast<DWORD*>(count));
  return TRUE;
}

DWORD OwnWindows() {
  DWORD count = 0;
  ::EnumWindows(CountTopLevel, reinterpret_cast<LPARAM>(&count));
  // Message-only windows are not top-level windows: they are found under HWND_MESSAGE.
  for (HWND window = nullptr; (window = ::FindWindowExW(HWND_MESSAGE, window, nullptr, nullptr)) != nullptr;) {
    CountIfOurs(window, count);
  }
  return count;
}

}  // namespace

void MeasureThisProcess(ResourceFigures& figures) {
  const HANDLE self = ::GetCurrentProcess();
  PROCESS_MEMORY_COUNTERS_EX memory{};
  memory.cb = sizeof memory;
  if (::GetProcessMemoryInfo(self, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory), sizeof memory)) {
    figures.privateUsage = memory.PrivateUsage;
    figures.workingSet = memory.WorkingSetSize;
  }
  figures.handleCount = 0;
  ::GetProcessHandleCount(self, &figures.handleCount);
  figures.gdiCount = ::GetGuiResources(self, GR_GDIOBJECTS);
  figures.userCount = ::GetGuiResources(self, GR_USEROBJECTS);

  figures.privateCommitted = CommittedPrivateBytes();
  CountListedHandles(figures);
  figures.windows = OwnWindows();
  CountMenusAndIcons(figures);  // before the GDI count: it makes and deletes bitmaps
  figures.gdiObjects = LiveGdiObjects();
}
