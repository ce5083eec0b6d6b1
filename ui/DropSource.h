// The drag-and-drop text source: a component that is at once the OLE drop source and the data object.
#pragma once
#include <windows.h>
// After windows.h:
#include <commctrl.h>
#include <objidl.h>
#include <ole2.h>

#include <array>
#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <utility>

#include "ui/ComObject.h"

namespace tessarin {

// The clipboard formats registered when the program starts (0 before).
struct ClipboardFormats {
  UINT FileContents = 0, FileGroupDescriptor = 0, ShellIDListArray = 0, PreferredDropEffect = 0,
       UniformResourceLocator = 0, FileNameMap = 0, FileNameMapW = 0;
};
const ClipboardFormats& RegisteredFormats();

// OLE for the user-interface thread from the program's start to its end: initialises OLE,
// registers the clipboard formats and holds the shell's memory allocator.
class OleSession {
 public:
  OleSession();
  ~OleSession();
  OleSession(const OleSession&) = delete;
  OleSession& operator=(const OleSession&) = delete;
  bool OleReady() const { return SUCCEEDED(ole_); }
  IMalloc* ShellMalloc() const { return malloc_; }

 private:
  HRESULT ole_;
  IMalloc* malloc_ = nullptr;
};

// A component that carries a reference count for the OLE interfaces it implements. The
// release that brings the count to 0 frees the object.
using InterfacedComponent = ui::RefCounted;

// The owning form's reference to a component: made with the component, dropped with the
// form. The platform may keep its own references a while longer (a drop target that holds
// the data object); the component goes with the last of them.
template <typename T>
class ComponentRef {
 public:
  template <typename... Args>
  explicit ComponentRef(Args&&... args) : component_(new T(std::forward<Args>(args)...)) {}
  ~ComponentRef() { component_->Release(); }
  ComponentRef(const ComponentRef&) = delete;
  ComponentRef& operator=(const ComponentRef&) = delete;
  T* operator->() const { return component_; }
  T& operator*() const { return *component_; }
  T* Get() const { return component_; }

 private:
  T* component_;
};

enum DragType { dtCopy, dtMove, dtLink };
// A set of drag types, bit for bit the platform's drop effects copy (1), move (2), link (4).
using DragTypes = DWORD;
constexpr DragTypes DragTypeBit(DragType t) { return DWORD{1} << static_cast<int>(t); }

// The outcome of a drag.
enum DragResult { drDropCopy, drDropMove, drDropLink, drCancel, drOutMemory, drUnknown };

// The drop source and data object. The owning form holds one reference from construction.
class DropSource : public InterfacedComponent, public IDropSource, public IDataObject {
 public:
  static constexpr std::size_t kMaxFormats = 20;
  using FormatList = std::array<FORMATETC, kMaxFormats>;

  // Drop effects offered by a drag; copy at first.
  DragTypes Dragtypes = DragTypeBit(dtCopy);

  // The drag image: an image of a list shown at the hot spot while the drag runs.
  HIMAGELIST Images() const { return images_; }
  void SetImages(HIMAGELIST images);
  int ImageIndex() const { return imageIndex_; }
  void SetImageIndex(int index);
  bool ShowImage() const { return showImage_; }
  void SetShowImage(bool show);
  int ImageHotSpotX = 16, ImageHotSpotY = 16;

  std::function<void(DropSource& sender, DWORD effect, bool& useDefaultCursors)> OnFeedback;
  std::function<void(DropSource& sender, DragType dragType, bool& continueDrop)> OnDrop;

  // Runs the platform's modal drag with this object as source and data, offering Dragtypes.
  DragResult Execute();

  // The listed formats (up to kMaxFormats); a format beyond the last place is ignored.
  virtual void AddFormatEtc(CLIPFORMAT format, DVTARGETDEVICE* device, DWORD aspect, LONG index, DWORD tymed);
  // Takes every entry of a format off the list; the others keep their order.
  void RemoveFormatEtc(CLIPFORMAT format);
  std::size_t FormatCount() const { return formatCount_; }
  // The effect the platform reported last through GiveFeedback.
  DWORD LastEffect() const { return lastEffect_; }

  // IUnknown
  STDMETHODIMP QueryInterface(REFIID iid, void** object) override;
  STDMETHODIMP_(ULONG) AddRef() override { return AddReference(); }
  STDMETHODIMP_(ULONG) Release() override { return ReleaseReference(); }
  // IDropSource
  STDMETHODIMP QueryContinueDrag(BOOL escapePressed, DWORD keyState) override;
  STDMETHODIMP GiveFeedback(DWORD effect) override;
  // IDataObject
  STDMETHODIMP GetData(FORMATETC* format, STGMEDIUM* medium) override;
  STDMETHODIMP GetDataHere(FORMATETC* format, STGMEDIUM* medium) override;
  STDMETHODIMP QueryGetData(FORMATETC* format) override;
  STDMETHODIMP GetCanonicalFormatEtc(FORMATETC* in, FORMATETC* out) override;
  STDMETHODIMP SetData(FORMATETC* format, STGMEDIUM* medium, BOOL release) override;
  STDMETHODIMP EnumFormatEtc(DWORD direction, IEnumFORMATETC** enumerator) override;
  STDMETHODIMP DAdvise(FORMATETC* format, DWORD flags, IAdviseSink* sink, DWORD* connection) override;
  STDMETHODIMP DUnadvise(DWORD connection) override;
  STDMETHODIMP EnumDAdvise(IEnumSTATDATA** enumerator) override;

 protected:
  // The count starts with the owning form's reference.
  DropSource() = default;
  // The bytes the data object hands out for its text formats.
  virtual const std::string& DataText() const = 0;
  // The text it hands out as CF_UNICODETEXT, while that format is listed.
  virtual const std::u16string& DataUnicodeText() const;

 private:
  HRESULT GetDataUnsafe(const FORMATETC& format, STGMEDIUM& medium);
  bool Lists(CLIPFORMAT format) const;
  FormatList formats_{};
  std::size_t formatCount_ = 0;
  DWORD lastEffect_ = DROPEFFECT_NONE;
  HIMAGELIST images_ = nullptr;
  int imageIndex_ = 0;
  bool showImage_ = false;
};

// The drop source for one piece of plain ANSI text: lists CF_TEXT alone, until a text
// is given in UTF-16.
class DropTextSource : public DropSource {
 public:
  DropTextSource();
  std::string Text;
  // Offers a UTF-16 text: CF_UNICODETEXT, then CF_TEXT (as Text) where it converts to the
  // ANSI code page without loss; a target that reads ANSI text alone gets no look-alike.
  void SetUnicodeText(std::u16string text);
  // Back to Text alone, listed as CF_TEXT.
  void ClearUnicodeText();
  const std::u16string& UnicodeText() const { return unicodeText_; }

 protected:
  const std::string& DataText() const override { return Text; }
  const std::u16string& DataUnicodeText() const override { return unicodeText_; }

 private:
  std::u16string unicodeText_;
};

// Enumerates a format list. It holds its own copy of the list, so a drop target may keep
// it after the drag, and after the source is gone.
class FormatEnumerator final : public IEnumFORMATETC, private ui::RefCounted {
 public:
  using FormatList = DropSource::FormatList;
  FormatEnumerator(std::shared_ptr<const FormatList> formats, std::size_t count, std::size_t index = 0);
  FormatEnumerator(const FormatEnumerator&) = delete;
  FormatEnumerator& operator=(const FormatEnumerator&) = delete;

  STDMETHODIMP QueryInterface(REFIID iid, void** object) override;
  STDMETHODIMP_(ULONG) AddRef() override { return AddReference(); }
  STDMETHODIMP_(ULONG) Release() override { return ReleaseReference(); }
  STDMETHODIMP Next(ULONG count, FORMATETC* formats, ULONG* fetched) override;
  STDMETHODIMP Skip(ULONG count) override;
  STDMETHODIMP Reset() override;
  STDMETHODIMP Clone(IEnumFORMATETC** clone) override;

 private:
  ~FormatEnumerator() override = default;
  std::shared_ptr<const FormatList> formats_;
  std::size_t count_;
  std::size_t index_;
};

}  // namespace tessarin
