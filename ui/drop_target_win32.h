#pragma once

// 拖放对象1: the window's OLE drop target. It takes the shell's list of dropped files only and
// turns it into the dropped-path text: one path alone, or several paths each followed by CR LF.

#include <windows.h>

#include <ole2.h>
#include <shellapi.h>

#include <functional>
#include <string>
#include <string_view>

#include "core/win32/unique.h"
#include "ui/com_ref.h"

struct DragDropRegistrationTraits {
  using Handle = HWND;
  static Handle Invalid() noexcept { return nullptr; }
  static void Close(Handle window) noexcept { ::RevokeDragDrop(window); }
};
using UniqueDragDropRegistration = Unique<DragDropRegistrationTraits>;

class DropTarget final : public IDropTarget {
 public:
  using FilesDropped = std::function<void(std::string_view droppedPathText)>;

  // A new component holding one reference, which the caller owns.
  [[nodiscard]] static ComRef<DropTarget> Create(FilesDropped filesDropped);

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;

  HRESULT STDMETHODCALLTYPE DragEnter(IDataObject* data, DWORD keyState, POINTL point, DWORD* effect) override;
  HRESULT STDMETHODCALLTYPE DragOver(DWORD keyState, POINTL point, DWORD* effect) override;
  HRESULT STDMETHODCALLTYPE DragLeave() override;
  HRESULT STDMETHODCALLTYPE Drop(IDataObject* data, DWORD keyState, POINTL point, DWORD* effect) override;

  [[nodiscard]] bool IsRegistered() const noexcept { return static_cast<bool>(registration_); }
  // Withdraws the registration; the window is going.
  void Revoke() noexcept { registration_.reset(); }

 private:
  explicit DropTarget(FilesDropped filesDropped) : filesDropped_(std::move(filesDropped)) {}
  ~DropTarget() = default;

  friend bool RegisterDropTarget(DropTarget& target, HWND window);

  LONG refCount_ = 1;
  bool offerHasFiles_ = false;
  FilesDropped filesDropped_;
  UniqueDragDropRegistration registration_;
};

// Makes `target` the OLE drop target of `window`. False when it is registered already (the first
// registration stays) or the system refuses; OLE must be initialised on this thread.
bool RegisterDropTarget(DropTarget& target, HWND window);

// The dropped-path text of a shell file list, paths in the system code page.
[[nodiscard]] std::string DroppedPathText(HDROP drop);
