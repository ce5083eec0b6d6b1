// The program file name of a path and the instance tag of the main window.
#pragma once
#include <cstdint>
#include <string>

namespace tessarin {

// The file name with its extension of a full program path ("C:\x\Tessarin.exe" gives
// "Tessarin.exe"); folders end at a backslash, a slash or a drive colon.
std::string ProgramFileName(const std::string& fullPath);

// The instance tag that the first instance puts on its main window and a second
// instance looks for. Derived from the program file's name exactly as the mutex is
// (case included), so copies under other file names never see each other's windows.
std::uint32_t InstanceTag(const std::string& programFileName);

}  // namespace tessarin
