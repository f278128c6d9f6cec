#include "ConfigNode.h"
#include "CupsHttp.h"
#include "CupsTestServer.h"
#include "CupsdConfDialog.h"
#include "ModalDriver.h"
#include "PrinterManager.h"
#include "PrivateBus.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QSpinBox>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <functional>

using Change = std::function<void(QWidget*)>;
Q_DECLARE_METATYPE(Change)

namespace {

const QString putLine = QStringLiteral("PUT /admin/conf/cupsd.conf");

QByteArray readBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The dialog writes booleans its own way.
QString meaning(const QString& value)
{
    const QString word = value.simplified().toLower();
    if (word == QLatin1String("yes") || word == QLatin1String("on") || word == QLatin1String("true"))
        return QStringLiteral("Yes");
    if (word == QLatin1String("no") || word == QLatin1String("off") || word == QLatin1String("false"))
        return QStringLiteral("No");
    return value.simplified();
}

// Each directive with its section, each comment: what must survive a save.
QStringList lines(const Cups::ConfigNode& node, const QString& prefix = QString())
{
    QStringList result;
    for (const Cups::ConfigNode& child : node.children()) {
        if (!child.comment().isEmpty())
            result << child.comment();
        if (child.name().isEmpty())
            continue;
        const QString line = prefix + child.name() + QLatin1Char(' ') + meaning(child.value());
        result << line << lines(child, line + QLatin1String(" / "));
    }
    return result;
}

void selectKeyword(QWidget* dialog, const char* combo, const QString& keyword)
{
    auto* box = dialog->findChild<QComboBox*>(QLatin1String(combo));
    box->setCurrentIndex(box->findData(keyword));
}

} // namespace

class TestCupsdConfig : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void changeIsStored_data();
    void changeIsStored();
    void cancelSendsNothing();
    void refusedConfigurationIsNotSent();
    void unwritableFileIsReported();

private:
    // Opens the configuration from the menu, lets handle answer the dialog.
    void configure(const std::function<void(QDialog*)>& handle, bool viaAction = true);
    QString serverFile() const { return m_server.serverRoot() + QStringLiteral("/cupsd.conf"); }
    int puts() const { return m_server.accessLog().filter(putLine).size(); }

    PrivateBus m_session{PrivateBus::Kind::Session};
    CupsTestServer m_server;
    QTemporaryDir m_tempDir;
    QStringList m_messages;
};

void TestCupsdConfig::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    QVERIFY2(m_session.start(), qPrintable(m_session.errorString()));
    m_session.exportAddress();
    const QString reason = CupsTestServer::unavailableReason(CupsTestServer::Mode::Open);
    if (!reason.isEmpty())
        QSKIP(qPrintable(reason));

    CupsTestServer::Options options;
    options.logAllRequests = true;
    QVERIFY2(m_server.start(options), qPrintable(m_server.errorString()));
    // The temporary file of the operation lands here, where a test can find it.
    QVERIFY(m_tempDir.isValid());
    qputenv("TMPDIR", QFile::encodeName(m_tempDir.path()));
    // The scheduler's checker finds the server's cups-files.conf where the
    // client library looks for it.
    qputenv("CUPS_SERVERROOT", QFile::encodeName(m_server.serverRoot()));
}

void TestCupsdConfig::init()
{
    m_server.pointClientAt();
    m_messages.clear();
    // A stored configuration restarts the scheduler.
    QVERIFY(QTest::qWaitFor([this] {
        QString output;
        return m_server.runTool(QStringLiteral("lpstat"), {QStringLiteral("-r")}, &output)
               && output.contains(QLatin1String("scheduler is running"));
    }));
    Cups::HTTP* connection = Cups::HTTP::getUniqueConnection();
    QVERIFY(connection);
    QVERIFY(connection->reconnect());
}

void TestCupsdConfig::cleanup()
{
    QVERIFY(QApplication::topLevelWidgets().isEmpty());
}

void TestCupsdConfig::configure(const std::function<void(QDialog*)>& handle, bool viaAction)
{
    PrinterManager window;
    ModalDriver driver;
    bool seen = false;
    driver.otherDialog = [&](QWidget* modal) {
        auto* dialog = qobject_cast<CupsdConfDialog*>(modal);
        if (!dialog) {
            modal->close();
            return;
        }
        seen = true;
        handle(dialog);
    };
    if (viaAction) {
        QAction* configureAction = nullptr;
        for (QAction* action : window.findChildren<QAction*>()) {
            if (action->text() == QLatin1String("Configure..."))
                configureAction = action;
        }
        QVERIFY(configureAction);
        QVERIFY(configureAction->isEnabled());
        configureAction->trigger();
    } else {
        QVERIFY(QMetaObject::invokeMethod(&window, "cupsdConfig"));
    }
    QVERIFY(seen);
    m_messages = driver.messages;
}

void TestCupsdConfig::changeIsStored_data()
{
    QTest::addColumn<bool>("viaAction");
    QTest::addColumn<Change>("change");
    QTest::addColumn<QString>("oldLine");
    QTest::addColumn<QString>("newLine");

    QTest::newRow("menu entry, changed directive")
        << true << Change([](QWidget* d) { selectKeyword(d, "cbLogLevel", QStringLiteral("debug")); })
        << QStringLiteral("LogLevel info") << QStringLiteral("LogLevel debug");
    QTest::newRow("slot, new directive")
        << false << Change([](QWidget* d) { d->findChild<QSpinBox*>(QStringLiteral("sbMaxJobs"))->setValue(123); })
        << QString() << QStringLiteral("MaxJobs 123");
}

void TestCupsdConfig::changeIsStored()
{
    QFETCH(bool, viaAction);
    QFETCH(Change, change);
    QFETCH(QString, oldLine);
    QFETCH(QString, newLine);

    QStringList expected = lines(Cups::ConfigNode(readBytes(serverFile())));
    if (!oldLine.isEmpty())
        QVERIFY(expected.removeOne(oldLine));
    expected << newLine;
    const int putsBefore = puts();

    configure(
        [&change](QDialog* dialog) {
            change(dialog);
            dialog->accept();
        },
        viaAction);

    QCOMPARE(m_messages, QStringList());
    QCOMPARE(puts(), putsBefore + 1);
    QStringList stored = lines(Cups::ConfigNode(readBytes(serverFile())));
    for (const QString& line : qAsConst(expected))
        QVERIFY2(stored.removeOne(line), qPrintable(line));
    QCOMPARE(stored, QStringList());
}

void TestCupsdConfig::cancelSendsNothing()
{
    const QByteArray before = readBytes(serverFile());
    const int putsBefore = puts();
    configure([](QDialog* dialog) {
        selectKeyword(dialog, "cbLogLevel", QStringLiteral("debug2"));
        dialog->reject();
    });
    QCOMPARE(m_messages, QStringList());
    QCOMPARE(puts(), putsBefore);
    QCOMPARE(readBytes(serverFile()), before);
}

void TestCupsdConfig::refusedConfigurationIsNotSent()
{
    const QByteArray before = readBytes(serverFile());
    const int putsBefore = puts();
    configure([](QDialog* dialog) {
        // The installed scheduler no longer knows this directive.
        selectKeyword(dialog, "cbDefaultCharset", QStringLiteral("iso-8859-5"));
        dialog->accept();
    });
    QCOMPARE(m_messages.size(), 1);
    QVERIFY2(m_messages.first().contains(QLatin1String("DefaultCharset")), qPrintable(m_messages.first()));
    QCOMPARE(puts(), putsBefore);
    QCOMPARE(readBytes(serverFile()), before);
}

void TestCupsdConfig::unwritableFileIsReported()
{
    const QByteArray before = readBytes(serverFile());
    const int putsBefore = puts();
    QStringList fetched;
    bool blocked = false;
    configure([&](QDialog* dialog) {
        // Where the fetched file was, a directory now stands in the way.
        fetched = QDir(m_tempDir.path()).entryList(QDir::Files);
        if (fetched.size() == 1) {
            const QString path = m_tempDir.filePath(fetched.first());
            blocked = QFile::remove(path) && QDir().mkdir(path);
        }
        selectKeyword(dialog, "cbLogLevel", QStringLiteral("debug2"));
        dialog->accept();
    });
    QCOMPARE(fetched.size(), 1);
    QVERIFY(blocked);
    QCOMPARE(m_messages.size(), 1);
    QVERIFY2(m_messages.first().startsWith(QLatin1String("Unable to write server configuration file")),
             qPrintable(m_messages.first()));
    QCOMPARE(puts(), putsBefore);
    QCOMPARE(readBytes(serverFile()), before);
}

QTEST_MAIN(TestCupsdConfig)
#include "tst_cupsdconfig.moc"
