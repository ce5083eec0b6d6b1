// The program file name of a path and the instance tag derived from it.
#include "core/InstanceName.h"

namespace tessarin {

std::string ProgramFileName(const std::string& fullPath) {
  const auto cut = fullPath.find_last_of("\\/:");
  return cut == std::string::npos ? fullPath : fullPath.substr(cut + 1);
}

std::uint32_t InstanceTag(const std::string& programFileName) {
  // FNV-1a over the bytes of the name; never 0, which the platform reads as "no tag".
  std::uint32_t hash = 2166136261u;
  for (unsigned char c : programFileName) {
    hash ^= c;
    hash *= 16777619u;
  }
  return hash == 0 ? 1u : hash;
}

}  // namespace tessarin
