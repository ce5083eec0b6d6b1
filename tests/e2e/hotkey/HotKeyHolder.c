/* Another program for the hot-key tests: a plain window to have in front ("front") or one
   that holds Ctrl+Alt+Shift+T first ("hold"). Its caption says "held" once it holds the
   key, "free" otherwise; it counts the keys pressed in it in its GWLP_USERDATA; it ends on
   WM_CLOSE. */
#include <windows.h>
#include <string.h>

static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_KEYDOWN) SetWindowLongPtrA(hwnd, GWLP_USERDATA, GetWindowLongPtrA(hwnd, GWLP_USERDATA) + 1);
  if (msg == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcA(hwnd, msg, wParam, lParam);
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int show) {
  WNDCLASSA wc = {0};
  MSG msg;
  HWND hwnd;
  BOOL held = FALSE;
  (void)previous;
  (void)show;
  wc.lpfnWndProc = Proc;
  wc.hInstance = instance;
  wc.hbrBackground = (HBRUSH)(COLOR_WINDOW + 1);
  wc.lpszClassName = "HotKeyHolder";
  RegisterClassA(&wc);
  /* Left of the main window at every screen size, so that a click reaches it. */
  hwnd = CreateWindowExA(0, "HotKeyHolder", "", WS_POPUP | WS_BORDER, 0, 200, 48, 120, NULL, NULL, instance,
                         NULL);
  if (strstr(commandLine, "hold")) held = RegisterHotKey(hwnd, 1, MOD_CONTROL | MOD_ALT | MOD_SHIFT, 'T');
  SetWindowTextA(hwnd, held ? "held" : "free");
  ShowWindow(hwnd, SW_SHOWNORMAL);
  while (GetMessageA(&msg, NULL, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  return 0;
}
