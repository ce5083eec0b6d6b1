// UTF-16 text at the platform's edge: ANSI conversions and the clipboard.
#include "ui/WideText.h"

#include <cstring>

#include "ui/Exception.h"

namespace ui {
namespace {

// The system's own message for an error code, or its number when the system has none.
std::string ErrorMessage(DWORD error) {
  const std::string message = SystemMessage(error);
  return message.empty() ? "Error " + std::to_string(error) : message;
}

HGLOBAL GlobalCopy(const void* data, size_t size) {
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, size);
  if (!block) return nullptr;
  void* bytes = GlobalLock(block);
  if (!bytes) {
    GlobalFree(block);
    return nullptr;
  }
  std::memcpy(bytes, data, size);
  GlobalUnlock(block);
  return block;
}

// Hands a block to the clipboard, which owns it from then on.
bool SetBlock(UINT format, const void* data, size_t size) {
  HGLOBAL block = GlobalCopy(data, size);
  if (!block) return false;
  if (SetClipboardData(format, block)) return true;
  GlobalFree(block);
  return false;
}

}  // namespace

bool ToAnsi(std::u16string_view text, std::string& out) {
  out.clear();
  if (text.empty()) return true;
  const auto* wide = reinterpret_cast<const wchar_t*>(text.data());
  const int count = static_cast<int>(text.size());
  // A double-byte code page takes at most two bytes a unit.
  out.resize(text.size() * 2);
  BOOL usedDefault = FALSE;
  const int length = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide, count, out.data(),
                                         static_cast<int>(out.size()), nullptr, &usedDefault);
  if (length <= 0 || usedDefault) {
    out.clear();
    return false;
  }
  out.resize(static_cast<size_t>(length));
  return true;
}

std::string ToAnsiBestFit(std::u16string_view text) {
  if (text.empty()) return {};
  const auto* wide = reinterpret_cast<const wchar_t*>(text.data());
  const int count = static_cast<int>(text.size());
  const int length = WideCharToMultiByte(CP_ACP, 0, wide, count, nullptr, 0, nullptr, nullptr);
  if (length <= 0) return {};
  std::string out(static_cast<size_t>(length), '\0');
  WideCharToMultiByte(CP_ACP, 0, wide, count, out.data(), length, nullptr, nullptr);
  return out;
}

std::u16string FromCodePage(std::string_view text, UINT codePage) {
  // No code page gives more UTF-16 units than it has bytes.
  std::u16string out(text.size(), u'\0');
  if (text.empty()) return out;
  const int length =
      MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()),
                          reinterpret_cast<wchar_t*>(out.data()), static_cast<int>(out.size()));
  out.resize(static_cast<size_t>(length > 0 ? length : 0));
  return out;
}

std::u16string FromAnsi(std::string_view text) { return FromCodePage(text, CP_ACP); }

void PutUnicodeOnClipboard(HWND owner, std::u16string_view text) {
  if (!OpenClipboard(owner)) throw Exception(ErrorMessage(GetLastError()));
  bool done = EmptyClipboard() != FALSE;
  const std::u16string terminated(text);
  done = done && SetBlock(CF_UNICODETEXT, terminated.c_str(), (terminated.size() + 1) * sizeof(char16_t));
  std::string ansi;
  if (done && ToAnsi(text, ansi)) done = SetBlock(CF_TEXT, ansi.c_str(), ansi.size() + 1);
  const DWORD error = done ? ERROR_SUCCESS : GetLastError();
  CloseClipboard();
  if (!done) throw Exception(ErrorMessage(error));
}

}  // namespace ui
