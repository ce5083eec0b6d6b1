// FontCoverageScan: reads what every installed font draws, on a worker thread of its own.
#pragma once
#include <windows.h>

#include <atomic>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

#include "core/unicode/FontCoverage.h"

namespace tessarin {

// The 'cmap' table of every face that the font enumeration reports, whatever its type, read
// once on a thread with a device context of its own, so the window thread never waits for
// the fonts. A face whose table cannot be read is left out.
class FontCoverageScan {
 public:
  FontCoverageScan() = default;
  // Asks a running scan to stop and waits for it: it stops after the face it reads.
  ~FontCoverageScan();
  FontCoverageScan(const FontCoverageScan&) = delete;
  FontCoverageScan& operator=(const FontCoverageScan&) = delete;

  // Starts the scan unless it has been started; `message` is posted to `notify` each time
  // an index is complete.
  void Start(HWND notify, UINT message);
  bool Started() const { return notify_ != nullptr; }
  // The fonts have changed: once started, the fonts are read again; the index read before
  // answers until the new one is complete.
  void FontsChanged();

  // The index of the last complete scan; null until the first is complete.
  std::shared_ptr<const unicode::FontCoverage> Index() const;
  // How many scans have completed.
  unsigned Completed() const { return completed_; }

 private:
  void Launch();
  void Run();

  HWND notify_ = nullptr;
  UINT message_ = 0;
  std::thread thread_;
  mutable std::mutex mutex_;
  std::shared_ptr<const unicode::FontCoverage> index_;  // guarded by mutex_
  bool running_ = false;                                // guarded by mutex_
  bool again_ = false;                                  // guarded by mutex_: fonts changed during a scan
  std::atomic<bool> stop_{false};
  std::atomic<unsigned> completed_{0};
};

// Reads the coverage of every face in the device context's font enumeration; `stop` ends it
// early (with what was read). The scan's own work, on the calling thread.
unicode::FontCoverage ReadFontCoverage(HDC dc, const std::atomic<bool>& stop);

}  // namespace tessarin
