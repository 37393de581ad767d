// Settings under HKEY_LOCAL_MACHINE for a user who may or may not write there:
// the same settings functions, on an in-memory store that refuses the machine
// key as Windows refuses it to a standard user.

#include <gtest/gtest.h>

#include "settings/machine_or_user_registry_control.h"
#include "settings/memory_registry_control.h"
#include "settings/settings.h"

namespace pointilla::shell {
namespace {

const std::string kMachineKey = "HKEY_LOCAL_MACHINE\\software\\Pointilla\\Pointilla";
const std::string kUserKey = "HKEY_CURRENT_USER\\software\\Pointilla\\Pointilla";
const std::string kCle1 = "cl\u00e91";
const std::string kRedlec = std::string(settings::kHideWhilePlaying.name);

// Creating or writing anything under HKEY_LOCAL_MACHINE fails; reading works.
class StandardUserStore final : public settings::RegistryControl {
  public:
    void setCurrentKey(const std::string& keyPath) override { memory.setCurrentKey(keyPath); }
    bool createAKey(const std::string& name) override {
        return !onMachine() && memory.createAKey(name);
    }
    bool keyExists(const std::string& name, int type) override {
        return memory.keyExists(name, type);
    }
    bool setStringVal(const std::string& name, const std::string& value) override {
        return !onMachine() && memory.setStringVal(name, value);
    }
    std::string getStringVal(const std::string& name) override { return memory.getStringVal(name); }

    settings::MemoryRegistryControl memory;
    bool machineWritable = false;

  private:
    bool onMachine() const {
        return !machineWritable && memory.currentKey().rfind("HKEY_LOCAL_MACHINE", 0) == 0;
    }
};

TEST(MachineOrUser, UserPathOnlyForTheMachineRootInAnyCase) {
    EXPECT_EQ(settings::userPathFor(kMachineKey), kUserKey);
    EXPECT_EQ(settings::userPathFor(" hkey_local_machine \\software"),
              "HKEY_CURRENT_USER\\software");
    EXPECT_EQ(settings::userPathFor("HKEY_CURRENT_USER\\software"), std::nullopt);
    EXPECT_EQ(settings::userPathFor("HKEY_LOCAL_MACHINE"), std::nullopt);
}

TEST(MachineOrUser, StandardUserKeepsSettingsUnderTheUserKey) {
    StandardUserStore store;
    settings::MachineOrUserRegistryControl control(store);
    settings::prepareSettings(control, settings::kProductTitle);

    EXPECT_FALSE(store.memory.hasKey(kMachineKey));
    for (const settings::Value& setting : settings::kAllValues) {
        EXPECT_EQ(store.memory.value(kUserKey, std::string(setting.name)),
                  std::string(setting.defaultText));
    }
    settings::writeSetting(control, settings::kProductTitle, kCle1, "7");
    EXPECT_EQ(settings::readSetting(control, settings::kProductTitle, kCle1), "7");
    EXPECT_FALSE(settings::hideWhilePlayingChecked(control, settings::kProductTitle));
    EXPECT_TRUE(settings::toggleHideWhilePlaying(control, settings::kProductTitle));
    EXPECT_EQ(store.memory.value(kUserKey, kRedlec), std::string(settings::kOn));
}

TEST(MachineOrUser, MachineValuesAreDefaultsAUserWriteOverridesOneByOne) {
    StandardUserStore store;
    store.memory.putValue(kMachineKey, kCle1, "3");
    store.memory.putValue(kMachineKey, kRedlec, "1");
    settings::MachineOrUserRegistryControl control(store);
    settings::prepareSettings(control, settings::kProductTitle);

    EXPECT_EQ(settings::readSetting(control, settings::kProductTitle, kCle1), "3");
    EXPECT_TRUE(settings::hideWhilePlayingChecked(control, settings::kProductTitle));
    EXPECT_EQ(store.memory.value(kUserKey, kCle1), std::nullopt);  // not copied

    settings::writeSetting(control, settings::kProductTitle, kCle1, "5");
    EXPECT_EQ(settings::readSetting(control, settings::kProductTitle, kCle1), "5");
    EXPECT_EQ(store.memory.value(kMachineKey, kCle1), "3");
    EXPECT_TRUE(settings::hideWhilePlayingChecked(control, settings::kProductTitle));
}

TEST(MachineOrUser, WritableMachineKeyIsTheOnlyOneUsed) {
    StandardUserStore store;
    store.machineWritable = true;
    store.memory.putValue(kUserKey, kCle1, "9");  // left by an earlier standard-user session
    settings::MachineOrUserRegistryControl control(store);
    settings::prepareSettings(control, settings::kProductTitle);

    EXPECT_EQ(store.memory.value(kMachineKey, kRedlec),
              std::string(settings::kHideWhilePlaying.defaultText));
    EXPECT_EQ(store.memory.value(kUserKey, kRedlec), std::nullopt);
    // What the user set stays what the user reads and writes.
    settings::writeSetting(control, settings::kProductTitle, kCle1, "4");
    EXPECT_EQ(store.memory.value(kUserKey, kCle1), "4");
    EXPECT_EQ(settings::readSetting(control, settings::kProductTitle, kCle1), "4");
}

TEST(MachineOrUser, AWriteNeitherKeyTakesIsReportedFailed) {
    StandardUserStore store;
    settings::MachineOrUserRegistryControl control(store);
    store.memory.setReadOnly(true);
    control.setCurrentKey(kMachineKey);
    EXPECT_FALSE(control.createAKey("x"));
    EXPECT_FALSE(control.setStringVal(kCle1, "1"));
    EXPECT_EQ(control.getStringVal(kCle1), "");
}

}  // namespace
}  // namespace pointilla::shell
