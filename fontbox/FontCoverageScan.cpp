// The scan of the installed fonts' character maps, on a worker thread, and its hand-over.
#include "fontbox/FontCoverageScan.h"

#include <algorithm>
#include <cwchar>
#include <vector>

#include "ui/Canvas.h"
#include "ui/WideText.h"

namespace tessarin {
namespace {

constexpr DWORD kCmapTag = 'c' | 'm' << 8 | 'a' << 16 | 'p' << 24;  // GetFontData's byte order

// Collects the enumeration's reports. Nothing may be thrown through the platform's frame:
// a failure to store one ends the enumeration with what it had.
int CALLBACK CollectFamily(const LOGFONTW* font, const TEXTMETRICW*, DWORD, LPARAM data) {
  try {
    reinterpret_cast<std::vector<LOGFONTW>*>(data)->push_back(*font);
    return 1;
  } catch (...) {
    return 0;
  }
}

// The ranges of the face selected into the device context; false when it has no table
// that can be read (a raster font). A name the platform answers with another face covers
// what that face draws: the name draws that.
bool ReadRanges(HDC dc, std::vector<unsigned char>& bytes, std::vector<unicode::CodeRange>& ranges) {
  const DWORD size = GetFontData(dc, kCmapTag, 0, nullptr, 0);
  if (size == GDI_ERROR || size == 0) return false;
  bytes.resize(size);
  if (GetFontData(dc, kCmapTag, 0, bytes.data(), size) != size) return false;
  ranges = unicode::CharMap::Parse(bytes.data(), bytes.size()).Ranges();
  return true;
}

}  // namespace

unicode::FontCoverage ReadFontCoverage(HDC dc, const std::atomic<bool>& stop) {
  // Every family once, in every character set the enumeration reports it in.
  LOGFONTW all{};
  all.lfCharSet = DEFAULT_CHARSET;
  std::vector<LOGFONTW> reports;
  EnumFontFamiliesExW(dc, &all, &CollectFamily, reinterpret_cast<LPARAM>(&reports), 0);
  // The first report of a family stands for it; the vertical forms ("@Name") draw what
  // their family draws.
  std::stable_sort(reports.begin(), reports.end(), [](const LOGFONTW& a, const LOGFONTW& b) {
    return _wcsicmp(a.lfFaceName, b.lfFaceName) < 0;
  });
  reports.erase(std::unique(reports.begin(), reports.end(),
                            [](const LOGFONTW& a, const LOGFONTW& b) {
                              return _wcsicmp(a.lfFaceName, b.lfFaceName) == 0;
                            }),
                reports.end());

  unicode::FontCoverage coverage;
  std::vector<unsigned char> bytes;
  std::vector<unicode::CodeRange> ranges;
  for (LOGFONTW font : reports) {
    if (stop) break;
    if (font.lfFaceName[0] == L'@') continue;
    // The size does not change what a face draws.
    font.lfHeight = -16;
    font.lfWidth = 0;
    const ui::GdiFont handle(CreateFontIndirectW(&font));
    if (!handle) continue;
    const ui::SelectObjectScope selected(dc, handle);
    if (!ReadRanges(dc, bytes, ranges)) continue;
    // The name as the font box and the rest of the program (ANSI calls) know it.
    const std::string name = ui::ToAnsiBestFit(std::u16string_view(
        reinterpret_cast<const char16_t*>(font.lfFaceName), wcsnlen(font.lfFaceName, LF_FACESIZE)));
    if (!name.empty()) coverage.Add(name, ranges);
  }
  return coverage;
}

FontCoverageScan::~FontCoverageScan() {
  stop_ = true;
  if (thread_.joinable()) thread_.join();
}

void FontCoverageScan::Start(HWND notify, UINT message) {
  if (Started()) return;
  notify_ = notify;
  message_ = message;
  Launch();
}

void FontCoverageScan::FontsChanged() {
  if (!Started()) return;
  {
    const std::lock_guard<std::mutex> lock(mutex_);
    // The scan under way may have read the fonts before the change: it reads them again.
    if (running_) {
      again_ = true;
      return;
    }
  }
  Launch();
}

void FontCoverageScan::Launch() {
  // A scan that has ended may still be leaving its thread (after its last message).
  if (thread_.joinable()) thread_.join();
  {
    const std::lock_guard<std::mutex> lock(mutex_);
    running_ = true;
  }
  try {
    thread_ = std::thread([this] { Run(); });
  } catch (...) {
    const std::lock_guard<std::mutex> lock(mutex_);
    running_ = false;
    throw;
  }
}

std::shared_ptr<const unicode::FontCoverage> FontCoverageScan::Index() const {
  const std::lock_guard<std::mutex> lock(mutex_);
  return index_;
}

void FontCoverageScan::Run() {
  for (;;) {
    std::shared_ptr<const unicode::FontCoverage> index;
    // Nothing thrown here may leave the thread: out of memory keeps the index read before.
    try {
      const ui::CompatibleDC dc(nullptr);
      if (dc) index = std::make_shared<const unicode::FontCoverage>(ReadFontCoverage(dc, stop_));
    } catch (...) {
      index = nullptr;
    }
    bool again = false;
    {
      const std::lock_guard<std::mutex> lock(mutex_);
      if (index && !stop_) index_ = index;
      again = again_ && !stop_;
      again_ = false;
      if (!again) running_ = false;
    }
    if (index && !stop_) {
      ++completed_;
      PostMessageA(notify_, message_, 0, 0);
    }
    if (!again) return;
  }
}

}  // namespace tessarin
