// The control as a host sees it: created from Dovetail.Trellis out of the
// registered library, called by dispatch identifier, RegError through its
// connection point.

#include <dlfcn.h>
#include <gtest/gtest.h>

#include "messages/trellis_messages.h"
#include "platform/registry/advapi32.h"
#include "support/registry_store.h"
#include "trellis/control/server_registration.h"
#include "trellis/host/automation_host.h"
#include "trellis/host/trellis_dispids.h"

namespace trellis {
namespace {

using host::Value;
using namespace std::string_literals;

// Why a registration failed, "" when it did not.
std::string reasonOf(const pointilla::Status<pointilla::HostFailure>& status) {
    return status ? std::string() : pointilla::messages::hostFailureText(status.error());
}

class Control : public ::testing::Test {
  protected:
    void SetUp() override {
        for (HKEY root : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE}) {
            HKEY software = nullptr;
            ASSERT_EQ(RegCreateKeyA(root, "Software", &software), ERROR_SUCCESS);
            RegCloseKey(software);
        }
        ASSERT_EQ(reasonOf(host::registerServer(TRELLIS_LIBRARY_PATH)), "");
        auto created = host::createObject(kProgId);
        ASSERT_TRUE(created) << pointilla::messages::hostFailureText(created.error());
        object = std::move(created).value();
        object->setEventHandler([this](std::int32_t id, const std::vector<Value>& args) {
            ASSERT_EQ(id, dispid::RegError);
            ASSERT_EQ(args.size(), 1u);
            errors.push_back(std::get<std::int32_t>(args[0]));
        });
    }
    Value call(std::int32_t id, const std::vector<Value>& args) {
        auto result = object->call(id, args);
        EXPECT_TRUE(result.has_value());
        return result.value_or(Value{});
    }
    void setKey(const std::string& key) {
        ASSERT_TRUE(object->putProperty(dispid::CurrentKey, key));
    }
    std::string currentKey() {
        auto v = object->getProperty(dispid::CurrentKey);
        return v ? std::get<std::string>(*v) : "<failed>";
    }

    std::unique_ptr<host::AutomationObject> object;
    std::vector<std::int32_t> errors;
};

TEST_F(Control, AFreshInstanceHasNoKeyAndEveryMemberFailsWith1010) {
    EXPECT_EQ(currentKey(), "");
    EXPECT_EQ(call(dispid::GetStringVal, {std::string("x")}), Value(std::string()));
    EXPECT_EQ(call(dispid::SetStringVal, {std::string("x"), std::string("y")}), Value(false));
    EXPECT_EQ(call(dispid::GetDWORDVal, {std::string("x")}), Value(std::int32_t{1010}));
    EXPECT_EQ(call(dispid::CreateAKey, {std::string("x")}), Value(false));
    EXPECT_EQ(errors, (std::vector<std::int32_t>{1010, 1010, 1010, 1010}));
}

TEST_F(Control, CurrentKeyIsTrimmedWithItsRootUpperCasedAndABadKeyKeepsTheOldOne) {
    setKey("hkey_local_machine \\ software ");
    EXPECT_EQ(currentKey(), "HKEY_LOCAL_MACHINE\\software");
    EXPECT_TRUE(errors.empty());
    setKey("no backslash here");
    EXPECT_EQ(errors, std::vector<std::int32_t>{1010});
    EXPECT_EQ(currentKey(), "HKEY_LOCAL_MACHINE\\software");
}

TEST_F(Control, TextsAndNumbersRoundTripUnderTheCurrentKey) {
    setKey("HKEY_LOCAL_MACHINE\\software");
    EXPECT_EQ(call(dispid::CreateAKey, {std::string("Pointilla")}), Value(true));
    setKey("HKEY_LOCAL_MACHINE\\software\\Pointilla");
    EXPECT_EQ(call(dispid::CreateAKey, {std::string("Pointilla")}), Value(true));
    EXPECT_EQ(call(dispid::CreateAKey, {std::string("Pointilla")}), Value(true));  // exists
    setKey("HKEY_LOCAL_MACHINE\\software\\Pointilla\\Pointilla");
    EXPECT_EQ(call(dispid::SetStringVal, {std::string("clé1"), std::string(" 17 ")}), Value(true));
    EXPECT_EQ(call(dispid::GetStringVal, {std::string("clé1")}), Value(std::string(" 17 ")));
    EXPECT_EQ(call(dispid::SetDWORDVal, {std::string("n"), std::int32_t{-7}}), Value(true));
    EXPECT_EQ(call(dispid::GetDWORDVal, {std::string("n")}), Value(std::int32_t{-7}));
    EXPECT_EQ(call(dispid::KeyExists, {std::string("clé1"), std::int32_t{0}}), Value(true));
    EXPECT_EQ(call(dispid::KeyExists, {std::string("n"), std::int32_t{1}}), Value(true));
    EXPECT_TRUE(errors.empty());
}

TEST_F(Control, MissingAndEmptyValuesReadAsFailures) {
    setKey("HKEY_CURRENT_USER\\Software");
    EXPECT_EQ(call(dispid::SetStringVal, {std::string("empty"), std::string()}), Value(true));
    EXPECT_EQ(call(dispid::KeyExists, {std::string("empty"), std::int32_t{0}}), Value(false));
    EXPECT_EQ(call(dispid::KeyExists, {std::string("missing"), std::int32_t{1}}), Value(false));
    EXPECT_TRUE(errors.empty()) << "a missing value is no error for KeyExists";
    EXPECT_EQ(call(dispid::GetStringVal, {std::string("empty")}), Value(std::string()));
    EXPECT_EQ(call(dispid::GetDWORDVal, {std::string("missing")}), Value(std::int32_t{1012}));
    EXPECT_EQ(call(dispid::KeyExists, {std::string("empty"), std::int32_t{2}}), Value(false));
    EXPECT_EQ(errors, (std::vector<std::int32_t>{1012, 1012, 1010}));
}

TEST_F(Control, AStoredMinusOneAndATextAskedForAsANumberReadAsMissing) {
    setKey("HKEY_CURRENT_USER\\Software");
    EXPECT_EQ(call(dispid::SetDWORDVal, {"minus"s, std::int32_t{-1}}), Value(true));
    EXPECT_EQ(call(dispid::SetStringVal, {"long"s, "more than four bytes"s}), Value(true));
    EXPECT_EQ(call(dispid::KeyExists, {"minus"s, std::int32_t{1}}), Value(false));
    EXPECT_EQ(call(dispid::KeyExists, {"long"s, std::int32_t{1}}), Value(false));
    EXPECT_TRUE(errors.empty()) << "a value there is no error for KeyExists";
    EXPECT_EQ(call(dispid::GetDWORDVal, {"minus"s}), Value(std::int32_t{1012}));
    EXPECT_EQ(call(dispid::GetDWORDVal, {"long"s}), Value(std::int32_t{1012}));
    EXPECT_EQ(errors, (std::vector<std::int32_t>{1012, 1012}));
}

TEST_F(Control, WritesAndKeyChangesThatFailRaiseTheirCodes) {
    setKey("HKEY_CURRENT_USER\\Software\\Nowhere");
    EXPECT_EQ(call(dispid::SetStringVal, {std::string("a"), std::string("b")}), Value(false));
    EXPECT_EQ(call(dispid::SetDWORDVal, {std::string("a"), std::int32_t{1}}), Value(false));
    EXPECT_EQ(call(dispid::DeleteAKey, {std::string("child")}), Value(false));
    setKey("HKEY_PERFORMANCE_DATA\\x");
    EXPECT_EQ(call(dispid::CreateAKey, {std::string("y")}), Value(false));
    EXPECT_EQ(errors, (std::vector<std::int32_t>{1013, 1013, 1011, 1011}));
}

TEST_F(Control, DeleteAKeyRemovesASubKeyButNotOneWithChildren) {
    setKey("HKEY_CURRENT_USER\\Software");
    ASSERT_EQ(call(dispid::CreateAKey, {std::string("Doomed\\Child")}), Value(true));
    EXPECT_EQ(call(dispid::DeleteAKey, {std::string("Doomed")}), Value(false));
    EXPECT_EQ(call(dispid::DeleteAKey, {std::string("Doomed\\Child")}), Value(true));
    EXPECT_EQ(call(dispid::DeleteAKey, {std::string("Doomed")}), Value(true));
    EXPECT_EQ(errors, std::vector<std::int32_t>{1011});
}

TEST_F(Control, KeepsItsOwnSizeOnTheHost) {
    EXPECT_EQ(object->resizeTwips(3000, 15), std::make_pair(500, 480));
    EXPECT_EQ(object->resizeTwips(1, 100000), std::make_pair(500, 480));
}

TEST_F(Control, MemberNamesResolveToTheirDispatchIdentifiers) {
    EXPECT_EQ(object->dispIdOf("CurrentKey"), dispid::CurrentKey);
    EXPECT_EQ(object->dispIdOf("backupkey"), dispid::BackupKey);
    EXPECT_EQ(object->dispIdOf("SetStringVal"), dispid::SetStringVal);
    EXPECT_EQ(object->dispIdOf("GetDWORDVal"), dispid::GetDWORDVal);
    EXPECT_EQ(object->dispIdOf("CreateAKey"), dispid::CreateAKey);
    EXPECT_EQ(object->dispIdOf("NoSuchMember"), std::nullopt);
}

TEST_F(Control, BadCallsFailWithoutTouchingTheControl) {
    EXPECT_FALSE(object->call(0x60030099, {}).has_value());
    EXPECT_FALSE(object->call(dispid::GetStringVal, {}).has_value());
    EXPECT_FALSE(
        object->call(dispid::KeyExists, {std::string("a"), std::string("zero")}).has_value());
    EXPECT_TRUE(errors.empty());
}

TEST_F(Control, TheLibrarysMessagesReachTheHostsHandler) {
    struct Shown {
        std::string text, title;
        std::uint32_t flags;
    };
    std::vector<Shown> shown;
    host::setMessageHandler(
        [&](const std::string& text, const std::string& title, std::uint32_t flags) {
            shown.push_back({text, title, flags});
        });
    setKey("HKEY_CURRENT_USER\\Software");
    EXPECT_EQ(call(dispid::BackupKey,
                   {std::string("HKEY_NOWHERE\\x"), std::string("/tmp"), std::string("never")}),
              Value(false));
    host::setMessageHandler({});
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].title, "ERROR");
    EXPECT_EQ(shown[0].flags, 0x10u);
    EXPECT_EQ(shown[0].text.rfind("Failure to pass a valid root type", 0), 0u);
    EXPECT_FALSE(std::filesystem::exists("/tmp/never.REG"));
}

TEST(Registration, WritesTheClassUnderClassesRootAndUnregistrationRemovesExactlyThat) {
    ASSERT_EQ(reasonOf(host::registerServer(TRELLIS_LIBRARY_PATH)), "");
    const auto text = [](const std::string& path) -> std::string {
        HKEY key = nullptr;
        if (RegOpenKeyExA(HKEY_CLASSES_ROOT, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) {
            return "<no key>";
        }
        char buffer[512] = {};
        DWORD size = sizeof buffer - 1;
        const LONG status =
            RegQueryValueExA(key, "", nullptr, nullptr, reinterpret_cast<BYTE*>(buffer), &size);
        RegCloseKey(key);
        return status == ERROR_SUCCESS ? std::string(buffer, size) : "<no value>";
    };
    const std::string clsid = text("Dovetail.Trellis\\CLSID");
    EXPECT_EQ(clsid.size(), 38u);
    EXPECT_EQ(text("Dovetail.Trellis"), "Trellis - Provides easy access to registry functions");
    EXPECT_EQ(text("CLSID\\" + clsid), "Trellis - Provides easy access to registry functions");
    EXPECT_EQ(text("CLSID\\" + clsid + "\\ProgID"), "Dovetail.Trellis");
    const std::string server = text("CLSID\\" + clsid + "\\InprocServer32");
    EXPECT_EQ(server.front(), '/');
    EXPECT_TRUE(std::filesystem::equivalent(server, TRELLIS_LIBRARY_PATH));

    // Something else under CLSID stays where it is.
    HKEY other = nullptr;
    ASSERT_EQ(RegCreateKeyA(HKEY_CLASSES_ROOT, "CLSID\\{Other}", &other), ERROR_SUCCESS);
    RegCloseKey(other);
    ASSERT_EQ(reasonOf(host::unregisterServer(TRELLIS_LIBRARY_PATH)), "");
    EXPECT_EQ(text("Dovetail.Trellis"), "<no key>");
    EXPECT_EQ(text("CLSID\\" + clsid), "<no key>");
    EXPECT_EQ(text("CLSID\\{Other}"), "<no value>");
    const auto missing = host::createObject(kProgId);
    ASSERT_FALSE(missing);
    EXPECT_EQ(missing.error().kind, pointilla::HostFailure::Kind::NotRegistered);

    // A class identifier that is not one is refused with that reason.
    for (const std::string bad :
         {"{5E6F2B41-8C1D-4A3B-9E27-416BD03C721}", "5E6F2B41-8C1D-4A3B-9E27-416BD03C72151",
          "{5E6F2B41-8C1D-4A3B-9E27-416BD03C72G5}", "{5E6F2B41+8C1D-4A3B-9E27-416BD03C7215}"}) {
        HKEY key = nullptr;
        ASSERT_EQ(RegCreateKeyA(HKEY_CLASSES_ROOT, "Dovetail.Trellis\\CLSID", &key), ERROR_SUCCESS);
        ASSERT_EQ(RegSetValueExA(key, "", 0, REG_SZ, reinterpret_cast<const BYTE*>(bad.data()),
                                 static_cast<DWORD>(bad.size())),
                  ERROR_SUCCESS);
        RegCloseKey(key);
        const auto refused = host::createObject(kProgId);
        ASSERT_FALSE(refused) << bad;
        EXPECT_EQ(refused.error().kind, pointilla::HostFailure::Kind::MalformedRegistration);
    }
    ASSERT_EQ(RegDeleteKeyA(HKEY_CLASSES_ROOT, "Dovetail.Trellis\\CLSID"), ERROR_SUCCESS);
    ASSERT_EQ(RegDeleteKeyA(HKEY_CLASSES_ROOT, "Dovetail.Trellis"), ERROR_SUCCESS);
}

TEST_F(Control, TheLibraryCanUnloadOnlyWhenNoObjectIsLeft) {
    void* library = dlopen(TRELLIS_LIBRARY_PATH, RTLD_NOW | RTLD_NOLOAD);
    ASSERT_NE(library, nullptr) << "createObject loaded the library";
    auto canUnload = reinterpret_cast<std::int32_t (*)()>(dlsym(library, "DllCanUnloadNow"));
    ASSERT_NE(canUnload, nullptr);
    EXPECT_EQ(canUnload(), 1);  // S_FALSE: our object is alive
    object.reset();
    EXPECT_EQ(canUnload(), 0);  // S_OK
    dlclose(library);
}

TEST(Registration, PerUserWithTheTypeLibraryWritesItsOwnTreeAndRemovesAllOfIt) {
    const auto text = [](HKEY root, const std::string& path, const char* name = "") {
        HKEY key = nullptr;
        if (RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
            return "<no key>"s;
        char buffer[512] = {};
        DWORD size = sizeof buffer - 1;
        const LONG status =
            RegQueryValueExA(key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(buffer), &size);
        RegCloseKey(key);
        return status == ERROR_SUCCESS ? std::string(buffer, size) : "<no value>"s;
    };
    EXPECT_EQ(scopeFromCommandLine(u"User"), RegistrationScope::User);
    EXPECT_EQ(scopeFromCommandLine(u"users"), RegistrationScope::Machine);
    EXPECT_EQ(scopeFromCommandLine(nullptr), RegistrationScope::Machine);

    const std::string user = "Software\\Classes\\";
    const std::string clsid = "{5E6F2B41-8C1D-4A3B-9E27-416BD03C7215}";
    const std::string library = "TypeLib\\{5E6F2B40-8C1D-4A3B-9E27-416BD03C7215}";
    const std::string dual = "Interface\\{5E6F2B42-8C1D-4A3B-9E27-416BD03C7215}";
    ASSERT_EQ(registerClass("C:\\Controls\\Trellis.dll", RegistrationScope::User, true), S_OK);
    EXPECT_EQ(text(HKEY_CURRENT_USER, user + "Dovetail.Trellis\\CLSID"), clsid);
    EXPECT_EQ(text(HKEY_CURRENT_USER, user + "CLSID\\" + clsid + "\\TypeLib"),
              "{5E6F2B40-8C1D-4A3B-9E27-416BD03C7215}");
    EXPECT_EQ(text(HKEY_CURRENT_USER, user + "CLSID\\" + clsid + "\\Version"), "1.0");
    EXPECT_EQ(text(HKEY_CURRENT_USER, user + library + "\\1.0"),
              "Trellis - Provides easy access to registry functions");
    EXPECT_EQ(text(HKEY_CURRENT_USER, user + library + "\\1.0\\0\\win64"),
              "C:\\Controls\\Trellis.dll");
    EXPECT_EQ(text(HKEY_CURRENT_USER, user + library + "\\1.0\\HELPDIR"), "C:\\Controls");
    EXPECT_EQ(text(HKEY_CURRENT_USER, user + dual + "\\TypeLib", "Version"), "1.0");
    EXPECT_EQ(text(HKEY_CLASSES_ROOT, "Dovetail.Trellis"), "<no key>") << "not for the machine";

    HKEY other = nullptr;  // someone else's key beside ours stays
    ASSERT_EQ(RegCreateKeyA(HKEY_CURRENT_USER, (user + "TypeLib\\{Other}").c_str(), &other),
              ERROR_SUCCESS);
    RegCloseKey(other);
    ASSERT_EQ(unregisterClass(RegistrationScope::User, true), S_OK);
    for (const std::string& gone :
         {user + "Dovetail.Trellis", user + "CLSID\\" + clsid, user + library, user + dual}) {
        EXPECT_EQ(text(HKEY_CURRENT_USER, gone), "<no key>") << gone;
    }
    EXPECT_EQ(text(HKEY_CURRENT_USER, user + "TypeLib\\{Other}"), "<no value>");
}

TEST(Registration, ALibraryThatCannotBeLoadedGivesAReason) {
    const auto refused = host::registerServer("/no/such/libtrellis.so");
    ASSERT_FALSE(refused);
    EXPECT_EQ(refused.error().kind, pointilla::HostFailure::Kind::LibraryNotLoaded);
    EXPECT_EQ(refused.error().subject, "/no/such/libtrellis.so");
    const std::string reason = reasonOf(refused);
    EXPECT_EQ(reason.rfind("impossible de charger la bibliothèque", 0), 0u) << reason;
    EXPECT_NE(reason.find("/no/such/libtrellis.so"), std::string::npos) << reason;
    EXPECT_EQ(host::defaultLibraryBeside("/opt/p/bin/pointilla"),
              "/opt/p/lib/pointilla/libtrellis.so");
}

}  // namespace
}  // namespace trellis
