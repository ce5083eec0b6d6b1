// UTF-16 text at the platform's edge: ANSI conversions and the clipboard.
#include "ui/WideText.h"

#include <cstring>

#include "ui/Exception.h"

namespace ui {
namespace {

// The system's own message for an error code, without its line break.
std::string SystemMessage(DWORD error) {
  char* buffer = nullptr;
  const DWORD length = FormatMessageA(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
      error, 0, reinterpret_cast<char*>(&buffer), 0, nullptr);
  std::string message = length && buffer ? std::string(buffer, length) : "Error " + std::to_string(error);
  if (buffer) LocalFree(buffer);
  while (!message.empty() && (message.back() == '\n' || message.back() == '\r')) message.pop_back();
  return message;
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

std::u16string FromAnsi(std::string_view text) {
  std::u16string out(text.size(), u'\0');
  if (text.empty()) return out;
  const int length =
      MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()),
                          reinterpret_cast<wchar_t*>(out.data()), static_cast<int>(out.size()));
  out.resize(static_cast<size_t>(length > 0 ? length : 0));
  return out;
}

void PutUnicodeOnClipboard(HWND owner, std::u16string_view text) {
  if (!OpenClipboard(owner)) throw Exception(SystemMessage(GetLastError()));
  bool done = EmptyClipboard() != FALSE;
  const std::u16string terminated(text);
  done = done && SetBlock(CF_UNICODETEXT, terminated.c_str(), (terminated.size() + 1) * sizeof(char16_t));
  std::string ansi;
  if (done && ToAnsi(text, ansi)) done = SetBlock(CF_TEXT, ansi.c_str(), ansi.size() + 1);
  const DWORD error = done ? ERROR_SUCCESS : GetLastError();
  CloseClipboard();
  if (!done) throw Exception(SystemMessage(error));
}

}  // namespace ui
