// From a registry server value to the server file: quote stripping,
// environment expansion and the existence test that makes a record well
// behaved or misbehaved.
#pragma once

#include "orrery/platform/files.h"

#include <string>

namespace orrery {

// The expansion buffer: a path whose expansion needs more stays as written.
const unsigned long kExpandBufferSize = 259;

// Removes the quotes around a value that is one quoted path. A quoted path
// followed by arguments is a command line and is returned unchanged.
std::string StripQuotes(const std::string& raw);

// Expands %variables% when the path holds a '%' and the result fits.
std::string ExpandEnvironment(CFileSystem& files, const std::string& path);

// True when path names a file that exists; a folder of that name is no file:
// it cannot be loaded or run.
bool IsFile(CFileSystem& files, const std::string& path);

struct CServerFile {
    bool found = false;
    std::string file;  // the file named by the path: size, times and version come from it
};

// Finds the file a server path names. The path may be a quoted path followed
// by arguments (the quoted text is the file), or a path followed by
// arguments (the longest part before a space that exists is the file). A
// folder is not a file: a path naming one is not found. A path
// without a backslash that is not found counts as found: the system search
// path is expected to hold it.
CServerFile LocateServerFile(CFileSystem& files, const std::string& path);

}  // namespace orrery
