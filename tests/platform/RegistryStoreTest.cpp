#include "platform/posix/IniText.h"
#include "platform/posix/RegistryStore.h"

#include <gtest/gtest.h>

namespace {

const std::string kKey = "HKEY_CURRENT_USER\\Software\\Merrowin\\Test";

TRegistryData Text(const std::string& bytes)
{
    return {TRegistryDataType::String, bytes};
}

} // namespace

TEST(RegistryStore, WritesAReadableTextThatParsesBackToTheSameValues)
{
    RegistryStore store;
    store.Write(kKey, "Greeting", Text("你好 \"quoted\" back\\slash"));
    store.Write(kKey, "Bytes", Text(std::string("a\0b\r\n\x7f", 6)));
    store.Write(kKey, "Count", {TRegistryDataType::Integer, std::string("\x2a\0\0\x80", 4)});
    store.Write(kKey, "Path", {TRegistryDataType::ExpandString, "%TEMP%"});
    store.Write(kKey, "Blob", {TRegistryDataType::Binary, std::string("\x00\xff", 2)});
    store.AddKey("HKEY_LOCAL_MACHINE\\Empty");
    std::string text = store.Text();
    EXPECT_EQ(text, "[HKEY_CURRENT_USER\\Software\\Merrowin\\Test]\n"
                    "\"Greeting\"=\"你好 \\\"quoted\\\" back\\\\slash\"\n"
                    "\"Bytes\"=\"a\\x00b\\x0d\\x0a\\x7f\"\n"
                    "\"Count\"=dword:8000002a\n"
                    "\"Path\"=expand:\"%TEMP%\"\n"
                    "\"Blob\"=hex:00,ff\n"
                    "[HKEY_LOCAL_MACHINE\\Empty]\n");
    RegistryStore parsed = RegistryStore::Parse(text);
    EXPECT_EQ(parsed.Text(), text);
    EXPECT_EQ(parsed.Read(kKey, "Bytes")->bytes, std::string("a\0b\r\n\x7f", 6));
    EXPECT_EQ(parsed.Read(kKey, "Count")->type, TRegistryDataType::Integer);
    EXPECT_TRUE(parsed.HasKey("HKEY_LOCAL_MACHINE\\Empty"));
}

TEST(RegistryStore, NamesIgnoreAsciiCase)
{
    RegistryStore store;
    store.Write(kKey, "Name", Text("one"));
    store.Write("hkey_current_user\\software\\MERROWIN\\test", "NAME", Text("two"));
    EXPECT_EQ(store.Read(kKey, "name")->bytes, "two");
    EXPECT_EQ(store.Text(), "[" + kKey + "]\n\"Name\"=\"two\"\n");
    EXPECT_TRUE(store.Delete(kKey, "nAmE"));
    EXPECT_FALSE(store.Delete(kKey, "Name"));
    EXPECT_FALSE(store.Read(kKey, "Name"));
}

TEST(RegistryStore, AKeyExistsWhenItOrAKeyBelowItIsStored)
{
    RegistryStore store;
    store.AddKey(kKey);
    EXPECT_TRUE(store.HasKey(kKey));
    EXPECT_TRUE(store.HasKey("HKEY_CURRENT_USER\\SOFTWARE"));
    EXPECT_FALSE(store.HasKey("HKEY_CURRENT_USER\\Soft"));
    EXPECT_FALSE(store.HasKey(kKey + "\\Below"));
}

TEST(RegistryStore, DamagedLinesAreSkipped)
{
    RegistryStore store = RegistryStore::Parse("\"Orphan\"=\"before any key\"\n"
                                               "[HKEY_CURRENT_USER\\A]\r\n"
                                               "\"Good\"=\"yes\"\r\n"
                                               "\"Open=\"no\n"
                                               "\"Bad escape\"=\"\\q\"\n"
                                               "\"Bad hex\"=\"\\x4\"\n"
                                               "\"Long\"=dword:123456789\n"
                                               "\"Letters\"=dword:xyz\n"
                                               "\"Odd\"=hex:0\n"
                                               "\"Trailing\"=\"x\" junk\n"
                                               "garbage\n"
                                               "[\n"
                                               "\"Last\"=dword:1");
    EXPECT_EQ(store.Text(), "[HKEY_CURRENT_USER\\A]\n\"Good\"=\"yes\"\n\"Last\"=dword:00000001\n");
}

TEST(IniText, SetsAKeyInANewOrExistingSection)
{
    EXPECT_EQ(SetIniValue("", "boot", "SCRNSAVE.EXE", "/a.scr"), "[boot]\r\nSCRNSAVE.EXE=/a.scr\r\n");
    EXPECT_EQ(SetIniValue("[boot]\nshell=x\n\n[other]\nk=v\n", "BOOT", "scrnsave.exe", "s"),
              "[boot]\r\nshell=x\r\nscrnsave.exe=s\r\n\r\n[other]\r\nk=v\r\n");
    EXPECT_EQ(SetIniValue("[other]\r\nk=v\r\n", "boot", "K", "s"), "[other]\r\nk=v\r\n[boot]\r\nK=s\r\n");
}

TEST(IniText, ReplacesTheKeyOfTheFirstMatchingSectionOnly)
{
    EXPECT_EQ(SetIniValue("[ boot ]\r\n SCRNSAVE.EXE = old\r\n[boot]\r\nSCRNSAVE.EXE=second\r\n", "boot",
                          "SCRNSAVE.EXE", "new"),
              "[ boot ]\r\nSCRNSAVE.EXE=new\r\n[boot]\r\nSCRNSAVE.EXE=second\r\n");
    EXPECT_EQ(SetIniValue("[boot]\r\nSCRNSAVE.EXEC=keep\r\n", "boot", "SCRNSAVE.EXE", "new"),
              "[boot]\r\nSCRNSAVE.EXEC=keep\r\nSCRNSAVE.EXE=new\r\n");
}
