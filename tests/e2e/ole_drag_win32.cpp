#include "tests/e2e/ole_drag.h"

#include <ole2.h>
#include <shellapi.h>
#include <shlobj.h>

#include <cstring>
#include <stdexcept>
#include <string>

#include "tests/e2e/win32_basics.h"

namespace {

class DataObject final : public IDataObject {
 public:
  DataObject(CLIPFORMAT format, std::string bytes)
      : format_{format, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL}, bytes_(std::move(bytes)) {}

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** object) override {
    if (id == IID_IUnknown || id == IID_IDataObject) {
      *object = static_cast<IDataObject*>(this);
      AddRef();
      return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
  ULONG STDMETHODCALLTYPE Release() override {
    const ULONG left = --references_;
    if (left == 0) delete this;
    return left;
  }

  HRESULT STDMETHODCALLTYPE GetData(FORMATETC* wanted, STGMEDIUM* medium) override {
    if (QueryGetData(wanted) != S_OK) return DV_E_FORMATETC;
    HGLOBAL global = ::GlobalAlloc(GMEM_MOVEABLE, bytes_.size());
    if (!global) return E_OUTOFMEMORY;
    std::memcpy(::GlobalLock(global), bytes_.data(), bytes_.size());
    ::GlobalUnlock(global);
    *medium = STGMEDIUM{};
    medium->tymed = TYMED_HGLOBAL;
    medium->hGlobal = global;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC* wanted) override {
    const bool matches = wanted && wanted->cfFormat == format_.cfFormat && (wanted->tymed & TYMED_HGLOBAL) &&
                         wanted->dwAspect == DVASPECT_CONTENT;
    return matches ? S_OK : DV_E_FORMATETC;
  }
  HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC*, FORMATETC* out) override {
    out->ptd = nullptr;
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD direction, IEnumFORMATETC** formats) override {
    if (direction != DATADIR_GET) return E_NOTIMPL;
    return ::SHCreateStdEnumFmtEtc(1, &format_, formats);
  }
  HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override {
    return OLE_E_ADVISENOTSUPPORTED;
  }
  HRESULT STDMETHODCALLTYPE DUnadvise(DWORD) override { return OLE_E_ADVISENOTSUPPORTED; }
  HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA**) override { return OLE_E_ADVISENOTSUPPORTED; }

 private:
  ~DataObject() = default;

  FORMATETC format_;
  std::string bytes_;
  ULONG references_ = 1;
};

// Lets go at the first question, so the drop happens where the pointer already is.
class DropAtOnce final : public IDropSource {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** object) override {
    if (id == IID_IUnknown || id == IID_IDropSource) {
      *object = static_cast<IDropSource*>(this);
      return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return 2; }  // lives on the stack of Drag
  ULONG STDMETHODCALLTYPE Release() override { return 1; }
  HRESULT STDMETHODCALLTYPE QueryContinueDrag(BOOL escapePressed, DWORD) override {
    return escapePressed ? DRAGDROP_S_CANCEL : DRAGDROP_S_DROP;
  }
  HRESULT STDMETHODCALLTYPE GiveFeedback(DWORD) override { return DRAGDROP_S_USEDEFAULTCURSORS; }
};

DWORD Drag(POINT where, CLIPFORMAT format, std::string bytes) {
  ::SetCursorPos(where.x, where.y);
  DataObject* data = new DataObject(format, std::move(bytes));
  DropAtOnce source;
  DWORD effect = DROPEFFECT_NONE;
  const HRESULT result = ::DoDragDrop(data, &source, DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK, &effect);
  data->Release();
  if (FAILED(result)) throw std::runtime_error("DoDragDrop failed");
  return result == DRAGDROP_S_DROP ? effect : DROPEFFECT_NONE;
}

// DROPFILES followed by each path and its terminating zero, and one more zero at the end.
template <class Character>
std::string FileList(const std::vector<std::basic_string<Character>>& paths, bool wide) {
  DROPFILES header{};
  header.pFiles = sizeof(DROPFILES);
  header.fWide = wide;
  std::string bytes(reinterpret_cast<const char*>(&header), sizeof header);
  for (const auto& path : paths) {
    bytes.append(reinterpret_cast<const char*>(path.c_str()), (path.size() + 1) * sizeof(Character));
  }
  bytes.append(sizeof(Character), '\0');
  return bytes;
}

}  // namespace

DWORD DropFiles(POINT where, const std::vector<std::filesystem::path>& paths, PathCharacters characters) {
  std::string list;
  if (characters == PathCharacters::Wide) {
    std::vector<std::wstring> wide;
    for (const auto& path : paths) wide.push_back(path.wstring());
    list = FileList(wide, true);
  } else {
    std::vector<std::string> ansi;
    for (const auto& path : paths) ansi.push_back(WideToAnsi(path.wstring()));
    list = FileList(ansi, false);
  }
  return Drag(where, CF_HDROP, std::move(list));
}

DWORD DropData(POINT where, std::wstring_view formatName, std::string_view bytes) {
  const CLIPFORMAT format = formatName == L"Text"
                                ? CF_TEXT
                                : static_cast<CLIPFORMAT>(::RegisterClipboardFormatW(std::wstring(formatName).c_str()));
  std::string data(bytes);
  data.push_back('\0');
  return Drag(where, format, std::move(data));
}
