#include "orrery/app/command_line.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// A double-byte code page in the manner of Shift-JIS: 0x81-0x9F and
// 0xE0-0xFC start a two-byte character whose second byte may lie in the
// range of the ASCII letters; only ASCII letters have an upper case.
class CDoubleByteCodePage : public CCodePage {
public:
    bool IsLeadByte(unsigned char byte) const override
    {
        return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
    }
    unsigned char UpperCase(unsigned char byte) const override
    {
        return byte >= 'a' && byte <= 'z' ? static_cast<unsigned char>(byte - 'a' + 'A') : byte;
    }
};

// A Western single-byte code page: accented letters have upper cases too.
class CWesternCodePage : public CCodePage {
public:
    bool IsLeadByte(unsigned char) const override { return false; }
    unsigned char UpperCase(unsigned char byte) const override
    {
        if ((byte >= 'a' && byte <= 'z') || (byte >= 0xE0 && byte <= 0xFE && byte != 0xF7))
            return static_cast<unsigned char>(byte - 0x20);
        return byte;
    }
};

CCommandLine Read(const std::string& line, const CCodePage& codePage = CDoubleByteCodePage())
{
    return SplitCommandLine(UpperCaseCommandLine(line, codePage));
}

TEST(CommandLine, TheSwitchAndThePathAreTakenUpperCased)
{
    CCommandLine line = Read("-r c:\\x.ocx");
    EXPECT_EQ("-R", line.switchText);
    EXPECT_EQ("C:\\X.OCX", line.path);
    EXPECT_TRUE(IsOperationSwitch(line.switchText));
}

TEST(CommandLine, ThePathKeepsItsQuotesAndBlanksAndTheThirdCharacterIsSkipped)
{
    EXPECT_EQ("\"C:\\MY FILES\\A B.OCX\"", Read("-u \"c:\\my files\\a b.ocx\"").path);
    EXPECT_EQ("C:\\A.DLL", Read("-vxc:\\a.dll").path);
    EXPECT_EQ("-V", Read("-vxc:\\a.dll").switchText);
    EXPECT_EQ(" C:\\A.DLL ", Read("-c  c:\\a.dll ").path);
}

TEST(CommandLine, ThreeCharactersOrFewerHoldNoSwitch)
{
    for (const char* text : {"", "-", "-R", "-R ", "abc"}) {
        CCommandLine line = Read(text);
        EXPECT_EQ("", line.switchText) << "'" << text << "'";
        EXPECT_EQ("", line.path) << "'" << text << "'";
        EXPECT_FALSE(IsOperationSwitch(line.switchText));
    }
    CCommandLine shortest = Read("-r x");
    EXPECT_EQ("-R", shortest.switchText);
    EXPECT_EQ("X", shortest.path);
}

TEST(CommandLine, OnlyTheFourOperationSwitchesAreRecognised)
{
    for (const char* known : {"-U", "-R", "-V", "-C"})
        EXPECT_TRUE(IsOperationSwitch(known)) << known;
    for (const char* other : {"-X", "/R", "R ", "--", "-r", "-"})
        EXPECT_FALSE(IsOperationSwitch(other)) << other;
    EXPECT_EQ("-X", Read("-X C:\\A.DLL").switchText);
}

TEST(CommandLine, DoubleByteCharactersAreKeptAsTheyAre)
{
    // 0x83 0x61 is one character whose second byte is the code of 'a':
    // upper-casing it would name another file.
    const std::string name = "c:\\\x83\x61\x83\x62.ocx";
    EXPECT_EQ("C:\\\x83\x61\x83\x62.OCX", UpperCaseCommandLine(name, CDoubleByteCodePage()));
    EXPECT_EQ("-R", Read("-r " + name).switchText);
    EXPECT_EQ("C:\\\x83\x61\x83\x62.OCX", Read("-r " + name).path);
    EXPECT_EQ("AB\x83", UpperCaseCommandLine("ab\x83", CDoubleByteCodePage())) << "a lead byte at the end";
}

TEST(CommandLine, SingleByteLettersTakeTheCodePagesUpperCase)
{
    EXPECT_EQ("-R C:\\\xC9T\xC9.OCX", UpperCaseCommandLine("-r c:\\\xE9t\xE9.ocx", CWesternCodePage()));
    EXPECT_EQ("C:\\\xC9T\xC9.OCX", Read("-r c:\\\xE9t\xE9.ocx", CWesternCodePage()).path);
}

} // namespace
