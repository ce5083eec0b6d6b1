// The reference count of the objects that implement COM interfaces.
#pragma once
#include <windows.h>

namespace ui {

// What a COM object's AddRef and Release forward to. The count starts at one, the
// reference of whoever made the object; the release that brings it to 0 deletes the object.
class RefCounted {
 public:
  RefCounted(const RefCounted&) = delete;
  RefCounted& operator=(const RefCounted&) = delete;
  // The current count, for checks: what one more reference and its release would see.
  LONG RefCount() const { return refCount_; }

 protected:
  RefCounted() = default;
  virtual ~RefCounted() = default;
  ULONG AddReference() { return static_cast<ULONG>(InterlockedIncrement(&refCount_)); }
  ULONG ReleaseReference() {
    const LONG count = InterlockedDecrement(&refCount_);
    if (count == 0) delete this;
    return static_cast<ULONG>(count);
  }

 private:
  volatile LONG refCount_ = 1;
};

}  // namespace ui
