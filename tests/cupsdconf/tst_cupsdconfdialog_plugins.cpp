#include "ConfigNode.h"
#include "CupsdConfDialog.h"
#include "ISecurityServerPage.h"

#include <QApplication>
#include <QLabel>
#include <QPointer>
#include <QStandardPaths>
#include <QTabWidget>
#include <QtTest>

namespace {

// A plug-in's page that owns the directive WebInterface.
class FakeServerPage : public ISecurityServerPage
{
public:
    QString title() override { return QStringLiteral("Mandatory access"); }
    QWidget* widget() override
    {
        if (!pageWidget)
            pageWidget = new QLabel(QStringLiteral("page"));
        return pageWidget;
    }
    void offerDirective(const QString& name, const QString& value) override
    {
        offered << name + QLatin1Char('=') + value;
    }
    QMap<QString, QString> directives() override
    {
        return {{QStringLiteral("WebInterface"), QStringLiteral("No")},
                {QStringLiteral("AccessLogLevel"), QStringLiteral("all")}};
    }

    QStringList offered;
    QPointer<QWidget> pageWidget;
};

FakeServerPage page;

} // namespace

class TestCupsdConfDialogPlugins : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void pageIsATabAfterTheDialogsOwn();
    void pageTakesUpUnknownDirectives();
};

void TestCupsdConfDialogPlugins::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
}

void TestCupsdConfDialogPlugins::cleanupTestCase()
{
    delete page.pageWidget;
    QVERIFY(QApplication::topLevelWidgets().isEmpty());
}

void TestCupsdConfDialogPlugins::pageIsATabAfterTheDialogsOwn()
{
    for (int round = 0; round < 2; ++round) {
        CupsdConfDialog dialog({&page}, nullptr);
        auto* tabs = dialog.findChild<QTabWidget*>(QStringLiteral("m_securityTabWidget"));
        QCOMPARE(tabs->count(), 5);
        QCOMPARE(tabs->tabText(4), page.title());
        QCOMPARE(tabs->widget(4), page.widget());
    }
    // The page outlives every dialog that showed it.
    QVERIFY(page.pageWidget);
}

void TestCupsdConfDialogPlugins::pageTakesUpUnknownDirectives()
{
    page.offered.clear();
    CupsdConfDialog dialog({&page}, nullptr);
    dialog.setConfig(Cups::ConfigNode(QByteArray("WebInterface Yes\nLogLevel warn\nFileDevice No\nMaxJobTime 3h\n")));
    QCOMPARE(page.offered, (QStringList{QStringLiteral("WebInterface=Yes"), QStringLiteral("MaxJobTime=3h")}));
    // A directive the page writes replaces the file's line in place; a new one goes at the end.
    QCOMPARE(QString::fromUtf8(dialog.config().toText()),
             QStringLiteral("WebInterface No\nLogLevel warn\nFileDevice No\nMaxJobTime 3h\nAccessLogLevel all\n"));
}

QTEST_MAIN(TestCupsdConfDialogPlugins)
#include "tst_cupsdconfdialog_plugins.moc"
