#include "ClassMembers.h"
#include "CupsHttp.h"
#include "CupsTestServer.h"

#include <QGroupBox>
#include <QPushButton>
#include <QStandardPaths>
#include <QTreeWidget>
#include <QtTest>

namespace {

// A second class, of the stopped printer, so that two classes share the server.
const QString outerClass = QStringLiteral("outer");
const QString ghostUri = QStringLiteral("ipp://localhost:631/printers/ghost");

struct Lists
{
    explicit Lists(const ClassMembers& widget)
    {
        for (const QGroupBox* box : widget.findChildren<QGroupBox*>()) {
            if (box->title() == QLatin1String("Included members"))
                included = box->findChild<QTreeWidget*>();
            else if (box->title() == QLatin1String("Excluded members"))
                excluded = box->findChild<QTreeWidget*>();
        }
        for (QPushButton* button : widget.findChildren<QPushButton*>()) {
            if (button->text() == QLatin1String(">"))
                include = button;
            else if (button->text() == QLatin1String("<"))
                exclude = button;
        }
    }

    QTreeWidget* included = nullptr;
    QTreeWidget* excluded = nullptr;
    QPushButton* include = nullptr;
    QPushButton* exclude = nullptr;
};

QStringList names(const QTreeWidget* list)
{
    QStringList result;
    for (int i = 0; i < list->topLevelItemCount(); ++i)
        result << list->topLevelItem(i)->text(0);
    return result;
}

QTreeWidgetItem* itemNamed(const QTreeWidget* list, const QString& name)
{
    const QList<QTreeWidgetItem*> found = list->findItems(name, Qt::MatchExactly, 0);
    return found.isEmpty() ? nullptr : found.first();
}

} // namespace

class TestClassMembers : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();
    void loading_data();
    void loading();
    void includeKeepsSelectionOrder();
    void doubleClickMoves_data();
    void doubleClickMoves();
    void excludingEverythingSavesNothing();
    void nullItemIgnored();

private:
    QStringList urisOf(const QStringList& destinations) const;

    CupsTestServer m_server;
    QMap<QString, QString> m_uris;
};

void TestClassMembers::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    const QString reason = CupsTestServer::unavailableReason(CupsTestServer::Mode::Open);
    if (!reason.isEmpty())
        QSKIP(qPrintable(reason));
    QVERIFY2(m_server.start(), qPrintable(m_server.errorString()));
    QVERIFY2(m_server.runTool(QStringLiteral("lpadmin"),
                              {QStringLiteral("-p"), CupsTestServer::stoppedPrinter, QStringLiteral("-c"), outerClass}),
             qPrintable(m_server.errorString()));
    m_server.pointClientAt();
    Cups::HTTP* connection = Cups::HTTP::getUniqueConnection();
    QVERIFY(connection);
    for (const QVariantMap& destination : connection->destinations()) {
        m_uris.insert(destination.value(QStringLiteral("printer-name")).toList().value(0).toString(),
                      destination.value(QStringLiteral("printer-uri-supported")).toList().value(0).toString());
    }
    QCOMPARE(m_uris.size(), 5);
}

void TestClassMembers::cleanup()
{
    QVERIFY(QApplication::topLevelWidgets().isEmpty());
}

// Names of the server's destinations become their URIs; anything else is
// taken as a URI already.
QStringList TestClassMembers::urisOf(const QStringList& destinations) const
{
    QStringList uris;
    for (const QString& name : destinations)
        uris << m_uris.value(name, name);
    return uris;
}

void TestClassMembers::loading_data()
{
    QTest::addColumn<QString>("className");
    QTest::addColumn<QStringList>("members");
    QTest::addColumn<QStringList>("included");
    QTest::addColumn<QStringList>("excluded");

    QTest::newRow("known class") << "team" << QStringList({"alpha", "gamma"}) << QStringList({"alpha", "gamma"})
                                 << QStringList({"beta", "outer"});
    QTest::newRow("other class") << "outer" << QStringList({"beta"}) << QStringList({"beta"})
                                 << QStringList({"alpha", "gamma", "team"});
    QTest::newRow("new class") << "fresh" << QStringList() << QStringList()
                               << QStringList({"alpha", "beta", "gamma", "outer", "team"});
    QTest::newRow("member the server no longer has")
        << "team" << QStringList({ghostUri, "gamma"}) << QStringList({"gamma"})
        << QStringList({"alpha", "beta", "outer"});
}

void TestClassMembers::loading()
{
    QFETCH(QString, className);
    QFETCH(QStringList, members);
    QFETCH(QStringList, included);
    QFETCH(QStringList, excluded);

    ClassMembers widget;
    const Lists lists(widget);
    QVERIFY(lists.included && lists.excluded);
    const QStringList uris = urisOf(members);
    widget.load(uris, className);
    // A second load lists every destination once, not twice.
    widget.load(uris, className);

    QCOMPARE(names(lists.included), included);
    QCOMPARE(names(lists.excluded), excluded);
    QCOMPARE(widget.save(), urisOf(included));
    for (int i = 0; i < lists.excluded->topLevelItemCount(); ++i) {
        const QTreeWidgetItem* item = lists.excluded->topLevelItem(i);
        QCOMPARE(item->text(1), m_uris.value(item->text(0)));
    }
}

void TestClassMembers::includeKeepsSelectionOrder()
{
    ClassMembers widget;
    const Lists lists(widget);
    widget.load(urisOf({QStringLiteral("beta")}), QStringLiteral("fresh"));
    QCOMPARE(names(lists.included), QStringList({"beta"}));

    for (const QString& name : {QStringLiteral("team"), QStringLiteral("alpha"), QStringLiteral("gamma")})
        itemNamed(lists.excluded, name)->setSelected(true);
    lists.include->click();
    QCOMPARE(names(lists.included), QStringList({"beta", "team", "alpha", "gamma"}));
    QCOMPARE(names(lists.excluded), QStringList({"outer"}));
    QCOMPARE(widget.save(), urisOf({"beta", "team", "alpha", "gamma"}));

    // The moved entries arrive selected, so "<" takes them straight back.
    lists.exclude->click();
    QCOMPARE(names(lists.included), QStringList({"beta"}));
    QCOMPARE(names(lists.excluded), QStringList({"outer", "team", "alpha", "gamma"}));
}

void TestClassMembers::doubleClickMoves_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QStringList>("included");
    QTest::addColumn<QStringList>("excluded");

    QTest::newRow("excluded entry is included") << "beta" << QStringList({"alpha", "gamma", "beta"})
                                                << QStringList({"outer"});
    QTest::newRow("included entry is excluded") << "alpha" << QStringList({"gamma"})
                                                << QStringList({"beta", "outer", "alpha"});
}

void TestClassMembers::doubleClickMoves()
{
    QFETCH(QString, name);
    QFETCH(QStringList, included);
    QFETCH(QStringList, excluded);

    ClassMembers widget;
    const Lists lists(widget);
    widget.load(urisOf({QStringLiteral("alpha"), QStringLiteral("gamma")}), QStringLiteral("team"));
    widget.show();
    QVERIFY(QTest::qWaitForWindowExposed(&widget));

    QTreeWidgetItem* item = itemNamed(lists.included, name);
    QTreeWidget* list = lists.included;
    if (!item) {
        item = itemNamed(lists.excluded, name);
        list = lists.excluded;
    }
    QVERIFY(item);
    const QPoint centre = list->visualItemRect(item).center();
    // A real double click starts with a press; the view ignores a lone one.
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, centre);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, centre);

    QCOMPARE(names(lists.included), included);
    QCOMPARE(names(lists.excluded), excluded);
}

void TestClassMembers::excludingEverythingSavesNothing()
{
    ClassMembers widget;
    const Lists lists(widget);
    widget.load(urisOf({QStringLiteral("alpha"), QStringLiteral("gamma")}), QStringLiteral("team"));
    lists.included->selectAll();
    lists.exclude->click();
    QCOMPARE(lists.included->topLevelItemCount(), 0);
    QCOMPARE(widget.save(), QStringList());
}

void TestClassMembers::nullItemIgnored()
{
    ClassMembers widget;
    const Lists lists(widget);
    widget.load(urisOf({QStringLiteral("alpha")}), QStringLiteral("team"));
    widget.itemDoubleClicked(nullptr, 0);
    QCOMPARE(names(lists.included), QStringList({"alpha"}));
    QCOMPARE(names(lists.excluded), QStringList({"beta", "gamma", "outer"}));
}

QTEST_MAIN(TestClassMembers)
#include "tst_classmembers.moc"
