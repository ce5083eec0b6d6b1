// The registration of the program's own window classes.
#include "ui/WindowClass.h"

namespace ui {

const char* RegisterWindowClass(const WindowClass& c) {
  WNDCLASSEXA wc{};
  wc.cbSize = sizeof wc;
  const HINSTANCE module = GetModuleHandleA(nullptr);
  if (GetClassInfoExA(module, c.name, &wc)) return c.name;
  wc.cbSize = sizeof wc;
  wc.style = c.style;
  wc.lpfnWndProc = c.proc;
  wc.cbWndExtra = c.windowExtra;
  wc.hInstance = module;
  if (c.icon) {
    wc.hIcon = LoadIconA(module, c.icon);
    wc.hIconSm = static_cast<HICON>(LoadImageA(module, c.icon, IMAGE_ICON, 16, 16, 0));
  }
  wc.hCursor = c.cursor ? c.cursor : LoadCursorA(nullptr, IDC_ARROW);
  wc.hbrBackground = c.background;
  wc.lpszClassName = c.name;
  RegisterClassExA(&wc);
  return c.name;
}

}  // namespace ui
