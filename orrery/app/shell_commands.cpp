#include "orrery/app/shell_commands.h"

std::string GotoFileLocationCommand(const std::string& serverFile)
{
    std::string folder = serverFile.substr(0, serverFile.rfind('\\'));
    if (folder.find(' ') != std::string::npos)
        folder = "\"" + folder + "\"";
    return "Explorer " + folder;
}
