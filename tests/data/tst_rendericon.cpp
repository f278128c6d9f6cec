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
// build instead of installing a blank or missing icon.
class TestRenderIcon : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void refused_data();
    void refused();
    void wideDrawingKeepsItsProportions();

private:
    int render(const QStringList& arguments);
    bool writeFile(const QString& name, const QByteArray& contents);

    QTemporaryDir m_dir;
};

void TestRenderIcon::init()
{
    QVERIFY2(m_dir.isValid(), qPrintable(m_dir.errorString()));
}

int TestRenderIcon::render(const QStringList& arguments)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process.start(QStringLiteral(TESSEL_RENDER_ICON), arguments);
    if (!process.waitForFinished(renderTimeoutMs) || process.exitStatus() != QProcess::NormalExit) {
        process.kill();
        process.waitForFinished();
        return -1;
    }
    return process.exitCode();
}

bool TestRenderIcon::writeFile(const QString& name, const QByteArray& contents)
{
    QFile file(m_dir.filePath(name));
    return file.open(QIODevice::WriteOnly) && file.write(contents) == contents.size();
}

void TestRenderIcon::refused_data()
{
    QTest::addColumn<QString>("svg");
    QTest::addColumn<QString>("size");
    QTest::addColumn<QString>("png");

    QTest::newRow("not an image") << QStringLiteral("notes.svg") << QStringLiteral("32") << QStringLiteral("out.png");
    QTest::newRow("missing image") << QStringLiteral("absent.svg") << QStringLiteral("32") << QStringLiteral("out.png");
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

    QVERIFY(writeFile(QStringLiteral("notes.svg"), QByteArrayLiteral("printer icon, to be drawn\n")));
    QVERIFY(writeFile(QStringLiteral("wide.svg"), wideDrawing));
    const int exitCode = render({m_dir.filePath(svg), size, m_dir.filePath(png)});
    QVERIFY2(exitCode > 0, qPrintable(QString::number(exitCode)));
    QVERIFY(!QFile::exists(m_dir.filePath(png)));
}

void TestRenderIcon::wideDrawingKeepsItsProportions()
{
    QVERIFY(writeFile(QStringLiteral("wide.svg"), wideDrawing));
    const QString png = m_dir.filePath(QStringLiteral("wide.png"));
    QCOMPARE(render({m_dir.filePath(QStringLiteral("wide.svg")), QStringLiteral("32"), png}), 0);

    const QImage image(png, "png");
    QCOMPARE(image.size(), QSize(32, 32));
    // Centred in the square: a clear band above and below, drawn across the
    // whole width between them.
    for (const int y : {0, 7, 24, 31})
        QCOMPARE(qAlpha(image.pixel(16, y)), 0);
    for (const int x : {0, 16, 31})
        QCOMPARE(qAlpha(image.pixel(x, 16)), 255);
    QCOMPARE(qAlpha(image.pixel(16, 8)), 255);
    QCOMPARE(qAlpha(image.pixel(16, 23)), 255);
}

QTEST_GUILESS_MAIN(TestRenderIcon)
#include "tst_rendericon.moc"
