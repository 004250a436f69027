#include "orrery/catalogue/attributes.h"

#include <cstdio>

namespace orrery {

const CAttributeInfo kAttributeTable[kAttributeCount] = {
    {AttrProgID, "ProgID", "ProgID"},
    {AttrVersion, "Version", "Version"},
    {AttrClsid, nullptr, "CLSID"},
    {AttrTypeLibName, nullptr, "TypeLib Name"},
    {AttrTypeLib, "TypeLib", "TypeLib"},
    {AttrFileLocation, nullptr, "File Location"},
    {AttrStatus, nullptr, "Status"},
    {AttrFileSize, nullptr, "File Size"},
    {AttrCreated, nullptr, "Created"},
    {AttrLastModified, nullptr, "Last Modified"},
    {AttrAccessed, nullptr, "Accessed"},
    {AttrFileDescription, "FileDescription", "File Description"},
    {AttrCompanyName, "CompanyName", "Company Name"},
    {AttrFileVersion, "FileVersion", "File Version"},
    {AttrInternalName, "InternalName", "Internal Name"},
    {AttrLegalCopyright, "LegalCopyright", "Legal Copyright"},
    {AttrOriginalFilename, "OriginalFilename", "Original Filename"},
    {AttrProductName, "ProductName", "Product Name"},
    {AttrProductVersion, "ProductVersion", "Product Version"},
};

const char kStatusMissing[] = "SEVERE WARNING: File does not exist";
const char kStatusNoPath[] = "WARNING: Path Not defined (File should be in system path)";
const char kStatusExists[] = "File Exists";

std::string AttributeLabel(int id)
{
    if (id < 0 || id >= kAttributeCount)
        return std::string();
    return kAttributeTable[id].label;
}

std::string StatusText(bool found, const std::string& path)
{
    if (!found)
        return kStatusMissing;
    if (path.find('\\') == std::string::npos)
        return kStatusNoPath;
    return kStatusExists;
}

// The whole size, unsigned: a size cut to 32 bits and printed signed would
// show files of 2 GB and more with a wrong, even negative, byte count.
std::string FormatFileSize(std::uint64_t size)
{
    char text[40];
    std::snprintf(text, sizeof text, "%llu Bytes", static_cast<unsigned long long>(size));
    return text;
}

namespace {

std::string FormatTime(const std::tm& local, const char* format)
{
    char text[64];
    size_t length = std::strftime(text, sizeof text, format, &local);
    return std::string(text, length);
}

}  // namespace

std::string FormatDateTime(const std::tm& local)
{
    return FormatTime(local, "%m/%d/%y %H:%M:%S");
}

std::string FormatDate(const std::tm& local)
{
    return FormatTime(local, "%m/%d/%y");
}

}  // namespace orrery
