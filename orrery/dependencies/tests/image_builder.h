// Hand-made executable images for the reader's tests: just the headers, one
// section holding the import descriptors and their names, nothing else. The
// offsets of every field the reader looks at are exposed, so that a test can
// damage exactly one of them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace orrery {

class CImageBuilder {
public:
    // An image importing names in this order; wide builds the PE32+ layout.
    explicit CImageBuilder(const std::vector<std::string>& names, bool wide = false);

    std::vector<unsigned char>& Bytes() { return m_bytes; }

    static const std::uint32_t kNtOffset = 0x40;
    static const std::uint32_t kSectionRva = 0x1000;
    static const std::uint32_t kSectionOffset = 0x200;

    // File offsets of the fields.
    std::uint32_t NtOffsetField() const { return 0x3C; }
    std::uint32_t SectionCountField() const { return kNtOffset + 6; }
    std::uint32_t OptionalHeaderSizeField() const { return kNtOffset + 20; }
    std::uint32_t SizeOfHeadersField() const { return kNtOffset + 84; }
    std::uint32_t ImportRvaField() const;
    std::uint32_t SectionHeader() const;
    std::uint32_t SectionRvaField() const { return SectionHeader() + 12; }
    std::uint32_t SectionRawSizeField() const { return SectionHeader() + 16; }
    std::uint32_t SectionRawOffsetField() const { return SectionHeader() + 20; }
    // The descriptor of import i (i == names.size(): the closing one).
    std::uint32_t Descriptor(std::size_t i) const { return kSectionOffset + 20 * static_cast<std::uint32_t>(i); }
    std::uint32_t NameRvaField(std::size_t i) const { return Descriptor(i) + 12; }
    // File offset and RVA of the text of import i.
    std::uint32_t NameOffset(std::size_t i) const { return m_nameOffsets.at(i); }
    std::uint32_t NameRva(std::size_t i) const { return NameOffset(i) - kSectionOffset + kSectionRva; }

    std::uint32_t Get32(std::uint32_t offset) const;
    void Put16(std::uint32_t offset, std::uint16_t value);
    void Put32(std::uint32_t offset, std::uint32_t value);
    // Appends a second section header (the count is raised) and returns its
    // offset; its data, if any, is the caller's to append.
    std::uint32_t AddSection(std::uint32_t rva, std::uint32_t rawSize, std::uint32_t rawOffset);

private:
    bool m_wide;
    std::vector<unsigned char> m_bytes;
    std::vector<std::uint32_t> m_nameOffsets;
};

}  // namespace orrery
