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
    std::map<std::string, std::map<std::string, std::pair<std::uint32_t, std::string>>> keys;  // type, bytes
    std::string refused;  // a key that refuses the access mask
    std::vector<std::string> opened;  // each key asked for; an open one's handle is 101 + its place here
    std::vector<std::uint32_t> closed;
    std::uint32_t accessAsked = 0;

    std::int32_t RegOpenKeyExA(std::uint32_t root, const std::string& subKey, std::uint32_t options,
                               std::uint32_t access, std::uint32_t* key) override
    {
        accessAsked = access;
        opened.push_back(subKey);
        const bool exists = root == HKEY_LOCAL_MACHINE && options == 0 && keys.count(subKey);
        *key = exists && subKey != refused ? static_cast<std::uint32_t>(100 + opened.size()) : 0;
        return !exists ? ERROR_FILE_NOT_FOUND : *key ? ERROR_SUCCESS : ERROR_ACCESS_DENIED;
    }

    std::int32_t RegQueryValueExA(std::uint32_t key, const std::string& valueName, std::uint32_t* type,
                                  unsigned char* buffer, std::uint32_t* size) override
    {
        const auto& values = keys.at(opened.at(key - 101));
        const auto found = values.find(valueName);
        if (found == values.end())
            return ERROR_FILE_NOT_FOUND;
        const auto& [valueType, bytes] = found->second;
        *type = valueType;
        const bool fits = bytes.size() <= *size;
        *size = static_cast<std::uint32_t>(bytes.size());
        if (!fits)
            return ERROR_MORE_DATA;
        std::copy(bytes.begin(), bytes.end(), buffer);
        return ERROR_SUCCESS;
    }

    std::int32_t RegCloseKey(std::uint32_t key) override
    {
        closed.push_back(key);
        return key > 100 ? ERROR_SUCCESS : ERROR_INVALID_HANDLE;
    }
};

const std::string ToolKey = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
const std::string FolderKey = "SOFTWARE\\Microsoft\\Shared Tools Location";

std::string text(const std::string& value)
{
    return value + std::string(1, '\0');
}

class FakePlatform : public SysInfoPlatform {
public:
    std::string file;  // the one file that exists
    std::vector<std::string> started;
    int messages = 0;

    bool fileExists(const std::string& path) override { return path == file; }
    bool startProgram(const std::string& path) override
    {
        started.push_back(path);
        return fileExists(path);
    }
    void showUnavailable() override { ++messages; }
};

} // namespace

Q_DECLARE_METATYPE(std::string)

class TestSysInfo : public QObject {
    Q_OBJECT

private slots:
    // One value under the tool's key, looked up with "stale" in the caller's text.
    void getKeyValue_data()
    {
        QTest::addColumn<int>("type");  // 0: no such value
        QTest::addColumn<std::string>("bytes");
        QTest::addColumn<bool>("found");
        QTest::addColumn<std::string>("value");
        QTest::newRow("text") << 1 << text("C:\\Tools\\msinfo32.exe") << true << std::string("C:\\Tools\\msinfo32.exe");
        QTest::newRow("text without its zero keeps its last character") << 1 << std::string("C:\\bare") << true
                                                                        << std::string("C:\\bare");
        QTest::newRow("empty text") << 1 << text("") << true << std::string();
        QTest::newRow("1023 characters fit") << 1 << text(std::string(1023, 'x')) << true << std::string(1023, 'x');
        QTest::newRow("1024 and a zero do not") << 1 << text(std::string(1024, 'x')) << false << std::string();
        QTest::newRow("number, most significant byte first") << 4 << std::string("\x78\x56\x34\x12", 4) << true
                                                             << std::string("&h12345678");
        QTest::newRow("number ending in a zero byte: taken for a terminator")
            << 4 << std::string("\x01\x00\x00\x00", 4) << true << std::string("&h000001");
        QTest::newRow("other types are found and leave the text") << 3 << std::string("\x01\x02", 2) << true
                                                                  << std::string("stale");
        QTest::newRow("missing value") << 0 << std::string() << false << std::string();
    }

    void getKeyValue()
    {
        QFETCH(int, type);
        QFETCH(std::string, bytes);
        QFETCH(bool, found);
        QFETCH(std::string, value);
        FakeRegistry registry;
        registry.keys[ToolKey]["OTHER"] = {1, text("x")};
        if (type != 0)
            registry.keys[ToolKey]["PATH"] = {static_cast<std::uint32_t>(type), bytes};
        std::uint32_t root = Registry::HKEY_LOCAL_MACHINE;
        std::string keyName = ToolKey;
        std::string valueName = "PATH";
        std::string text = "stale";
        QCOMPARE(GetKeyValue(registry, root, keyName, valueName, text), found);
        QCOMPARE(text, value);
        QCOMPARE(keyName, ToolKey);  // the by-reference names come back unchanged
        QCOMPARE(valueName, std::string("PATH"));
        QCOMPARE(registry.accessAsked, 0x20019u);  // KEY_READ
        QCOMPARE(registry.closed, std::vector<std::uint32_t>{101});
    }

    // The tool where the first key names it, else MSINFO32.EXE in the folder
    // the second names; whatever fails ends in the one message.
    void startSysInfo_data()
    {
        QTest::addColumn<QString>("path");    // the first key's value; empty: none
        QTest::addColumn<QString>("folder");  // the second key's
        QTest::addColumn<QString>("file");    // the file that exists
        QTest::addColumn<QString>("started");
        QTest::addColumn<int>("keysRead");
        const QString tool = QStringLiteral("C:\\Tools\\msinfo32.exe");
        const QString folder = QStringLiteral("C:\\Common\\MSInfo");
        const QString inFolder = folder + QStringLiteral("\\MSINFO32.EXE");
        QTest::newRow("first key: the second is not read") << tool << folder << tool << tool << 1;
        QTest::newRow("first key naming a missing file: the message") << tool << folder << inFolder << "" << 1;
        QTest::newRow("second key and the tool in its folder") << "" << folder << inFolder << inFolder << 2;
        QTest::newRow("second key's text with more zeros: read up to the first")
            << "" << folder + QString(2, QChar(0)) << inFolder << inFolder << 2;
        QTest::newRow("second key refusing to be read") << "" << "refused" << inFolder << "" << 2;
        QTest::newRow("second key without the tool") << "" << folder << tool << "" << 2;
        QTest::newRow("neither key") << "" << "" << tool << "" << 2;
        QTest::newRow("first value of zero bytes: an error, the message") << "\x01" << "" << tool << "" << 1;
    }

    void startSysInfo()
    {
        QFETCH(QString, path);
        QFETCH(QString, folder);
        QFETCH(QString, file);
        QFETCH(QString, started);
        QFETCH(int, keysRead);
        FakeRegistry registry;
        if (path == QStringLiteral("\x01"))
            registry.keys[ToolKey]["PATH"] = {1, std::string()};
        else if (!path.isEmpty())
            registry.keys[ToolKey]["PATH"] = {1, text(path.toStdString())};
        if (!folder.isEmpty())
            registry.keys[FolderKey]["MSINFO"] = {1, text(folder.toStdString())};
        if (folder == QStringLiteral("refused"))
            registry.refused = FolderKey;
        FakePlatform platform;
        platform.file = file.toStdString();
        StartSysInfo(registry, platform);
        QCOMPARE(static_cast<int>(registry.opened.size()), keysRead);
        QCOMPARE(registry.closed.size(), registry.opened.size());  // closed on every path, unopened as 0
        const bool runs = !started.isEmpty();
        QCOMPARE(platform.messages, runs ? 0 : 1);
        if (runs)
            QCOMPARE(platform.started, std::vector<std::string>{started.toStdString()});
    }
};

QTEST_GUILESS_MAIN(TestSysInfo)
#include "tst_sys_info.moc"
