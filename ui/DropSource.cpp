// OLE start and end, the drop source with its data object, and the format enumerator.
#include "ui/DropSource.h"

#include <shlobj.h>

#include <algorithm>
#include <cstring>

#include "ui/Application.h"
#include "ui/SystemLibraries.h"
#include "ui/ShellLibraries.h"
#include "ui/WideText.h"

namespace tessarin {
namespace {

ClipboardFormats& Formats() {
  static ClipboardFormats formats;
  return formats;
}

// The file descriptor handed out for "FileGroupDescriptor": one item, a text scrap file.
constexpr DWORD kDescriptorFlags = 0x8000;
constexpr const char* kScrapFileName = "Text Scrap File.txt";
static_assert(sizeof(FILEGROUPDESCRIPTORA) == 336, "one file descriptor with its item count");

// The image-list drag functions, from the system folder's comctl32.dll (never imported
// statically); only a drag with an image needs them.
struct ImageListApi {
  decltype(&::ImageList_GetImageCount) GetImageCount = nullptr;
  decltype(&::ImageList_BeginDrag) BeginDrag = nullptr;
  decltype(&::ImageList_DragEnter) DragEnter = nullptr;
  decltype(&::ImageList_DragMove) DragMove = nullptr;
  decltype(&::ImageList_DragLeave) DragLeave = nullptr;
  decltype(&::ImageList_EndDrag) EndDrag = nullptr;
  bool Complete() const {
    return GetImageCount && BeginDrag && DragEnter && DragMove && DragLeave && EndDrag;
  }
};

const ImageListApi& ImageLists() {
  static const ImageListApi api = [] {
    ImageListApi a;
    if (HMODULE module = ui::LoadSystemLibrary("comctl32.dll")) {
      ui::LoadProc(module, a.GetImageCount, "ImageList_GetImageCount");
      ui::LoadProc(module, a.BeginDrag, "ImageList_BeginDrag");
      ui::LoadProc(module, a.DragEnter, "ImageList_DragEnter");
      ui::LoadProc(module, a.DragMove, "ImageList_DragMove");
      ui::LoadProc(module, a.DragLeave, "ImageList_DragLeave");
      ui::LoadProc(module, a.EndDrag, "ImageList_EndDrag");
    }
    return a.Complete() ? a : ImageListApi{};
  }();
  return api;
}

}  // namespace

const ClipboardFormats& RegisteredFormats() { return Formats(); }

OleSession::OleSession() : ole_(ui::late::OleInitialize(nullptr)) {
  ClipboardFormats& f = Formats();
  f.FileContents = RegisterClipboardFormatA("FileContents");
  f.FileGroupDescriptor = RegisterClipboardFormatA("FileGroupDescriptor");
  f.ShellIDListArray = RegisterClipboardFormatA("Shell IDList Array");
  f.PreferredDropEffect = RegisterClipboardFormatA("Preferred DropEffect");
  f.UniformResourceLocator = RegisterClipboardFormatA("UniformResourceLocator");
  f.FileNameMap = RegisterClipboardFormatA("FileNameMap");
  f.FileNameMapW = RegisterClipboardFormatA("FileNameMapW");
  if (FAILED(ui::late::SHGetMalloc(&malloc_))) malloc_ = nullptr;
}

OleSession::~OleSession() {
  if (malloc_) malloc_->Release();
  if (SUCCEEDED(ole_)) ui::late::OleUninitialize();
}

// --- DropSource -----------------------------------------------------------------------

void DropSource::SetImages(HIMAGELIST images) {
  images_ = images;
  if (!images_) {
    imageIndex_ = 0;
    showImage_ = false;
  }
}

void DropSource::SetImageIndex(int index) {
  const int count = images_ && ImageLists().GetImageCount ? ImageLists().GetImageCount(images_) : 0;
  if (index < 0 || count == 0) {
    imageIndex_ = 0;
    showImage_ = false;
  } else if (index < count) {
    imageIndex_ = index;
  }
}

void DropSource::SetShowImage(bool show) { showImage_ = show && images_; }

void DropSource::AddFormatEtc(CLIPFORMAT format, DVTARGETDEVICE* device, DWORD aspect, LONG index,
                              DWORD tymed) {
  if (formatCount_ >= kMaxFormats) return;
  formats_[formatCount_++] = FORMATETC{format, device, aspect, index, tymed};
}

void DropSource::RemoveFormatEtc(CLIPFORMAT format) {
  const auto end =
      std::remove_if(formats_.begin(), formats_.begin() + static_cast<std::ptrdiff_t>(formatCount_),
                     [format](const FORMATETC& listed) { return listed.cfFormat == format; });
  formatCount_ = static_cast<std::size_t>(end - formats_.begin());
}

bool DropSource::Lists(CLIPFORMAT format) const {
  return std::any_of(formats_.begin(), formats_.begin() + static_cast<std::ptrdiff_t>(formatCount_),
                     [format](const FORMATETC& listed) { return listed.cfFormat == format; });
}

const std::u16string& DropSource::DataUnicodeText() const {
  static const std::u16string none;
  return none;
}

DragResult DropSource::Execute() {
  lastEffect_ = DROPEFFECT_NONE;
  const ImageListApi& lists = ImageLists();
  const bool image = showImage_ && images_ && lists.BeginDrag;
  if (image) {
    POINT pt{};
    GetCursorPos(&pt);
    lists.BeginDrag(images_, imageIndex_, ImageHotSpotX, ImageHotSpotY);
    lists.DragEnter(nullptr, pt.x, pt.y);
  }
  DWORD effect = DROPEFFECT_NONE;
  const HRESULT hr = ui::late::DoDragDrop(static_cast<IDataObject*>(this), static_cast<IDropSource*>(this),
                                          Dragtypes, &effect);
  if (image) {
    lists.DragLeave(nullptr);
    lists.EndDrag();
  }
  if (hr == DRAGDROP_S_DROP) {
    const DWORD allowed = effect & Dragtypes;
    if (allowed & DROPEFFECT_COPY) return drDropCopy;
    if (allowed & DROPEFFECT_MOVE) return drDropMove;
    if (allowed & DROPEFFECT_LINK) return drDropLink;
    return drCancel;
  }
  if (hr == DRAGDROP_S_CANCEL) return drCancel;
  if (hr == E_OUTOFMEMORY) return drOutMemory;
  return drUnknown;
}

STDMETHODIMP DropSource::QueryInterface(REFIID iid, void** object) {
  if (!object) return E_POINTER;
  if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDropSource)) {
    *object = static_cast<IDropSource*>(this);
  } else if (IsEqualIID(iid, IID_IDataObject)) {
    *object = static_cast<IDataObject*>(this);
  } else {
    *object = nullptr;
    return E_NOINTERFACE;
  }
  AddRef();
  return S_OK;
}

STDMETHODIMP DropSource::QueryContinueDrag(BOOL escapePressed, DWORD keyState) {
  if (escapePressed) return DRAGDROP_S_CANCEL;
  if (keyState & (MK_LBUTTON | MK_RBUTTON)) return S_OK;
  DragType type;
  if (lastEffect_ & DROPEFFECT_COPY) {
    type = dtCopy;
  } else if (lastEffect_ & DROPEFFECT_MOVE) {
    type = dtMove;
  } else if (lastEffect_ & DROPEFFECT_LINK) {
    type = dtLink;
  } else {
    return DRAGDROP_S_CANCEL;
  }
  if (!(Dragtypes & DragTypeBit(type))) return DRAGDROP_S_CANCEL;
  bool continueDrop = true;
  try {
    if (OnDrop) OnDrop(*this, type, continueDrop);
  } catch (...) {
    ui::Application::Instance().HandleException();
    return DRAGDROP_S_CANCEL;
  }
  return continueDrop ? DRAGDROP_S_DROP : DRAGDROP_S_CANCEL;
}

STDMETHODIMP DropSource::GiveFeedback(DWORD effect) {
  lastEffect_ = effect;
  if (showImage_ && images_ && ImageLists().DragMove) {
    POINT pt{};
    GetCursorPos(&pt);
    ImageLists().DragMove(pt.x, pt.y);
  }
  bool useDefaultCursors = true;
  try {
    if (OnFeedback) OnFeedback(*this, effect, useDefaultCursors);
  } catch (...) {
    ui::Application::Instance().HandleException();
    useDefaultCursors = true;
  }
  return useDefaultCursors ? DRAGDROP_S_USEDEFAULTCURSORS : S_OK;
}

STDMETHODIMP DropSource::GetData(FORMATETC* format, STGMEDIUM* medium) {
  if (!medium) return E_INVALIDARG;
  *medium = STGMEDIUM{};
  if (!format) return E_INVALIDARG;
  try {
    return GetDataUnsafe(*format, *medium);
  } catch (...) {
    ui::Application::Instance().HandleException();
    return E_UNEXPECTED;
  }
}

HRESULT DropSource::GetDataUnsafe(const FORMATETC& format, STGMEDIUM& medium) {
  const ClipboardFormats& registered = RegisteredFormats();
  const bool text =
      format.cfFormat == CF_TEXT || (registered.FileContents && format.cfFormat == registered.FileContents);
  const bool descriptor = registered.FileGroupDescriptor && format.cfFormat == registered.FileGroupDescriptor;
  // A text beyond the ANSI code page is not handed out as ANSI text, nor as UTF-16 unless listed.
  const bool unicode = format.cfFormat == CF_UNICODETEXT && Lists(CF_UNICODETEXT);
  if (!(text || descriptor || unicode) || format.dwAspect != DVASPECT_CONTENT ||
      !(format.tymed & TYMED_HGLOBAL) || (format.cfFormat == CF_TEXT && !Lists(CF_TEXT)))
    return DV_E_FORMATETC;
  const std::string& data = DataText();
  const std::u16string& wide = DataUnicodeText();
  const SIZE_T size = unicode ? (wide.size() + 1) * sizeof(char16_t)
                      : text  ? data.size() + 1
                              : sizeof(FILEGROUPDESCRIPTORA);
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT | GMEM_SHARE, size);
  if (!block) return E_OUTOFMEMORY;
  void* bytes = GlobalLock(block);
  if (!bytes) {
    GlobalFree(block);
    return E_OUTOFMEMORY;
  }
  if (unicode) {
    std::memcpy(bytes, wide.c_str(), size);
  } else if (text) {
    std::memcpy(bytes, data.c_str(), size);
  } else {
    auto* group = static_cast<FILEGROUPDESCRIPTORA*>(bytes);
    group->cItems = 1;
    group->fgd[0].dwFlags = kDescriptorFlags;
    std::strcpy(group->fgd[0].cFileName, kScrapFileName);
  }
  GlobalUnlock(block);
  medium.tymed = TYMED_HGLOBAL;
  medium.hGlobal = block;
  medium.pUnkForRelease = nullptr;
  return S_OK;
}

STDMETHODIMP DropSource::GetDataHere(FORMATETC*, STGMEDIUM*) { return E_NOTIMPL; }

STDMETHODIMP DropSource::QueryGetData(FORMATETC* format) {
  if (!format) return E_INVALIDARG;
  for (std::size_t i = 0; i < formatCount_; ++i) {
    const FORMATETC& listed = formats_[i];
    if (listed.cfFormat == format->cfFormat && listed.dwAspect == format->dwAspect &&
        (listed.tymed & format->tymed))
      return S_OK;
  }
  return E_FAIL;
}

STDMETHODIMP DropSource::GetCanonicalFormatEtc(FORMATETC* in, FORMATETC* out) {
  if (out) {
    if (in) *out = *in;
    out->ptd = nullptr;
  }
  return DATA_S_SAMEFORMATETC;
}

STDMETHODIMP DropSource::SetData(FORMATETC*, STGMEDIUM*, BOOL) { return E_NOTIMPL; }

STDMETHODIMP DropSource::EnumFormatEtc(DWORD direction, IEnumFORMATETC** enumerator) {
  if (!enumerator) return E_INVALIDARG;
  *enumerator = nullptr;
  if (direction == DATADIR_SET) return E_NOTIMPL;
  if (direction != DATADIR_GET) return E_INVALIDARG;
  try {
    *enumerator = new FormatEnumerator(std::make_shared<const FormatList>(formats_), formatCount_);
    return S_OK;
  } catch (...) {
    return E_OUTOFMEMORY;
  }
}

STDMETHODIMP DropSource::DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) { return OLE_E_ADVISENOTSUPPORTED; }

STDMETHODIMP DropSource::DUnadvise(DWORD) { return OLE_E_ADVISENOTSUPPORTED; }

STDMETHODIMP DropSource::EnumDAdvise(IEnumSTATDATA** enumerator) {
  if (enumerator) *enumerator = nullptr;
  return OLE_E_ADVISENOTSUPPORTED;
}

// --- DropTextSource -------------------------------------------------------------------

DropTextSource::DropTextSource() { AddFormatEtc(CF_TEXT, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL); }

void DropTextSource::SetUnicodeText(std::u16string text) {
  unicodeText_ = std::move(text);
  RemoveFormatEtc(CF_UNICODETEXT);
  RemoveFormatEtc(CF_TEXT);
  AddFormatEtc(CF_UNICODETEXT, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL);
  if (ui::ToAnsi(unicodeText_, Text)) AddFormatEtc(CF_TEXT, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL);
}

void DropTextSource::ClearUnicodeText() {
  unicodeText_.clear();
  RemoveFormatEtc(CF_UNICODETEXT);
  RemoveFormatEtc(CF_TEXT);
  AddFormatEtc(CF_TEXT, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL);
}

// --- FormatEnumerator ---------------------------------------------------------------------

FormatEnumerator::FormatEnumerator(std::shared_ptr<const FormatList> formats, std::size_t count,
                                   std::size_t index)
    : formats_(std::move(formats)),
      count_(std::min(count, DropSource::kMaxFormats)),
      index_(std::min(index, count_)) {}

STDMETHODIMP FormatEnumerator::QueryInterface(REFIID iid, void** object) {
  if (!object) return E_POINTER;
  if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IEnumFORMATETC)) {
    *object = static_cast<IEnumFORMATETC*>(this);
    AddRef();
    return S_OK;
  }
  *object = nullptr;
  return E_NOINTERFACE;
}

STDMETHODIMP FormatEnumerator::Next(ULONG count, FORMATETC* formats, ULONG* fetched) {
  if (fetched) *fetched = 0;
  if (!formats || (count > 1 && !fetched)) return E_INVALIDARG;
  const std::size_t n = std::min<std::size_t>(count, count_ - index_);
  std::copy_n(formats_->begin() + static_cast<std::ptrdiff_t>(index_), n, formats);
  index_ += n;
  if (fetched) *fetched = static_cast<ULONG>(n);
  return n == count ? S_OK : S_FALSE;
}

STDMETHODIMP FormatEnumerator::Skip(ULONG count) {
  if (count > count_ - index_) {
    index_ = count_;
    return S_FALSE;
  }
  index_ += count;
  return S_OK;
}

STDMETHODIMP FormatEnumerator::Reset() {
  index_ = 0;
  return S_OK;
}

STDMETHODIMP FormatEnumerator::Clone(IEnumFORMATETC** clone) {
  if (!clone) return E_INVALIDARG;
  try {
    *clone = new FormatEnumerator(formats_, count_, index_);
    return S_OK;
  } catch (...) {
    *clone = nullptr;
    return E_OUTOFMEMORY;
  }
}

}  // namespace tessarin
