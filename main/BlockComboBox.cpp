// BlockComboBox: the standard drop-down list, filled and read through wide messages.
#include "main/BlockComboBox.h"

namespace tessarin {
namespace {

std::wstring Widen(const std::string& ascii) { return std::wstring(ascii.begin(), ascii.end()); }

}  // namespace

BlockComboBox::BlockComboBox(ui::Control* parent, ui::Bounds bounds) : ui::Control(parent) {
  CreateHandle({.className = "COMBOBOX",
                .style = WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST,
                .bounds = bounds});
}

void BlockComboBox::SetItems(const std::vector<std::string>& items, int index) {
  SendMessageW(handle_, WM_SETREDRAW, FALSE, 0);
  SendMessageW(handle_, CB_RESETCONTENT, 0, 0);
  for (const std::string& item : items) {
    const std::wstring text = Widen(item);
    SendMessageW(handle_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
  }
  SendMessageW(handle_, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
  SendMessageW(handle_, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(handle_, nullptr, TRUE);
}

int BlockComboBox::Count() const { return static_cast<int>(SendMessageW(handle_, CB_GETCOUNT, 0, 0)); }

std::string BlockComboBox::Item(int index) const {
  const LRESULT length = SendMessageW(handle_, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
  if (length == CB_ERR) return {};
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  SendMessageW(handle_, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<size_t>(length));
  std::string ascii;
  for (wchar_t c : text) ascii += c < 0x80 ? static_cast<char>(c) : '?';
  return ascii;
}

int BlockComboBox::ItemIndex() const { return static_cast<int>(SendMessageW(handle_, CB_GETCURSEL, 0, 0)); }

void BlockComboBox::SetItemIndex(int index) {
  if (index != ItemIndex()) SendMessageW(handle_, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

bool BlockComboBox::DroppedDown() const { return SendMessageW(handle_, CB_GETDROPPEDSTATE, 0, 0) != 0; }

bool BlockComboBox::Notify(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  if (msg == WM_COMMAND) {
    switch (HIWORD(wParam)) {
      case CBN_SETFOCUS:
      case CBN_DROPDOWN:
        if (OnEnter) OnEnter();
        result = 0;
        return true;
      case CBN_SELCHANGE:
        if (OnChange) OnChange();
        result = 0;
        return true;
      default: break;
    }
  }
  return ui::Control::Notify(msg, wParam, lParam, result);
}

}  // namespace tessarin
