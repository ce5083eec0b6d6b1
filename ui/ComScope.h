// ui::ComScope: COM on the calling thread for the life of an object.
#pragma once
#include <windows.h>

namespace ui {

// COM on the calling thread, a single-threaded apartment, for the life of the object
// (ole32 is loaded when the first one is made): a start that succeeded, the first or a
// repeated one, is ended when the object goes, so that the thread's starts and ends stay
// balanced whoever starts first.
class ComScope {
 public:
  ComScope();
  ~ComScope();
  ComScope(const ComScope&) = delete;
  ComScope& operator=(const ComScope&) = delete;

 private:
  HRESULT result_;
};

}  // namespace ui
