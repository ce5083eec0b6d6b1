// The index of what each installed face draws: building it, sharing equal coverages, lookups.
#include "core/unicode/FontCoverage.h"

#include <algorithm>

namespace tessarin::unicode {
namespace {

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// Face names compare as the platform compares them: ASCII letters without regard to case.
bool SameName(std::string_view a, std::string_view b) {
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return Lower(x) == Lower(y); });
}

bool NameBefore(const std::string& a, const std::string& b) {
  return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                      [](char x, char y) { return Lower(x) < Lower(y); });
}

// FNV-1a over the ranges' values.
std::uint64_t HashOf(const std::vector<CodeRange>& ranges) {
  std::uint64_t hash = 14695981039346656037ull;
  for (const CodeRange& r : ranges)
    for (std::uint32_t v : {static_cast<std::uint32_t>(r.first), static_cast<std::uint32_t>(r.last)})
      for (int shift = 0; shift < 32; shift += 8) {
        hash ^= (v >> shift) & 0xFF;
        hash *= 1099511628211ull;
      }
  return hash;
}

}  // namespace

void FontCoverage::Add(std::string face, const std::vector<CodeRange>& ranges) {
  if (FindFace(face)) return;
  if (setStarts_.empty()) setStarts_.push_back(0);
  const std::uint64_t hash = HashOf(ranges);
  std::uint32_t set = static_cast<std::uint32_t>(SetCount());
  const auto [from, to] = byHash_.equal_range(hash);
  for (auto it = from; it != to; ++it)
    if (std::equal(SetBegin(it->second), SetEnd(it->second), ranges.begin(), ranges.end())) {
      set = it->second;
      break;
    }
  if (set == SetCount()) {
    ranges_.insert(ranges_.end(), ranges.begin(), ranges.end());
    setStarts_.push_back(static_cast<std::uint32_t>(ranges_.size()));
    byHash_.emplace(hash, set);
  }
  faces_.push_back({std::move(face), set});
}

bool FontCoverage::SetDraws(std::uint32_t set, char32_t cp) const {
  const CodeRange* end = SetEnd(set);
  const CodeRange* it =
      std::upper_bound(SetBegin(set), end, cp, [](char32_t c, const CodeRange& r) { return c < r.first; });
  return it != SetBegin(set) && cp <= (it - 1)->last;
}

std::uint32_t FontCoverage::SetCountIn(std::uint32_t set, CodeRange near) const {
  const CodeRange* end = SetEnd(set);
  // The first range that ends at or after the start of `near`.
  const CodeRange* it = std::lower_bound(SetBegin(set), end, near.first,
                                         [](const CodeRange& r, char32_t c) { return r.last < c; });
  std::uint32_t count = 0;
  for (; it != end && it->first <= near.last; ++it)
    count += std::min(it->last, near.last) - std::max(it->first, near.first) + 1;
  return count;
}

std::vector<std::string> FontCoverage::FacesWith(char32_t cp, CodeRange near) const {
  // Each coverage is asked once, however many faces share it.
  std::vector<std::uint32_t> weight(SetCount(), 0);
  for (std::uint32_t set = 0; set < SetCount(); ++set)
    if (SetDraws(set, cp)) weight[set] = 1 + (near.first <= near.last ? SetCountIn(set, near) : 0);
  std::vector<const Face*> found;
  for (const Face& face : faces_)
    if (weight[face.set]) found.push_back(&face);
  std::sort(found.begin(), found.end(), [&weight](const Face* a, const Face* b) {
    if (weight[a->set] != weight[b->set]) return weight[a->set] > weight[b->set];
    return NameBefore(a->name, b->name);
  });
  std::vector<std::string> names;
  names.reserve(found.size());
  for (const Face* face : found) names.push_back(face->name);
  return names;
}

const FontCoverage::Face* FontCoverage::FindFace(std::string_view face) const {
  for (const Face& f : faces_)
    if (SameName(f.name, face)) return &f;
  return nullptr;
}

std::vector<CodeRange> FontCoverage::RangesOf(std::string_view face) const {
  const Face* f = FindFace(face);
  return f ? std::vector<CodeRange>(SetBegin(f->set), SetEnd(f->set)) : std::vector<CodeRange>();
}

bool FontCoverage::Draws(std::string_view face, char32_t cp) const {
  const Face* f = FindFace(face);
  return f && SetDraws(f->set, cp);
}

std::size_t FontCoverage::Bytes() const {
  std::size_t bytes = sizeof *this + ranges_.capacity() * sizeof(CodeRange) +
                      setStarts_.capacity() * sizeof(std::uint32_t) + faces_.capacity() * sizeof(Face);
  for (const Face& face : faces_)
    if (face.name.capacity() > 15) bytes += face.name.capacity() + 1;  // beyond the string's own room
  // A node per set, and the bucket array.
  bytes += byHash_.size() * (sizeof(std::pair<const std::uint64_t, std::uint32_t>) + 2 * sizeof(void*)) +
           byHash_.bucket_count() * sizeof(void*);
  return bytes;
}

}  // namespace tessarin::unicode
