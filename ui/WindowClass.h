// The registration of the program's own window classes.
#pragma once
#include <windows.h>

namespace ui {

// A window class of this module. The cursor is the arrow unless given.
struct WindowClass {
  const char* name;
  WNDPROC proc;
  UINT style = 0;
  int windowExtra = 0;  // bytes of each window, for its object's pointer
  HCURSOR cursor = nullptr;
  HBRUSH background = nullptr;
  const char* icon = nullptr;  // an icon resource of this module, large and small
};

// Registers the class once: a class of that name already registered in this module stays
// as it is. Returns its name, for CreateWindowEx.
const char* RegisterWindowClass(const WindowClass& windowClass);

}  // namespace ui
