#include "game/sys_info.h"

#include <QTest>

#include <map>
#include <vector>

using namespace velmora;

namespace {

// A registry that keeps the Windows contract: keys opened with an access mask
// they may refuse, values copied into the caller's buffer only when they fit.
class FakeRegistry : public Registry {
public:
    struct Value {
        std::uint32_t type;
        std::string bytes;
    };
    std::map<std::string, std::map<std::string, Value>> keys;  // sub-key -> value name -> value
    std::vector<std::string> refused;                           // keys that refuse the access mask
    std::vector<std::string> opened;
    std::vector<std::uint32_t> closed;
    std::uint32_t accessAsked = 0;

    std::int32_t RegOpenKeyExA(std::uint32_t root, const std::string& subKey, std::uint32_t options,
                               std::uint32_t access, std::uint32_t* key) override
    {
        accessAsked = access;
        opened.push_back(subKey);
        *key = 0;
        if (root != HKEY_LOCAL_MACHINE || options != 0 || !keys.count(subKey))
            return ERROR_FILE_NOT_FOUND;
        if (std::find(refused.begin(), refused.end(), subKey) != refused.end())
            return ERROR_ACCESS_DENIED;
        handles_.push_back(subKey);
        *key = static_cast<std::uint32_t>(100 + handles_.size());
        return ERROR_SUCCESS;
    }

    std::int32_t RegQueryValueExA(std::uint32_t key, const std::string& valueName, std::uint32_t* type,
                                  unsigned char* buffer, std::uint32_t* size) override
    {
        if (key <= 100 || key > 100 + handles_.size())
            return ERROR_INVALID_HANDLE;
        const auto& values = keys.at(handles_[key - 101]);
        const auto found = values.find(valueName);
        if (found == values.end())
            return ERROR_FILE_NOT_FOUND;
        *type = found->second.type;
        const auto length = static_cast<std::uint32_t>(found->second.bytes.size());
        if (length > *size) {
            *size = length;
            return ERROR_MORE_DATA;
        }
        std::copy(found->second.bytes.begin(), found->second.bytes.end(), buffer);
        *size = length;
        return ERROR_SUCCESS;
    }

    std::int32_t RegCloseKey(std::uint32_t key) override
    {
        closed.push_back(key);
        return key > 100 ? ERROR_SUCCESS : ERROR_INVALID_HANDLE;
    }

private:
    std::vector<std::string> handles_;
};

const std::string ToolKey = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
const std::string FolderKey = "SOFTWARE\\Microsoft\\Shared Tools Location";

std::string text(const std::string& value)
{
    return value + std::string(1, '\0');
}

class FakePlatform : public SysInfoPlatform {
public:
    std::vector<std::string> files;
    bool startWorks = true;
    std::vector<std::string> started;
    int messages = 0;

    bool fileExists(const std::string& path) override
    {
        return std::find(files.begin(), files.end(), path) != files.end();
    }
    bool startProgram(const std::string& path) override
    {
        started.push_back(path);
        return startWorks && fileExists(path);
    }
    void showUnavailable() override { ++messages; }
};

struct Lookup {
    bool found;
    std::string value;
};

Lookup lookUp(FakeRegistry& registry, const std::string& key, const std::string& name, std::string value = "")
{
    std::uint32_t root = Registry::HKEY_LOCAL_MACHINE;
    std::string keyName = key;
    std::string valueName = name;
    const bool found = GetKeyValue(registry, root, keyName, valueName, value);
    if (keyName != key || valueName != name || root != Registry::HKEY_LOCAL_MACHINE)
        qFatal("GetKeyValue changed its caller's names");
    return {found, value};
}

} // namespace

class TestSysInfo : public QObject {
    Q_OBJECT

private slots:
    void readsTextValues()
    {
        FakeRegistry registry;
        registry.keys[ToolKey]["PATH"] = {Registry::REG_SZ, text("C:\\Tools\\msinfo32.exe")};
        registry.keys[ToolKey]["BARE"] = {Registry::REG_SZ, "C:\\bare"};  // stored without its zero
        registry.keys[ToolKey]["EMPTY"] = {Registry::REG_SZ, text("")};
        const Lookup path = lookUp(registry, ToolKey, "PATH", "old");
        QVERIFY(path.found);
        QCOMPARE(path.value, std::string("C:\\Tools\\msinfo32.exe"));
        QCOMPARE(lookUp(registry, ToolKey, "BARE").value, std::string("C:\\bare"));  // keeps its last character
        QCOMPARE(lookUp(registry, ToolKey, "EMPTY").value, std::string());
        QCOMPARE(registry.accessAsked, 0x2003Fu);
        QCOMPARE(registry.closed, (std::vector<std::uint32_t>{101, 102, 103}));
    }

    void numberValuesBecomeHexadecimalLiterals()
    {
        FakeRegistry registry;
        registry.keys[ToolKey]["N"] = {Registry::REG_DWORD, std::string("\x78\x56\x34\x12", 4)};
        registry.keys[ToolKey]["Z"] = {Registry::REG_DWORD, std::string("\x01\x00\x00\x00", 4)};
        QCOMPARE(lookUp(registry, ToolKey, "N").value, std::string("&h12345678"));
        // A last byte of zero is taken for a text's terminator and dropped.
        QCOMPARE(lookUp(registry, ToolKey, "Z").value, std::string("&h000001"));
    }

    void otherTypesAnswerFoundAndLeaveTheValue()
    {
        FakeRegistry registry;
        registry.keys[ToolKey]["BIN"] = {3, std::string("\x01\x02", 2)};
        const Lookup binary = lookUp(registry, ToolKey, "BIN", "as passed");
        QVERIFY(binary.found);
        QCOMPARE(binary.value, std::string("as passed"));
    }

    void missingLongAndRefusedAreNotFound()
    {
        FakeRegistry registry;
        registry.keys[ToolKey]["LONG"] = {Registry::REG_SZ, text(std::string(1024, 'x'))};  // 1025 bytes
        registry.keys[ToolKey]["FITS"] = {Registry::REG_SZ, text(std::string(1023, 'x'))};
        registry.keys[FolderKey]["MSINFO"] = {Registry::REG_SZ, text("C:\\x")};
        registry.refused.push_back(FolderKey);

        for (const auto& [key, name] : std::vector<std::pair<std::string, std::string>>{
                 {ToolKey, "LONG"}, {ToolKey, "MISSING"}, {FolderKey, "MSINFO"}, {"NO\\SUCH\\KEY", "X"}}) {
            const Lookup result = lookUp(registry, key, name, "stale");
            QVERIFY(!result.found);
            QCOMPARE(result.value, std::string());
        }
        QCOMPARE(lookUp(registry, ToolKey, "FITS").value.size(), std::size_t{1023});
        // Closed on every path; a key never opened is closed as handle 0.
        QCOMPARE(registry.closed, (std::vector<std::uint32_t>{101, 102, 0, 0, 103}));
    }

    void firstLocationStartsTheToolWithoutReadingTheSecond()
    {
        FakeRegistry registry;
        FakePlatform platform;
        registry.keys[ToolKey]["PATH"] = {Registry::REG_SZ, text("C:\\Tools\\msinfo32.exe")};
        registry.keys[FolderKey]["MSINFO"] = {Registry::REG_SZ, text("C:\\Other")};
        platform.files = {"C:\\Tools\\msinfo32.exe"};
        StartSysInfo(registry, platform);
        QCOMPARE(platform.started, std::vector<std::string>{"C:\\Tools\\msinfo32.exe"});
        QCOMPARE(registry.opened, std::vector<std::string>{ToolKey});
        QCOMPARE(platform.messages, 0);
    }

    void firstLocationNamingAMissingFileShowsTheMessage()
    {
        FakeRegistry registry;
        FakePlatform platform;
        registry.keys[ToolKey]["PATH"] = {Registry::REG_SZ, text("C:\\Gone\\msinfo32.exe")};
        registry.keys[FolderKey]["MSINFO"] = {Registry::REG_SZ, text("C:\\Other")};
        platform.files = {"C:\\Other\\MSINFO32.EXE"};
        StartSysInfo(registry, platform);
        QCOMPARE(platform.messages, 1);
        QCOMPARE(registry.opened, std::vector<std::string>{ToolKey});  // the second is not tried
    }

    void secondLocationWithAndWithoutTheTool()
    {
        FakeRegistry registry;
        registry.keys[FolderKey]["MSINFO"] = {Registry::REG_SZ, text("C:\\Program Files\\Common Files\\MSInfo")};
        FakePlatform there;
        there.files = {"C:\\Program Files\\Common Files\\MSInfo\\MSINFO32.EXE"};
        StartSysInfo(registry, there);
        QCOMPARE(there.started, there.files);
        QCOMPARE(there.messages, 0);

        FakePlatform missing;
        StartSysInfo(registry, missing);
        QVERIFY(missing.started.empty());
        QCOMPARE(missing.messages, 1);
    }

    void nothingFoundOrNothingStartedShowsTheMessage()
    {
        FakeRegistry empty;
        FakePlatform platform;
        StartSysInfo(empty, platform);
        QCOMPARE(platform.messages, 1);
        QCOMPARE(empty.closed, (std::vector<std::uint32_t>{0, 0}));

        NoRegistry none;
        StartSysInfo(none, platform);
        QCOMPARE(platform.messages, 2);

        // Found, but the start fails; or the value is of a type that leaves the path empty.
        FakeRegistry registry;
        registry.keys[ToolKey]["PATH"] = {Registry::REG_SZ, text("C:\\Tools\\msinfo32.exe")};
        FakePlatform failing;
        failing.files = {"C:\\Tools\\msinfo32.exe"};
        failing.startWorks = false;
        StartSysInfo(registry, failing);
        QCOMPARE(failing.messages, 1);

        FakeRegistry binary;
        binary.keys[ToolKey]["PATH"] = {3, std::string("\x01", 1)};
        FakePlatform untouched;
        StartSysInfo(binary, untouched);
        QCOMPARE(untouched.started, std::vector<std::string>{""});
        QCOMPARE(untouched.messages, 1);

        // Nothing delivered at all: no last character to look at, an error, the message.
        FakeRegistry hollow;
        hollow.keys[ToolKey]["PATH"] = {Registry::REG_SZ, ""};
        FakePlatform quiet;
        StartSysInfo(hollow, quiet);
        QCOMPARE(quiet.messages, 1);
        QVERIFY(quiet.started.empty());
    }
};

QTEST_GUILESS_MAIN(TestSysInfo)
#include "tst_sys_info.moc"
