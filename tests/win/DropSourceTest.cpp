// The drop source: its answers to the platform, its format enumerator and its references.
#include <gtest/gtest.h>
#include <shlobj.h>

#include <cstring>
#include <string>

#include "ui/DropSource.h"
#include "ui/Application.h"

using namespace tessarin;

namespace {

class DropSourceTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { unit_ = new OleSession; }
  static void TearDownTestSuite() {
    delete unit_;
    unit_ = nullptr;
  }
  void SetUp() override {
    ASSERT_TRUE(unit_->OleReady());
    source->Text = "a<b";
  }
  static FORMATETC Format(CLIPFORMAT cf, DWORD aspect = DVASPECT_CONTENT, DWORD tymed = TYMED_HGLOBAL) {
    return FORMATETC{cf, nullptr, aspect, -1, tymed};
  }
  std::string GetBytes(FORMATETC f, HRESULT& hr) {
    STGMEDIUM medium{};
    medium.tymed = 0xFF;  // must come back zeroed or filled
    hr = source->GetData(&f, &medium);
    std::string bytes;
    if (hr == S_OK) {
      EXPECT_EQ(medium.tymed, static_cast<DWORD>(TYMED_HGLOBAL));
      EXPECT_EQ(medium.pUnkForRelease, nullptr);
      const char* p = static_cast<const char*>(GlobalLock(medium.hGlobal));
      bytes.assign(p, GlobalSize(medium.hGlobal));
      GlobalUnlock(medium.hGlobal);
      ReleaseStgMedium(&medium);
    } else {
      EXPECT_EQ(medium.tymed, static_cast<DWORD>(TYMED_NULL));
      EXPECT_EQ(medium.hGlobal, nullptr);
    }
    return bytes;
  }

  static OleSession* unit_;
  ComponentRef<DropTextSource> source;
};

OleSession* DropSourceTest::unit_ = nullptr;

TEST_F(DropSourceTest, RegistersTheShellFormatsAtStart) {
  const ClipboardFormats& f = RegisteredFormats();
  EXPECT_EQ(f.FileContents, RegisterClipboardFormatA("FileContents"));
  EXPECT_EQ(f.FileGroupDescriptor, RegisterClipboardFormatA("FileGroupDescriptor"));
  for (UINT format : {f.FileContents, f.FileGroupDescriptor, f.ShellIDListArray, f.PreferredDropEffect,
                      f.UniformResourceLocator, f.FileNameMap, f.FileNameMapW})
    EXPECT_GE(format, 0xC000u);
  EXPECT_NE(unit_->ShellMalloc(), nullptr);
}

TEST_F(DropSourceTest, GetDataAnswersTextFileContentsAndTheDescriptorOnly) {
  const ClipboardFormats& f = RegisteredFormats();
  struct Case {
    const char* name;
    FORMATETC format;
    HRESULT hr;
    std::string bytes;  // the block's first bytes
  };
  const Case cases[] = {
      {"text", Format(CF_TEXT), S_OK, std::string("a<b\0", 4)},
      {"text with another medium too", Format(CF_TEXT, DVASPECT_CONTENT, TYMED_HGLOBAL | TYMED_ISTREAM), S_OK,
       std::string("a<b\0", 4)},
      {"file contents", Format(static_cast<CLIPFORMAT>(f.FileContents)), S_OK, std::string("a<b\0", 4)},
      {"text as a stream", Format(CF_TEXT, DVASPECT_CONTENT, TYMED_ISTREAM), DV_E_FORMATETC, ""},
      {"text as an icon", Format(CF_TEXT, DVASPECT_ICON), DV_E_FORMATETC, ""},
      {"unicode text", Format(CF_UNICODETEXT), DV_E_FORMATETC, ""},
      {"shell id list", Format(static_cast<CLIPFORMAT>(f.ShellIDListArray)), DV_E_FORMATETC, ""},
  };
  for (const Case& c : cases) {
    HRESULT hr = E_FAIL;
    const std::string bytes = GetBytes(c.format, hr);
    EXPECT_EQ(hr, c.hr) << c.name;
    EXPECT_EQ(bytes.substr(0, c.bytes.size()), c.bytes) << c.name;
    if (c.hr == S_OK) {
      EXPECT_GE(bytes.size(), 4u) << c.name;
    }
  }

  HRESULT hr = E_FAIL;
  const std::string descriptor = GetBytes(Format(static_cast<CLIPFORMAT>(f.FileGroupDescriptor)), hr);
  ASSERT_EQ(hr, S_OK);
  ASSERT_GE(descriptor.size(), 336u);
  FILEGROUPDESCRIPTORA group;
  std::memcpy(&group, descriptor.data(), sizeof group);
  EXPECT_EQ(group.cItems, 1u);
  EXPECT_EQ(group.fgd[0].dwFlags, 0x8000u);
  EXPECT_STREQ(group.fgd[0].cFileName, "Text Scrap File.txt");
  EXPECT_EQ(group.fgd[0].nFileSizeLow, 0u);

  EXPECT_EQ(source->GetData(nullptr, nullptr), E_INVALIDARG);
}

TEST_F(DropSourceTest, QueryGetDataListsPlainTextAlone) {
  const ClipboardFormats& f = RegisteredFormats();
  struct Case {
    FORMATETC format;
    HRESULT hr;
  };
  const Case cases[] = {
      {Format(CF_TEXT), S_OK},
      {Format(CF_TEXT, DVASPECT_CONTENT, TYMED_HGLOBAL | TYMED_FILE), S_OK},
      {Format(CF_TEXT, DVASPECT_CONTENT, TYMED_ISTREAM), E_FAIL},
      {Format(CF_TEXT, DVASPECT_THUMBNAIL), E_FAIL},
      {Format(static_cast<CLIPFORMAT>(f.FileContents)), E_FAIL},
      {Format(static_cast<CLIPFORMAT>(f.FileGroupDescriptor)), E_FAIL},
  };
  for (Case c : cases) EXPECT_EQ(source->QueryGetData(&c.format), c.hr) << c.format.cfFormat;
}

TEST_F(DropSourceTest, TheRestOfTheDataObjectAnswersAsAPlainTextSource) {
  FORMATETC in = Format(CF_TEXT), out{};
  EXPECT_EQ(source->GetCanonicalFormatEtc(&in, &out), DATA_S_SAMEFORMATETC);
  EXPECT_EQ(out.ptd, nullptr);
  STGMEDIUM medium{};
  EXPECT_EQ(source->GetDataHere(&in, &medium), E_NOTIMPL);
  EXPECT_EQ(source->SetData(&in, &medium, FALSE), E_NOTIMPL);
  DWORD connection = 0;
  EXPECT_EQ(source->DAdvise(&in, 0, nullptr, &connection), OLE_E_ADVISENOTSUPPORTED);
  EXPECT_EQ(source->DUnadvise(1), OLE_E_ADVISENOTSUPPORTED);
  IEnumSTATDATA* advise = reinterpret_cast<IEnumSTATDATA*>(1);
  EXPECT_EQ(source->EnumDAdvise(&advise), OLE_E_ADVISENOTSUPPORTED);
  EXPECT_EQ(advise, nullptr);
  IEnumFORMATETC* e = reinterpret_cast<IEnumFORMATETC*>(1);
  EXPECT_EQ(source->EnumFormatEtc(DATADIR_SET, &e), E_NOTIMPL);
  EXPECT_EQ(e, nullptr);
  EXPECT_EQ(source->EnumFormatEtc(3, &e), E_INVALIDARG);

  IUnknown* unknown = nullptr;
  IDropSource* drop = nullptr;
  IDataObject* data = nullptr;
  ASSERT_EQ(source->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&unknown)), S_OK);
  ASSERT_EQ(source->QueryInterface(IID_IDropSource, reinterpret_cast<void**>(&drop)), S_OK);
  ASSERT_EQ(source->QueryInterface(IID_IDataObject, reinterpret_cast<void**>(&data)), S_OK);
  void* none = reinterpret_cast<void*>(1);
  EXPECT_EQ(source->QueryInterface(IID_IEnumFORMATETC, &none), E_NOINTERFACE);
  EXPECT_EQ(none, nullptr);
  EXPECT_EQ(source->RefCount(), 4);
  unknown->Release();
  drop->Release();
  data->Release();
  EXPECT_EQ(source->RefCount(), 1);
}

TEST_F(DropSourceTest, TheEnumeratorWalksTheListAndOutlivesTheSource) {
  IEnumFORMATETC* e = nullptr;
  {
    ComponentRef<DropTextSource> shortLived;
    ASSERT_EQ(shortLived->EnumFormatEtc(DATADIR_GET, &e), S_OK);
  }  // the source is gone; a drop target may still hold the enumerator
  // Another source over a different list, perhaps in the same memory.
  ComponentRef<DropTextSource> other;
  other->AddFormatEtc(CF_UNICODETEXT, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL);

  FORMATETC got[3]{};
  ULONG fetched = 99;
  EXPECT_EQ(e->Next(3, got, &fetched), S_FALSE);
  EXPECT_EQ(fetched, 1u);
  EXPECT_EQ(got[0].cfFormat, CF_TEXT);
  EXPECT_EQ(got[0].ptd, nullptr);
  EXPECT_EQ(got[0].dwAspect, static_cast<DWORD>(DVASPECT_CONTENT));
  EXPECT_EQ(got[0].lindex, -1);
  EXPECT_EQ(got[0].tymed, static_cast<DWORD>(TYMED_HGLOBAL));
  EXPECT_EQ(e->Next(1, got, nullptr), S_FALSE);  // at the end
  EXPECT_EQ(e->Reset(), S_OK);
  EXPECT_EQ(e->Skip(1), S_OK);
  EXPECT_EQ(e->Skip(1), S_FALSE);
  EXPECT_EQ(e->Reset(), S_OK);

  IEnumFORMATETC* clone = nullptr;
  ASSERT_EQ(e->Clone(&clone), S_OK);
  EXPECT_EQ(clone->Next(1, got, nullptr), S_OK);  // the clone starts where e stands: at the start
  EXPECT_EQ(got[0].cfFormat, CF_TEXT);
  EXPECT_EQ(e->Skip(5), S_FALSE);  // runs past the end and stands there
  EXPECT_EQ(e->Next(1, got, nullptr), S_FALSE);
  EXPECT_EQ(clone->Release(), 0u);
  EXPECT_EQ(e->Release(), 0u);

  // The second source lists both of its formats.
  IEnumFORMATETC* both = nullptr;
  ASSERT_EQ(other->EnumFormatEtc(DATADIR_GET, &both), S_OK);
  EXPECT_EQ(both->Next(2, got, &fetched), S_OK);
  EXPECT_EQ(fetched, 2u);
  EXPECT_EQ(got[1].cfFormat, CF_UNICODETEXT);
  both->Release();
}

TEST_F(DropSourceTest, TheFormatListHoldsTwentyAndIgnoresMore) {
  for (int i = 0; i < 25; ++i)
    source->AddFormatEtc(static_cast<CLIPFORMAT>(0xC100 + i), nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL);
  EXPECT_EQ(source->FormatCount(), 20u);
  FORMATETC last = Format(static_cast<CLIPFORMAT>(0xC100 + 18));
  FORMATETC beyond = Format(static_cast<CLIPFORMAT>(0xC100 + 19));
  EXPECT_EQ(source->QueryGetData(&last), S_OK);
  EXPECT_EQ(source->QueryGetData(&beyond), E_FAIL);
}

TEST_F(DropSourceTest, QueryContinueDragAndGiveFeedbackFollowTheEffectAndTheDragTypes) {
  struct Case {
    const char* name;
    DWORD dragtypes;
    DWORD feedback;  // the effect last reported by the platform
    BOOL escape;
    DWORD keys;
    bool refuseDrop;  // OnDrop clears ContinueDrop
    HRESULT hr;
  };
  const Case cases[] = {
      {"escape cancels", DROPEFFECT_COPY, DROPEFFECT_COPY, TRUE, MK_LBUTTON, false, DRAGDROP_S_CANCEL},
      {"left button held goes on", DROPEFFECT_COPY, DROPEFFECT_COPY, FALSE, MK_LBUTTON, false, S_OK},
      {"right button held goes on", DROPEFFECT_COPY, DROPEFFECT_NONE, FALSE, MK_RBUTTON, false, S_OK},
      {"released with copy drops", DROPEFFECT_COPY, DROPEFFECT_COPY, FALSE, 0, false, DRAGDROP_S_DROP},
      {"released with copy and move drops as copy", DROPEFFECT_COPY, DROPEFFECT_COPY | DROPEFFECT_MOVE, FALSE,
       MK_SHIFT, false, DRAGDROP_S_DROP},
      {"released over a refusing target", DROPEFFECT_COPY, DROPEFFECT_NONE, FALSE, 0, false,
       DRAGDROP_S_CANCEL},
      {"move not offered", DROPEFFECT_COPY, DROPEFFECT_MOVE, FALSE, 0, false, DRAGDROP_S_CANCEL},
      {"move offered", DROPEFFECT_COPY | DROPEFFECT_MOVE, DROPEFFECT_MOVE, FALSE, 0, false, DRAGDROP_S_DROP},
      {"link offered", DROPEFFECT_LINK, DROPEFFECT_LINK, FALSE, 0, false, DRAGDROP_S_DROP},
      {"copy wins over link not offered", DROPEFFECT_LINK, DROPEFFECT_COPY | DROPEFFECT_LINK, FALSE, 0, false,
       DRAGDROP_S_CANCEL},
      {"OnDrop stops it", DROPEFFECT_COPY, DROPEFFECT_COPY, FALSE, 0, true, DRAGDROP_S_CANCEL},
  };
  for (const Case& c : cases) {
    source->Dragtypes = c.dragtypes;
    DragType dropped = dtLink;
    int drops = 0;
    source->OnDrop = [&](DropSource&, DragType type, bool& go) {
      dropped = type;
      ++drops;
      if (c.refuseDrop) go = false;
    };
    EXPECT_EQ(source->GiveFeedback(c.feedback), DRAGDROP_S_USEDEFAULTCURSORS) << c.name;
    EXPECT_EQ(source->LastEffect(), c.feedback) << c.name;
    EXPECT_EQ(source->QueryContinueDrag(c.escape, c.keys), c.hr) << c.name;
    if (c.hr == DRAGDROP_S_DROP) {
      EXPECT_EQ(drops, 1) << c.name;
      EXPECT_EQ(dropped, (c.feedback & DROPEFFECT_COPY)   ? dtCopy
                         : (c.feedback & DROPEFFECT_MOVE) ? dtMove
                                                          : dtLink)
          << c.name;
    }
  }
  source->OnFeedback = [](DropSource&, DWORD, bool& defaults) { defaults = false; };
  EXPECT_EQ(source->GiveFeedback(DROPEFFECT_COPY), S_OK);
}

TEST_F(DropSourceTest, TheImagePropertiesNeedAList) {
  source->SetShowImage(true);
  EXPECT_FALSE(source->ShowImage());
  source->SetImageIndex(3);
  EXPECT_EQ(source->ImageIndex(), 0);
  EXPECT_EQ(source->ImageHotSpotX, 16);
  EXPECT_EQ(source->ImageHotSpotY, 16);
  EXPECT_EQ(source->Dragtypes, static_cast<DWORD>(DROPEFFECT_COPY));
}

TEST_F(DropSourceTest, AHundredDragsLeaveOnlyTheOwnersReference) {
  // With no button held the platform's drag ends at its first question: cancelled.
  ASSERT_GE(GetAsyncKeyState(VK_LBUTTON), 0);
  for (int i = 0; i < 100; ++i) ASSERT_EQ(source->Execute(), drCancel) << i;
  EXPECT_EQ(source->RefCount(), 1);
  // Enumerators handed out and released leave no reference on the source.
  for (int i = 0; i < 100; ++i) {
    IEnumFORMATETC* e = nullptr;
    ASSERT_EQ(source->EnumFormatEtc(DATADIR_GET, &e), S_OK);
    e->Release();
  }
  EXPECT_EQ(source->RefCount(), 1);
}

}  // namespace
