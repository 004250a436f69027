#include "orrery/app/shell_commands.h"

std::string GotoFileLocationCommand(const std::string& serverFile)
{
    return ExplorerCommand(serverFile.substr(0, serverFile.rfind('\\')));
}

std::string ExplorerCommand(const std::string& target)
{
    if (target.find(' ') != std::string::npos)
        return "Explorer \"" + target + "\"";
    return "Explorer " + target;
}
