// Which installed faces draw which characters: sorted code-point ranges per face, one copy of
// them shared by the faces that draw the same characters.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "core/unicode/CharMap.h"

namespace tessarin::unicode {

class FontCoverage {
 public:
  // Adds a face with the code points it draws: sorted ranges, none touching the next (as
  // CharMap::Ranges gives them). A face named again keeps its first ranges.
  void Add(std::string face, const std::vector<CodeRange>& ranges);

  // The faces that draw cp. Those that draw more of the characters from `near.first` to
  // `near.last` (the character's block, say) come first, then by name without regard to case.
  std::vector<std::string> FacesWith(char32_t cp, CodeRange near) const;
  std::vector<std::string> FacesWith(char32_t cp) const { return FacesWith(cp, {cp, cp}); }

  // The ranges of a face; empty for a face not added (or one that draws nothing).
  std::vector<CodeRange> RangesOf(std::string_view face) const;
  bool Draws(std::string_view face, char32_t cp) const;

  std::size_t FaceCount() const { return faces_.size(); }
  // The number of different coverages among the faces.
  std::size_t SetCount() const { return setStarts_.empty() ? 0 : setStarts_.size() - 1; }
  // The bytes the index holds, its containers' spare room included.
  std::size_t Bytes() const;

 private:
  struct Face {
    std::string name;
    std::uint32_t set;
  };
  // The ranges of set i are ranges_[setStarts_[i] .. setStarts_[i + 1]).
  std::vector<CodeRange> ranges_;
  std::vector<std::uint32_t> setStarts_;
  std::vector<Face> faces_;
  // The sets by a hash of their ranges, to find an equal one when a face is added.
  std::unordered_multimap<std::uint64_t, std::uint32_t> byHash_;

  const CodeRange* SetBegin(std::uint32_t set) const { return ranges_.data() + setStarts_[set]; }
  const CodeRange* SetEnd(std::uint32_t set) const { return ranges_.data() + setStarts_[set + 1]; }
  bool SetDraws(std::uint32_t set, char32_t cp) const;
  // How many code points of `near` the set draws.
  std::uint32_t SetCountIn(std::uint32_t set, CodeRange near) const;
  const Face* FindFace(std::string_view face) const;
};

}  // namespace tessarin::unicode
