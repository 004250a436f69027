// Command lines that orrery hands to the shell.
#ifndef ORRERY_APP_SHELL_COMMANDS_H
#define ORRERY_APP_SHELL_COMMANDS_H

#include <string>

// "Explorer " and the folder of serverFile (the text before its last
// backslash, or the whole text when it has none). A folder with a blank in it
// is quoted, so that Explorer opens that folder and not the part before the
// blank.
std::string GotoFileLocationCommand(const std::string& serverFile);

// "Explorer " and target, which is quoted when it holds a blank.
std::string ExplorerCommand(const std::string& target);

#endif
