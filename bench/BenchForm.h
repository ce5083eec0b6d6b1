// The main form as the in-process benchmarks drive it: made, shown and in front, every
// error it would show counted and printed instead of shown.
#pragma once
#include <windows.h>

#include <cstdio>
#include <memory>
#include <string>

#include "main/Main.h"
#include "ui/Application.h"

namespace bench {

// Every message waiting for this thread, the repaints included.
inline void Pump() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) continue;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

// `errors` counts the errors and must outlive the form.
inline std::unique_ptr<tessarin::MainForm> ShownMainForm(int& errors) {
  ui::Application::Instance().Initialize();
  ui::Application::Instance().OnException = [&errors](const std::string& message) {
    ++errors;
    std::printf("error shown by the program: %s\n", message.c_str());
  };
  auto form = std::make_unique<tessarin::MainForm>();
  form->Show();
  SetForegroundWindow(form->Handle());
  Pump();
  return form;
}

}  // namespace bench
