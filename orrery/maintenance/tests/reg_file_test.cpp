// Registration files: each value type written so that it reads back exactly,
// names escaped, long data continued on the next line, keys depth first;
// and a file read back gives the same keys and values.
#include "orrery/maintenance/reg_file.h"
#include "orrery/maintenance/registry_backup.h"
#include "orrery/maintenance/tests/test_support.h"

#include "orrery/platform/calendar_time.h"
#include "orrery/platform/memory_backup_folder.h"
#include "orrery/platform/memory_registry.h"

#include <gtest/gtest.h>

namespace orrery {
namespace {

std::string Bytes(const char* text, size_t size)
{
    return std::string(text, size);
}

TEST(RegValueText, PlainStringsAreQuotedWithBackslashesAndQuotesEscaped)
{
    EXPECT_EQ("@=\"Gauge Control\"\r\n", RegValueText("", kRegSz, Bytes("Gauge Control", 14)));
    EXPECT_EQ("\"Path\"=\"C:\\\\lib\\\\a \\\"b\\\".ocx\"\r\n",
              RegValueText("Path", kRegSz, Bytes("C:\\lib\\a \"b\".ocx", 17)));
    EXPECT_EQ("\"a\\\"b\\\\c\"=\"\"\r\n", RegValueText("a\"b\\c", kRegSz, Bytes("", 1)));
    EXPECT_EQ("\"High\"=\"caf\xe9\"\r\n", RegValueText("High", kRegSz, Bytes("caf\xe9", 5)));
}

TEST(RegValueText, StringsThatAreNotPlainAreWrittenAsTheirBytes)
{
    EXPECT_EQ("\"Lines\"=hex(1):61,0a,62,00\r\n", RegValueText("Lines", kRegSz, Bytes("a\nb", 4)));
    EXPECT_EQ("\"Open\"=hex(1):61,62\r\n", RegValueText("Open", kRegSz, Bytes("ab", 2)));
    EXPECT_EQ("\"Zeros\"=hex(1):61,00,62,00\r\n", RegValueText("Zeros", kRegSz, Bytes("a\0b", 4)));
    EXPECT_EQ("\"Empty\"=hex(1):\r\n", RegValueText("Empty", kRegSz, std::string()));
}

TEST(RegValueText, EveryOtherTypeKeepsItsTypeNumber)
{
    EXPECT_EQ("\"N\"=dword:0000abcd\r\n", RegValueText("N", kRegDword, Bytes("\xcd\xab\0\0", 4)));
    EXPECT_EQ("\"Short\"=hex(4):cd,ab\r\n", RegValueText("Short", kRegDword, Bytes("\xcd\xab", 2)));
    EXPECT_EQ("\"Bin\"=hex:00,ff,10\r\n", RegValueText("Bin", kRegBinary, Bytes("\0\xff\x10", 3)));
    EXPECT_EQ("\"Exp\"=hex(2):25,41,25,00\r\n", RegValueText("Exp", kRegExpandSz, Bytes("%A%", 4)));
    EXPECT_EQ("\"Multi\"=hex(7):61,00,62,00,00\r\n", RegValueText("Multi", kRegMultiSz, Bytes("a\0b\0", 5)));
    EXPECT_EQ("@=hex(0):\r\n", RegValueText("", kRegNone, std::string()));
    EXPECT_EQ("\"Q\"=hex(b):01,00,00,00,00,00,00,00\r\n", RegValueText("Q", 11, Bytes("\1\0\0\0\0\0\0\0", 8)));
}

TEST(RegValueText, LongDataContinuesOnIndentedLinesWithinEightyColumns)
{
    std::string text = RegValueText("Blob", kRegBinary, std::string(100, '\x5a'));
    size_t start = 0;
    int lines = 0;
    while (start < text.size()) {
        size_t end = text.find("\r\n", start);
        ASSERT_NE(std::string::npos, end);
        std::string line = text.substr(start, end - start);
        EXPECT_LE(line.size(), 80u) << line;
        if (lines > 0) {
            EXPECT_EQ(0u, line.find("  5a")) << line;
        }
        bool last = end + 2 == text.size();
        EXPECT_EQ(!last, line.back() == '\\') << line;
        start = end + 2;
        ++lines;
    }
    EXPECT_GT(lines, 3);
}

TEST(RegValueText, NamesWithLineBreaksCannotBeWritten)
{
    EXPECT_EQ("", RegValueText("two\nlines", kRegSz, Bytes("x", 2)));
}

class RegFileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        registry.SetString("CLSID\\{C1}", "", "Gauge \"quoted\" \\ back");
        registry.SetString("CLSID\\{C1}\\InprocServer32", "", "C:\\lib\\gauge.ocx");
        registry.SetString("CLSID\\{C1}\\InprocServer32", "ThreadingModel", "Apartment");
        registry.SetDword("CLSID\\{C1}\\Flags", "Number", 0xdeadbeef);
        registry.SetRaw("CLSID\\{C1}\\Flags", "Blob", kRegBinary, std::string(300, '\x01'));
        registry.SetRaw("CLSID\\{C1}\\Flags", "Multi", kRegMultiSz, Bytes("one\0two\0", 9));
        registry.SetString("CLSID\\{C1}\\Flags", "Expand", "%SystemRoot%\\x", kRegExpandSz);
        registry.SetRaw("CLSID\\{C1}\\Flags", "Broken", kRegSz, Bytes("no end", 6));
        registry.SetRaw("CLSID\\{C1}\\Flags", "Nothing", kRegNone, std::string());
        registry.SetRaw("CLSID\\{C1}\\Flags", "QWord", 11, Bytes("\1\2\3\4\5\6\7\x8", 8));
        registry.SetString("CLSID\\{C1}\\Flags", "Line\"Breaks", "one\r\ntwo");
        registry.AddKey("CLSID\\{C1}\\Implemented Categories\\{40FC6ED4-2438-11CF-A3DB-080036F12502}");
        registry.SetString("CLSID\\{C2}", "", "other class");
    }

    CMemoryRegistry registry;
};

TEST_F(RegFileTest, KeysComeParentFirstWithTheirValues)
{
    std::string out;
    std::string reason;
    ASSERT_TRUE(AppendKeyTree(registry, "CLSID\\{C1}", &out, &reason)) << reason;
    EXPECT_EQ(0u, out.find("\r\n[HKEY_CLASSES_ROOT\\CLSID\\{C1}]\r\n@=\"Gauge \\\"quoted\\\" \\\\ back\"\r\n"
                           "\r\n[HKEY_CLASSES_ROOT\\CLSID\\{C1}\\InprocServer32]\r\n"
                           "@=\"C:\\\\lib\\\\gauge.ocx\"\r\n\"ThreadingModel\"=\"Apartment\"\r\n"));
    size_t categories = out.find("[HKEY_CLASSES_ROOT\\CLSID\\{C1}\\Implemented Categories]");
    size_t category = out.find("[HKEY_CLASSES_ROOT\\CLSID\\{C1}\\Implemented Categories\\{40FC6ED4");
    EXPECT_NE(std::string::npos, categories);
    EXPECT_LT(categories, category);
    EXPECT_EQ(std::string::npos, out.find("{C2}"));
    EXPECT_EQ(0u, registry.OpenKeyCount());
}

TEST_F(RegFileTest, AFileReadBackRestoresTheKeysExactly)
{
    std::string before = DumpRegistry(registry);
    std::string file = kRegFileHeader;
    std::string reason;
    ASSERT_TRUE(AppendKeyTree(registry, "CLSID\\{C1}", &file, &reason)) << reason;
    ASSERT_TRUE(registry.RemoveKey("CLSID\\{C1}"));
    ASSERT_NE(before, DumpRegistry(registry));

    std::string error;
    ASSERT_TRUE(ImportRegFile(registry, file, &error)) << error;
    // Keys made again are enumerated in the order they were made; the file
    // keeps the original order, so the dump is the same text.
    std::string after = DumpRegistry(registry);
    registry.RemoveKey("CLSID\\{C2}");
    registry.SetString("CLSID\\{C2}", "", "other class");
    EXPECT_EQ(before, DumpRegistry(registry));
    EXPECT_NE(std::string::npos, after.find("Multi 7 6f6e650074776f0000"));
}

TEST_F(RegFileTest, AMissingKeyAddsNothingAndAValueNameThatCannotBeWrittenFails)
{
    std::string out;
    std::string reason;
    EXPECT_TRUE(AppendKeyTree(registry, "CLSID\\{None}", &out, &reason));
    EXPECT_EQ("", out);
    registry.SetString("CLSID\\{C1}\\Flags", "Name\nWith Break", "x");
    EXPECT_FALSE(AppendKeyTree(registry, "CLSID\\{C1}", &out, &reason));
    EXPECT_EQ("a value name of CLSID\\{C1}\\Flags cannot be written to a registration file", reason);
    EXPECT_EQ(0u, registry.OpenKeyCount());
}

TEST(BackupFileName, NamesTheClassAndTheTimeAndReplacesWhatFileNamesCannotHold)
{
    std::tm now = CalendarTime(2024, 1, 2, 3, 4, 5);
    EXPECT_EQ("Orrery.Gauge.1-20240102-030405.reg", BackupFileName("Orrery.Gauge.1", now, 1));
    EXPECT_EQ("Orrery.Gauge.1-20240102-030405-2.reg", BackupFileName("Orrery.Gauge.1", now, 2));
    EXPECT_EQ(".._.._x_y_z_-20240102-030405.reg", BackupFileName("..\\..\\x:y*z?", now, 1));
    EXPECT_EQ(std::string(100, 'a') + "-20240102-030405.reg", BackupFileName(std::string(300, 'a'), now, 1));
}

TEST(WriteRegistryBackup, TakesTheNextFreeNameAndWritesNothingOnFailure)
{
    CMemoryRegistry registry;
    registry.SetString("Orrery.Gauge.1\\CLSID", "", "{C1}");
    CMemoryBackupFolder folder;
    std::string path;
    std::string reason;
    ASSERT_TRUE(WriteRegistryBackup(registry, folder, "Orrery.Gauge.1", {"Orrery.Gauge.1"}, &path, &reason));
    EXPECT_EQ(folder.Location() + "\\Orrery.Gauge.1-20240309-140507.reg", path);
    ASSERT_TRUE(WriteRegistryBackup(registry, folder, "Orrery.Gauge.1", {"Orrery.Gauge.1"}, &path, &reason));
    EXPECT_EQ(folder.Location() + "\\Orrery.Gauge.1-20240309-140507-2.reg", path);
    EXPECT_EQ("REGEDIT4\r\n\r\n[HKEY_CLASSES_ROOT\\Orrery.Gauge.1]\r\n"
              "\r\n[HKEY_CLASSES_ROOT\\Orrery.Gauge.1\\CLSID]\r\n@=\"{C1}\"\r\n\r\n",
              folder.Files().at(path));

    folder.FailWrites("There is not enough space on the disk.");
    EXPECT_FALSE(WriteRegistryBackup(registry, folder, "Orrery.Gauge.1", {"Orrery.Gauge.1"}, &path, &reason));
    EXPECT_EQ("There is not enough space on the disk.", reason);
    EXPECT_EQ(2u, folder.Files().size());
}

}  // namespace
}  // namespace orrery
