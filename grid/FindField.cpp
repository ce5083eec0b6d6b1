// FindField: opening, matching as the text changes, stepping, accepting and closing.
#include "grid/FindField.h"

#include <commctrl.h>

#include "core/unicode/CharSearch.h"
#include "core/unicode/UnicodeText.h"

namespace tessarin {
namespace {

constexpr int kFieldHeight = 21;

}  // namespace

FindField::FindField(ui::Control* parent) : ui::Edit(parent, {0, 0, 0, kFieldHeight}, {.visible = false}) {
  // Shown while the field is empty, focused or not.
  SendMessageA(handle_, EM_SETCUEBANNER, TRUE, reinterpret_cast<LPARAM>(L"Find: name, code or character"));
  OnChange = [this] { TextChanged(); };
}

void FindField::Open(const RECT& over) {
  // The rectangle is in the window's pixels; the field's height is given at 100 %.
  const int height = Scale(kFieldHeight);
  SetBounds({over.left, over.bottom - height, over.right - over.left, height});
  // Above the grid it lies on.
  SetWindowPos(handle_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
  SetFocus();
  SetSelection(0, -1);
}

void FindField::Close() {
  if (!IsOpen()) return;
  SetVisible(false);
  if (OnClose) OnClose();
}

namespace {

std::u32string CodePoints(std::u16string_view text) {
  std::u32string cps;
  for (size_t i = 0; i < text.size(); ++i) {
    char32_t c = text[i];
    if (c >= 0xD800 && c < 0xDC00 && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] < 0xE000)
      c = 0x10000 + ((c - 0xD800) << 10) + (text[++i] - 0xDC00);
    cps.push_back(c);
  }
  return cps;
}

}  // namespace

std::u16string FindField::WideText() const {
  // Read through the wide call: a character beyond the ANSI code page, typed or pasted,
  // arrives whole, and a byte of that code page is never taken for the page's own.
  const int length = GetWindowTextLengthW(handle_);
  std::wstring wide(static_cast<size_t>(length) + 1, L'\0');
  wide.resize(static_cast<size_t>(GetWindowTextW(handle_, wide.data(), length + 1)));
  return std::u16string(wide.begin(), wide.end());
}

void FindField::TextChanged() {
  const std::u32string query = CodePoints(WideText());
  std::string utf8;
  for (char32_t cp : query) utf8 += unicode::ToUtf8(cp);
  // The page reads the query in its own code page: a character it lacks (a Cyrillic letter
  // typed on a Cyrillic system) leaves the page's search nothing to find.
  const std::optional<std::string> pageText = PageText(query);
  const std::vector<char32_t> recent = RecentChars ? RecentChars() : std::vector<char32_t>();
  matches_.clear();
  if (!FindBeyond) {
    if (pageText)
      for (unsigned char code : FindChars(*pageText, recent)) matches_.push_back(unicode::FromWindows1252(code));
  } else {
    const std::vector<unsigned char> forms =
        pageText ? FindPageForms(*pageText) : std::vector<unsigned char>{};
    // An entity of the page typed whole ("&auml;") is that character alone, with its case.
    if (pageText && IsEntityForm(*pageText) && !forms.empty()) {
      matches_ = MergeMatches(forms, {});
    } else if (!query.empty()) {
      matches_ = MergeMatches(forms, FindBeyond(utf8));
    }
  }
  current_ = 0;
  // An empty field finds nothing and says nothing.
  const bool noMatch = matches_.empty() && !query.empty();
  if (noMatch != noMatch_) {
    noMatch_ = noMatch;
    SetColor(noMatch ? kNoMatchColor : ui::kSysColor | COLOR_WINDOW);
  }
  Report();
}

void FindField::Report() {
  if (matches_.empty()) return;
  const char32_t cp = matches_[current_];
  const int byte = unicode::Windows1252Byte(cp);
  if (byte >= 32 && OnFound) {
    OnFound(static_cast<unsigned char>(byte));
  } else if (byte < 32 && OnFoundBeyond) {
    OnFoundBeyond(cp);
  }
}

void FindField::Step(int delta) {
  const size_t count = matches_.size();
  if (count == 0) return;
  current_ = (current_ + (delta > 0 ? 1 : count - 1)) % count;  // round the end
  Report();
}

bool FindField::PreviewKey(const MSG& msg) {
  if (msg.hwnd != handle_ || !IsOpen()) return false;
  if (msg.message != WM_KEYDOWN && msg.message != WM_CHAR) return false;
  // The characters of the keys taken here would only beep in the edit.
  if (msg.message == WM_CHAR) return msg.wParam == VK_RETURN || msg.wParam == VK_ESCAPE;
  const bool shift = GetKeyState(VK_SHIFT) < 0;
  if (msg.message == WM_KEYDOWN && msg.wParam == VK_RETURN && shift && OnShiftAccept) {
    // Nothing found, nothing to type: the field stays for another try.
    if (matches_.empty()) return true;
    Close();
    OnShiftAccept();
    return true;
  }
  switch (msg.wParam) {
    case VK_DOWN: Step(1); return true;
    case VK_UP: Step(-1); return true;
    case VK_F3: Step(shift ? -1 : 1); return true;
    case VK_ESCAPE: Close(); return true;
    case VK_RETURN:
      // Nothing found, nothing to append: the field stays for another try. A match beyond
      // the page is appended as one on it, in either view.
      if (matches_.empty()) return true;
      Close();
      if (OnAccept) OnAccept();
      return true;
    default: return false;
  }
}

}  // namespace tessarin
