#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

constexpr int renderTimeoutMs = 30000;

const QByteArray wideDrawing = QByteArrayLiteral(
    "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"32\" height=\"16\" viewBox=\"0 0 32 16\">"
    "<rect x=\"0\" y=\"0\" width=\"32\" height=\"16\" fill=\"#4a7fb5\"/></svg>");

} // namespace

// The build-time renderer of the application icon: a failure must stop the
// build instead of installing a blank, squeezed or missing icon.
class TestRenderIcon : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void refused_data();
    void refused();
    void wideDrawingKeepsItsProportions();

private:
    int render(const QString& svg, const QString& size, const QString& png);

    QTemporaryDir m_dir;
};

void TestRenderIcon::initTestCase()
{
    QVERIFY2(m_dir.isValid(), qPrintable(m_dir.errorString()));
    QFile notes(m_dir.filePath(QStringLiteral("notes.svg")));
    QVERIFY(notes.open(QIODevice::WriteOnly) && notes.write("printer icon, to be drawn\n") > 0);
    QFile wide(m_dir.filePath(QStringLiteral("wide.svg")));
    QVERIFY(wide.open(QIODevice::WriteOnly) && wide.write(wideDrawing) == wideDrawing.size());
}

int TestRenderIcon::render(const QString& svg, const QString& size, const QString& png)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process.start(QStringLiteral(TESSEL_RENDER_ICON), {m_dir.filePath(svg), size, m_dir.filePath(png)});
    if (!process.waitForFinished(renderTimeoutMs) || process.exitStatus() != QProcess::NormalExit) {
        process.kill();
        process.waitForFinished();
        return -1;
    }
    return process.exitCode();
}

void TestRenderIcon::refused_data()
{
    QTest::addColumn<QString>("svg");
    QTest::addColumn<QString>("size");
    QTest::addColumn<QString>("png");

    QTest::newRow("not an image") << QStringLiteral("notes.svg") << QStringLiteral("32") << QStringLiteral("out.png");
    QTest::newRow("size zero") << QStringLiteral("wide.svg") << QStringLiteral("0") << QStringLiteral("out.png");
    QTest::newRow("size word") << QStringLiteral("wide.svg") << QStringLiteral("large") << QStringLiteral("out.png");
    QTest::newRow("size huge") << QStringLiteral("wide.svg") << QStringLiteral("100000") << QStringLiteral("out.png");
    QTest::newRow("missing folder") << QStringLiteral("wide.svg") << QStringLiteral("32")
                                    << QStringLiteral("absent/out.png");
}

void TestRenderIcon::refused()
{
    QFETCH(QString, svg);
    QFETCH(QString, size);
    QFETCH(QString, png);

    const int exitCode = render(svg, size, png);
    QVERIFY2(exitCode > 0, qPrintable(QString::number(exitCode)));
    QVERIFY(!QFile::exists(m_dir.filePath(png)));
}

void TestRenderIcon::wideDrawingKeepsItsProportions()
{
    QCOMPARE(render(QStringLiteral("wide.svg"), QStringLiteral("32"), QStringLiteral("wide.png")), 0);

    const QImage image(m_dir.filePath(QStringLiteral("wide.png")), "png");
    QCOMPARE(image.size(), QSize(32, 32));
    // Centred in the square: a clear band above and below, drawn across the
    // whole width between them.
    for (const int y : {0, 7, 24, 31})
        QCOMPARE(qAlpha(image.pixel(16, y)), 0);
    for (const QPoint& drawn : {QPoint(0, 16), QPoint(31, 16), QPoint(16, 8), QPoint(16, 23)})
        QCOMPARE(qAlpha(image.pixel(drawn)), 255);
}

QTEST_GUILESS_MAIN(TestRenderIcon)
#include "tst_rendericon.moc"
