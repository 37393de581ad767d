// Reading the registry for the system-information tool, and starting it.
#include "shell/about/sys_info.h"

#include <unistd.h>

#include <fstream>

#include "fakes.h"

namespace pointilla::shell::testing {
namespace {

using GetKeyValueTest = TempStore;
using StartSysInfoTest = TempStore;

TEST_F(GetKeyValueTest, ReadsAStringWithOrWithoutItsTerminatingZero) {
    setString("SOFTWARE\\T", "with", "C:\\Outils\\caf\xe9");
    setValue("SOFTWARE\\T", "without", REG_SZ, {'a', 'b', 'c'});
    std::string value = "old";
    EXPECT_TRUE(GetKeyValue(HKEY_LOCAL_MACHINE, "SOFTWARE\\T", "with", value));
    EXPECT_EQ(value, "C:\\Outils\\caf\u00e9");
    EXPECT_TRUE(GetKeyValue(HKEY_LOCAL_MACHINE, "SOFTWARE\\T", "without", value));
    EXPECT_EQ(value, "abc");
}

TEST_F(GetKeyValueTest, ReadsADwordAsItsNumberAndLeavesOtherTypesAlone) {
    setValue("SOFTWARE\\T", "dword", REG_DWORD, {0x02, 0x01, 0x00, 0x00});
    setValue("SOFTWARE\\T", "binary", REG_BINARY, {1, 2, 3});
    std::string value;
    EXPECT_TRUE(GetKeyValue(HKEY_LOCAL_MACHINE, "SOFTWARE\\T", "dword", value));
    EXPECT_EQ(value, "258");
    value = "kept";
    EXPECT_TRUE(GetKeyValue(HKEY_LOCAL_MACHINE, "SOFTWARE\\T", "binary", value));
    EXPECT_EQ(value, "kept");
}

TEST_F(GetKeyValueTest, MissingKeyOrValueEmptiesTheResult) {
    setString("SOFTWARE\\T", "present", "x");
    std::string value = "old";
    EXPECT_FALSE(GetKeyValue(HKEY_LOCAL_MACHINE, "SOFTWARE\\Absent", "present", value));
    EXPECT_EQ(value, "");
    value = "old";
    EXPECT_FALSE(GetKeyValue(HKEY_LOCAL_MACHINE, "SOFTWARE\\T", "absent", value));
    EXPECT_EQ(value, "");
}

TEST_F(StartSysInfoTest, StartsTheRecordedPathWithoutLookingForTheFile) {
    setString(kMsinfoKey, kMsinfoValue, "/nowhere/msinfo");
    setString(kSharedToolsKey, kSharedToolsValue, dir.string());
    RecordingOpener desktop;
    EXPECT_TRUE(StartSysInfo(desktop));
    EXPECT_EQ(desktop.started, std::vector<std::filesystem::path>{"/nowhere/msinfo"});
}

TEST_F(StartSysInfoTest, AFailedStartCountsAsUnavailable) {
    setString(kMsinfoKey, kMsinfoValue, "/nowhere/msinfo");
    RecordingOpener desktop;
    desktop.startSucceeds = false;
    EXPECT_FALSE(StartSysInfo(desktop));
    EXPECT_EQ(desktop.started.size(), 1U);
}

TEST_F(StartSysInfoTest, FallsBackToTheToolInTheRecordedFolderWhenItExists) {
    setString(kSharedToolsKey, kSharedToolsValue, dir.string());
    RecordingOpener desktop;
    EXPECT_FALSE(StartSysInfo(desktop));
    EXPECT_TRUE(desktop.started.empty());

    std::ofstream(dir / kMsinfoProgram) << "#!/bin/sh\n";
    EXPECT_TRUE(StartSysInfo(desktop));
    EXPECT_EQ(desktop.started, std::vector<std::filesystem::path>{dir / kMsinfoProgram});
}

TEST_F(StartSysInfoTest, NothingRecordedMeansUnavailable) {
    RecordingOpener desktop;
    EXPECT_FALSE(StartSysInfo(desktop));
    EXPECT_TRUE(desktop.started.empty());
}

}  // namespace
}  // namespace pointilla::shell::testing
