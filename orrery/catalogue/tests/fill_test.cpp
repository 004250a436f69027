#include "orrery/catalogue/com_servers.h"
#include "orrery/catalogue/tests/recorders.h"
#include "orrery/platform/memory_platform.h"

#include <gtest/gtest.h>

namespace orrery {
namespace {

const char kClsid[] = "{AAAAAAAA-0000-0000-0000-000000000001}";
const char kDll[] = "C:\\Windows\\System32\\widget.dll";

const std::vector<std::string> kRegistryLabels = {"ProgID", "Version", "CLSID", "TypeLib Name",
                                                  "TypeLib"};
const std::vector<std::string> kFileLabels = {"File Location", "Status"};
const std::vector<std::string> kTimeLabels = {"File Size", "Created", "Last Modified", "Accessed"};
const std::vector<std::string> kVersionLabels = {
    "File Description", "Company Name", "File Version", "Internal Name", "Legal Copyright",
    "Original Filename", "Product Name", "Product Version"};

std::vector<std::string> Join(std::initializer_list<std::vector<std::string>> parts)
{
    std::vector<std::string> joined;
    for (const auto& part : parts)
        joined.insert(joined.end(), part.begin(), part.end());
    return joined;
}

std::vector<RowKind> Repeat(std::initializer_list<std::pair<int, RowKind>> runs)
{
    std::vector<RowKind> kinds;
    for (const auto& run : runs)
        kinds.insert(kinds.end(), run.first, run.second);
    return kinds;
}

// The registry tree record fills, rendered; every item is a key, and the
// root is expanded.
std::string RegistryTree(CComObject& record)
{
    CRecordingTree tree;
    record.FillRegistryTree(tree);
    EXPECT_TRUE(tree.IsExpanded("HKEY_CLASSES_ROOT"));
    EXPECT_TRUE(tree.AllOfKind(ItemKind::RegistryKey));
    return tree.Render();
}

// How every registry tree starts: the root, CLSID and the class's own key.
const std::string kClassBranch = "HKEY_CLASSES_ROOT\n  CLSID\n    " + std::string(kClsid) + "\n";
// The same with the two subkeys the sample class always has.
const std::string kClassKeys = kClassBranch + "      ProgID\n      InprocServer32\n";

const RowKind kRegistry = RowKind::Registry;
const RowKind kFile = RowKind::File;
const RowKind kVersion = RowKind::Version;
const RowKind kMissing = RowKind::Missing;

class FillTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        AddClass(machine.registry, kClsid, "Widget.1");
        SetClassValue(machine.registry, kClsid, "InprocServer32", kDll);
        machine.files.AddFile(kDll, 10);
        machine.versions.SetVersion(kDll, CVersionFixture());
    }

    void AddKeys(std::initializer_list<const char*> paths)
    {
        for (const char* path : paths)
            machine.registry.AddKey(path);
    }

    CMemoryPlatform machine;
};

TEST_F(FillTest, AWellBehavedControlShowsEveryRowThenItsToolboxBitmap)
{
    SetClassValue(machine.registry, kClsid, "ToolboxBitmap32", "widget.dll, 1");
    CComControl control(machine.Get(), kClsid);
    CRecordingList list;
    control.FillAttributeList(list);
    EXPECT_EQ(Join({kRegistryLabels, kFileLabels, kTimeLabels, kVersionLabels, {"Toolbox Bitmap"}}),
              list.Labels());
    EXPECT_EQ(Repeat({{5, kRegistry}, {2, kFile}, {4, kFile}, {8, kVersion}, {1, kFile}}), list.Kinds());
    EXPECT_EQ("widget.dll, 1", list.Value("Toolbox Bitmap"));
    EXPECT_EQ("Widget.1", list.Value("ProgID"));
    EXPECT_EQ("Not Defined", list.Value("TypeLib Name"));
    EXPECT_EQ("10 Bytes", list.Value("File Size"));
}

TEST_F(FillTest, AMissingFileOrAnUndefinedPathShowsItsWarningWithoutFileOrVersionRows)
{
    const std::pair<const char*, const char*> kCases[] = {{"C:\\Gone\\gone.dll", kStatusMissing},
                                                          {"widget.dll", kStatusNoPath}};
    for (const auto& path : kCases) {
        SetClassValue(machine.registry, kClsid, "InprocServer32", path.first);
        CDllServer server(machine.Get(), kClsid);
        CRecordingList list;
        server.FillAttributeList(list);
        EXPECT_EQ(Join({kRegistryLabels, kFileLabels}), list.Labels()) << path.first;
        EXPECT_EQ(Repeat({{5, kRegistry}, {2, kMissing}}), list.Kinds()) << path.first;
        EXPECT_EQ(path.second, list.Value("Status"));
    }
}

TEST_F(FillTest, AnExeServerEndsWithItsAppIDAndDefaultIcon)
{
    SetClassValue(machine.registry, kClsid, "LocalServer32", kDll);
    SetClassValue(machine.registry, kClsid, "DefaultIcon", "widget.dll,0");
    machine.registry.SetString(std::string("CLSID\\") + kClsid, "AppID", "{APP}");
    machine.versions.SetVersion(kDll, [] {
        CVersionFixture none;
        none.hasTranslation = false;
        return none;
    }());
    CExeServer server(machine.Get(), kClsid);
    CRecordingList list;
    server.FillAttributeList(list);
    EXPECT_EQ(Join({kRegistryLabels, kFileLabels, kTimeLabels, {"AppID", "Default Icon"}}),
              list.Labels());
    EXPECT_EQ(Repeat({{5, kRegistry}, {6, kFile}, {1, kRegistry}, {1, kFile}}), list.Kinds());
    EXPECT_EQ("{APP}", list.Value("AppID"));
    EXPECT_EQ("widget.dll,0", list.Value("Default Icon"));
}

TEST_F(FillTest, APlainFileShowsOnlyItsFileRows)
{
    CComFile file(machine.Get());
    file.SetPath(kDll);
    file.SetFound(true);
    CRecordingList list;
    file.FillAttributeList(list);
    EXPECT_EQ(Join({kFileLabels, kTimeLabels, kVersionLabels}), list.Labels());
    EXPECT_EQ(Repeat({{6, kFile}, {8, kVersion}}), list.Kinds());

    CComFile missing(machine.Get());
    missing.SetPath("C:\\Gone\\gone.dll");
    CRecordingList missingList;
    missing.FillAttributeList(missingList);
    EXPECT_EQ(kFileLabels, missingList.Labels());
    EXPECT_EQ(Repeat({{2, kMissing}}), missingList.Kinds());
}

TEST_F(FillTest, TheRegistryTreeShowsTheClassLibraryAndProgIDKeys)
{
    SetClassValue(machine.registry, kClsid, "TypeLib", "{LIB}");
    AddKeys({"TypeLib\\{LIB}\\1.0\\0\\win32", "TypeLib\\{LIB}\\1.0\\FLAGS", "Widget.1\\CLSID"});
    CComControl control(machine.Get(), kClsid);
    EXPECT_EQ(kClassKeys +
              "      TypeLib\n"
              "  TypeLib\n"
              "    {LIB}\n"
              "      1.0\n"
              "        0\n"
              "          win32\n"
              "        FLAGS\n"
              "  Widget.1\n"
              "    CLSID\n",
              RegistryTree(control));
    EXPECT_EQ(0u, machine.registry.OpenKeyCount());
}

TEST_F(FillTest, AClassWithoutTypeLibHasNoTypeLibBranch)
{
    machine.registry.RemoveKey(std::string("CLSID\\") + kClsid + "\\ProgID");
    CDllServer server(machine.Get(), kClsid);
    EXPECT_EQ(kClassBranch + "      InprocServer32\n", RegistryTree(server));
}

TEST_F(FillTest, AnExeServerAddsItsAppIDBranch)
{
    machine.registry.SetString(std::string("CLSID\\") + kClsid, "AppID", "{APP}");
    AddKeys({"AppID\\{APP}\\Sub", "Widget.1"});
    CExeServer server(machine.Get(), kClsid);
    EXPECT_EQ(kClassKeys +
              "  Widget.1\n"
              "  AppID\n"
              "    {APP}\n"
              "      Sub\n",
              RegistryTree(server));
}

TEST_F(FillTest, BranchesAreShownOnlyForKeysThatAreThere)
{
    SetClassValue(machine.registry, kClsid, "TypeLib", "{NO-LIB}");
    machine.registry.SetString(std::string("CLSID\\") + kClsid, "AppID", "{NO-APP}");
    CExeServer server(machine.Get(), kClsid);
    EXPECT_EQ(kClassKeys + "      TypeLib\n", RegistryTree(server))
        << "Widget.1, TypeLib\\{NO-LIB} and AppID\\{NO-APP} are not in the registry";

    AddKeys({"widget.1", "TypeLib\\{no-lib}", "AppID\\{NO-APP}"});
    EXPECT_EQ(kClassKeys +
              "      TypeLib\n"
              "  TypeLib\n"
              "    {NO-LIB}\n"
              "  Widget.1\n"
              "  AppID\n"
              "    {NO-APP}\n",
              RegistryTree(server))
        << "names are matched ignoring case and shown as the class names them";
    EXPECT_EQ(0u, machine.registry.OpenKeyCount());
}

TEST_F(FillTest, KeysWithLongNamesAreListedWhole)
{
    const std::string longName(255, 'k');
    AddClassKey(machine.registry, kClsid, longName + "\\after");
    AddClassKey(machine.registry, kClsid, "Last");
    CDllServer server(machine.Get(), kClsid);
    EXPECT_NE(std::string::npos, RegistryTree(server).find("      " + longName + "\n        after\n      Last\n"));
}

}  // namespace
}  // namespace orrery
