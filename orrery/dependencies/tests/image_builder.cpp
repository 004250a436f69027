#include "orrery/dependencies/tests/image_builder.h"

namespace orrery {

namespace {

const std::uint16_t kOptionalHeader32 = 224;
const std::uint16_t kOptionalHeader64 = 240;
// Room for two section headers before the section data.
const std::uint32_t kSizeOfHeaders = CImageBuilder::kSectionOffset;

}  // namespace

CImageBuilder::CImageBuilder(const std::vector<std::string>& names, bool wide)
    : m_wide(wide), m_bytes(kSectionOffset, 0)
{
    m_bytes[0] = 'M';
    m_bytes[1] = 'Z';
    Put32(NtOffsetField(), kNtOffset);
    m_bytes[kNtOffset] = 'P';
    m_bytes[kNtOffset + 1] = 'E';
    Put16(kNtOffset + 4, wide ? 0x8664 : 0x14C);
    Put16(SectionCountField(), 1);
    Put16(OptionalHeaderSizeField(), wide ? kOptionalHeader64 : kOptionalHeader32);
    Put16(kNtOffset + 24, wide ? 0x20B : 0x10B);
    Put32(SizeOfHeadersField(), kSizeOfHeaders);

    // The section: the descriptors with a closing empty one, then the names.
    std::uint32_t descriptors = 20 * static_cast<std::uint32_t>(names.size() + 1);
    m_bytes.resize(kSectionOffset + descriptors, 0);
    for (std::size_t i = 0; i < names.size(); ++i) {
        m_nameOffsets.push_back(static_cast<std::uint32_t>(m_bytes.size()));
        m_bytes.insert(m_bytes.end(), names[i].begin(), names[i].end());
        m_bytes.push_back(0);
        Put32(NameRvaField(i), NameRva(i));
    }
    std::uint32_t rawSize = static_cast<std::uint32_t>(m_bytes.size()) - kSectionOffset;
    Put32(SectionHeader() + 8, rawSize);
    Put32(SectionRvaField(), kSectionRva);
    Put32(SectionRawSizeField(), rawSize);
    Put32(SectionRawOffsetField(), kSectionOffset);
    Put32(ImportRvaField(), kSectionRva);
    Put32(ImportRvaField() + 4, descriptors);
}

std::uint32_t CImageBuilder::ImportRvaField() const
{
    return kNtOffset + (m_wide ? 136 : 120) + 8;
}

std::uint32_t CImageBuilder::SectionHeader() const
{
    return kNtOffset + 24 + (m_wide ? kOptionalHeader64 : kOptionalHeader32);
}

std::uint32_t CImageBuilder::Get32(std::uint32_t offset) const
{
    return m_bytes.at(offset) | (m_bytes.at(offset + 1) << 8) | (m_bytes.at(offset + 2) << 16) |
           (static_cast<std::uint32_t>(m_bytes.at(offset + 3)) << 24);
}

void CImageBuilder::Put16(std::uint32_t offset, std::uint16_t value)
{
    m_bytes.at(offset) = static_cast<unsigned char>(value);
    m_bytes.at(offset + 1) = static_cast<unsigned char>(value >> 8);
}

void CImageBuilder::Put32(std::uint32_t offset, std::uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        m_bytes.at(offset + i) = static_cast<unsigned char>(value >> (8 * i));
}

std::uint32_t CImageBuilder::AddSection(std::uint32_t rva, std::uint32_t rawSize, std::uint32_t rawOffset)
{
    std::uint32_t count = m_bytes.at(SectionCountField()) | (m_bytes.at(SectionCountField() + 1) << 8);
    std::uint32_t header = SectionHeader() + 40 * count;
    Put16(SectionCountField(), static_cast<std::uint16_t>(count + 1));
    Put32(header + 8, rawSize);
    Put32(header + 12, rva);
    Put32(header + 16, rawSize);
    Put32(header + 20, rawOffset);
    return header;
}

}  // namespace orrery
