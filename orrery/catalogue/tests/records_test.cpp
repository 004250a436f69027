#include "orrery/catalogue/com_servers.h"
#include "orrery/catalogue/tests/recorders.h"
#include "orrery/platform/memory_platform.h"

#include <gtest/gtest.h>

#include <memory>

namespace orrery {
namespace {

const char kClsid[] = "{11111111-2222-3333-4444-555555555555}";
const char kDll[] = "C:\\Windows\\System32\\widget.dll";
const char kExe[] = "C:\\Program Files\\Widget\\widget.exe";

class RecordTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        AddClass(machine.registry, kClsid, "Widget.Control.1");
        CFileEntry entry;
        entry.size = 123456;
        entry.created = MakeFileTime(2009, 7, 5, 8, 9, 10);
        entry.lastWritten = MakeFileTime(2010, 1, 2, 13, 14, 15);
        entry.lastAccessed = MakeFileTime(2011, 12, 31, 23, 59, 58);
        machine.files.AddFile(kDll, entry);
        machine.files.AddFile(kExe, 777);
        CVersionFixture version;
        version.language = 0x0409;
        version.codePage = 0x04e4;
        version.strings = {{"FileDescription", "Widget Library"}, {"CompanyName", "Widget Co"},
                           {"FileVersion", "1.2.3.4"}, {"InternalName", "widget"},
                           {"LegalCopyright", "(c) Widget Co"}, {"OriginalFilename", "widget.dll"},
                           {"ProductName", "Widget"}, {"ProductVersion", "1.2"}};
        machine.versions.SetVersion(kDll, version);
        version.strings = {{"FileDescription", "Widget Server"}};
        machine.versions.SetVersion(kExe, version);
    }

    template <class Record>
    std::unique_ptr<Record> Build(const std::string& clsid = kClsid)
    {
        return std::unique_ptr<Record>(new Record(machine.Get(), clsid));
    }

    CMemoryPlatform machine;
};

TEST_F(RecordTest, BuildingReadsOnlyTheServerValue)
{
    SetClassValue(machine.registry, kClsid, "InprocServer32", kDll);
    SetClassValue(machine.registry, kClsid, "LocalServer32", kExe);
    SetClassValue(machine.registry, kClsid, "TypeLib", "{LIB}");
    machine.registry.ResetCounts();

    auto control = Build<CComControl>();
    EXPECT_EQ((std::vector<std::string>{std::string("CLSID\\") + kClsid + "\\InprocServer32|"}),
              machine.registry.QueryLog());
    auto server = Build<CExeServer>();
    EXPECT_EQ(std::string("CLSID\\") + kClsid + "\\LocalServer32|",
              machine.registry.QueryLog().back());
    EXPECT_EQ(2u, machine.registry.Counts().queries);
    EXPECT_EQ(0u, machine.registry.Counts().keyEnums + machine.registry.Counts().valueEnums);
    EXPECT_EQ(0u, machine.versions.Counts().sizeQueries + machine.versions.Counts().reads +
                      machine.versions.Counts().valueQueries);
    EXPECT_EQ(0u, machine.registry.OpenKeyCount());
    EXPECT_EQ(kDll, control->GetFilePath());
    EXPECT_EQ(kExe, server->GetFilePath());
}

TEST_F(RecordTest, AControlWithoutServerValueHasNoPathAndCountsAsFound)
{
    auto control = Build<CComControl>();
    EXPECT_EQ("", control->GetFilePath());
    EXPECT_TRUE(control->IsFound());
    EXPECT_EQ(kStatusNoPath, control->GetAttribute(AttrStatus));
    EXPECT_EQ("", control->GetAttribute(AttrFileSize));
}

TEST_F(RecordTest, ServerValuesAreUnquotedAndExpandedBeforeTheFileTest)
{
    machine.files.SetVariable("SystemRoot", "C:\\Windows");
    SetClassValue(machine.registry, kClsid, "InprocServer32", "\"%SystemRoot%\\System32\\widget.dll\"");
    auto server = Build<CDllServer>();
    EXPECT_EQ(kDll, server->GetFilePath());
    EXPECT_TRUE(server->IsFound());
    EXPECT_EQ(kStatusExists, server->GetAttribute(AttrStatus));

    machine.files.SetVariable("Deep", std::string(250, 'd'));
    SetClassValue(machine.registry, kClsid, "InprocServer32", "%Deep%\\System32\\widget.dll");
    auto deep = Build<CDllServer>();
    EXPECT_EQ("%Deep%\\System32\\widget.dll", deep->GetFilePath()) << "too long: stays unexpanded";
    EXPECT_FALSE(deep->IsFound());
    EXPECT_EQ(kStatusMissing, deep->GetAttribute(AttrStatus));
}

TEST_F(RecordTest, AServerPathWithArgumentsShowsItsFilesAttributes)
{
    SetClassValue(machine.registry, kClsid, "LocalServer32", std::string(kExe) + " /automation");
    auto server = Build<CExeServer>();
    EXPECT_EQ(std::string(kExe) + " /automation", server->GetFilePath());
    EXPECT_EQ(kExe, server->GetServerFile());
    EXPECT_TRUE(server->IsFound());
    EXPECT_EQ(kStatusExists, server->GetAttribute(AttrStatus));
    EXPECT_EQ("777 Bytes", server->GetAttribute(AttrFileSize));
    ASSERT_TRUE(server->LoadVersionInfo());
    EXPECT_EQ("Widget Server", server->GetAttribute(AttrFileDescription));
}

TEST_F(RecordTest, AQuotedServerCommandKeepsItsArgumentsAndShowsItsFile)
{
    const std::string command = std::string("\"") + kExe + "\" /automation";
    SetClassValue(machine.registry, kClsid, "LocalServer32", command);
    auto server = Build<CExeServer>();
    EXPECT_EQ(command, server->GetFilePath()) << "ready to be started with its arguments";
    EXPECT_EQ(kExe, server->GetServerFile());
    EXPECT_TRUE(server->IsFound());
    EXPECT_EQ(kStatusExists, server->GetAttribute(AttrStatus));
    EXPECT_EQ("777 Bytes", server->GetAttribute(AttrFileSize));
    CRecordingList list;
    server->FillAttributeList(list);
    EXPECT_EQ("Widget Server", list.Value("File Description"));

    machine.files.RemoveFile(kExe);
    auto missing = Build<CExeServer>();
    EXPECT_FALSE(missing->IsFound());
    EXPECT_EQ(kStatusMissing, missing->GetAttribute(AttrStatus));
    EXPECT_EQ("", missing->GetAttribute(AttrFileSize));
}

TEST_F(RecordTest, FileAttributesComeFromTheFileEntry)
{
    SetClassValue(machine.registry, kClsid, "InprocServer32", kDll);
    auto server = Build<CDllServer>();
    EXPECT_EQ(kDll, server->GetAttribute(AttrFileLocation));
    EXPECT_EQ("123456 Bytes", server->GetAttribute(AttrFileSize));
    EXPECT_EQ("07/05/09 08:09:10", server->GetAttribute(AttrCreated));
    EXPECT_EQ("01/02/10 13:14:15", server->GetAttribute(AttrLastModified));
    EXPECT_EQ("12/31/11", server->GetAttribute(AttrAccessed));

    CFileEntry noTimes;
    noTimes.lastWritten = MakeFileTime(2010, 1, 2, 13, 14, 15);
    machine.files.AddFile(kDll, noTimes);
    EXPECT_EQ("01/02/10 13:14:15", server->GetAttribute(AttrCreated)) << "zero: the last write";
    EXPECT_EQ("01/02/10", server->GetAttribute(AttrAccessed));

    machine.files.AddFile(kDll, CFileEntry());
    EXPECT_EQ("", server->GetAttribute(AttrLastModified)) << "an unconvertible time gives no text";
    EXPECT_EQ("0 Bytes", server->GetAttribute(AttrFileSize));
}

TEST_F(RecordTest, FileAttributesAreEmptyWithoutAReadableFile)
{
    SetClassValue(machine.registry, kClsid, "InprocServer32", "C:\\Gone\\gone.dll");
    auto missing = Build<CDllServer>();
    for (int id = AttrFileSize; id <= AttrAccessed; ++id)
        EXPECT_EQ("", missing->GetAttribute(id)) << id;

    SetClassValue(machine.registry, kClsid, "InprocServer32", "elsewhere.dll");
    auto bare = Build<CDllServer>();
    EXPECT_TRUE(bare->IsFound());
    for (int id = AttrFileSize; id <= AttrAccessed; ++id)
        EXPECT_EQ("", bare->GetAttribute(id)) << id;
}

TEST_F(RecordTest, VersionStringsUseTheFirstTranslationAndLoadOnce)
{
    SetClassValue(machine.registry, kClsid, "InprocServer32", kDll);
    auto server = Build<CDllServer>();
    EXPECT_EQ("", server->GetAttribute(AttrFileVersion)) << "nothing before the load";
    ASSERT_TRUE(server->LoadVersionInfo());
    ASSERT_TRUE(server->LoadVersionInfo());
    EXPECT_EQ(1u, machine.versions.Counts().reads);
    const char* expected[] = {"Widget Library", "Widget Co", "1.2.3.4", "widget",
                              "(c) Widget Co", "widget.dll", "Widget", "1.2"};
    for (int id = AttrFileDescription; id <= AttrProductVersion; ++id)
        EXPECT_EQ(expected[id - AttrFileDescription], server->GetAttribute(id)) << id;
}

TEST_F(RecordTest, ABrokenVersionResourceGivesNoVersionAndIsTriedAgain)
{
    SetClassValue(machine.registry, kClsid, "InprocServer32", kDll);
    CVersionFixture broken;
    broken.hasTranslation = false;
    broken.strings["FileVersion"] = "9";
    machine.versions.SetVersion(kDll, broken);
    auto server = Build<CDllServer>();
    EXPECT_FALSE(server->LoadVersionInfo());
    broken.hasTranslation = true;
    broken.readFails = true;
    machine.versions.SetVersion(kDll, broken);
    EXPECT_FALSE(server->LoadVersionInfo());
    EXPECT_EQ(2u, machine.versions.Counts().sizeQueries);
    broken.readFails = false;
    machine.versions.SetVersion(kDll, broken);
    EXPECT_TRUE(server->LoadVersionInfo());
    EXPECT_EQ("9", server->GetAttribute(AttrFileVersion));
}

TEST_F(RecordTest, ProgIDIsUnknownWithoutAValueAndAnExeServerShowsItsDescription)
{
    auto control = Build<CComControl>();
    auto server = Build<CExeServer>();
    EXPECT_EQ("Widget.Control.1", control->GetAttribute(AttrProgID));
    EXPECT_EQ("Widget.Control.1", server->GetProgID()) << "no description";
    machine.registry.SetString(std::string("CLSID\\") + kClsid, "", "Widget Application");
    EXPECT_EQ("Widget Application", server->GetAttribute(AttrProgID));
    EXPECT_EQ("Widget.Control.1", control->GetProgID());
    SetClassValue(machine.registry, kClsid, "ProgID", "");
    EXPECT_EQ("Unknown", control->GetProgID());
    machine.registry.RemoveKey(std::string("CLSID\\") + kClsid + "\\ProgID");
    EXPECT_EQ("Unknown", control->GetProgID());
}

TEST_F(RecordTest, TypeLibNameComesFromTheLibraryKeyOfTheClassVersion)
{
    auto control = Build<CComControl>();
    EXPECT_EQ("Not Defined", control->GetTypeLibName());
    SetClassValue(machine.registry, kClsid, "TypeLib", "{LIB}");
    SetClassValue(machine.registry, kClsid, "Version", "1.0");
    EXPECT_EQ("Not Defined", control->GetTypeLibName()) << "no library key";
    machine.registry.AddKey("TypeLib\\{LIB}\\1.0");
    EXPECT_EQ("Not Defined", control->GetTypeLibName()) << "a library key without a name";
    machine.registry.SetString("TypeLib\\{lib}\\1.0", "", "Widget 1.0 Type Library");
    EXPECT_EQ("Widget 1.0 Type Library", control->GetAttribute(AttrTypeLibName));
    EXPECT_EQ("{LIB}", control->GetAttribute(AttrTypeLib));
    EXPECT_EQ("1.0", control->GetAttribute(AttrVersion));
    machine.registry.RemoveKey(std::string("CLSID\\") + kClsid + "\\Version");
    EXPECT_EQ("Widget 1.0 Type Library", control->GetTypeLibName())
        << "without a Version of its own the class names the registered library";
    machine.registry.RemoveKey("TypeLib\\{LIB}");
    EXPECT_EQ("Not Defined", control->GetTypeLibName());
}

TEST_F(RecordTest, ALibraryRegisteredUnderOtherVersionsOnlyIsNamedByItsHighestVersion)
{
    auto control = Build<CComControl>();
    SetClassValue(machine.registry, kClsid, "TypeLib", "{LIB}");
    SetClassValue(machine.registry, kClsid, "Version", "1.0");
    machine.registry.SetString("TypeLib\\{LIB}\\1.1", "", "Widget 1.1");
    machine.registry.SetString("TypeLib\\{LIB}\\a.0", "", "Widget 10.0");
    machine.registry.SetString("TypeLib\\{LIB}\\2.f", "", "Widget 2.15");
    machine.registry.AddKey("TypeLib\\{LIB}\\b.0");
    machine.registry.SetString("TypeLib\\{LIB}\\FLAGS", "", "not a version");
    machine.registry.SetString("TypeLib\\{LIB}\\12345.0", "", "not a version either");
    EXPECT_EQ("Widget 10.0", control->GetTypeLibName())
        << "versions are hexadecimal; a version without a name and other keys are passed over";
    machine.registry.SetString("TypeLib\\{LIB}\\1.0", "", "Widget 1.0");
    EXPECT_EQ("Widget 1.0", control->GetTypeLibName()) << "the class's own version wins";
}

TEST_F(RecordTest, ClsidsAndAttributesOutsideTheTable)
{
    auto control = Build<CComControl>();
    EXPECT_EQ(kClsid, control->GetAttribute(AttrClsid));
    EXPECT_EQ("11111111-2222-3333-4444-555555555555", control->GetClsidWithoutBraces());
    EXPECT_EQ("", control->GetAttribute(19));
    EXPECT_EQ("", control->GetAttribute(-1));
    for (const char* clsid : {"{half", "bare}", "{}"})
        AddClass(machine.registry, clsid, "X");
    EXPECT_EQ("half", Build<CComControl>("{half")->GetClsidWithoutBraces());
    EXPECT_EQ("bare", Build<CComControl>("bare}")->GetClsidWithoutBraces());
    EXPECT_EQ("", Build<CComControl>("{}")->GetClsidWithoutBraces());
}

TEST_F(RecordTest, ClassValuesThatAreNotFittingStringsReadAsEmpty)
{
    const std::string key = std::string("CLSID\\") + kClsid;
    machine.registry.SetDword(key + "\\Version", "", 5);
    machine.registry.SetRaw(key + "\\TypeLib", "", kRegBinary, std::string("{LIB}\0", 6));
    machine.registry.SetString(key + "\\ToolboxBitmap32", "", std::string(1022, 'b'));
    machine.registry.SetString(key + "\\DefaultIcon", "", std::string(1023, 'i'));
    machine.registry.SetRaw(key + "\\Insertable", "", kRegSz, "no terminating zero");
    machine.registry.SetRaw(key + "\\Programmable", "", kRegMultiSz, std::string("first\0second\0\0", 14));
    auto control = Build<CComControl>();
    EXPECT_EQ("", control->ReadClassValue("Version"));
    EXPECT_EQ("", control->ReadClassValue("TypeLib"));
    EXPECT_EQ(1022u, control->ReadClassValue("ToolboxBitmap32").size());
    EXPECT_EQ("", control->ReadClassValue("DefaultIcon")) << "1023 characters and a zero do not fit";
    EXPECT_EQ("no terminating zero", control->ReadClassValue("Insertable"));
    EXPECT_EQ("first", control->ReadClassValue("Programmable"));
    EXPECT_EQ("", control->ReadClassValue("Missing"));
    EXPECT_EQ("", control->ReadClassValue(""));

    machine.registry.SetDword(key + "\\InprocServer32", "", 42);
    auto dword = Build<CComControl>();
    EXPECT_EQ("", dword->GetFilePath()) << "a number is no server path";
    EXPECT_TRUE(dword->IsFound());
}

TEST_F(RecordTest, ARecordOfAVanishedClassReadsEmptyTexts)
{
    SetClassValue(machine.registry, kClsid, "InprocServer32", kDll);
    SetClassValue(machine.registry, kClsid, "TypeLib", "{LIB}");
    auto control = Build<CComControl>();
    machine.registry.RemoveKey(std::string("CLSID\\") + kClsid);
    EXPECT_EQ("Unknown", control->GetProgID());
    EXPECT_EQ("", control->GetAttribute(AttrTypeLib));
    EXPECT_EQ(kDll, control->GetFilePath()) << "the path was read when the record was built";
    CRecordingTree tree;
    control->FillRegistryTree(tree);
    EXPECT_EQ("HKEY_CLASSES_ROOT\n  CLSID\n    " + std::string(kClsid) + "\n", tree.Render());
    EXPECT_EQ(0u, machine.registry.OpenKeyCount());
}

}  // namespace
}  // namespace orrery
