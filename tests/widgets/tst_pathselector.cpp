#include "TesselPathSelector.h"

#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QPluginLoader>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>
#include <QXmlStreamReader>
#include <QtTest>

namespace {

struct DialogSeen
{
    bool shown = false;
    QString title;
    QFileDialog::FileMode fileMode = QFileDialog::AnyFile;
    QFileDialog::AcceptMode acceptMode = QFileDialog::AcceptOpen;
    bool dirsOnly = false;
    QString preselected;
};

// Notes what the file dialog offers, then chooses answer (or cancels when it is empty).
void answerFileDialog(DialogSeen* seen, const QString& answer)
{
    QTimer::singleShot(0, [seen, answer] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        seen->shown = true;
        seen->title = dialog->windowTitle();
        seen->fileMode = dialog->fileMode();
        seen->acceptMode = dialog->acceptMode();
        seen->dirsOnly = dialog->testOption(QFileDialog::ShowDirsOnly);
        if (const auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit")))
            seen->preselected = name->text();
        if (answer.isEmpty()) {
            dialog->reject();
        } else {
            dialog->selectFile(answer);
            // Through QDialog, where accept() is public; QFileDialog's own check still runs.
            static_cast<QDialog*>(dialog)->accept();
        }
    });
}

} // namespace

class TestPathSelector : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();
    void properties();
    void browse_data();
    void browse();
    void designerInterface();
    void designerPlugin();
};

void TestPathSelector::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
}

void TestPathSelector::cleanup()
{
    QTRY_VERIFY(QApplication::topLevelWidgets().isEmpty());
}

void TestPathSelector::properties()
{
    TesselPathSelector selector;
    QVERIFY(!selector.isDirectory());
    QVERIFY(!selector.isOverwrite());
    QVERIFY(selector.setProperty("value", QStringLiteral("/var/log/cups/error_log")));
    QCOMPARE(selector.lineEdit()->text(), QStringLiteral("/var/log/cups/error_log"));
    selector.lineEdit()->setText(QStringLiteral("/etc/cups"));
    QCOMPARE(selector.value(), QStringLiteral("/etc/cups"));
    QVERIFY(selector.setProperty("directory", true));
    QVERIFY(selector.setProperty("overwrite", true));
    QVERIFY(selector.isDirectory() && selector.isOverwrite());
    const auto* button = selector.findChild<QPushButton*>();
    QCOMPARE(button->text(), QStringLiteral("..."));
    QCOMPARE(button->size(), QSize(24, 24));
}

void TestPathSelector::browse_data()
{
    QTest::addColumn<bool>("directory");
    QTest::addColumn<bool>("overwrite");
    QTest::addColumn<QString>("start");
    QTest::addColumn<QString>("answer");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<int>("fileMode");
    QTest::addColumn<int>("acceptMode");

    QTest::newRow("existingFile") << false << false << "error_log" << "error_log" << "error_log"
                                  << int(QFileDialog::ExistingFile) << int(QFileDialog::AcceptOpen);
    QTest::newRow("newFileToWrite") << false << true << "error_log" << "new_log" << "new_log"
                                    << int(QFileDialog::AnyFile) << int(QFileDialog::AcceptSave);
    QTest::newRow("directoryOverridesOverwrite") << true << true << "" << "spool" << "spool"
                                                 << int(QFileDialog::Directory) << int(QFileDialog::AcceptOpen);
    QTest::newRow("cancelKeepsText") << false << false << "error_log" << "" << "error_log"
                                     << int(QFileDialog::ExistingFile) << int(QFileDialog::AcceptOpen);
}

void TestPathSelector::browse()
{
    QFETCH(bool, directory);
    QFETCH(bool, overwrite);
    QFETCH(QString, start);
    QFETCH(QString, answer);
    QFETCH(QString, expected);
    QFETCH(int, fileMode);
    QFETCH(int, acceptMode);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("spool")));
    QFile existing(dir.filePath(QStringLiteral("error_log")));
    QVERIFY(existing.open(QIODevice::WriteOnly));
    existing.close();
    const auto inDir = [&dir](const QString& name) { return name.isEmpty() ? QString() : dir.filePath(name); };

    TesselPathSelector selector;
    selector.setDirectory(directory);
    selector.setOverwrite(overwrite);
    selector.setValue(inDir(start));
    DialogSeen seen;
    answerFileDialog(&seen, inDir(answer));
    QTest::mouseClick(selector.findChild<QPushButton*>(), Qt::LeftButton);

    QVERIFY(seen.shown);
    QCOMPARE(int(seen.fileMode), fileMode);
    QCOMPARE(int(seen.acceptMode), acceptMode);
    QCOMPARE(seen.dirsOnly, directory);
    // With no path the caption is empty and the dialog shows its own title.
    if (!start.isEmpty())
        QCOMPARE(seen.title, QFileInfo(inDir(start)).absoluteFilePath());
    QCOMPARE(seen.preselected, start);
    QCOMPARE(selector.value(), inDir(expected));
}

void TestPathSelector::designerInterface()
{
    QWidget parent;
    TesselPathSelector factory;
    QDesignerCustomWidgetInterface* designer = &factory;
    QCOMPARE(designer->name(), QStringLiteral("TesselPathSelector"));
    QCOMPARE(designer->group(), QStringLiteral("Tessel WM widgets"));
    QCOMPARE(designer->includeFile(), QStringLiteral("TesselPathSelector.h"));
    QVERIFY(designer->toolTip().isEmpty() && designer->whatsThis().isEmpty());
    QVERIFY(designer->icon().isNull());
    QVERIFY(!designer->isContainer());
    QVERIFY(designer->isInitialized());
    QWidget* created = designer->createWidget(&parent);
    QVERIFY(qobject_cast<TesselPathSelector*>(created));
    QCOMPARE(created->parentWidget(), &parent);

    // Designer parses this to place a new selector; every property it sets must exist.
    QXmlStreamReader reader(designer->domXml());
    QStringList found;
    QString property;
    while (!reader.atEnd()) {
        if (reader.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (reader.name() == QLatin1String("widget"))
            found << reader.attributes().value(QLatin1String("class")) + QLatin1Char(' ')
                         + reader.attributes().value(QLatin1String("name"));
        else if (reader.name() == QLatin1String("property"))
            property = reader.attributes().value(QLatin1String("name")).toString();
        else if (reader.name() != QLatin1String("rect"))
            found << property + QLatin1Char('/') + reader.name() + QLatin1Char('=') + reader.readElementText();
    }
    QVERIFY2(!reader.hasError(), qPrintable(reader.errorString()));
    QCOMPARE(found, (QStringList{"TesselPathSelector pathSelector", "geometry/x=0", "geometry/y=0", "geometry/width=128",
                                 "geometry/height=24", "toolTip/string=Path", "value/string=Path",
                                 "whatsThis/string=Path selector"}));
    for (const char* name : {"toolTip", "value", "whatsThis"})
        QVERIFY(created->property(name).isValid());
    QVERIFY(designer->domXml().endsWith(QLatin1Char('\n')));
}

void TestPathSelector::designerPlugin()
{
    QPluginLoader loader(QStringLiteral(TESSEL_PATHSELECTOR_PLUGIN));
    QCOMPARE(loader.metaData().value(QLatin1String("IID")).toString(),
             QStringLiteral("org.qt-project.Qt.QDesignerCustomWidgetInterface"));
    QCOMPARE(loader.metaData().value(QLatin1String("className")).toString(), QStringLiteral("TesselPathSelector"));
    QObject* instance = loader.instance();
    QVERIFY2(instance, qPrintable(loader.errorString()));
    auto* designer = qobject_cast<QDesignerCustomWidgetInterface*>(instance);
    QVERIFY(designer);
    QCOMPARE(designer->name(), QStringLiteral("TesselPathSelector"));
    QVERIFY(loader.unload());
}

QTEST_MAIN(TestPathSelector)
#include "tst_pathselector.moc"
