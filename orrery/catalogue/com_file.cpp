#include "orrery/catalogue/com_file.h"

#include "orrery/catalogue/server_path.h"

#include <cstdio>

namespace orrery {

namespace {

const char kTranslationBlock[] = "\\VarFileInfo\\Translation";
// A version resource is a few kilobytes; a size beyond this comes from a
// damaged file and is not read.
const unsigned long kLargestVersionInfo = 16u << 20;

}  // namespace

CComFile::CComFile(CPlatform& platform) : m_platform(platform) {}

CComFile::~CComFile() = default;

std::string CComFile::GetFilePath() const
{
    return m_path;
}

void CComFile::SetPath(const std::string& path)
{
    m_path = path;
    m_serverFile = path;
}

bool CComFile::CheckFileExists()
{
    CServerFile located = LocateServerFile(m_platform.files, m_path);
    m_serverFile = located.file;
    return located.found;
}

bool CComFile::LoadVersionInfo()
{
    if (!m_versionData.empty())
        return true;
    if (m_serverFile.empty())
        return false;
    const char* file = m_serverFile.c_str();
    unsigned long size = m_platform.versions.GetInfoSize(file);
    if (size == 0 || size > kLargestVersionInfo)
        return false;
    std::vector<unsigned char> data(size + 1, 0);
    if (!m_platform.versions.GetInfo(file, size, data.data()))
        return false;
    const void* value = nullptr;
    unsigned int length = 0;
    if (!m_platform.versions.QueryValue(data.data(), kTranslationBlock, &value, &length) ||
        length < 4)
        return false;
    const unsigned char* pair = static_cast<const unsigned char*>(value);
    m_translation = pair[0] | (pair[1] << 8) | (pair[2] << 16) |
                    (static_cast<std::uint32_t>(pair[3]) << 24);
    m_versionData.swap(data);
    return true;
}

std::string CComFile::StatusText() const
{
    return orrery::StatusText(m_found, m_path);
}

bool CComFile::ReadFileEntry(CFileEntry* entry) const
{
    return m_found && m_platform.files.FindFile(m_serverFile, entry);
}

std::string CComFile::FileTimeText(int id)
{
    CFileEntry entry;
    if (!ReadFileEntry(&entry))
        return std::string();
    if (id == AttrFileSize)
        return FormatFileSize(entry.size);
    FileTime time = entry.lastWritten;
    if (id == AttrCreated && entry.created != 0)
        time = entry.created;
    if (id == AttrAccessed && entry.lastAccessed != 0)
        time = entry.lastAccessed;
    std::tm local;
    if (!m_platform.files.ToLocalTime(time, &local))
        return std::string();
    return id == AttrAccessed ? FormatDate(local) : FormatDateTime(local);
}

std::string CComFile::VersionString(const char* key)
{
    if (m_versionData.empty())
        return std::string();
    char subBlock[128];
    std::snprintf(subBlock, sizeof subBlock, "\\StringFileInfo\\%04x%04x\\%s",
                  static_cast<unsigned>(m_translation & 0xffff),
                  static_cast<unsigned>(m_translation >> 16), key);
    const void* value = nullptr;
    unsigned int length = 0;
    if (!m_platform.versions.QueryValue(m_versionData.data(), subBlock, &value, &length))
        return std::string();
    // The text must lie inside the block; a damaged resource may say otherwise.
    const char* begin = reinterpret_cast<const char*>(m_versionData.data());
    const char* end = begin + m_versionData.size();
    const char* text = static_cast<const char*>(value);
    if (text < begin || text >= end)
        return std::string();
    size_t limit = static_cast<size_t>(end - text);
    if (length < limit)
        limit = length;
    size_t count = 0;
    while (count < limit && text[count] != '\0')
        ++count;
    return std::string(text, count);
}

std::string CComFile::GetFileAttribute(int id)
{
    switch (id) {
    case AttrFileLocation:
        return m_path;
    case AttrStatus:
        return StatusText();
    case AttrFileSize:
    case AttrCreated:
    case AttrLastModified:
    case AttrAccessed:
        return FileTimeText(id);
    default:
        break;
    }
    if (id >= AttrFileDescription && id <= AttrProductVersion)
        return VersionString(kAttributeTable[id].key);
    return std::string();
}

void CComFile::FillAttributeList(CTwoColumnList& list)
{
    FillFileRows(list);
}

void CComFile::FillFileRows(CTwoColumnList& list)
{
    bool exists = StatusText() == kStatusExists;
    RowKind where = exists ? RowKind::File : RowKind::Missing;
    list.AppendRow(AttributeLabel(AttrFileLocation), GetFileAttribute(AttrFileLocation), where);
    list.AppendRow(AttributeLabel(AttrStatus), GetFileAttribute(AttrStatus), where);
    if (exists) {
        for (int id = AttrFileSize; id <= AttrAccessed; ++id)
            list.AppendRow(AttributeLabel(id), GetFileAttribute(id), RowKind::File);
    }
    if (LoadVersionInfo()) {
        for (int id = AttrFileDescription; id <= AttrProductVersion; ++id)
            list.AppendRow(AttributeLabel(id), GetFileAttribute(id), RowKind::Version);
    }
}

}  // namespace orrery
