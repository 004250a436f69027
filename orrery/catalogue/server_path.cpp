// A server value names its file in one of three ways: a lone path (perhaps
// in quotes), a quoted path followed by arguments, or an unquoted path
// followed by arguments. The first two are told apart by their quotes; the
// last by trying ever shorter parts of the text, cut at a space, until one
// exists. Every try is one exact file-system lookup, so the search ends after
// at most one lookup per space in the path.
#include "orrery/catalogue/server_path.h"

#include <vector>

namespace orrery {

namespace {

bool HasBackslash(const std::string& text)
{
    return text.find('\\') != std::string::npos;
}

// The text between an opening quote at position 0 and the next quote, when the
// path is a quoted file name (followed by arguments or not).
bool QuotedFile(const std::string& path, std::string* file)
{
    if (path.empty() || path[0] != '"')
        return false;
    size_t closing = path.find('"', 1);
    if (closing == std::string::npos)
        return false;
    *file = path.substr(1, closing - 1);
    return true;
}

}  // namespace

std::string StripQuotes(const std::string& raw)
{
    if (raw.empty())
        return raw;
    if (raw[0] == '"') {
        size_t closing = raw.find('"', 1);
        if (closing == std::string::npos)
            return raw.substr(1);
        if (closing == raw.size() - 1)
            return raw.substr(1, closing - 1);
        // A quoted file followed by arguments: a command line, kept whole.
        return raw;
    }
    if (raw[raw.size() - 1] == '"')
        return raw.substr(0, raw.size() - 1);
    return raw;
}

bool IsFile(CFileSystem& files, const std::string& path)
{
    CFileEntry entry;
    return files.FindFile(path, &entry) && !entry.isDirectory;
}

std::string ExpandEnvironment(CFileSystem& files, const std::string& path)
{
    if (path.find('%') == std::string::npos)
        return path;
    std::vector<char> expanded(kExpandBufferSize);
    unsigned long needed = files.Expand(path.c_str(), expanded.data(), kExpandBufferSize);
    if (needed == 0 || needed > kExpandBufferSize)
        return path;
    return std::string(expanded.data());
}

CServerFile LocateServerFile(CFileSystem& files, const std::string& path)
{
    CServerFile result;
    std::string quoted;
    if (QuotedFile(path, &quoted)) {
        result.file = quoted;
        result.found = IsFile(files, quoted) || !HasBackslash(quoted);
        return result;
    }
    result.file = path;
    if (IsFile(files, path)) {
        result.found = true;
        return result;
    }
    std::string work = path;
    for (size_t space = work.rfind(' '); space != std::string::npos;
         space = work.rfind(' ')) {
        work.resize(space);
        if (IsFile(files, work)) {
            result.file = work;
            result.found = true;
            return result;
        }
    }
    result.found = !HasBackslash(work);
    return result;
}

}  // namespace orrery
