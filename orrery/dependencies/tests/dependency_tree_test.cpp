#include "orrery/dependencies/dependency_tree.h"

#include "orrery/catalogue/com_servers.h"
#include "orrery/dependencies/tests/fixture_images.h"
#include "orrery/dependencies/tests/image_builder.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace orrery {
namespace {

// A tree that owns the records given to it, as the dependency pane does.
class COwningTree : public CTreeControl {
public:
    struct Item {
        TreeItem parent;
        std::string text;
        int image;
        int selectedImage;
        std::unique_ptr<CComFile> record;
    };

    TreeItem InsertItem(TreeItem parent, const std::string& text, int image, int selectedImage,
                        CComFile* data) override
    {
        items.push_back(Item{parent, text, image, selectedImage, std::unique_ptr<CComFile>(data)});
        return reinterpret_cast<TreeItem>(items.size());
    }
    void Expand(TreeItem) override { ++expanded; }

    std::vector<std::string> Texts() const
    {
        std::vector<std::string> texts;
        for (const Item& item : items)
            texts.push_back(item.text);
        return texts;
    }

    std::vector<Item> items;
    int expanded = 0;
};

class DependencyTreeTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        machine.InstallSet("C:\\app", "chain", {"chain_a.dll", "chain_b.dll"});
    }

    void Register(const std::string& clsid, const char* serverKey, const std::string& server)
    {
        machine.registry.SetString("CLSID\\" + clsid + "\\ProgID", "", "Test." + clsid);
        machine.registry.SetString("CLSID\\" + clsid + "\\" + serverKey, "", server);
    }

    CDependencyMachine machine;
    COwningTree tree;
};

TEST_F(DependencyTreeTest, FoundAndMissingDllsAreFlatItemsHoldingTheirRecords)
{
    Register("{A}", "InprocServer32", "C:\\app\\chain_a.dll");
    CDllServer server(machine.Get(), "{A}");
    ASSERT_TRUE(server.IsFound());
    server.FillDependencyTree(tree);

    ASSERT_EQ((std::vector<std::string>{"KERNEL32.dll", "chain_b.dll", "chain_c.dll"}), tree.Texts());
    for (const COwningTree::Item& item : tree.items) {
        EXPECT_EQ(kTreeRoot, item.parent) << item.text;
        ASSERT_NE(nullptr, item.record) << item.text;
        EXPECT_EQ(item.text, item.record->GetDisplayName());
        int expected = item.record->IsFound() ? kDependencyImageFound : kDependencyImageMissing;
        EXPECT_EQ(expected, item.image) << item.text;
        EXPECT_EQ(expected, item.selectedImage) << item.text;
    }
    EXPECT_EQ(0, tree.items[0].image);
    EXPECT_EQ(1, tree.items[2].image) << "chain_c.dll is missing";
    EXPECT_EQ("C:\\app\\chain_b.dll", tree.items[1].record->GetFilePath());
    EXPECT_EQ("", tree.items[2].record->GetFilePath());
    EXPECT_EQ(0, tree.expanded);
}

TEST_F(DependencyTreeTest, MisbehavedObjectGetsAnEmptyTreeAndNothingIsOpened)
{
    Register("{M}", "InprocServer32", "C:\\gone\\chain_a.dll");
    CDllServer server(machine.Get(), "{M}");
    ASSERT_FALSE(server.IsFound());
    server.FillDependencyTree(tree);
    EXPECT_TRUE(tree.items.empty());
    EXPECT_EQ(0u, machine.files.OpenCount("C:\\gone\\chain_a.dll"));
}

TEST_F(DependencyTreeTest, FileThatCannotBeReadOrImportsNothingLeavesTheTreeEmpty)
{
    machine.Install("C:\\app\\plain.dll", "plain/no_imports.dll");
    Register("{P}", "InprocServer32", "C:\\app\\plain.dll");
    CDllServer plain(machine.Get(), "{P}");
    plain.FillDependencyTree(tree);
    EXPECT_TRUE(tree.items.empty());

    machine.files.RefuseOpening("C:\\app\\chain_a.dll");
    Register("{R}", "InprocServer32", "C:\\app\\chain_a.dll");
    CDllServer refused(machine.Get(), "{R}");
    ASSERT_TRUE(refused.IsFound());
    refused.FillDependencyTree(tree);
    EXPECT_TRUE(tree.items.empty());
}

TEST_F(DependencyTreeTest, ExeServerWithArgumentsIsWalkedFromItsFile)
{
    machine.files.AddFileContents("C:\\app\\server.exe", CImageBuilder({"chain_b.dll"}).Bytes());
    Register("{E}", "LocalServer32", "C:\\app\\server.exe /automation");
    CExeServer server(machine.Get(), "{E}");
    ASSERT_TRUE(server.IsFound());
    server.FillDependencyTree(tree);
    EXPECT_EQ((std::vector<std::string>{"chain_b.dll", "chain_c.dll"}), tree.Texts());
}

TEST_F(DependencyTreeTest, PlainFileRecordsAreWalkedThroughTheSameRoutine)
{
    CComFile file(machine.Get());
    file.SetPath("C:\\app\\chain_b.dll");
    file.SetFound(true);
    FillDependencyItems(machine.Get(), file, tree);
    EXPECT_EQ((std::vector<std::string>{"chain_c.dll"}), tree.Texts());
}

}  // namespace
}  // namespace orrery
