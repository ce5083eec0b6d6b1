// The grid's IAccessible: names, values, descriptions, places and states of the cells,
// the rest delegated to the platform's standard object of the window.
#include "grid/GridAccessible.h"

#include <oleacc.h>

#include <new>
#include <string>

#include "core/unicode/CharDescriptions.h"
#include "core/unicode/CharNames.h"
#include "grid/GridCells.h"
#include "core/HtmlFont.h"
#include "grid/CharGrid.h"
#include "ui/ComObject.h"
#include "core/unicode/CharMap.h"
#include "core/unicode/UnicodeNames.h"
#include "core/unicode/UnicodeText.h"
#include "ui/ShellLibraries.h"
#include "ui/SystemLibraries.h"
#include "ui/WideText.h"

namespace tessarin {
namespace {

constexpr long kCellCount = CharGrid::ColCount * CharGrid::RowCount;

// oleacc.dll is no known DLL: loaded from the system folder when a client first asks.
struct OleAccApi {
  decltype(&::CreateStdAccessibleObject) createStd = nullptr;
  decltype(&::LresultFromObject) lresultFromObject = nullptr;
};

const OleAccApi& OleAcc() {
  static const OleAccApi api = [] {
    OleAccApi a;
    if (HMODULE module = ui::LoadSystemLibrary("oleacc.dll")) {
      ui::LoadProc(module, a.createStd, "CreateStdAccessibleObject");
      ui::LoadProc(module, a.lresultFromObject, "LresultFromObject");
    }
    return a;
  }();
  return api;
}

// The page's texts are Windows-1252 whatever the system's ANSI code page (a Cyrillic or
// Greek system would read 0x80 as another character); those of the Unicode view UTF-8.
constexpr UINT kPageCodePage = 1252;

BSTR ToBstr(const std::string& text, UINT codePage) {
  const std::u16string wide = ui::FromCodePage(text, codePage);
  return ui::late::SysAllocStringLen(reinterpret_cast<const OLECHAR*>(wide.data()),
                                     static_cast<UINT>(wide.size()));
}

HRESULT Text(const std::string& text, BSTR* out, UINT codePage = kPageCodePage) {
  if (!out) return E_POINTER;
  *out = ToBstr(text, codePage);
  return *out ? S_OK : E_OUTOFMEMORY;
}

void SetChild(VARIANT* v, long child) {
  v->vt = VT_I4;
  v->lVal = child;
}

// The texts of a cell's character.
std::string CellName(unsigned char code) {
  std::string name(1, static_cast<char>(code));
  const std::string unicode = CharName(code);
  if (!unicode.empty()) name += " " + unicode;
  return name;
}

std::string CellDescription(unsigned char code) {
  const std::string key = KeyText(code);
  return (key.empty() ? std::string() : "Key: " + key + ", ") + "HTML: " + EntityText(code);
}

// The texts of a cell of the Unicode view (UTF-8): "→ RIGHTWARDS ARROW", value "U+2192".
std::string UnicodeCellName(const CharGrid& grid, char32_t cp) {
  if (!cp) return {};  // a place below the last row of the view
  std::string name = unicode::CharName(cp);
  if (name.empty()) name = unicode::CodePointText(cp);
  return grid.CharMap()->Has(cp) ? unicode::ToUtf8(cp) + " " + name : name;
}

std::string UnicodeCellDescription(const CharGrid& grid, char32_t cp) {
  if (!grid.CharMap()->Has(cp)) return "Not in this font";
  const std::string key = unicode::KeyTextOf(cp);
  return (key.empty() ? std::string() : "Key: " + key + ", ") +
         "HTML: " + HtmlOfCodePoint(cp);  // as the HTML label reads it
}

// One object per request. It holds the window, not the grid: a client may keep it after
// the grid has gone, and every call then finds no grid and answers that the object is no
// longer connected.
class GridAccessible final : public IAccessible, private ui::RefCounted {
 public:
  GridAccessible(HWND hwnd, IAccessible* standard) : hwnd_(hwnd), standard_(standard) {}
  ~GridAccessible() override { standard_->Release(); }

  // IUnknown
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (!out) return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_IDispatch || iid == IID_IAccessible) {
      *out = static_cast<IAccessible*>(this);
      AddRef();
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return AddReference(); }
  ULONG STDMETHODCALLTYPE Release() override { return ReleaseReference(); }

  // IDispatch: the object is reached through IAccessible only.
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    if (count) *count = 0;
    return count ? S_OK : E_POINTER;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                   UINT*) override {
    return E_NOTIMPL;
  }

  // IAccessible
  HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override {
    if (!Grid()) return CO_E_OBJNOTCONNECTED;
    return standard_->get_accParent(parent);
  }
  HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override {
    if (!Grid()) return CO_E_OBJNOTCONNECTED;
    if (!count) return E_POINTER;
    *count = kCellCount;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** out) override {
    if (!Grid()) return CO_E_OBJNOTCONNECTED;
    if (!out) return E_POINTER;
    *out = nullptr;
    return Cell(child) > 0 ? S_FALSE : E_INVALIDARG;  // the cells are simple elements
  }
  HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* out) override {
    if (!Grid()) return CO_E_OBJNOTCONNECTED;
    return Guard([&] {
      const long id = Cell(child);
      if (id < 0) return E_INVALIDARG;
      if (id == CHILDID_SELF) return Text("Characters", out);
      if (const CharGrid* grid = Grid(); grid && grid->UnicodeView())
        return Text(UnicodeCellName(*grid, CodePointOf(*grid, id)), out, CP_UTF8);
      return Text(CellName(CodeOf(id)), out);
    });
  }
  HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* out) override {
    if (!Grid()) return CO_E_OBJNOTCONNECTED;
    return Guard([&] {
      const long id = Cell(child);
      if (id == CHILDID_SELF) return standard_->get_accValue(child, out);
      if (id < 0) return E_INVALIDARG;
      if (const CharGrid* grid = Grid(); grid && grid->UnicodeView())
        return Text(unicode::CodePointText(CodePointOf(*grid, id)), out);
      return Text(CodeText(CodeOf(id)), out);
    });
  }
  HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* out) override {
    if (!Grid()) return CO_E_OBJNOTCONNECTED;
    return Guard([&] {
      const long id = Cell(child);
      if (id == CHILDID_SELF) return standard_->get_accDescription(child, out);
      if (id < 0) return E_INVALIDARG;
      if (const CharGrid* grid = Grid(); grid && grid->UnicodeView())
        return Text(UnicodeCellDescription(*grid, CodePointOf(*grid, id)), out, CP_UTF8);
      return Text(CellDescription(CodeOf(id)), out);
    });
  }
  HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* out) override {
    if (!Grid()) return CO_E_OBJNOTCONNECTED;
    if (!out) return E_POINTER;
    const long id = Cell(child);
    if (id < 0) return E_INVALIDARG;
    out->vt = VT_I4;
    out->lVal = id == CHILDID_SELF ? ROLE_SYSTEM_TABLE : ROLE_SYSTEM_CELL;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* out) override {
    CharGrid* grid = Grid();
    if (!grid) return CO_E_OBJNOTCONNECTED;
    const long id = Cell(child);
    if (id == CHILDID_SELF) return standard_->get_accState(child, out);
    if (!out) return E_POINTER;
    if (id < 0) return E_INVALIDARG;
    long state = STATE_SYSTEM_SELECTABLE | STATE_SYSTEM_FOCUSABLE;
    if (!IsWindowVisible(hwnd_)) state |= STATE_SYSTEM_INVISIBLE;
    if (id == CurrentId(*grid)) {
      state |= STATE_SYSTEM_SELECTED;
      if (GetFocus() == hwnd_) state |= STATE_SYSTEM_FOCUSED;
    }
    out->vt = VT_I4;
    out->lVal = state;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* out) override {
    if (!Grid()) return CO_E_OBJNOTCONNECTED;
    return Cell(child) == CHILDID_SELF ? standard_->get_accHelp(child, out) : Nothing(out);
  }
  HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, long* topic) override {
    if (!Grid()) return CO_E_OBJNOTCONNECTED;
    return standard_->get_accHelpTopic(file, child, topic);
  }
  HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* out) override {
    if (!Grid()) return CO_E_OBJNOTCONNECTED;
    return Cell(child) == CHILDID_SELF ? standard_->get_accKeyboardShortcut(child, out) : Nothing(out);
  }
  HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* out) override {
    CharGrid* grid = Grid();
    if (!grid) return CO_E_OBJNOTCONNECTED;
    if (!out) return E_POINTER;
    ui::late::VariantInit(out);
    // While the grid holds the focus, its current cell does.
    if (GetFocus() == hwnd_) SetChild(out, CurrentId(*grid));
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* out) override {
    CharGrid* grid = Grid();
    if (!grid) return CO_E_OBJNOTCONNECTED;
    if (!out) return E_POINTER;
    ui::late::VariantInit(out);
    // No cell in sight is selected while the Unicode view has scrolled the current one away.
    if (const long id = CurrentId(*grid)) SetChild(out, id);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* out) override {
    if (!Grid()) return CO_E_OBJNOTCONNECTED;
    return Guard([&] {
      const long id = Cell(child);
      if (id == CHILDID_SELF) return standard_->get_accDefaultAction(child, out);
      return id < 0 ? E_INVALIDARG : Text("Select", out);
    });
  }
  HRESULT STDMETHODCALLTYPE accSelect(long flags, VARIANT child) override {
    CharGrid* grid = Grid();
    if (!grid) return CO_E_OBJNOTCONNECTED;
    return Guard([&] {
      const long id = Cell(child);
      if (id == CHILDID_SELF) return standard_->accSelect(flags, child);
      if (id < 0) return E_INVALIDARG;
      if (flags & SELFLAG_TAKEFOCUS) grid->SetFocus();
      if (flags & SELFLAG_TAKESELECTION) {
        // A row below the end of a short Unicode view holds no cell to take.
        if (grid->TopRow() + (id - 1) / 16 >= grid->TotalRows()) return E_INVALIDARG;
        grid->SelectCellAt((id - 1) % 16, grid->TopRow() + (id - 1) / 16);
      }
      return S_OK;
    });
  }
  HRESULT STDMETHODCALLTYPE accLocation(long* left, long* top, long* width, long* height,
                                        VARIANT child) override {
    CharGrid* grid = Grid();
    if (!grid) return CO_E_OBJNOTCONNECTED;
    const long id = Cell(child);
    if (id == CHILDID_SELF) return standard_->accLocation(left, top, width, height, child);
    if (!left || !top || !width || !height) return E_POINTER;
    if (id < 0) return E_INVALIDARG;
    RECT r = grid->CellRect((id - 1) % 16, grid->TopRow() + (id - 1) / 16);
    MapWindowPoints(hwnd_, nullptr, reinterpret_cast<POINT*>(&r), 2);
    *left = r.left, *top = r.top, *width = r.right - r.left, *height = r.bottom - r.top;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE accNavigate(long direction, VARIANT start, VARIANT* out) override {
    if (!Grid()) return CO_E_OBJNOTCONNECTED;
    const long id = Cell(start);
    if (!out) return E_POINTER;
    if (id < 0) return E_INVALIDARG;
    long to = 0;
    switch (direction) {
      case NAVDIR_FIRSTCHILD: to = id == CHILDID_SELF ? 1 : 0; break;
      case NAVDIR_LASTCHILD: to = id == CHILDID_SELF ? kCellCount : 0; break;
      case NAVDIR_NEXT:
      case NAVDIR_RIGHT: to = id == CHILDID_SELF ? -1 : id + 1; break;
      case NAVDIR_PREVIOUS:
      case NAVDIR_LEFT: to = id == CHILDID_SELF ? -1 : id - 1; break;
      case NAVDIR_DOWN: to = id == CHILDID_SELF ? -1 : id + 16; break;
      case NAVDIR_UP: to = id == CHILDID_SELF ? -1 : id - 16; break;
      default: return E_INVALIDARG;
    }
    if (to < 0) return standard_->accNavigate(direction, start, out);  // the window's siblings
    ui::late::VariantInit(out);
    if (to < 1 || to > kCellCount) return S_FALSE;
    SetChild(out, to);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, VARIANT* out) override {
    CharGrid* grid = Grid();
    if (!grid) return CO_E_OBJNOTCONNECTED;
    if (!out) return E_POINTER;
    POINT p{x, y};
    ScreenToClient(hwnd_, &p);
    int col = 0, row = 0;
    if (!grid->CellAt(p.x, p.y, col, row)) return standard_->accHitTest(x, y, out);
    SetChild(out, CellChildId(col, row - grid->TopRow()));
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
    if (!Grid()) return CO_E_OBJNOTCONNECTED;
    return Cell(child) == CHILDID_SELF ? standard_->accDoDefaultAction(child)
                                       : accSelect(SELFLAG_TAKEFOCUS | SELFLAG_TAKESELECTION, child);
  }
  HRESULT STDMETHODCALLTYPE put_accName(VARIANT, BSTR) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE put_accValue(VARIANT, BSTR) override { return E_NOTIMPL; }

 private:
  // The exception boundary of the calls that build texts: nothing thrown crosses COM.
  template <typename F>
  static HRESULT Guard(F f) noexcept {
    try {
      return f();
    } catch (...) {
      return E_OUTOFMEMORY;
    }
  }
  static HRESULT Nothing(BSTR* out) {
    if (!out) return E_POINTER;
    *out = nullptr;
    return S_FALSE;
  }
  // The child id a VARIANT names, CHILDID_SELF for the grid itself; -1 for none.
  static long Cell(const VARIANT& v) {
    if (v.vt != VT_I4 || v.lVal < CHILDID_SELF || v.lVal > kCellCount) return -1;
    return v.lVal;
  }
  static unsigned char CodeOf(long id) { return static_cast<unsigned char>(id - 1 + kFirstGridCode); }
  // The child of the current cell; 0 (none) while the Unicode view has scrolled it out of sight.
  static long CurrentId(const CharGrid& grid) {
    const int row = grid.Row() - grid.TopRow();
    return row >= 0 && row < CharGrid::RowCount ? CellChildId(grid.Col(), row) : 0;
  }
  // The code point of a child of the Unicode view: its cell in sight.
  static char32_t CodePointOf(const CharGrid& grid, long id) {
    return grid.CodePointAt((id - 1) % 16, grid.TopRow() + (id - 1) / 16);
  }
  CharGrid* Grid() const {
    return IsWindow(hwnd_) ? dynamic_cast<CharGrid*>(ui::Control::FromHandle(hwnd_)) : nullptr;
  }

  HWND hwnd_;
  IAccessible* standard_;
};

}  // namespace

bool GridGetObject(CharGrid& grid, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  if (static_cast<LONG>(lParam) != OBJID_CLIENT) return false;
  const OleAccApi& api = OleAcc();
  if (!api.createStd || !api.lresultFromObject) return false;
  grid.StartCom();
  IAccessible* standard = nullptr;
  if (FAILED(
          api.createStd(grid.Handle(), OBJID_CLIENT, IID_IAccessible, reinterpret_cast<void**>(&standard))) ||
      !standard)
    return false;
  IAccessible* object = new (std::nothrow) GridAccessible(grid.Handle(), standard);
  if (!object) {
    standard->Release();
    return false;
  }
  result = api.lresultFromObject(IID_IAccessible, wParam, object);
  object->Release();
  return true;
}

void NotifyGridCell(HWND grid, int col, int row, bool focused) {
  NotifyWinEvent(EVENT_OBJECT_SELECTION, grid, OBJID_CLIENT, CellChildId(col, row));
  if (focused) NotifyGridFocus(grid, col, row);
}

void NotifyGridFocus(HWND grid, int col, int row) {
  NotifyWinEvent(EVENT_OBJECT_FOCUS, grid, OBJID_CLIENT, CellChildId(col, row));
}

}  // namespace tessarin
