#include "orrery/app/program_paths.h"

namespace {

// Where the file name starts: after the last backslash or slash, or after
// the drive of a path such as "C:orrery.exe".
std::string::size_type FileNameStart(const std::string& path)
{
    std::string::size_type separator = path.find_last_of("\\/");
    if (separator != std::string::npos)
        return separator + 1;
    return path.size() >= 2 && path[1] == ':' ? 2 : 0;
}

} // namespace

std::string ProgramDirectoryOf(const std::string& modulePath)
{
    std::string directory = modulePath.substr(0, FileNameStart(modulePath));
    if (!directory.empty() && (directory.back() == '\\' || directory.back() == '/'))
        directory.pop_back();
    return directory;
}

std::string ExecutableNameOf(const std::string& modulePath)
{
    std::string name = modulePath.substr(FileNameStart(modulePath));
    std::string::size_type dot = name.rfind('.');
    return dot == std::string::npos ? name : name.substr(0, dot);
}
