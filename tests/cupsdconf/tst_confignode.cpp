#include "ConfigNode.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <sys/resource.h>
#include <unistd.h>

namespace {

// One line per node, "name|value|comment", two blanks of indent per level.
QString dump(const Cups::ConfigNode& node, int depth = 0)
{
    QString out;
    for (const Cups::ConfigNode& child : node.children()) {
        out += QString(2 * depth, QLatin1Char(' ')) + child.name() + QLatin1Char('|') + child.value()
               + QLatin1Char('|') + child.comment() + QLatin1Char('\n');
        out += dump(child, depth + 1);
    }
    return out;
}

int depthOf(const Cups::ConfigNode& node)
{
    int deepest = 0;
    for (const Cups::ConfigNode& child : node.children())
        deepest = qMax(deepest, 1 + depthOf(child));
    return deepest;
}

Cups::ConfigNode node(const QString& name, const QString& value, const QString& comment = QString(),
                      const QVector<Cups::ConfigNode>& children = {})
{
    Cups::ConfigNode result(name, value);
    result.setComment(comment);
    for (const Cups::ConfigNode& child : children)
        result.appendChild(child);
    return result;
}

// The round trips re-read malformed text, which logs its lines again.
void quiet(QtMsgType, const QMessageLogContext&, const QString&)
{
}

class QuietLog
{
public:
    QuietLog()
        : m_previous(qInstallMessageHandler(quiet))
    {
    }
    ~QuietLog() { qInstallMessageHandler(m_previous); }

private:
    QtMessageHandler m_previous;
};

QByteArray readBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class TestConfigNode : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void parse_data();
    void parse();
    void roundTrip_data();
    void roundTrip();
    void bytesKept_data();
    void bytesKept();
    void deepNesting();
    void writeBuiltTree();
    void mapForm();
    void saveAndLoad();
    void loadMissing();
    void saveFailureKeepsOldFile_data();
    void saveFailureKeepsOldFile();
};

void TestConfigNode::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
}

void TestConfigNode::parse_data()
{
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<QString>("tree");
    QTest::addColumn<QByteArray>("written");
    QTest::addColumn<QStringList>("warnings");
    // A null written text means the input comes back unchanged.
    const auto row = [](const char* name, const QByteArray& input, const QString& tree, const QByteArray& written,
                        const QStringList& warnings = {}) {
        QTest::newRow(name) << input << tree << (written.isNull() ? input : written) << warnings;
    };

    row("empty1", "", "", {});
    row("blank1", "  # Configuration\nLogLevel warn\n\n\nBrowsing Off\n",
        "||# Configuration\nLogLevel|warn|\n||\n||\nBrowsing|Off|\n", {});
    row("trailingComment1", "Browsing On   # keep sharing\n", "Browsing|On|# keep sharing\n", {});
    row("trailingComment2", "Browsing On#off\n", "Browsing|On|#off\n", {});
    row("escapedHash1", "ServerAdmin root\\#2@example.com\n", "ServerAdmin|root\\#2@example.com|\n", {});
    row("escapedHash2", "ServerAdmin root\\ # admin\n", "ServerAdmin|root\\|# admin\n", {});
    row("values1", "PageLogFormat\nDefaultPolicy   \nMaxLogSize  1m\nBrowseLocalProtocols dnssd cups\n",
        "PageLogFormat||\nDefaultPolicy||\nMaxLogSize| 1m|\nBrowseLocalProtocols|dnssd cups|\n",
        {});
    row("section1", "<Location />\nOrder allow,deny\nAllow from 127.0.0.1\n</LOCATION>\n",
        "Location|/|\n  Order|allow,deny|\n  Allow|from 127.0.0.1|\n",
        {});
    row("nested1", "<Policy default>\n  <Limit Send-Document Create-Job>\n    Order deny,allow\n  </Limit>\n</Policy>\n",
        "Policy|default|\n  Limit|Send-Document Create-Job|\n    Order|deny,allow|\n",
        {});
    row("sectionComments1", "<Location /> # root\n  # inside\n  Order allow,deny\n</Location> # end\n",
        "Location|/|# root\n  ||# inside\n  Order|allow,deny|\n", {});
    // The scheduler refuses a section keyword as a directive, so an empty section stays one.
    row("emptySections1", "<Policy empty>\n</Policy>\n<Limit>\n</Limit>\nPolicy quiet\n",
        "Policy|empty|\nLimit||\nPolicy|quiet|\n", "<Policy empty>\n</Policy>\n<Limit>\n</Limit>\n<Policy quiet>\n</Policy>\n");
    row("tab1", "Listen\tlocalhost:631\n<Location\t/admin>\n\t\tOrder\tallow,deny\n</Location>\n",
        "Listen|localhost:631|\nLocation|/admin|\n  Order|allow,deny|\n",
        {});
    row("crlf1", "Browsing On\r\n<Location />\r\n  Order allow,deny\r\n</Location>\r\n",
        "Browsing|On|\nLocation|/|\n  Order|allow,deny|\n", {});
    // The scheduler refuses a file that starts with a byte-order mark; it is not written back.
    row("byteOrderMark1", "\xEF\xBB\xBFLogLevel warn\n", "LogLevel|warn|\n", "LogLevel warn\n");
    row("noFinalNewline1", "LogLevel warn", "LogLevel|warn|\n", "LogLevel warn\n");
    row("cyrillic1", QStringLiteral("# Сервер\nServerAdmin Иван@пример.рф # администратор\n").toUtf8(),
        QStringLiteral("||# Сервер\nServerAdmin|Иван@пример.рф|# администратор\n"), {});
    row("longLine1", "ServerAdmin " + QByteArray(100000, 'x') + '\n', "ServerAdmin|" + QString(100000, 'x') + "|\n", {});
    const char withNul[] = "Browsing On\0junk\nLogLevel warn\n";
    row("nul1", QByteArray(withNul, sizeof(withNul) - 1), "Browsing|On|\nLogLevel|warn|\n",
        "Browsing On\nLogLevel warn\n", {"(text):1: text after a NUL byte ignored"});
    row("stray1", "LogLevel warn\n</Location> # lost?\nBrowsing Off\n", "LogLevel|warn|\n</Location>||# lost?\nBrowsing|Off|\n",
        {}, {"(text):2: \"</Location>\" closes no section"});
    row("stray2", "<Location />\n<Limit GET>\n</Location>\n</Limit>\n</Location>\n",
        "Location|/|\n  Limit|GET|\n    </Location>||\n",
        {},
        {"(text):3: \"</Location>\" does not close the section opened on line 2"});
    row("nonterm1", "LogLevel warn\n<Location /admin/conf>\n  AuthType Default\n",
        "LogLevel|warn|\nLocation|/admin/conf|\n  AuthType|Default|\n",
        {},
        {"(text):2: section \"Location\" is not closed before the end of the file"});
    row("nonterm2", "<Policy default>\n<Limit All>\nOrder deny,allow\n", "Policy|default|\n  Limit|All|\n    Order|deny,allow|\n", {},
        {"(text):2: section \"Limit\" is not closed before the end of the file",
         "(text):1: section \"Policy\" is not closed before the end of the file"});
    row("garbage1", "<Location /admin\nOrder allow,deny\n</Location>\n", "<Location|/admin|\nOrder|allow,deny|\n</Location>||\n",
        {}, {"(text):1: section line without closing \">\": <Location /admin", "(text):3: \"</Location>\" closes no section"});
    row("garbage2", "<>\n< Location />\n", "<>||\n<|Location />|\n", {},
        {"(text):1: section line without a keyword: <>", "(text):2: section line without a keyword: < Location />"});
}

void TestConfigNode::parse()
{
    QFETCH(QByteArray, input);
    QFETCH(QString, tree);
    QFETCH(QByteArray, written);
    QFETCH(QStringList, warnings);
    for (const QString& warning : warnings)
        QTest::ignoreMessage(QtWarningMsg, qPrintable(warning));

    const Cups::ConfigNode root(input);
    QCOMPARE(dump(root), tree);
    QVERIFY(root.name().isEmpty() && root.value().isEmpty() && root.comment().isEmpty());
    QCOMPARE(root.toText(), written);
}

void TestConfigNode::roundTrip_data()
{
    parse_data();
}

void TestConfigNode::roundTrip()
{
    QFETCH(QByteArray, input);
    const QuietLog quiet;
    const Cups::ConfigNode first(input);
    const QByteArray written = first.toText();
    const Cups::ConfigNode second(written);
    QVERIFY(second == first);
    QCOMPARE(second.toText(), written);
    QVERIFY(Cups::ConfigNode(first.toVariant()) == first);
}

void TestConfigNode::bytesKept_data()
{
    QTest::addColumn<QByteArray>("input");
    QTest::newRow("cyrillic1") << QStringLiteral("# Печать\nServerAdmin Пётр # ё\n").toUtf8();
    QTest::newRow("koi8r1") << QByteArray("# \xf0\xc5\xde\xc1\xd4\xd8\nServerName \xf0\xc5\xde\xc1\xd4\xd8\n");
    QTest::newRow("fourBytes1") << QByteArray("# \xf0\x9f\x96\xa8 \xf4\x8f\xbf\xbf\n");
    // Overlong forms, encoded surrogates, code points past Unicode, cut and stray sequences.
    QTest::newRow("notUtf81") << QByteArray("# \xc0\xaf \xe0\x80\xaf \xed\xa0\x80\xed\xb2\x80 \xf4\x90\x80\x80 \xd0\n"
                                            "# \x80\xbf\xff\xfe \xe2\x82\n");
}

// Whatever bytes a file holds come back as they were, so that comments and
// values in another encoding are not destroyed by an edit elsewhere.
void TestConfigNode::bytesKept()
{
    QFETCH(QByteArray, input);
    QCOMPARE(Cups::ConfigNode(input).toText(), input);
}

void TestConfigNode::deepNesting()
{
    const int levels = 100;
    // The section keyword on a line of its own at the bottom is written as an empty section.
    const QByteArray input =
        QByteArray("<Limit x>\n").repeated(levels) + "Limit y\n" + QByteArray("</Limit>\n").repeated(levels);
    const QuietLog quiet;
    const Cups::ConfigNode first(input);
    QVERIFY(depthOf(first) < levels);
    const Cups::ConfigNode second(first.toText());
    QVERIFY(second == first);
    QCOMPARE(second.toText(), first.toText());
}

// A tree as the dialogs build it, from names and values only.
void TestConfigNode::writeBuiltTree()
{
    const QString none;
    Cups::ConfigNode root;
    QCOMPARE(root.toText(), QByteArray());
    root.appendChild(node(QStringLiteral("Browsing"), QStringLiteral("On"), QStringLiteral("keep")));
    root.appendChild(node(QStringLiteral("Location"), QStringLiteral("/admin"), none,
                          {node(none, none, QStringLiteral("# inside")), node(QStringLiteral("Order"), QStringLiteral("allow,deny")),
                           node(QStringLiteral("Require"), QStringLiteral("valid-user "))}));
    root.appendChild(node(QStringLiteral("Policy"), QStringLiteral("quiet")));
    root.appendChild(node(QStringLiteral("BrowseAllow from"), QStringLiteral("192.168.0.0/24")));
    root.appendChild(node(QStringLiteral("BrowseLocalProtocols"), none));
    QCOMPARE(root.toText(), QByteArray("Browsing On #keep\n"
                                       "<Location /admin>\n    # inside\n    Order allow,deny\n    Require valid-user \n</Location>\n"
                                       "<Policy quiet>\n</Policy>\n"
                                       "BrowseAllow from 192.168.0.0/24\n"
                                       "BrowseLocalProtocols\n"));
}

void TestConfigNode::mapForm()
{
    const Cups::ConfigNode location = node(QStringLiteral("Location"), QStringLiteral("/"), QStringLiteral("# root"),
                                           {node(QStringLiteral("Order"), QStringLiteral("allow,deny"))});
    const QVariantMap map = location.toVariant().toMap();
    QCOMPARE(map.keys(), (QStringList{"children", "comment", "name", "value"}));
    QCOMPARE(map.value(QStringLiteral("comment")).toString(), QStringLiteral("# root"));
    const QVariantList children = map.value(QStringLiteral("children")).toList();
    QCOMPARE(children.size(), 1);
    QCOMPARE(children.first().toMap().value(QStringLiteral("value")).toString(), QStringLiteral("allow,deny"));
    QVERIFY(Cups::ConfigNode(location.toVariant()) == location);

    const Cups::ConfigNode partial(QVariant(QVariantMap{{QStringLiteral("name"), QStringLiteral("Listen")}}));
    QVERIFY(partial == Cups::ConfigNode(QStringLiteral("Listen"), QString()));
}

void TestConfigNode::saveAndLoad()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("cupsd.conf"));
    const QByteArray text("# Сервер\nLogLevel warn\n<Location />\n    Order allow,deny\n</Location>\n");
    const Cups::ConfigNode root(text);
    QVERIFY(root.save(path));
    QCOMPARE(readBytes(path), text);

    Cups::ConfigNode loaded;
    QVERIFY(loaded.load(path));
    QVERIFY(loaded == root);
    QVERIFY(Cups::ConfigNode(path) == root);
}

void TestConfigNode::loadMissing()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("missing.conf"));
    Cups::lastError.clear();
    const Cups::ConfigNode root(path);
    QVERIFY(root.children().isEmpty());
    QCOMPARE(Cups::lastError, QStringLiteral("IO error. Unable to open file."));

    Cups::ConfigNode reused(QByteArray("LogLevel warn\n"));
    QVERIFY(!reused.load(path));
    QVERIFY(reused.children().isEmpty());
}

void TestConfigNode::saveFailureKeepsOldFile_data()
{
    QTest::addColumn<QString>("how");
    QTest::addColumn<QString>("reason");
    QTest::newRow("missingDirectory") << QStringLiteral("missingDirectory") << QStringLiteral("No such file or directory");
    QTest::newRow("readOnlyDirectory") << QStringLiteral("readOnlyDirectory") << QStringLiteral("Permission denied");
    QTest::newRow("diskFull") << QStringLiteral("diskFull") << QStringLiteral("File too large");
}

void TestConfigNode::saveFailureKeepsOldFile()
{
    QFETCH(QString, how);
    QFETCH(QString, reason);
    if (how == QLatin1String("readOnlyDirectory") && ::geteuid() == 0)
        QSKIP("root writes into read-only directories");

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QByteArray old("LogLevel warn\n");
    QString path = dir.filePath(QStringLiteral("cupsd.conf"));
    QFile oldFile(path);
    QVERIFY(oldFile.open(QIODevice::WriteOnly) && oldFile.write(old) == old.size());
    oldFile.close();
    if (how == QLatin1String("missingDirectory"))
        path = dir.filePath(QStringLiteral("gone/cupsd.conf"));

    Cups::ConfigNode root;
    for (int i = 0; i < 2000; ++i)
        root.appendChild(Cups::ConfigNode(QStringLiteral("Listen"), QStringLiteral("192.168.0.%1:631").arg(i)));

    Cups::lastError.clear();
    bool saved = false;
    if (how == QLatin1String("readOnlyDirectory")) {
        QVERIFY(QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner));
        saved = root.save(path);
        QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    } else if (how == QLatin1String("diskFull")) {
        // A file size limit fails the writes the way a full disk does, for root too.
        rlimit previous{};
        QCOMPARE(::getrlimit(RLIMIT_FSIZE, &previous), 0);
        rlimit small = previous;
        small.rlim_cur = 4096;
        const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
        QCOMPARE(::setrlimit(RLIMIT_FSIZE, &small), 0);
        saved = root.save(path);
        ::setrlimit(RLIMIT_FSIZE, &previous);
        std::signal(SIGXFSZ, previousHandler);
    } else {
        saved = root.save(path);
    }

    QVERIFY(!saved);
    const QStringList message = Cups::lastError.split(QLatin1Char('\n'));
    QCOMPARE(message.size(), 2);
    QVERIFY2(message.first().startsWith(QLatin1String("IO error.")), qPrintable(Cups::lastError));
    QVERIFY2(message.last().contains(reason), qPrintable(Cups::lastError));
    QCOMPARE(readBytes(dir.filePath(QStringLiteral("cupsd.conf"))), old);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("cupsd.conf")});
}

QTEST_GUILESS_MAIN(TestConfigNode)
#include "tst_confignode.moc"
