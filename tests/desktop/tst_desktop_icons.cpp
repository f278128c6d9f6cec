#include "TesselIcon.h"
#include "TesselInit.h"

#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <QStandardPaths>
#include <QtTest>

static_assert(TesselIcon::DeviceContext == 4, "callers pass 4 for printer icons");

namespace {

const QColor plain(90, 120, 150);
enum Quadrant { BottomLeft, TopLeft, TopRight, BottomRight, NoQuadrant };

bool quadrantIsPlain(const QImage& image, int quadrant)
{
    const int w = image.width() / 2;
    const int h = image.height() / 2;
    const QPoint origin(quadrant == TopRight || quadrant == BottomRight ? w : 0,
                        quadrant == BottomLeft || quadrant == BottomRight ? h : 0);
    for (int y = origin.y(); y < origin.y() + h; ++y) {
        for (int x = origin.x(); x < origin.x() + w; ++x) {
            if (image.pixelColor(x, y) != plain)
                return false;
        }
    }
    return true;
}

QIcon plainIcon(const QList<int>& edges)
{
    QIcon icon;
    for (const int edge : edges) {
        QPixmap pixmap(edge, edge);
        pixmap.fill(plain);
        icon.addPixmap(pixmap);
    }
    return icon;
}

QImage imageAt(const QIcon& icon, int edge)
{
    return icon.pixmap(edge).toImage().convertToFormat(QImage::Format_ARGB32);
}

} // namespace

class TestDesktopIcons : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void fallbackResolves_data();
    void fallbackResolves();
    void emblemCorner_data();
    void emblemCorner();
    void everySizePainted_data();
    void everySizePainted();
    void nullAndFallbackIcons();
};

void TestDesktopIcons::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    tesselInstallIconFallbacks();
}

void TestDesktopIcons::fallbackResolves_data()
{
    QTest::addColumn<QString>("theme");
    QTest::addColumn<QString>("name");
    const QStringList names = QStringLiteral(
        "print_class camera_test wizard ktimer file-locked samba edit-trash configure emblem-unreadable "
        "emblem-system emblem-favorite emblem-symbolic-link emblem-mounted printer preferences-desktop-printer "
        "media-playback-pause media-playback-start view-refresh edit-cut application-exit system-file-manager "
        "network edit-delete document-edit view-history").split(QLatin1Char(' '));
    for (const QString& theme : {QStringLiteral("hicolor"), QStringLiteral("Adwaita")}) {
        for (const QString& name : names)
            QTest::addRow("%s/%s", qPrintable(theme), qPrintable(name)) << theme << name;
    }
}

void TestDesktopIcons::fallbackResolves()
{
    QFETCH(QString, theme);
    QFETCH(QString, name);
    const QString original = QIcon::themeName();
    QIcon::setThemeName(theme);
    // Callers pass a null fallback, which Qt returns for icons reporting no size.
    const QIcon icon = QIcon::fromTheme(name, QIcon());
    QIcon::setThemeName(original);
    QVERIFY(!icon.isNull());
    for (const int edge : {16, 32}) {
        const QImage image = imageAt(icon, edge);
        QVERIFY(!image.isNull());
        QImage blank(image.size(), image.format());
        blank.fill(Qt::transparent);
        QVERIFY2(image != blank, qPrintable(QStringLiteral("blank at %1 px").arg(edge)));
    }
}

void TestDesktopIcons::emblemCorner_data()
{
    QTest::addColumn<QStringList>("emblems");
    QTest::addColumn<int>("changed");
    const QString e = QStringLiteral("emblem-unreadable");
    const QString none;
    QTest::newRow("index 0 bottom-left") << QStringList{e} << int(BottomLeft);
    QTest::newRow("index 1 top-left") << QStringList{none, e} << int(TopLeft);
    QTest::newRow("index 2 top-right") << QStringList{none, none, e} << int(TopRight);
    QTest::newRow("index 3 bottom-right") << QStringList{none, none, none, e} << int(BottomRight);
    QTest::newRow("fifth name ignored") << QStringList{none, e, none, none, e} << int(TopLeft);
    QTest::newRow("unknown name skipped") << QStringList{QStringLiteral("tesselnosuchemblem"), none, e}
                                          << int(TopRight);
    QTest::newRow("no list") << QStringList() << int(NoQuadrant);
    QTest::newRow("four empty slots") << QStringList{none, none, none, none} << int(NoQuadrant);
    QTest::newRow("only past the fourth") << QStringList{none, none, none, none, e} << int(NoQuadrant);
}

void TestDesktopIcons::emblemCorner()
{
    QFETCH(QStringList, emblems);
    QFETCH(int, changed);
    const QImage image = imageAt(TesselIcon::withEmblems(plainIcon({32}), emblems), 32);
    QCOMPARE(image.size(), QSize(32, 32));
    for (const int quadrant : {BottomLeft, TopLeft, TopRight, BottomRight})
        QCOMPARE(quadrantIsPlain(image, quadrant), quadrant != changed);
}

void TestDesktopIcons::everySizePainted_data()
{
    QTest::addColumn<QList<int>>("edges");
    QTest::addColumn<QList<int>>("expected");
    QTest::newRow("uncommon sizes kept as they are") << QList<int>{16, 24, 40} << QList<int>{16, 24, 40};
    QTest::newRow("single size gains the common ones") << QList<int>{32} << QList<int>{16, 22, 32, 48, 64};
}

void TestDesktopIcons::everySizePainted()
{
    QFETCH(QList<int>, edges);
    QFETCH(QList<int>, expected);
    const QIcon result = TesselIcon::withEmblems(plainIcon(edges), {QString(), QString(), QStringLiteral("emblem-system")});
    QList<int> painted;
    for (const QSize& size : result.availableSizes()) {
        painted.append(size.width());
        const QImage image = imageAt(result, size.width());
        QCOMPARE(image.size(), size);
        QVERIFY2(!quadrantIsPlain(image, TopRight), qPrintable(QStringLiteral("no emblem at %1 px").arg(size.width())));
        QVERIFY(quadrantIsPlain(image, BottomLeft));
    }
    std::sort(painted.begin(), painted.end());
    QCOMPARE(painted, expected);
}

void TestDesktopIcons::nullAndFallbackIcons()
{
    const QStringList emblems{QString(), QString(), QString(), QStringLiteral("emblem-mounted")};
    const QString missing = QStringLiteral("tesselnosuchicon");
    QVERIFY(TesselIcon::withEmblems(QIcon(), emblems).isNull());
    QVERIFY(TesselIcon::fromTheme(missing, TesselIcon::DeviceContext, emblems, QIcon()).isNull());

    const QImage image = imageAt(TesselIcon::fromTheme(missing, TesselIcon::DeviceContext, emblems, plainIcon({32})), 32);
    QVERIFY(quadrantIsPlain(image, TopLeft));
    QVERIFY(!quadrantIsPlain(image, BottomRight));
}

QTEST_MAIN(TestDesktopIcons)
#include "tst_desktop_icons.moc"
