#include "orrery/catalogue/server_path.h"

#include "orrery/platform/memory_files.h"

#include <gtest/gtest.h>

namespace orrery {
namespace {

TEST(StripQuotes, RemovesTheQuotesOfALonePathOnly)
{
    EXPECT_EQ("", StripQuotes(""));
    EXPECT_EQ("C:\\x\\a.dll", StripQuotes("C:\\x\\a.dll"));
    EXPECT_EQ("C:\\Program Files\\a.dll", StripQuotes("\"C:\\Program Files\\a.dll\""));
    EXPECT_EQ("C:\\x\\a.dll", StripQuotes("\"C:\\x\\a.dll")) << "an opening quote alone goes";
    EXPECT_EQ("C:\\x\\a.dll", StripQuotes("C:\\x\\a.dll\"")) << "a closing quote alone goes";
    EXPECT_EQ("", StripQuotes("\"\""));
    EXPECT_EQ("", StripQuotes("\""));
}

TEST(StripQuotes, KeepsAQuotedCommandLineWhole)
{
    const std::string command = "\"C:\\Program Files\\App\\app.exe\" /automation";
    EXPECT_EQ(command, StripQuotes(command));
    const std::string quotedArgument = "\"C:\\App\\app.exe\" \"-x y\"";
    EXPECT_EQ(quotedArgument, StripQuotes(quotedArgument))
        << "both ends quoted, yet not one path: no stray quote may be left inside";
}

TEST(ExpandEnvironment, ExpandsOnlyWhatFitsTheBuffer)
{
    CMemoryFileSystem files;
    files.SetVariable("SystemRoot", "C:\\WINDOWS");
    EXPECT_EQ("C:\\WINDOWS\\System32\\ole32.dll",
              ExpandEnvironment(files, "%SystemRoot%\\System32\\ole32.dll"));
    EXPECT_EQ("%Unknown%\\a.dll", ExpandEnvironment(files, "%Unknown%\\a.dll"));
    EXPECT_EQ("C:\\a.dll", ExpandEnvironment(files, "C:\\a.dll"));

    // The expansion may need up to 259 bytes, its terminating zero included.
    const std::string fits = "%SystemRoot%\\" + std::string(258 - 11, 'f');
    EXPECT_EQ(258u, ExpandEnvironment(files, fits).size());
    const std::string tooLong = "%SystemRoot%\\" + std::string(259 - 11, 'f');
    EXPECT_EQ(tooLong, ExpandEnvironment(files, tooLong)) << "stays unexpanded";
    files.SetVariable("Huge", std::string(5000, 'h'));
    EXPECT_EQ("%Huge%\\a.dll", ExpandEnvironment(files, "%Huge%\\a.dll"));
}

class LocateServerFileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        files.AddFile("C:\\Windows\\System32\\ole32.dll");
        files.AddFile("C:\\Program Files\\App\\app.exe");
        files.AddFile("plain.dll");
    }

    void ExpectLocated(const std::string& path, bool found, const std::string& file)
    {
        CServerFile located = LocateServerFile(files, path);
        EXPECT_EQ(found, located.found) << path;
        EXPECT_EQ(file, located.file) << path;
    }

    CMemoryFileSystem files;
};

TEST_F(LocateServerFileTest, FindsExistingPathsAndMissesMissingOnes)
{
    ExpectLocated("C:\\Windows\\System32\\ole32.dll", true, "C:\\Windows\\System32\\ole32.dll");
    ExpectLocated("c:\\program files\\app\\APP.EXE", true, "c:\\program files\\app\\APP.EXE");
    ExpectLocated("C:\\Windows\\System32\\gone.dll", false, "C:\\Windows\\System32\\gone.dll");
    ExpectLocated("C:\\Program Files\\Gone\\gone.exe", false, "C:\\Program Files\\Gone\\gone.exe");
    ExpectLocated("sub\\gone.dll", false, "sub\\gone.dll");
    ExpectLocated("plain.dll", true, "plain.dll");
}

TEST_F(LocateServerFileTest, AFolderIsNotTheServerFile)
{
    CFileEntry folder;
    folder.longName = "Windows";
    folder.isDirectory = true;
    files.AddFile("C:\\Windows", folder);
    folder.longName = "App Data";
    files.AddFile("C:\\Program Files\\App Data", folder);
    ExpectLocated("C:\\Windows", false, "C:\\Windows");
    ExpectLocated("\"C:\\Windows\" /x", false, "C:\\Windows");
    // A folder is no existing part of a path with arguments either.
    ExpectLocated("C:\\Program Files\\App Data /x", false, "C:\\Program Files\\App Data /x");
    ExpectLocated("C:\\Program Files\\App\\app.exe /x", true, "C:\\Program Files\\App\\app.exe");
}

TEST_F(LocateServerFileTest, ABareNameOrNothingCountsAsFound)
{
    ExpectLocated("", true, "");
    ExpectLocated("shell32.dll", true, "shell32.dll");
    ExpectLocated("server.exe -Embedding", true, "server.exe -Embedding");
}

TEST_F(LocateServerFileTest, AnUnquotedPathWithArgumentsIsItsExistingPart)
{
    ExpectLocated("C:\\Program Files\\App\\app.exe /automation", true,
                  "C:\\Program Files\\App\\app.exe");
    ExpectLocated("C:\\Program Files\\App\\app.exe -a -b c", true,
                  "C:\\Program Files\\App\\app.exe");
    ExpectLocated("C:\\Program Files\\Gone\\app.exe /automation", false,
                  "C:\\Program Files\\Gone\\app.exe /automation");
}

TEST_F(LocateServerFileTest, AQuotedPathWithArgumentsIsTheQuotedFile)
{
    ExpectLocated("\"C:\\Program Files\\App\\app.exe\" /automation", true,
                  "C:\\Program Files\\App\\app.exe");
    ExpectLocated("\"C:\\Program Files\\App\\app.exe\" \"/x y\"", true,
                  "C:\\Program Files\\App\\app.exe");
    ExpectLocated("\"C:\\Program Files\\Gone\\app.exe\" /automation", false,
                  "C:\\Program Files\\Gone\\app.exe");
    ExpectLocated("\"server.exe\" -Embedding", true, "server.exe");
}

TEST_F(LocateServerFileTest, TriesEachShorterPartOnce)
{
    unsigned long before = files.FindCount();
    LocateServerFile(files, "C:\\a b c d\\e.exe");
    EXPECT_EQ(4u, files.FindCount() - before) << "the whole path, then one try per space";
}

}  // namespace
}  // namespace orrery
