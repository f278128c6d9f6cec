#include "ModalDriver.h"
#include "Ruv_SmbSelector.h"
#include "Ruv_SmbUtil.h"
#include "SmbLogin.h"
#include "TestScripts.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <QtTest>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <map>
#include <thread>

namespace {

struct Name
{
    QByteArray name;
    char suffix;
};

// A node status answer as a host sends it, names padded to 15 characters.
QByteArray statusAnswer(const QList<Name>& names, int answerCount = 1)
{
    QByteArray answer("\x00\x06\x84\x00\x00\x00\x00\x00\x00\x00\x00\x00", 12);
    answer[7] = char(answerCount);
    answer += char(32);
    answer += "CKAAAAAAAAAAAAAAAAAAAAAAAAAAAAAA";
    answer += '\0';
    answer += QByteArray("\x00\x21\x00\x01\x00\x00\x00\x00\x00\x00", 10);
    answer += char(names.size());
    for (const Name& entry : names) {
        answer += entry.name.leftJustified(15, ' ', true);
        answer += entry.suffix;
        answer += QByteArray("\x04\x00", 2);
    }
    return answer;
}

// Answers node status queries on 127.0.0.x from a thread of its own: the
// query waits for answers without running an event loop.
class NetbiosHosts
{
public:
    explicit NetbiosHosts(const std::map<int, QByteArray>& answers)
    {
        for (const auto& [hostByte, answer] : answers) {
            const int descriptor = ::socket(AF_INET, SOCK_DGRAM, 0);
            sockaddr_in address = {};
            address.sin_family = AF_INET;
            address.sin_port = htons(port);
            address.sin_addr.s_addr = htonl(0x7f000000u | unsigned(hostByte));
            const int on = 1;
            ::setsockopt(descriptor, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
            if (::bind(descriptor, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0)
                qFatal("cannot bind the NetBIOS stand-in");
            m_sockets.push_back({descriptor, answer});
        }
        m_thread = std::thread([this] { serve(); });
    }
    ~NetbiosHosts()
    {
        m_stop = true;
        m_thread.join();
        for (const auto& socket : m_sockets)
            ::close(socket.first);
    }

    static constexpr quint16 port = 41137;
    QByteArray lastRequest() const { return m_request; }

private:
    void serve()
    {
        while (!m_stop) {
            std::vector<pollfd> descriptors;
            for (const auto& socket : m_sockets)
                descriptors.push_back({socket.first, POLLIN, 0});
            if (::poll(descriptors.data(), descriptors.size(), 20) <= 0)
                continue;
            for (std::size_t i = 0; i < descriptors.size(); ++i) {
                if (!(descriptors[i].revents & POLLIN))
                    continue;
                char buffer[128];
                sockaddr_in from = {};
                socklen_t length = sizeof from;
                const ssize_t size = ::recvfrom(descriptors[i].fd, buffer, sizeof buffer, 0,
                                                reinterpret_cast<sockaddr*>(&from), &length);
                m_request = QByteArray(buffer, int(qMax<ssize_t>(size, 0)));
                const QByteArray& answer = m_sockets[i].second;
                ::sendto(descriptors[i].fd, answer.constData(), answer.size(), 0,
                         reinterpret_cast<sockaddr*>(&from), length);
            }
        }
    }

    std::vector<std::pair<int, QByteArray>> m_sockets;
    std::atomic<bool> m_stop{false};
    QByteArray m_request;
    std::thread m_thread;
};

const QByteArray shareList = "\n\tSharename       Type      Comment\n"
                             "\t---------       ----      -------\n"
                             "\tprint$          Disk      Printer Drivers\n"
                             "\tLaserJet        Printer   Office laser\n"
                             "\tIPC$            IPC       IPC Service (Samba)\n"
                             "\tColor_Ink       Printer\n"
                             "Reconnecting with SMB1 for workgroup listing.\n";

} // namespace

class TestSmbBrowser : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void nodeStatusRequest();
    void parseNodeStatus_data();
    void parseNodeStatus();
    void outputFilters_data();
    void outputFilters();
    void listingKeepsThePasswordOffCommandLines();
    void browsing();

private:
    QTemporaryDir m_dir;
};

void TestSmbBrowser::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    QSettings().clear();
    QVERIFY(m_dir.isValid());
    const QString log = m_dir.filePath(QStringLiteral("smbclient"));
    // Records what it was given, the environment and the authentication file
    // as it was while the tool ran.
    QVERIFY(writeScript(m_dir.filePath(QStringLiteral("smbclient.sh")),
                        "printf '%s\\n' \"$@\" > " + log.toLocal8Bit() + ".args\n"
                        "env > " + log.toLocal8Bit() + ".env\n"
                        "rm -f " + log.toLocal8Bit() + ".auth " + log.toLocal8Bit() + ".mode\n"
                        "previous=\n"
                        "for argument in \"$@\"; do\n"
                        "  if [ \"$previous\" = -A ]; then\n"
                        "    stat -c %a \"$argument\" > " + log.toLocal8Bit() + ".mode\n"
                        "    stat -c %a \"$(dirname \"$argument\")\" >> " + log.toLocal8Bit() + ".mode\n"
                        "    cat \"$argument\" > " + log.toLocal8Bit() + ".auth\n"
                        "    echo \"$argument\" > " + log.toLocal8Bit() + ".path\n"
                        "  fi\n"
                        "  previous=$argument\n"
                        "done\n"
                        "case \" $* \" in *\" 127.0.0.4 \"*) exit 1 ;; esac\n"
                        "cat <<'EOF'" + shareList + "EOF\n"));
    QVERIFY(writeScript(m_dir.filePath(QStringLiteral("nmblookup.sh")),
                        "[ \"$1\" = '*' ] || exit 2\n"
                        "echo 'querying * on 127.0.0.255'\n"
                        "echo 'querying * on 10.0.100.255'\n"
                        "echo '127.0.0.2 *<00>'\n"
                        "echo '127.0.0.3 *<00>'\n"
                        "echo '127.0.0.4 *<00>'\n"
                        "echo '127.0.0.5 *<00>'\n"
                        "printf '127.0.0.6 *<00>'\n"));
    Ruv_SmbUtil& util = Ruv_SmbUtil::instance();
    util.setSmbclientProgram(m_dir.filePath(QStringLiteral("smbclient.sh")));
    util.setNmblookupProgram(m_dir.filePath(QStringLiteral("nmblookup.sh")));
    util.setNetbiosPort(NetbiosHosts::port);
}

void TestSmbBrowser::nodeStatusRequest()
{
    const QByteArray expected = QByteArray::fromHex("0006" "0000" "0001" "000000000000" "20") +
                                "CKAAAAAAAAAAAAAAAAAAAAAAAAAAAAAA" + QByteArray::fromHex("00" "0021" "0001");
    QCOMPARE(Ruv_SmbUtil::nodeStatusRequest().size(), 50);
    QCOMPARE(Ruv_SmbUtil::nodeStatusRequest().toHex(), expected.toHex());
}

void TestSmbBrowser::parseNodeStatus_data()
{
    QTest::addColumn<QByteArray>("answer");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<QString>("server");
    QTest::addColumn<QString>("workgroup");

    const QByteArray hostAndGroup = statusAnswer({{"PC1", 0x20}, {"ALPHA", 0x00}, {"ALPHA", 0x03},
                                                  {"OFFICE", 0x00}, {"OFFICE", 0x1e}});
    QTest::newRow("hostThenWorkgroup") << hostAndGroup << true << "ALPHA          " << "OFFICE         ";
    QTest::newRow("noAnswers") << statusAnswer({}, 0) << true << "" << "";
    QTest::newRow("oneName") << statusAnswer({{"LONER", 0x00}}) << true << "LONER          " << "";
    QTest::newRow("noServiceName") << statusAnswer({{"PC1", 0x20}, {"PC1", 0x03}}) << false << "" << "";
    QTest::newRow("shortHeader") << QByteArray("\x00\x06\x84", 3) << true << "" << "";
    // Cut inside the workgroup entry: only the server lies wholly inside.
    QTest::newRow("truncatedInWorkgroup") << hostAndGroup.left(57 + 3 * 18 + 10) << true << "ALPHA          "
                                          << "";
    QTest::newRow("truncatedInServer") << hostAndGroup.left(57 + 18 + 8) << false << "" << "";
    QTest::newRow("nulInName") << statusAnswer({{QByteArray("AB\0CD", 5), 0x00}}) << true << "AB" << "";
    QTest::newRow("hostile") << statusAnswer({{"x;rm -rf ~", 0x00}, {"$(id)'\"`", 0x00}}) << true
                             << "x;rm -rf ~     " << "$(id)'\"`       ";
    QTest::newRow("notUtf8") << statusAnswer({{"\xff\xfeNAME", 0x00}}) << true
                             << QString::fromLocal8Bit("\xff\xfeNAME         ") << "";
    // 60 entries without suffix 0x00 before the names: beyond the 53 searched.
    QList<Name> many;
    for (int i = 0; i < 60; ++i)
        many << Name{"N" + QByteArray::number(i), 0x20};
    many << Name{"LATE", 0x00};
    QTest::newRow("nameBeyondTable") << statusAnswer(many) << false << "" << "";
}

void TestSmbBrowser::parseNodeStatus()
{
    QFETCH(QByteArray, answer);
    QString server = QStringLiteral("stale");
    QString workgroup = QStringLiteral("stale");
    QTEST(Ruv_SmbUtil::parseNodeStatus(answer, &server, &workgroup), "ok");
    QFETCH(bool, ok);
    if (ok) {
        QTEST(server, "server");
        QTEST(workgroup, "workgroup");
    }
}

void TestSmbBrowser::outputFilters_data()
{
    QTest::addColumn<bool>("shares");
    QTest::addColumn<QByteArray>("output");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("nmblookup") << false
                               << QByteArray("querying * on 10.0.100.255\n192.168.1.5 *<00>\n"
                                             "192.168.1.7 *<00>\nname_query failed to find name *\n"
                                             "10.0.0.9 *<00>")
                               << QStringList{"192.168.1.5", "192.168.1.7"};
    QTest::newRow("nmblookupNothing") << false << QByteArray("name_query failed to find name *\n")
                                      << QStringList();
    QTest::newRow("smbclient") << true << shareList << QStringList{"LaserJet", "Color_Ink"};
    QTest::newRow("smbclientError") << true << QByteArray("Connection to X failed (Error NT_STATUS)\n")
                                    << QStringList();
}

void TestSmbBrowser::outputFilters()
{
    QFETCH(bool, shares);
    QFETCH(QByteArray, output);
    QTEST(shares ? Ruv_SmbUtil::printerShares(output) : Ruv_SmbUtil::hostAddresses(output), "expected");
}

void TestSmbBrowser::listingKeepsThePasswordOffCommandLines()
{
    const QString password = QStringLiteral("pa ss;$(touch x)'\"");
    SmbHost host{QStringLiteral("OFFICE         "), QStringLiteral("ALPHA          "), QStringLiteral("127.0.0.2"),
                 {}};
    QCOMPARE(Ruv_SmbUtil::instance().listPrinters(host, QStringLiteral("joe"), password),
             Ruv_SmbUtil::Listing::Ran);
    QCOMPARE(host.printers, (QStringList{"LaserJet", "Color_Ink"}));

    const QString log = m_dir.filePath(QStringLiteral("smbclient"));
    const QString authPath = QString::fromLocal8Bit(readFile(log + ".path")).trimmed();
    QCOMPARE(QString::fromLocal8Bit(readFile(log + ".args")).split('\n', Qt::SkipEmptyParts),
             (QStringList{"-L", "ALPHA", "-W", "OFFICE", "-A", authPath, "-I", "127.0.0.2"}));
    QVERIFY(!readFile(log + ".args").contains(password.toLocal8Bit()));
    QVERIFY(!readFile(log + ".env").contains(password.toLocal8Bit()));
    QCOMPARE(readFile(log + ".mode"), QByteArray("600\n700\n"));
    QCOMPARE(readFile(log + ".auth"), "username = joe\npassword = " + password.toLocal8Bit() + "\n");
    QVERIFY(!QFileInfo::exists(authPath));
    QVERIFY(!QFileInfo::exists(QFileInfo(authPath).path()));

    SmbHost anonymous{QString(), QString(), QStringLiteral("127.0.0.9"), {}};
    QCOMPARE(Ruv_SmbUtil::instance().listPrinters(anonymous, QString(), QString()), Ruv_SmbUtil::Listing::Ran);
    QCOMPARE(QString::fromLocal8Bit(readFile(log + ".args")).split('\n', Qt::SkipEmptyParts),
             (QStringList{"-L", "127.0.0.9", "-N", "-I", "127.0.0.9"}));

    // A line break would forge a setting of the authentication file.
    QCOMPARE(Ruv_SmbUtil::instance().listPrinters(anonymous, QStringLiteral("joe"), QStringLiteral("x\nusername = root")),
             Ruv_SmbUtil::Listing::LineBreakInCredentials);
}

void TestSmbBrowser::browsing()
{
    NetbiosHosts hosts({{2, statusAnswer({{"ALPHA", 0x00}, {"OFFICE", 0x00}})},
                        {3, statusAnswer({{"x;rm -rf ~", 0x00}, {"office", 0x00}})},
                        {4, statusAnswer({}, 0)},
                        {6, statusAnswer({{"NONEWLINE", 0x00}})}});
    QSettings().setValue(QStringLiteral("SMBScan/Authenticate"), 2);
    Ruv_SmbSelector selector;
    auto* tree = selector.findChild<QTreeWidget*>();
    auto* authenticate = selector.findChild<QCheckBox*>();
    QVERIFY(authenticate->isChecked());
    authenticate->setChecked(false);

    selector.scanClicked();
    QCOMPARE(hosts.lastRequest(), Ruv_SmbUtil::nodeStatusRequest());
    QCOMPARE(QSettings().value(QStringLiteral("SMBScan/Authenticate")).toInt(), 0);
    // One group for both spellings; the silent host and the line without a
    // newline are left out; names from the network are plain text.
    QCOMPARE(tree->topLevelItemCount(), 2);
    QTreeWidgetItem* office = tree->topLevelItem(0);
    QCOMPARE(office->text(0), QStringLiteral("OFFICE"));
    QCOMPARE(office->childCount(), 2);
    QCOMPARE(office->child(1)->text(0), QStringLiteral("x;rm -rf ~"));
    QCOMPARE(tree->topLevelItem(1)->text(0), QString());
    QCOMPARE(tree->topLevelItem(1)->childCount(), 1);

    QTreeWidgetItem* alpha = office->child(0);
    selector.printersRequested(alpha);
    selector.printersRequested(alpha);
    QCOMPARE(alpha->childCount(), 2);
    tree->setCurrentItem(alpha->child(0));
    QCOMPARE(selector.uri(), QStringLiteral("smb://OFFICE/ALPHA/LaserJet"));

    // Authenticated listing through the login form.
    authenticate->setChecked(true);
    ModalDriver driver;
    QString serverShown;
    driver.otherDialog = [&serverShown](QWidget* dialog) {
        auto* login = qobject_cast<SmbLogin*>(dialog);
        QVERIFY(login);
        serverShown = login->findChild<QLineEdit*>(QStringLiteral("serverName_"))->text();
        login->findChild<QLineEdit*>(QStringLiteral("userName_"))->setText(QStringLiteral("joe"));
        login->findChild<QLineEdit*>(QStringLiteral("password_"))->setText(QStringLiteral("secret"));
        login->accept();
    };
    QTreeWidgetItem* hostile = office->child(1);
    selector.printersRequested(hostile);
    QCOMPARE(serverShown, QStringLiteral("x;rm -rf ~"));
    QCOMPARE(QSettings().value(QStringLiteral("SMBScan/Authenticate")).toInt(), 2);
    const QStringList arguments =
        QString::fromLocal8Bit(readFile(m_dir.filePath(QStringLiteral("smbclient.args")))).split('\n', Qt::SkipEmptyParts);
    QCOMPARE(arguments.mid(0, 5), (QStringList{"-L", "x;rm -rf ~", "-W", "office", "-A"}));
    QCOMPARE(hostile->childCount(), 2);

    // A host without names: the listing finds nothing.
    QTreeWidgetItem* nameless = tree->topLevelItem(1)->child(0);
    authenticate->setChecked(false);
    selector.printersRequested(nameless);
    QCOMPARE(driver.messages, QStringList{"No printer found."});
    tree->setCurrentItem(hostile->child(1));
    QCOMPARE(selector.uri(), QStringLiteral("smb://office/x;rm -rf ~/Color_Ink"));
}

QTEST_MAIN(TestSmbBrowser)
#include "tst_smbbrowser.moc"
