// Stands in for twyndle.exe in the end-to-end tests: records the command line
// it was started with, and whether the host's window was already there, in
// twyndle-command-line.txt beside itself, then ends.
#include <windows.h>

#include <string>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  char module[MAX_PATH] = "";
  GetModuleFileNameA(nullptr, module, sizeof module);
  std::string folder(module);
  folder.erase(folder.find_last_of('\\') + 1);
  std::string record = std::string(GetCommandLineA()) + "\r\n" +
                       (FindWindowA("SCRIV32", nullptr) ? "host=1" : "host=0") + "\r\n";
  // Written under another name and renamed, so a reader never sees half of it.
  std::string partial = folder + "twyndle-command-line.tmp";
  HANDLE file = CreateFileA(partial.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return 1;
  DWORD written = 0;
  WriteFile(file, record.data(), static_cast<DWORD>(record.size()), &written, nullptr);
  CloseHandle(file);
  return MoveFileA(partial.c_str(), (folder + "twyndle-command-line.txt").c_str()) ? 0 : 1;
}
