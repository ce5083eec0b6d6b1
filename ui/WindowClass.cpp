// The registration of the program's own window classes.
#include "ui/WindowClass.h"

#include "ui/Dpi.h"

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
    // At the system's sizes for its scaling: 16 and 32 pixels at 100 %, 24 and 48 at 150 %.
    wc.hIcon = LoadIconForDpi(c.icon, SM_CXICON, SystemDpi());
    wc.hIconSm = LoadIconForDpi(c.icon, SM_CXSMICON, SystemDpi());
  }
  wc.hCursor = c.cursor ? c.cursor : LoadCursorA(nullptr, IDC_ARROW);
  wc.hbrBackground = c.background;
  wc.lpszClassName = c.name;
  RegisterClassExA(&wc);
  return c.name;
}

}  // namespace ui
