#include "ui/drop_target_win32.h"

#include <vector>

#include "core/dropped_paths.h"

namespace {

FORMATETC FileListFormat() { return {CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL}; }

bool OffersFiles(IDataObject* data) {
  FORMATETC format = FileListFormat();
  return data != nullptr && data->QueryGetData(&format) == S_OK;
}

// Copy or link, never move: a source told "moved" may delete the file the user dropped.
DWORD ChooseEffect(bool accepted, DWORD allowed) {
  if (!accepted) return DROPEFFECT_NONE;
  if ((allowed & DROPEFFECT_COPY) != 0) return DROPEFFECT_COPY;
  if ((allowed & DROPEFFECT_LINK) != 0) return DROPEFFECT_LINK;
  return DROPEFFECT_NONE;
}

struct StorageMediumReleaser {
  STGMEDIUM& medium;
  ~StorageMediumReleaser() { ::ReleaseStgMedium(&medium); }
};

}  // namespace

ComRef<DropTarget> DropTarget::Create(FilesDropped filesDropped) {
  return ComRef<DropTarget>(new DropTarget(std::move(filesDropped)));
}

HRESULT DropTarget::QueryInterface(REFIID iid, void** object) {
  if (object == nullptr) return E_POINTER;
  if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDropTarget)) {
    *object = static_cast<IDropTarget*>(this);
    AddRef();
    return S_OK;
  }
  *object = nullptr;
  return E_NOINTERFACE;
}

ULONG DropTarget::AddRef() { return static_cast<ULONG>(::InterlockedIncrement(&refCount_)); }

ULONG DropTarget::Release() {
  const LONG count = ::InterlockedDecrement(&refCount_);
  if (count == 0) delete this;
  return static_cast<ULONG>(count);
}

HRESULT DropTarget::DragEnter(IDataObject* data, DWORD, POINTL, DWORD* effect) {
  if (effect == nullptr) return E_INVALIDARG;
  offerHasFiles_ = OffersFiles(data);
  *effect = ChooseEffect(offerHasFiles_, *effect);
  return S_OK;
}

HRESULT DropTarget::DragOver(DWORD, POINTL, DWORD* effect) {
  if (effect == nullptr) return E_INVALIDARG;
  *effect = ChooseEffect(offerHasFiles_, *effect);
  return S_OK;
}

HRESULT DropTarget::DragLeave() {
  offerHasFiles_ = false;
  return S_OK;
}

HRESULT DropTarget::Drop(IDataObject* data, DWORD, POINTL, DWORD* effect) {
  if (effect == nullptr) return E_INVALIDARG;
  const DWORD chosen = ChooseEffect(OffersFiles(data), *effect);
  offerHasFiles_ = false;
  *effect = DROPEFFECT_NONE;
  if (chosen == DROPEFFECT_NONE) return S_OK;
  FORMATETC format = FileListFormat();
  STGMEDIUM medium{};
  if (data->GetData(&format, &medium) != S_OK) return S_OK;
  std::string droppedPathText;
  {
    StorageMediumReleaser releaser{medium};
    const auto drop = static_cast<HDROP>(::GlobalLock(medium.hGlobal));
    if (drop == nullptr) return S_OK;
    droppedPathText = DroppedPathText(drop);
    ::GlobalUnlock(medium.hGlobal);
  }
  if (droppedPathText.empty()) return S_OK;  // an empty list drops nothing
  *effect = chosen;
  // The file is read before the drop returns to the source, as the user expects of a drop.
  if (filesDropped_) filesDropped_(droppedPathText);
  return S_OK;
}

bool RegisterDropTarget(DropTarget& target, HWND window) {
  if (target.registration_) return false;
  if (::RegisterDragDrop(window, &target) != S_OK) return false;
  target.registration_.reset(window);
  return true;
}

std::string DroppedPathText(HDROP drop) {
  const UINT count = ::DragQueryFileA(drop, 0xFFFFFFFF, nullptr, 0);
  std::vector<std::string> paths;
  paths.reserve(count);
  for (UINT i = 0; i < count; ++i) {
    const UINT length = ::DragQueryFileA(drop, i, nullptr, 0);
    std::string path(length, '\0');
    ::DragQueryFileA(drop, i, path.data(), length + 1);
    paths.push_back(std::move(path));
  }
  return JoinDroppedPaths(paths);
}
