// The import directory of an executable image, read from its file.
//
// The file starts with the "MZ" header, whose 32-bit value at 0x3C is the
// file offset of the NT headers. Behind them the optional header holds the
// data directories, of which entry 1 gives the import directory as an RVA
// (an address relative to the loaded image), and the section table maps RVAs
// to file offsets: a section with raw data occupies [RVA, RVA + raw size) in
// the image and starts at its raw offset in the file. The headers themselves
// form a region too, at RVA 0 and offset 0, as long as the size of headers.
// The import directory is a run of 20-byte descriptors ended by one whose
// name RVA is zero; each name RVA points at the zero-terminated DLL name.
// An RVA is taken to the first region that holds it, headers first and then
// the sections in table order; a name normally lies in the descriptors' own
// region, and one that does not is looked up the same way.
//
// 32-bit images (and anything not marked as PE32+) are read with the fixed
// 32-bit layout: data directories at NT + 120, section table at NT + 248,
// whatever the optional header's own size says. PE32+ images (optional header
// magic 0x20B) keep their data directories at NT + 136 and the section table
// after the optional header, whose size the file header gives.
//
// Nothing here trusts the file. Every offset is computed in 64 bits, so no
// sum or difference wraps, and every read is checked against the view
// before it is made. The work is bounded by the view: the descriptor walk
// moves forward 20 bytes at a time and stops at the view's end, a name is
// read only up to the longest file name Windows allows, and the names read
// from one table may not add up to more bytes than the file has (a genuine
// table stores each of its names once), so that a crafted table pointing
// thousands of descriptors at one long name cannot blow up time or memory.
#include "orrery/dependencies/pe_imports.h"

#include <cstdint>

namespace orrery {

namespace {

const std::uint16_t kMzSignature = 0x5A4D;
const std::uint64_t kNtOffsetField = 0x3C;
const std::uint16_t kPe32PlusMagic = 0x20B;

// Offsets from the start of the NT headers.
const std::uint64_t kSectionCountField = 6;
const std::uint64_t kOptionalHeaderSizeField = 20;
const std::uint64_t kMagicField = 24;
const std::uint64_t kSizeOfHeadersField = 84;
const std::uint64_t kImportDirectory32 = 120 + 8;
const std::uint64_t kImportDirectory64 = 136 + 8;
const std::uint64_t kOptionalHeaderStart = 24;
const std::uint64_t kSectionTable32 = 248;
// The NT headers that must lie in the view: the standard headers of each layout.
const std::uint64_t kNtBlock32 = 248;
const std::uint64_t kNtBlock64 = 264;

const std::uint64_t kSectionHeaderSize = 40;
const std::uint64_t kSectionRvaField = 12;
const std::uint64_t kSectionRawSizeField = 16;
const std::uint64_t kSectionRawOffsetField = 20;

const std::uint64_t kDescriptorSize = 20;
const std::uint64_t kDescriptorNameField = 12;

// A file name is at most 255 characters; a longer text names no DLL.
const std::uint64_t kLongestName = 255;

// One stretch of the image that the file holds: [rva, rva + size) of the
// image lies at [offset, offset + size) of the file.
struct CRegion {
    std::uint64_t offset;
    std::uint64_t rva;
    std::uint64_t size;

    bool Holds(std::uint64_t address) const { return address >= rva && address - rva < size; }
    std::uint64_t FileOffset(std::uint64_t address) const { return offset + (address - rva); }
};

class CImageReader {
public:
    explicit CImageReader(const CByteView& view) : m_view(view) {}

    bool Fits(std::uint64_t offset, std::uint64_t length) const
    {
        return offset <= m_view.size && length <= m_view.size - offset;
    }
    // Little-endian values at an offset that Fits() has vouched for.
    std::uint32_t Read16(std::uint64_t offset) const
    {
        const unsigned char* p = m_view.data + offset;
        return p[0] | (p[1] << 8);
    }
    std::uint32_t Read32(std::uint64_t offset) const
    {
        const unsigned char* p = m_view.data + offset;
        return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
    }
    // The zero-terminated text at offset; false when it has no terminating
    // zero inside the view or within the longest name.
    bool ReadName(std::uint64_t offset, std::string* name) const
    {
        if (!Fits(offset, 1))
            return false;
        std::uint64_t available = m_view.size - offset;
        std::uint64_t limit = available < kLongestName + 1 ? available : kLongestName + 1;
        const char* text = reinterpret_cast<const char*>(m_view.data + offset);
        for (std::uint64_t length = 0; length < limit; ++length) {
            if (text[length] == '\0') {
                name->assign(text, static_cast<std::size_t>(length));
                return true;
            }
        }
        return false;
    }
    std::uint64_t Size() const { return m_view.size; }

private:
    CByteView m_view;
};

struct CImageLayout {
    std::uint64_t nt;
    std::uint64_t importDirectory;  // offset of the import entry's RVA
    std::uint64_t sectionTable;
};

bool FindLayout(const CImageReader& image, CImageLayout* layout)
{
    if (!image.Fits(0, 2) || image.Read16(0) != kMzSignature)
        return false;
    if (!image.Fits(kNtOffsetField, 4))
        return false;
    std::uint64_t nt = image.Read32(kNtOffsetField);
    if (!image.Fits(nt, kNtBlock32))
        return false;
    layout->nt = nt;
    if (image.Read16(nt + kMagicField) != kPe32PlusMagic) {
        layout->importDirectory = nt + kImportDirectory32;
        layout->sectionTable = nt + kSectionTable32;
        return true;
    }
    if (!image.Fits(nt, kNtBlock64))
        return false;
    layout->importDirectory = nt + kImportDirectory64;
    layout->sectionTable = nt + kOptionalHeaderStart + image.Read16(nt + kOptionalHeaderSizeField);
    return true;
}

// Finds the region of an RVA: the first one, headers first and then the
// sections in table order, that holds it. A section header outside the view
// ends the search. The sections looked at are counted against a budget that
// no genuine image comes near, so that a crafted one with thousands of
// sections and names scattered outside the import directory's own region
// cannot make the walk quadratic.
class CRegionFinder {
public:
    CRegionFinder(const CImageReader& image, const CImageLayout& layout) : m_image(image), m_layout(layout) {}

    bool Find(std::uint64_t rva, CRegion* region)
    {
        CRegion headers = {0, 0, m_image.Read32(m_layout.nt + kSizeOfHeadersField)};
        if (headers.Holds(rva)) {
            *region = headers;
            return true;
        }
        std::uint32_t sections = m_image.Read16(m_layout.nt + kSectionCountField);
        for (std::uint32_t s = 0; s < sections && m_budget > 0; ++s, --m_budget) {
            std::uint64_t header = m_layout.sectionTable + s * kSectionHeaderSize;
            if (!m_image.Fits(header, kSectionHeaderSize))
                return false;
            CRegion section = {m_image.Read32(header + kSectionRawOffsetField),
                               m_image.Read32(header + kSectionRvaField),
                               m_image.Read32(header + kSectionRawSizeField)};
            if (section.Holds(rva)) {
                *region = section;
                return true;
            }
        }
        return false;
    }

private:
    static const std::uint64_t kSectionVisits = 1u << 20;

    const CImageReader& m_image;
    const CImageLayout& m_layout;
    std::uint64_t m_budget = kSectionVisits;
};

}  // namespace

bool ReadImportedDllNames(const CByteView& view, std::vector<std::string>* names)
{
    CImageReader image(view);
    CImageLayout layout;
    if (!FindLayout(image, &layout))
        return false;
    CRegionFinder regions(image, layout);
    std::uint64_t importRva = image.Read32(layout.importDirectory);
    CRegion imports;
    if (importRva == 0 || !regions.Find(importRva, &imports))
        return true;
    std::uint64_t nameBudget = image.Size();
    for (std::uint64_t descriptor = imports.FileOffset(importRva); image.Fits(descriptor, kDescriptorSize);
         descriptor += kDescriptorSize) {
        std::uint64_t nameRva = image.Read32(descriptor + kDescriptorNameField);
        if (nameRva == 0)
            break;
        // Names normally lie beside the descriptors; one that does not is
        // looked up in the region that holds it.
        CRegion holder = imports;
        std::string name;
        if (!holder.Holds(nameRva) && !regions.Find(nameRva, &holder))
            break;
        if (!image.ReadName(holder.FileOffset(nameRva), &name) || name.size() + 1 > nameBudget)
            break;
        nameBudget -= name.size() + 1;
        names->push_back(name);
    }
    return true;
}

}  // namespace orrery
