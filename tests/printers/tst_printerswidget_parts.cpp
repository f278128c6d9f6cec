#include "DestinationFilter.h"
#include "DestinationIconCache.h"

#include <QtTest>

#include <cups/cups.h>

namespace {

QVariantMap destination(const QString& name, uint type, const QString& uri = QStringLiteral("ipp://h/printers/p"))
{
    QVariantMap map = {{QStringLiteral("printer-type"), QVariantList{type}}};
    if (!name.isNull())
        map.insert(QStringLiteral("printer-name"), QVariantList{name});
    if (!uri.isNull())
        map.insert(QStringLiteral("printer-uri-supported"), QVariantList{uri, QStringLiteral("ipps://h/printers/p")});
    return map;
}

} // namespace

class TestPrintersWidgetParts : public QObject
{
    Q_OBJECT

private slots:
    void filter_data();
    void filter();
    void emblems_data();
    void emblems();
};

void TestPrintersWidgetParts::filter_data()
{
    QTest::addColumn<QVariantMap>("attributes");
    QTest::addColumn<bool>("showLocal");
    QTest::addColumn<bool>("showRemote");
    QTest::addColumn<bool>("showNotShared");
    QTest::addColumn<bool>("listed");

    const uint remoteClass = CUPS_PRINTER_REMOTE | CUPS_PRINTER_CLASS;
    QTest::newRow("local-hidden") << destination("c", CUPS_PRINTER_CLASS) << false << true << true << false;
    QTest::newRow("remote-class-hidden") << destination("r", remoteClass) << true << false << true << false;
    QTest::newRow("remote") << destination("r", CUPS_PRINTER_REMOTE) << false << true << false << true;
    QTest::newRow("not-shared-hidden") << destination("n", CUPS_PRINTER_NOT_SHARED) << true << true << false << false;
    QTest::newRow("dev-null") << destination("d", 0, QStringLiteral("file:/dev/null")) << true << true << true << false;
    QTest::newRow("no-uri") << destination("u", 0, QString()) << true << true << true << false;
    QTest::newRow("empty-name") << destination(QLatin1String(""), 0) << true << true << true << false;
}

void TestPrintersWidgetParts::filter()
{
    QFETCH(QVariantMap, attributes);
    QFETCH(bool, showLocal);
    QFETCH(bool, showRemote);
    QFETCH(bool, showNotShared);
    QFETCH(bool, listed);
    QCOMPARE(DestinationFilter(showLocal, showRemote, showNotShared).accepts(attributes), listed);
}

void TestPrintersWidgetParts::emblems_data()
{
    QTest::addColumn<int>("state");
    QTest::addColumn<uint>("type");
    QTest::addColumn<QStringList>("expected");

    const QString star = QStringLiteral("emblem-favorite");
    QTest::newRow("idle") << 3 << 0u << QStringList{"", "", "", ""};
    QTest::newRow("busy") << 4 << 0u << QStringList{"", "", "emblem-system", ""};
    QTest::newRow("stopped-default") << 5 << uint(CUPS_PRINTER_DEFAULT)
                                     << QStringList{"", "emblem-unreadable", "", star};
    QTest::newRow("busy-remote-class") << 4 << uint(CUPS_PRINTER_REMOTE | CUPS_PRINTER_CLASS)
                                       << QStringList{"emblem-symbolic-link", "", "emblem-system", ""};
}

void TestPrintersWidgetParts::emblems()
{
    QFETCH(int, state);
    QFETCH(uint, type);
    QFETCH(QStringList, expected);
    QCOMPARE(DestinationIconCache::emblems(state, type), expected);
}

QTEST_MAIN(TestPrintersWidgetParts)
#include "tst_printerswidget_parts.moc"
