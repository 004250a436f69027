// In-memory version resources. GetInfo packs a fixture as a count followed by
// (name length, name, value length, value) records, all lengths 32-bit little
// endian; QueryValue walks them. String values are stored with their
// terminating zero and reported in characters, the translation as 4 bytes.
#include "orrery/platform/memory_version.h"
#include "orrery/platform/upper_case.h"

#include <cctype>
#include <cstdio>
#include <cstring>
#include <vector>

namespace orrery {

namespace {

void PutLength(std::string* out, std::uint32_t length)
{
    for (int i = 0; i < 4; ++i)
        out->push_back(static_cast<char>((length >> (8 * i)) & 0xff));
}

std::uint32_t GetLength(const unsigned char* at)
{
    return at[0] | (at[1] << 8) | (at[2] << 16) | (static_cast<std::uint32_t>(at[3]) << 24);
}

void PutRecord(std::string* out, const std::string& name, const std::string& value)
{
    PutLength(out, static_cast<std::uint32_t>(name.size()));
    *out += name;
    PutLength(out, static_cast<std::uint32_t>(value.size()));
    *out += value;
}

std::string Pack(const CVersionFixture& fixture)
{
    std::vector<std::pair<std::string, std::string>> records;
    if (fixture.hasTranslation) {
        std::string pair;
        PutLength(&pair, fixture.language | (static_cast<std::uint32_t>(fixture.codePage) << 16));
        records.emplace_back("\\VarFileInfo\\Translation", pair);
    }
    for (const auto& entry : fixture.strings) {
        char prefix[32];
        std::snprintf(prefix, sizeof prefix, "\\StringFileInfo\\%04x%04x\\",
                      fixture.language, fixture.codePage);
        records.emplace_back(prefix + entry.first,
                             std::string(entry.second.c_str(), entry.second.size() + 1));
    }
    std::string packed;
    PutLength(&packed, static_cast<std::uint32_t>(records.size()));
    for (const auto& record : records)
        PutRecord(&packed, record.first, record.second);
    return packed;
}

}  // namespace

void CMemoryVersionResources::SetVersion(const std::string& path,
                                         const CVersionFixture& fixture)
{
    m_fixtures[UpperCase(path)] = fixture;
    m_packed[UpperCase(path)] = Pack(fixture);
}

const std::string* CMemoryVersionResources::Packed(const char* path) const
{
    auto found = m_packed.find(UpperCase(path ? path : ""));
    return found == m_packed.end() ? nullptr : &found->second;
}

unsigned long CMemoryVersionResources::GetInfoSize(const char* path)
{
    ++m_counts.sizeQueries;
    const std::string* packed = Packed(path);
    return packed ? static_cast<unsigned long>(packed->size()) : 0;
}

bool CMemoryVersionResources::GetInfo(const char* path, unsigned long size,
                                      void* block)
{
    ++m_counts.reads;
    const std::string* packed = Packed(path);
    if (!packed || m_fixtures[UpperCase(path)].readFails || size < packed->size())
        return false;
    std::memcpy(block, packed->data(), packed->size());
    return true;
}

bool CMemoryVersionResources::QueryValue(const void* block, const char* subBlock,
                                         const void** value, unsigned int* length)
{
    ++m_counts.valueQueries;
    const unsigned char* at = static_cast<const unsigned char*>(block);
    std::uint32_t count = GetLength(at);
    at += 4;
    std::string wanted = UpperCase(subBlock ? subBlock : "");
    for (std::uint32_t i = 0; i < count; ++i) {
        std::uint32_t nameLength = GetLength(at);
        std::string name(reinterpret_cast<const char*>(at + 4), nameLength);
        at += 4 + nameLength;
        std::uint32_t valueLength = GetLength(at);
        at += 4;
        if (UpperCase(name) == wanted) {
            *value = at;
            *length = valueLength;
            return true;
        }
        at += valueLength;
    }
    return false;
}

}  // namespace orrery
