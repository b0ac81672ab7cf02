#include "toolkit/FakeSystemServices.h"
#include "toolkit/core/Exceptions.h"
#include "toolkit/registry/Registry.h"

#include <gtest/gtest.h>

namespace {

const TRegistryRoot HKCU = TRegistryRoot::CurrentUser;
const TRegistryRoot HKLM = TRegistryRoot::LocalMachine;

class RegistryTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        system.SetValue(HKCU, "Software\\App", "Text", TRegistryDataType::String, "C:\\Data");
        system.SetValue(HKCU, "Software\\App", "Expand", TRegistryDataType::ExpandString, "%SystemRoot%\\x");
        system.SetValue(HKCU, "Software\\App", "Nul", TRegistryDataType::String, std::string("abc\0def", 7));
        system.SetValue(HKCU, "Software\\App", "Empty", TRegistryDataType::String, "");
        system.SetValue(HKCU, "Software\\App", "Number", TRegistryDataType::Integer, std::string("\x2a\0\0\0", 4));
        system.SetValue(HKCU, "Software\\App", "Blob", TRegistryDataType::Binary, "\x01\x02");
        system.SetValue(HKCU, "Software\\App", "Multi", TRegistryDataType::MultiString, std::string("a\0b\0\0", 5));
        system.SetValue(HKCU, "Software\\App", "Odd", TRegistryDataType::Unknown, "");
        system.SetValue(HKCU, "Software\\App\\Sub", "Inner", TRegistryDataType::String, "inner");
        system.SetValue(HKLM, "Software\\App", "Text", TRegistryDataType::String, "machine");
    }

    FakeSystemServices system;
};

} // namespace

TEST_F(RegistryTest, StringsReadUpToTheFirstNulWithoutExpanding)
{
    TRegistry registry(system);
    ASSERT_TRUE(registry.OpenKey("\\Software\\App", false));
    EXPECT_EQ(registry.ReadString("Text"), "C:\\Data");
    EXPECT_EQ(registry.ReadString("Expand"), "%SystemRoot%\\x");
    EXPECT_EQ(registry.ReadString("Nul"), "abc");
    EXPECT_EQ(registry.ReadString("Empty"), "");
}

TEST_F(RegistryTest, AMissingValueOrKeyReadsAsEmpty)
{
    TRegistry registry(system);
    EXPECT_EQ(registry.ReadString("Text"), "");
    EXPECT_FALSE(registry.ValueExists("Text"));
    ASSERT_TRUE(registry.OpenKey("\\Software\\App", false));
    EXPECT_EQ(registry.ReadString("Missing"), "");
    EXPECT_FALSE(registry.ValueExists("Missing"));
    EXPECT_TRUE(registry.ValueExists("Empty"));
    EXPECT_TRUE(registry.ValueExists("Number"));
}

TEST_F(RegistryTest, EveryOtherTypeRaisesTheDataTypeErrorNamingTheValue)
{
    TRegistry registry(system);
    ASSERT_TRUE(registry.OpenKey("\\Software\\App", false));
    for (const char* name : {"Number", "Blob", "Multi", "Odd"}) {
        try {
            registry.ReadString(name);
            ADD_FAILURE() << name << " read as a text";
        } catch (const ERegistryException& error) {
            EXPECT_EQ(error.Message(), std::string("无效的数据类型 '") + name + "'");
        }
    }
    EXPECT_TRUE(registry.HasCurrentKey());
}

TEST_F(RegistryTest, PathsStartAtTheRootOrBelowTheOpenKey)
{
    TRegistry registry(system);
    ASSERT_TRUE(registry.OpenKey("\\Software\\App", false));
    EXPECT_EQ(registry.CurrentPath(), "Software\\App");
    ASSERT_TRUE(registry.OpenKey("Sub", false));
    EXPECT_EQ(registry.CurrentPath(), "Software\\App\\Sub");
    EXPECT_EQ(registry.ReadString("Inner"), "inner");
    ASSERT_TRUE(registry.OpenKey("\\Software\\App", false));
    EXPECT_EQ(registry.ReadString("Text"), "C:\\Data");
    EXPECT_EQ(system.openKeys, 1);

    TRegistry fresh(system);
    ASSERT_TRUE(fresh.OpenKey("Software\\App", false));
    EXPECT_EQ(fresh.CurrentPath(), "Software\\App");
}

TEST_F(RegistryTest, AFailedOpenKeepsThePreviousKey)
{
    TRegistry registry(system);
    ASSERT_TRUE(registry.OpenKey("\\Software\\App", false));
    EXPECT_FALSE(registry.OpenKey("\\Software\\Missing", false));
    EXPECT_EQ(registry.CurrentPath(), "Software\\App");
    EXPECT_EQ(registry.ReadString("Text"), "C:\\Data");
}

TEST_F(RegistryTest, CanCreateMakesAMissingKey)
{
    TRegistry registry(system);
    ASSERT_TRUE(registry.OpenKey("\\Software\\New", true));
    EXPECT_TRUE(registry.WriteString("Name", "value"));
    registry.CloseKey();
    EXPECT_FALSE(registry.HasCurrentKey());
    EXPECT_EQ(system.openKeys, 0);

    ASSERT_TRUE(registry.OpenKey("\\Software\\New", false));
    EXPECT_EQ(registry.ReadString("Name"), "value");
}

TEST_F(RegistryTest, WritingWithoutAnOpenKeyFails)
{
    TRegistry registry(system);
    EXPECT_FALSE(registry.WriteString("Name", "value"));
}

TEST_F(RegistryTest, ChangingTheRootClosesTheKey)
{
    TRegistry registry(system);
    EXPECT_EQ(registry.RootKey(), HKCU);
    ASSERT_TRUE(registry.OpenKey("\\Software\\App", false));
    registry.SetRootKey(HKLM);
    EXPECT_EQ(registry.RootKey(), HKLM);
    EXPECT_FALSE(registry.HasCurrentKey());
    EXPECT_EQ(system.openKeys, 0);
    EXPECT_EQ(registry.ReadString("Text"), "");
    ASSERT_TRUE(registry.OpenKey("Software\\App", false));
    EXPECT_EQ(registry.ReadString("Text"), "machine");
}

TEST_F(RegistryTest, TheAccessorClosesItsKeyWhenReleased)
{
    {
        TRegistry registry(system);
        ASSERT_TRUE(registry.OpenKey("\\Software\\App", false));
        EXPECT_EQ(system.openKeys, 1);
    }
    EXPECT_EQ(system.openKeys, 0);
}
