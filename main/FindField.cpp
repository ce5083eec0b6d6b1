// TFindField: opening, matching as the text changes, stepping, accepting and closing.
#include "main/FindField.h"

#include <commctrl.h>

#include "main/CharSearch.h"

namespace tessarin {
namespace {

constexpr int kFieldHeight = 21;

}  // namespace

TFindField::TFindField(ui::Control* parent) : ui::Edit(parent, {0, 0, 0, kFieldHeight}, {.visible = false}) {
  // Shown while the field is empty, focused or not.
  SendMessageA(handle_, EM_SETCUEBANNER, TRUE, reinterpret_cast<LPARAM>(L"Find: name, code or character"));
  OnChange = [this] { TextChanged(); };
}

void TFindField::Open(const RECT& over) {
  // The rectangle is in the window's pixels; the field's height is given at 100 %.
  const int height = Scale(kFieldHeight);
  SetBounds({over.left, over.bottom - height, over.right - over.left, height});
  // Above the grid it lies on.
  SetWindowPos(handle_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
  SetFocus();
  SetSelection(0, -1);
}

void TFindField::Close() {
  if (!IsOpen()) return;
  SetVisible(false);
  if (OnClose) OnClose();
}

void TFindField::TextChanged() {
  matches_ = FindChars(Text());
  beyond_.clear();
  if (matches_.empty() && FindBeyond && TextLength() > 0) beyond_ = FindBeyond(Utf8Text());
  current_ = 0;
  // An empty field finds nothing and says nothing.
  const bool noMatch = matches_.empty() && beyond_.empty() && TextLength() > 0;
  if (noMatch != noMatch_) {
    noMatch_ = noMatch;
    SetColor(noMatch ? kNoMatchColor : ui::kSysColor | COLOR_WINDOW);
  }
  Report();
}

void TFindField::Report() {
  if (!matches_.empty()) {
    if (OnFound) OnFound(matches_[current_]);
  } else if (!beyond_.empty() && OnFoundBeyond) {
    OnFoundBeyond(beyond_[current_]);
  }
}

void TFindField::Step(int delta) {
  const size_t count = matches_.empty() ? beyond_.size() : matches_.size();
  if (count == 0) return;
  current_ = (current_ + (delta > 0 ? 1 : count - 1)) % count;  // round the end
  Report();
}

std::string TFindField::Utf8Text() const {
  const int length = GetWindowTextLengthW(handle_);
  std::wstring wide(static_cast<size_t>(length) + 1, L'\0');
  wide.resize(static_cast<size_t>(GetWindowTextW(handle_, wide.data(), length + 1)));
  const int size = WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0,
                                       nullptr, nullptr);
  std::string utf8(static_cast<size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), utf8.data(), size, nullptr,
                      nullptr);
  return utf8;
}

bool TFindField::PreviewKey(const MSG& msg) {
  if (msg.hwnd != handle_ || !IsOpen()) return false;
  if (msg.message != WM_KEYDOWN && msg.message != WM_CHAR) return false;
  // The characters of the keys taken here would only beep in the edit.
  if (msg.message == WM_CHAR) return msg.wParam == VK_RETURN || msg.wParam == VK_ESCAPE;
  const bool shift = GetKeyState(VK_SHIFT) < 0;
  if (msg.message == WM_KEYDOWN && msg.wParam == VK_RETURN && shift && OnShiftAccept) {
    // Nothing found, nothing to type: the field stays for another try.
    if (matches_.empty() && beyond_.empty()) return true;
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
      // Nothing found, nothing to append: the field stays for another try.
      if (matches_.empty()) return true;
      Close();
      if (OnAccept) OnAccept();
      return true;
    default: return false;
  }
}

}  // namespace tessarin
