#include "TesselGeometry.h"

#include <QApplication>
#include <QDialog>
#include <QScreen>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

class TestDesktopGeometry : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void roundTrip_data();
    void roundTrip();
    void nothingSaved_data();
    void nothingSaved();
    void keyNames_data();
    void keyNames();
    void nullsAreNoOps();

private:
    QTemporaryDir m_dir;
    std::unique_ptr<QSettings> m_settings;
};

void TestDesktopGeometry::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    QVERIFY(m_dir.isValid());
}

void TestDesktopGeometry::init()
{
    m_settings = std::make_unique<QSettings>(m_dir.filePath(QStringLiteral("geometry.conf")), QSettings::IniFormat);
    m_settings->clear();
}

void TestDesktopGeometry::cleanup()
{
    m_settings.reset();
    QTRY_VERIFY(QApplication::topLevelWidgets().isEmpty());
}

void TestDesktopGeometry::roundTrip_data()
{
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    const QRect beyond(screen.right() + 5000, screen.bottom() + 5000, screen.width() * 3, screen.height() * 3);
    QTest::addColumn<QRect>("saved");
    QTest::addColumn<bool>("sizeOnly");
    QTest::addColumn<QRect>("expected");
    QTest::newRow("size and position") << QRect(40, 50, 320, 240) << false << QRect(40, 50, 320, 240);
    QTest::newRow("size only keeps the new window's place") << QRect(40, 50, 320, 240) << true
                                                            << QRect(10, 20, 320, 240);
    QTest::newRow("saved beyond every screen") << beyond << false << QRect();
    QTest::newRow("size larger than the screen") << beyond << true << QRect(10, 20, screen.width(), screen.height());
}

void TestDesktopGeometry::roundTrip()
{
    QFETCH(QRect, saved);
    QFETCH(bool, sizeOnly);
    QFETCH(QRect, expected);
    {
        QWidget window;
        window.setObjectName(QStringLiteral("queueWindow"));
        window.setGeometry(saved);
        tesselSaveGeometry(&window, m_settings.get(), sizeOnly);
    }
    QWidget window;
    window.setObjectName(QStringLiteral("queueWindow"));
    window.setGeometry(10, 20, 100, 80);
    QVERIFY(tesselRestoreGeometry(&window, m_settings.get(), QRect(), sizeOnly));
    if (expected.isValid())
        QCOMPARE(window.geometry(), expected);
    else
        QVERIFY(QGuiApplication::primaryScreen()->availableGeometry().intersects(window.geometry()));
}

void TestDesktopGeometry::nothingSaved_data()
{
    QTest::addColumn<QRect>("defaultRect");
    QTest::addColumn<bool>("sizeOnly");
    QTest::addColumn<QRect>("expected");
    QTest::newRow("null default keeps own geometry") << QRect() << false << QRect(10, 20, 100, 80);
    QTest::newRow("valid default applied") << QRect(30, 40, 200, 150) << false << QRect(30, 40, 200, 150);
    QTest::newRow("valid default, size only") << QRect(30, 40, 200, 150) << true << QRect(10, 20, 200, 150);
}

void TestDesktopGeometry::nothingSaved()
{
    QFETCH(QRect, defaultRect);
    QFETCH(bool, sizeOnly);
    QFETCH(QRect, expected);
    QWidget other;
    other.setObjectName(QStringLiteral("classesWindow"));
    tesselSaveGeometry(&other, m_settings.get(), sizeOnly);

    QWidget window;
    window.setObjectName(QStringLiteral("printersWindow"));
    window.setGeometry(10, 20, 100, 80);
    QVERIFY(!tesselRestoreGeometry(&window, m_settings.get(), defaultRect, sizeOnly));
    QCOMPARE(window.geometry(), expected);
}

void TestDesktopGeometry::keyNames_data()
{
    QTest::addColumn<QString>("objectName");
    QTest::addColumn<QString>("key");
    QTest::newRow("object name") << QStringLiteral("jobsDialog") << QStringLiteral("Geometry/jobsDialog");
    QTest::newRow("class name without object name") << QString() << QStringLiteral("Geometry/QDialog");
}

void TestDesktopGeometry::keyNames()
{
    QFETCH(QString, objectName);
    QFETCH(QString, key);
    QDialog dialog;
    dialog.setObjectName(objectName);
    dialog.resize(300, 200);
    tesselSaveGeometry(&dialog, m_settings.get(), true);
    QCOMPARE(m_settings->allKeys(), QStringList{key});
    QCOMPARE(m_settings->value(key).toSize(), QSize(300, 200));
}

void TestDesktopGeometry::nullsAreNoOps()
{
    QWidget window;
    window.setGeometry(10, 20, 100, 80);
    tesselSaveGeometry(nullptr, m_settings.get(), false);
    tesselSaveGeometry(&window, nullptr, false);
    QVERIFY(m_settings->allKeys().isEmpty());
    QVERIFY(!tesselRestoreGeometry(nullptr, m_settings.get(), QRect(1, 2, 3, 4), false));
    QVERIFY(!tesselRestoreGeometry(&window, nullptr, QRect(1, 2, 3, 4), false));
    QCOMPARE(window.geometry(), QRect(10, 20, 100, 80));
}

QTEST_MAIN(TestDesktopGeometry)
#include "tst_desktop_geometry.moc"
