#include "orrery/dependencies/pe_imports.h"

#include "orrery/dependencies/tests/fixture_images.h"
#include "orrery/dependencies/tests/image_builder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace orrery {
namespace {

typedef std::vector<std::string> Names;

CByteView ViewOf(const std::vector<unsigned char>& bytes)
{
    CByteView view;
    view.data = bytes.data();
    view.size = bytes.size();
    return view;
}

// The names read from bytes, or "<not an image>".
Names Read(const std::vector<unsigned char>& bytes)
{
    Names names;
    if (!ReadImportedDllNames(ViewOf(bytes), &names))
        return Names{"<not an image>"};
    return names;
}

// The reader is checked against objdump on every image the linker made.
TEST(ImportReader, ReadsWhatObjdumpReadsInEveryFixture)
{
    const char* const images[] = {"chain/chain_a.dll", "chain/chain_b.dll", "cycle/cycle_a.dll",
                                  "cycle/cycle_b.dll", "shadow/shadow_user.dll", "shadow/version.dll",
                                  "case/case_root.dll", "case/case_a.dll", "case/case_b.dll",
                                  "case/shared.dll", "plain/no_imports.dll"};
    for (const char* image : images)
        EXPECT_EQ(FixtureImportsByObjdump(image), Read(ReadFixture(image))) << image;
    EXPECT_EQ(Names{}, Read(ReadFixture("plain/no_imports.dll")));
    EXPECT_EQ((Names{"Shared.dll"}), Read(ReadFixture("case/case_a.dll")));
    EXPECT_EQ((Names{"SHARED.DLL"}), Read(ReadFixture("case/case_b.dll")));
}

TEST(ImportReader, ReadsSixtyFourBitImagesInTheirOwnLayout)
{
    if (!WideFixturesBuilt())
        GTEST_SKIP() << "x86_64-w64-mingw32 is not installed (scripts/setup installs it)";
    for (const char* image : {"wide/wide.dll", "wide/wide_dep.dll"})
        EXPECT_EQ(FixtureImportsByObjdump(image), Read(ReadFixture(image))) << image;
    EXPECT_EQ(2u, Read(ReadFixture("wide/wide.dll")).size());
}

TEST(ImportReader, KeepsTableOrderAndDuplicates)
{
    CImageBuilder image({"b.dll", "A.DLL", "b.dll", "c.dll"});
    EXPECT_EQ((Names{"b.dll", "A.DLL", "b.dll", "c.dll"}), Read(image.Bytes()));
}

TEST(ImportReader, HandMadeWideImageIsReadFromWhereItsLayoutPutsThings)
{
    CImageBuilder wide({"wide_one.dll", "wide_two.dll"}, true);
    EXPECT_EQ((Names{"wide_one.dll", "wide_two.dll"}), Read(wide.Bytes()));

    // A longer optional header moves the section table with it.
    CImageBuilder padded({"moved.dll"}, true);
    std::vector<unsigned char>& bytes = padded.Bytes();
    std::vector<unsigned char> header(bytes.begin() + padded.SectionHeader(),
                                      bytes.begin() + padded.SectionHeader() + 40);
    std::fill(bytes.begin() + padded.SectionHeader(), bytes.begin() + padded.SectionHeader() + 40, 0);
    std::copy(header.begin(), header.end(), bytes.begin() + padded.SectionHeader() + 16);
    padded.Put16(padded.OptionalHeaderSizeField(), 240 + 16);
    EXPECT_EQ((Names{"moved.dll"}), Read(bytes));

    // The 32-bit layout keeps its section table at NT + 248, whatever the
    // optional header's size says.
    CImageBuilder narrow({"fixed.dll"});
    narrow.Put16(narrow.OptionalHeaderSizeField(), 240);
    EXPECT_EQ((Names{"fixed.dll"}), Read(narrow.Bytes()));
}

TEST(ImportReader, WideImageWithTruncatedHeadersIsNoImage)
{
    CImageBuilder wide({"a.dll"}, true);
    wide.Bytes().resize(CImageBuilder::kNtOffset + 260);
    EXPECT_EQ(Names{"<not an image>"}, Read(wide.Bytes()));
}

TEST(ImportReader, ImportDirectoryMayLieInTheHeaders)
{
    CImageBuilder image({"unused.dll"});
    // Descriptors and a name in the free room after the section table.
    const std::uint32_t descriptor = 0x1A0;
    const std::uint32_t name = 0x1D0;
    const char text[] = "in_headers.dll";
    std::copy(text, text + sizeof text, image.Bytes().begin() + name);
    image.Put32(descriptor + 12, name);
    image.Put32(image.ImportRvaField(), descriptor);
    EXPECT_EQ((Names{"in_headers.dll"}), Read(image.Bytes()));
}

TEST(ImportReader, NameInAnotherSectionIsReadFromThatSection)
{
    CImageBuilder image({"first.dll", "placeholder.dll"});
    std::vector<unsigned char>& bytes = image.Bytes();
    std::uint32_t offset = static_cast<std::uint32_t>(bytes.size());
    const char text[] = "elsewhere.dll";
    bytes.insert(bytes.end(), text, text + sizeof text);
    // The second section sits in the file right after the first one but far
    // away in the image, so only a lookup through its own header finds it.
    image.AddSection(0x40000, sizeof text, offset);
    image.Put32(image.NameRvaField(1), 0x40000);
    EXPECT_EQ((Names{"first.dll", "elsewhere.dll"}), Read(bytes));
}

// Every kind of damage: the reader says "not an image" or stops the list
// where the damage starts, keeping what it read before.
TEST(ImportReaderDamage, HeadersThatAreNotThere)
{
    CImageBuilder image({"a.dll"});
    std::vector<unsigned char> notMz = image.Bytes();
    notMz[0] = 'Z';
    EXPECT_EQ(Names{"<not an image>"}, Read(notMz));

    EXPECT_EQ(Names{"<not an image>"}, Read({}));
    EXPECT_EQ(Names{"<not an image>"}, Read({'M'}));
    EXPECT_EQ(Names{"<not an image>"}, Read({'M', 'Z', 0, 0}));

    for (std::uint32_t nt : {0xFFFFFFFFu, 0xFFFFFF00u, static_cast<std::uint32_t>(image.Bytes().size()),
                             static_cast<std::uint32_t>(image.Bytes().size()) - 247}) {
        CImageBuilder moved({"a.dll"});
        moved.Put32(moved.NtOffsetField(), nt);
        EXPECT_EQ(Names{"<not an image>"}, Read(moved.Bytes())) << std::hex << nt;
    }
    CImageBuilder exact({"a.dll"});
    exact.Bytes().resize(CImageBuilder::kNtOffset + 248);
    EXPECT_EQ(Names{}, Read(exact.Bytes())) << "248 bytes of NT headers are enough; the section is cut off";
}

TEST(ImportReaderDamage, SectionTablePastTheEnd)
{
    CImageBuilder image({"a.dll"});
    image.Put32(image.SectionHeader() + 12, 0x9000);  // the real section no longer holds the imports
    image.Put16(image.SectionCountField(), 0xFFFF);   // and the table runs off the file
    EXPECT_EQ(Names{}, Read(image.Bytes()));

    CImageBuilder cut({"a.dll"});
    cut.Bytes().resize(cut.SectionHeader() + 20);
    EXPECT_EQ(Names{}, Read(cut.Bytes()));
}

TEST(ImportReaderDamage, ImportDirectoryOutsideEveryRegion)
{
    for (std::uint32_t rva : {0u, 0x5000u, 0xFFFFFFFFu}) {
        CImageBuilder image({"a.dll"});
        image.Put32(image.ImportRvaField(), rva);
        EXPECT_EQ(Names{}, Read(image.Bytes())) << std::hex << rva;
    }
    CImageBuilder beyond({"a.dll"});
    beyond.Put32(beyond.SectionRawOffsetField(), 0x7FFFFFF0);
    EXPECT_EQ(Names{}, Read(beyond.Bytes())) << "the section's data lies past the file";
}

TEST(ImportReaderDamage, OffsetsThatWouldWrapInThirtyTwoBits)
{
    // Raw offset 0xFFFFF000 plus the import RVA's distance 0x1200 into the
    // section would wrap to 0x200 in 32 bits, right onto the genuine
    // descriptors; the sum lies far past the file.
    CImageBuilder image({"wrapped.dll"});
    image.Put32(image.SectionRawOffsetField(), 0xFFFFF000);
    image.Put32(image.SectionRawSizeField(), 0x2000);
    image.Put32(image.ImportRvaField(), CImageBuilder::kSectionRva + 0x1200);
    image.Put32(image.NameRvaField(0),
                CImageBuilder::kSectionRva + 0x1200 + (image.NameOffset(0) - CImageBuilder::kSectionOffset));
    EXPECT_EQ(Names{}, Read(image.Bytes()));

    // A section whose end passes 2^32 still holds the RVAs just below 2^32.
    CImageBuilder high({"high.dll"});
    const std::uint32_t rva = 0xFFFFFF00;
    const std::uint32_t offset = CImageBuilder::kSectionOffset - 0xC0;
    high.Put32(high.SectionRvaField(), rva);
    high.Put32(high.SectionRawSizeField(), 0x200);
    high.Put32(high.SectionRawOffsetField(), offset);
    high.Put32(high.ImportRvaField(), 0xFFFFFFC0);
    high.Put32(high.NameRvaField(0), rva + (high.NameOffset(0) - offset));
    EXPECT_EQ((Names{"high.dll"}), Read(high.Bytes()));
}

TEST(ImportReaderDamage, NamesOutsideTheFile)
{
    CImageBuilder image({"kept.dll", "lost.dll", "after.dll"});
    image.Put32(image.NameRvaField(1), 0x7FFF0000);
    EXPECT_EQ((Names{"kept.dll"}), Read(image.Bytes()));

    CImageBuilder below({"lost.dll"});
    below.Put32(below.NameRvaField(0), 0x10);  // in the headers, whose region starts the file
    EXPECT_EQ(Names{""}, Read(below.Bytes())) << "offset 0x10 of the file holds a zero byte";

    CImageBuilder past({"kept.dll", "lost.dll"});
    past.Put32(past.SectionRawSizeField(), 0x100000);  // the region claims more than the file has
    past.Put32(past.NameRvaField(1), CImageBuilder::kSectionRva + 0x80000);
    EXPECT_EQ((Names{"kept.dll"}), Read(past.Bytes()));
}

TEST(ImportReaderDamage, NameRunningToTheEndOfTheFile)
{
    CImageBuilder image({"kept.dll", "unterminated.dll"});
    std::vector<unsigned char>& bytes = image.Bytes();
    bytes.pop_back();  // the last name's terminating zero
    EXPECT_EQ((Names{"kept.dll"}), Read(bytes));

    // A name that is too long for a file name ends the list too.
    CImageBuilder longName({"kept.dll", std::string(256, 'x'), "after.dll"});
    EXPECT_EQ((Names{"kept.dll"}), Read(longName.Bytes()));
    CImageBuilder longest({std::string(255, 'y')});
    EXPECT_EQ((Names{std::string(255, 'y')}), Read(longest.Bytes()));
}

TEST(ImportReaderDamage, DescriptorsRunningOffTheEnd)
{
    CImageBuilder image({"one.dll", "two.dll"});
    std::vector<unsigned char>& bytes = image.Bytes();
    // Cut the file inside the closing descriptor: both names must go too, so
    // put the names back before the descriptors in the headers' free room.
    for (std::size_t i = 0; i < 2; ++i) {
        std::uint32_t room = 0x1A0 + 0x20 * static_cast<std::uint32_t>(i);
        std::string name = i == 0 ? "one.dll" : "two.dll";
        std::copy(name.begin(), name.end() + 1, bytes.begin() + room);
        image.Put32(image.NameRvaField(i), room);
    }
    bytes.resize(image.Descriptor(2) + 10);
    EXPECT_EQ((Names{"one.dll", "two.dll"}), Read(bytes));
}

TEST(ImportReaderDamage, ManyDescriptorsOnOneLongNameStayWithinTheFilesSize)
{
    // 4000 descriptors all naming one 255-character text: the names read may
    // not add up to more than the file holds.
    std::string name(255, 'n');
    std::vector<std::string> names(4000, "s");
    names[0] = name;
    CImageBuilder image(names);
    std::vector<unsigned char>& bytes = image.Bytes();
    for (std::size_t i = 1; i < 4000; ++i)
        image.Put32(image.NameRvaField(i), image.NameRva(0));
    Names read = Read(bytes);
    EXPECT_GT(read.size(), 100u);
    EXPECT_LE(read.size() * (name.size() + 1), bytes.size());
    for (const std::string& text : read)
        ASSERT_EQ(name, text);
}

TEST(ImportReaderDamage, ThousandsOfSectionsDoNotMakeTheWalkQuadratic)
{
    // 60000 sections with the descriptors in the first and every name in the
    // last: each name needs a search of the whole table. The searches have a
    // budget, so the walk ends early instead of taking minutes.
    const std::size_t kNames = 2000;
    const std::uint32_t kSections = 60000;
    CImageBuilder image(std::vector<std::string>(kNames, "far.dll"));
    std::vector<unsigned char>& bytes = image.Bytes();
    // New NT headers at the end of the file, a copy of the old ones, so that
    // the long section table can follow them.
    std::uint32_t nt = static_cast<std::uint32_t>(bytes.size());
    std::vector<unsigned char> headers(bytes.begin() + CImageBuilder::kNtOffset,
                                       bytes.begin() + CImageBuilder::kNtOffset + 248);
    bytes.insert(bytes.end(), headers.begin(), headers.end());
    std::uint32_t table = static_cast<std::uint32_t>(bytes.size());
    std::uint32_t nameOffset = table + 40 * kSections;
    bytes.resize(nameOffset, 0);
    const char far[] = "far.dll";
    bytes.insert(bytes.end(), far, far + sizeof far);
    image.Put32(image.NtOffsetField(), nt);
    image.Put16(nt + 6, static_cast<std::uint16_t>(kSections));
    std::uint32_t rawSize = image.Get32(image.SectionRawSizeField());
    for (std::uint32_t s = 0; s < kSections; ++s) {
        std::uint32_t header = table + 40 * s;
        image.Put32(header + 12, s == 0 ? CImageBuilder::kSectionRva : 0x100000 + 0x1000 * s);
        image.Put32(header + 16, s == 0 ? rawSize : sizeof far);
        image.Put32(header + 20, s == 0 ? CImageBuilder::kSectionOffset : nameOffset);
    }
    for (std::size_t i = 0; i < kNames; ++i)
        image.Put32(image.NameRvaField(i), 0x100000 + 0x1000 * (kSections - 1));

    Names read = Read(bytes);
    EXPECT_GT(read.size(), 0u);
    EXPECT_LT(read.size(), kNames) << "the budget ends the searches";
    for (const std::string& name : read)
        ASSERT_EQ("far.dll", name);
}

}  // namespace
}  // namespace orrery
