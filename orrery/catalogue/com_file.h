// CComFile: one file as orrery shows it, a server file or a DLL found by the
// dependency walk. It knows its path, whether the file was found, and how to
// read the file's attributes (status, size, times, version strings).
#pragma once

#include "orrery/catalogue/attributes.h"
#include "orrery/catalogue/list_and_tree.h"
#include "orrery/platform/platform.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace orrery {

class CComFile;
// Records whose owner holds them in a list: a dependency walk's DLLs, kept by
// the view whose tree items point to them.
typedef std::vector<std::unique_ptr<CComFile>> CFileRecords;

class CComFile {
public:
    // A plain file with empty texts, not found, without version data.
    explicit CComFile(CPlatform& platform);
    CComFile(const CComFile&) = delete;
    CComFile& operator=(const CComFile&) = delete;

    virtual ~CComFile();
    // The path as the registry gives it (quotes around a lone path removed,
    // variables expanded). For an EXE server it may be a command line with
    // arguments, ready to be started as it is.
    virtual std::string GetFilePath() const;
    virtual void FillAttributeList(CTwoColumnList& list);

    const std::string& GetDisplayName() const { return m_displayName; }
    void SetDisplayName(const std::string& name) { m_displayName = name; }

    // Sets the path; the file read for the attributes is then the path itself.
    void SetPath(const std::string& path);
    // The file the size, times and version strings come from: the path, or
    // the file part of a path that carries arguments.
    const std::string& GetServerFile() const { return m_serverFile; }

    // The found flag: true = well behaved, false = misbehaved.
    bool IsFound() const { return m_found; }
    void SetFound(bool found) { m_found = found; }

    // Tests the path in the file system, settles the server file and returns
    // whether the file counts as found. Does not change the found flag.
    bool CheckFileExists();

    // Reads the server file's version resource once; true when it is loaded.
    bool LoadVersionInfo();

protected:
    // The rows of attributes 5 to 18: location and status, then size and
    // times when the file exists, then the version strings when it has them.
    void FillFileRows(CTwoColumnList& list);
    // Attributes 5 to 18 (location, status, size, times, version strings);
    // empty text for any other id.
    std::string GetFileAttribute(int id);
    std::string StatusText() const;
    bool ReadFileEntry(CFileEntry* entry) const;

    CPlatform& m_platform;

private:
    std::string FileTimeText(int id);
    std::string VersionString(const char* key);

    std::string m_displayName;
    std::string m_path;
    std::string m_serverFile;
    bool m_found = false;
    // The whole version resource, empty until it loads; m_translation is its
    // first language (low 16 bits) and code page (high 16 bits).
    std::vector<unsigned char> m_versionData;
    std::uint32_t m_translation = 0;
};

}  // namespace orrery
