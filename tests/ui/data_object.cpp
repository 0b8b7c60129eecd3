#include "tests/ui/data_object.h"

#include <shlobj.h>

#include <cstring>

namespace {

class DataObject final : public IDataObject {
 public:
  DataObject(CLIPFORMAT format, std::string payload) : format_(format), payload_(std::move(payload)) {}

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDataObject)) {
      *object = static_cast<IDataObject*>(this);
      AddRef();
      return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(++refCount_); }
  ULONG STDMETHODCALLTYPE Release() override {
    const long count = --refCount_;
    if (count == 0) delete this;
    return static_cast<ULONG>(count);
  }

  HRESULT STDMETHODCALLTYPE GetData(FORMATETC* format, STGMEDIUM* medium) override {
    if (QueryGetData(format) != S_OK) return DV_E_FORMATETC;
    const HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE, payload_.size());
    std::memcpy(::GlobalLock(memory), payload_.data(), payload_.size());
    ::GlobalUnlock(memory);
    medium->tymed = TYMED_HGLOBAL;
    medium->hGlobal = memory;
    medium->pUnkForRelease = nullptr;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC* format) override {
    return format->cfFormat == format_ && (format->tymed & TYMED_HGLOBAL) != 0 ? S_OK : DV_E_FORMATETC;
  }
  HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC*, FORMATETC* out) override {
    out->ptd = nullptr;
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD, IEnumFORMATETC**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override {
    return OLE_E_ADVISENOTSUPPORTED;
  }
  HRESULT STDMETHODCALLTYPE DUnadvise(DWORD) override { return OLE_E_ADVISENOTSUPPORTED; }
  HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA**) override { return OLE_E_ADVISENOTSUPPORTED; }

 private:
  ~DataObject() = default;

  long refCount_ = 1;
  CLIPFORMAT format_;
  std::string payload_;
};

}  // namespace

ComRef<IDataObject> MakeFileListObject(const std::vector<std::string>& paths) {
  DROPFILES header{};
  header.pFiles = sizeof header;
  header.fWide = FALSE;
  std::string payload(reinterpret_cast<const char*>(&header), sizeof header);
  for (const std::string& path : paths) {
    payload += path;
    payload += '\0';
  }
  payload += paths.empty() ? std::string(2, '\0') : std::string(1, '\0');  // the list ends with an empty name
  return ComRef<IDataObject>(new DataObject(CF_HDROP, std::move(payload)));
}

ComRef<IDataObject> MakeTextObject(const std::string& text) {
  return ComRef<IDataObject>(new DataObject(CF_TEXT, text + '\0'));
}
