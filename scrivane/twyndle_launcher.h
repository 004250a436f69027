// Starting twyndle.exe, the compare tool, from beside scrivane.exe.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace scrivane {

// The full path of twyndle.exe in the folder of this program.
std::string twyndle_path();

// Starts twyndle with the arguments (quoted as needed) in the current
// folder, without waiting for it. When it cannot be started the user is told
// why, and the result is false.
bool start_twyndle(HWND owner, const std::vector<std::string>& args);

}  // namespace scrivane
