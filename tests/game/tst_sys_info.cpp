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

// A registry value: its type (0: no such value) and bytes.
struct Value {
    std::uint32_t type = 0;
    std::string bytes;
};

Value text(const std::string& value)
{
    return Value{1, value + std::string(1, '\0')};
}

// What the game asked of the system, in order: "exists PATH", "start PATH",
// "message"; the one file that exists is `file`.
class FakePlatform : public SysInfoPlatform {
public:
    std::string file;
    QStringList asked;

    bool fileExists(const std::string& path) override
    {
        asked << "exists " + QString::fromStdString(path);
        return path == file;
    }
    bool startProgram(const std::string& path) override
    {
        asked << "start " + QString::fromStdString(path);
        return path == file;
    }
};

const QString Tool = QStringLiteral("C:\\Tools\\msinfo32.exe");
const QString Folder = QStringLiteral("C:\\Common\\MSInfo");
const QString InFolder = Folder + QStringLiteral("\\MSINFO32.EXE");

} // namespace

Q_DECLARE_METATYPE(Value)

class TestSysInfo : public QObject {
    Q_OBJECT

private slots:
    // The tool where the first key names it, else MSINFO32.EXE in the folder
    // the second names; whatever fails ends in the one message. Each row: the
    // two values, the file that exists, what was asked, how many keys were read.
    void startSysInfo_data()
    {
        QTest::addColumn<Value>("path");
        QTest::addColumn<Value>("folder");
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("asked");
        QTest::addColumn<int>("keysRead");
        const Value none;
        const Value folder = text(Folder.toStdString());
        const QString fromFolder = "exists " + InFolder + ", start " + InFolder;
        QTest::newRow("first key: the second is not read") << text(Tool.toStdString()) << folder << Tool
                                                           << "start " + Tool << 1;
        QTest::newRow("first key naming a missing file") << text(Tool.toStdString()) << folder << InFolder
                                                         << "start " + Tool + ", message" << 1;
        QTest::newRow("text without its zero keeps its last character")
            << Value{1, "C:\\bare"} << none << "" << "start C:\\bare, message" << 1;
        QTest::newRow("empty text") << text("") << none << Tool << "start , message" << 1;
        QTest::newRow("zero bytes: an error") << Value{1, ""} << folder << InFolder << "message" << 1;
        QTest::newRow("1023 characters fit") << text(std::string(1023, 'x')) << none << QString(1023, 'x')
                                             << "start " + QString(1023, 'x') << 1;
        QTest::newRow("1024 and a zero do not: the second key") << text(std::string(1024, 'x')) << folder << InFolder
                                                                << fromFolder << 2;
        QTest::newRow("number, most significant byte first") << Value{4, std::string("\x78\x56\x34\x12", 4)} << none
                                                             << "" << "start &h12345678, message" << 1;
        QTest::newRow("number ending in a zero byte: taken for a terminator")
            << Value{4, std::string("\x01\x00\x00\x00", 4)} << none << "" << "start &h000001, message" << 1;
        QTest::newRow("other types are found and name nothing") << Value{3, "\x01\x02"} << folder << InFolder
                                                                << "start , message" << 1;
        QTest::newRow("second key and the tool in its folder") << none << folder << InFolder << fromFolder << 2;
        QTest::newRow("second key's text with more zeros: read up to the first")
            << none << text((Folder + QString(2, QChar(0))).toStdString()) << InFolder << fromFolder << 2;
        QTest::newRow("second key refusing to be read") << none << Value{1, "refused"} << InFolder << "message" << 2;
        QTest::newRow("second key without the tool") << none << folder << Tool << "exists " + InFolder + ", message"
                                                     << 2;
        QTest::newRow("neither key") << none << none << Tool << "message" << 2;
    }

    void startSysInfo()
    {
        QFETCH(Value, path);
        QFETCH(Value, folder);
        QFETCH(QString, file);
        QFETCH(QString, asked);
        QFETCH(int, keysRead);
        FakeRegistry registry;
        registry.keys[ToolKey]["OTHER"] = {1, "x"};
        if (path.type != 0)
            registry.keys[ToolKey]["PATH"] = {path.type, path.bytes};
        if (folder.type != 0)
            registry.keys[FolderKey]["MSINFO"] = {folder.type, folder.bytes};
        if (folder.bytes == "refused")
            registry.refused = FolderKey;
        FakePlatform platform;
        platform.file = file.toStdString();
        if (!StartSysInfo(registry, platform))
            platform.asked << QStringLiteral("message");
        QCOMPARE(platform.asked.join(QStringLiteral(", ")), asked);
        QCOMPARE(static_cast<int>(registry.opened.size()), keysRead);
        QCOMPARE(registry.accessAsked, 0x20019u);  // KEY_READ
        QCOMPARE(registry.closed.size(), registry.opened.size());  // closed on every path, unopened as 0
    }
};

QTEST_GUILESS_MAIN(TestSysInfo)
#include "tst_sys_info.moc"
