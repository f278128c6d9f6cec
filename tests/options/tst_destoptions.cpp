#include "CupsHttp.h"
#include "CupsPointers.h"
#include "CupsTestServer.h"
#include "DestOptions.h"
#include "DestOptionsDialog.h"
#include "ModalDriver.h"
#include "PpdSettings.h"
#include "PrintersWidget.h"
#include "PropertyEditor.h"

#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QSpinBox>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <QtTest>

// The driver file is still how the scheduler hands out a printer's options.
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"

namespace {

const QString ppdPrinter = QStringLiteral("delta");
const QString alpha = CupsTestServer::defaultPrinter;

QStringList tabTexts(const DestOptions& options)
{
    const auto* tabs = options.findChild<QTabWidget*>();
    QStringList texts;
    for (int i = 0; i < tabs->count(); ++i)
        texts << tabs->tabText(i);
    return texts;
}

// A field of a form, found through the label that names it.
template<typename Field>
Field* field(const DestOptions& options, const QString& label)
{
    for (const QLabel* candidate : options.findChildren<QLabel*>()) {
        if (candidate->text() == label)
            return qobject_cast<Field*>(candidate->buddy());
    }
    return nullptr;
}

QRadioButton* radio(const DestOptions& options, const QString& group, const QString& text)
{
    for (const QGroupBox* box : options.findChildren<QGroupBox*>()) {
        if (box->title() != group)
            continue;
        for (QRadioButton* button : box->findChildren<QRadioButton*>()) {
            if (button->text() == text)
                return button;
        }
    }
    return nullptr;
}

QTreeWidgetItem* editorRow(const DestOptions& options, const QString& attribute)
{
    const auto* editor = options.findChild<PropertyEditor*>();
    for (int i = 0; i < editor->topLevelItemCount(); ++i) {
        if (editor->topLevelItem(i)->data(0, PropertyEditor::AttributeRole).toString() == attribute)
            return editor->topLevelItem(i);
    }
    return nullptr;
}

// Empty when the scheduler took the job and holds it with valid attributes,
// otherwise what went wrong. An option without a value is taken, but the job
// then carries an out-of-range value (finishings 0) that IPP forbids.
QString jobProblem(int jobId)
{
    if (jobId <= 0)
        return QStringLiteral("not accepted: ") + QString::fromUtf8(cupsLastErrorString());
    Cups::IppPtr request(ippNewRequest(IPP_OP_GET_JOB_ATTRIBUTES));
    const QByteArray uri = QStringLiteral("ipp://localhost/jobs/%1").arg(jobId).toUtf8();
    ippAddString(request.get(), IPP_TAG_OPERATION, IPP_TAG_URI, "job-uri", nullptr, uri.constData());
    ippAddString(request.get(), IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", nullptr, "all");
    const Cups::IppPtr response(cupsDoRequest(CUPS_HTTP_DEFAULT, request.release(), "/"));
    if (!response || ippGetStatusCode(response.get()) > IPP_STATUS_OK_EVENTS_COMPLETE)
        return QStringLiteral("unreadable: ") + QString::fromUtf8(cupsLastErrorString());
    if (!ippValidateAttributes(response.get()))
        return QStringLiteral("invalid: ") + QString::fromUtf8(cupsLastErrorString());
    const int state = ippGetInteger(ippFindAttribute(response.get(), "job-state", IPP_TAG_ENUM), 0);
    if (state == IPP_JSTATE_ABORTED || state == IPP_JSTATE_CANCELED)
        return QStringLiteral("ended in state %1").arg(state);
    return QString();
}

} // namespace

class TestDestOptions : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void loading_data();
    void loading();
    void unknownDestination();
    void paperWithoutPpd_data();
    void paperWithoutPpd();
    void attributeValues();
    void otherSavedOptionsSurvive();
    void savedOptionsPrint_data();
    void savedOptionsPrint();
    void ppdChoicesFollowPaperBoxes();
    void ppdChoicesSavedAndReloaded();
    void browserOpensDialog();

private:
    QMap<QString, QString> saved(const QString& destination);
    void setSaved(const QString& destination, const QStringList& options);
    int submit(const QString& queue, const QMap<QString, QString>& options);

    CupsTestServer m_server;
    QTemporaryDir m_tmp;
    QString m_document;
};

void TestDestOptions::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    const QString reason = CupsTestServer::unavailableReason(CupsTestServer::Mode::Open);
    if (!reason.isEmpty())
        QSKIP(qPrintable(reason));
    QVERIFY2(m_server.start(), qPrintable(m_server.errorString()));
    m_server.pointClientAt();
    const QString ppds = m_server.compileSamplePpds();
    QVERIFY2(!ppds.isEmpty(), qPrintable(m_server.errorString()));
    QVERIFY2(m_server.runTool(QStringLiteral("lpadmin"),
                              {QStringLiteral("-p"), ppdPrinter, QStringLiteral("-E"), QStringLiteral("-v"),
                               QStringLiteral("file:///dev/null"), QStringLiteral("-P"),
                               ppds + QStringLiteral("/generic.ppd")}),
             qPrintable(m_server.errorString()));
    // Downloaded driver files land here, so that cleanup() sees any left behind.
    QVERIFY(m_tmp.isValid());
    qputenv("TMPDIR", QFile::encodeName(m_tmp.path()));
    const QByteArray name = ppdPrinter.toLocal8Bit();
    const QString copy = QFile::decodeName(cupsGetPPD2(CUPS_HTTP_DEFAULT, name.constData()));
    QVERIFY2(copy.startsWith(m_tmp.path()), qPrintable(copy));
    QFile::remove(copy);
    m_document = m_server.directory() + QStringLiteral("/page.txt");
    QFile document(m_document);
    QVERIFY(document.open(QIODevice::WriteOnly));
    document.write("One line of text.\n");
}

void TestDestOptions::init()
{
    QFile::remove(m_server.homeDirectory() + QStringLiteral("/.cups/lpoptions"));
}

void TestDestOptions::cleanup()
{
    QVERIFY(QApplication::topLevelWidgets().isEmpty());
    // The driver file is fetched into a temporary copy that must not stay.
    QCOMPARE(QDir(m_tmp.path()).entryList(QDir::Files), QStringList());
}

QMap<QString, QString> TestDestOptions::saved(const QString& destination)
{
    // The user's own file, without the scheduler's defaults that the client
    // library mixes into a destination's options.
    QMap<QString, QString> options;
    QFile file(m_server.homeDirectory() + QStringLiteral("/.cups/lpoptions"));
    if (!file.open(QIODevice::ReadOnly))
        return options;
    const QByteArray prefix = "Dest " + destination.toLocal8Bit() + ' ';
    while (!file.atEnd()) {
        QByteArray line = file.readLine().trimmed();
        if (line.startsWith("Default "))
            line.replace(0, 7, "Dest");
        if (!line.startsWith(prefix))
            continue;
        cups_option_t* list = nullptr;
        const int count = cupsParseOptions(line.mid(prefix.size()).constData(), 0, &list);
        const Cups::OptionsPtr owner = Cups::makeOptions(list, count);
        for (int i = 0; i < count; ++i)
            options.insert(QString::fromLocal8Bit(list[i].name), QString::fromLocal8Bit(list[i].value));
    }
    return options;
}

void TestDestOptions::setSaved(const QString& destination, const QStringList& options)
{
    QStringList arguments = {QStringLiteral("-p"), destination};
    for (const QString& option : options)
        arguments << QStringLiteral("-o") << option;
    QVERIFY2(m_server.runTool(QStringLiteral("lpoptions"), arguments), qPrintable(m_server.errorString()));
}

int TestDestOptions::submit(const QString& queue, const QMap<QString, QString>& options)
{
    cups_option_t* list = nullptr;
    int count = 0;
    for (auto it = options.constBegin(); it != options.constEnd(); ++it)
        count = cupsAddOption(it.key().toUtf8().constData(), it.value().toUtf8().constData(), count, &list);
    const Cups::OptionsPtr owner = Cups::makeOptions(list, count);
    const QByteArray name = queue.toLocal8Bit();
    const QByteArray file = QFile::encodeName(m_document);
    return cupsPrintFile2(CUPS_HTTP_DEFAULT, name.constData(), file.constData(), "options", count, list);
}

void TestDestOptions::loading_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("isClass");
    QTest::addColumn<QStringList>("tabs");
    QTest::addColumn<int>("pageSizes");
    QTest::addColumn<bool>("finishings");
    QTest::newRow("printerWithoutDriver") << alpha << false
                                          << QStringList{QStringLiteral("General"), QStringLiteral("Jobs"),
                                                         QStringLiteral("Queue")}
                                          << 5 << true;
    QTest::newRow("printerWithDriver") << ppdPrinter << false
                                       << QStringList{QStringLiteral("General"), QStringLiteral("Jobs"),
                                                      QStringLiteral("Queue"), QStringLiteral("Driver Settings")}
                                       << 13 << true;
    // A class reports no finishings of its own.
    QTest::newRow("class") << CupsTestServer::className << true
                           << QStringList{QStringLiteral("General"), QStringLiteral("Jobs"), QStringLiteral("Queue")}
                           << 5 << false;
}

void TestDestOptions::loading()
{
    QFETCH(QString, name);
    QFETCH(bool, isClass);
    QFETCH(QStringList, tabs);
    QFETCH(int, pageSizes);
    QFETCH(bool, finishings);
    DestOptions options;
    QVERIFY(options.loadOptions(name, isClass));
    QCOMPARE(tabTexts(options), tabs);
    QCOMPARE(field<QComboBox>(options, QStringLiteral("Page S&ize"))->count(), pageSizes);
    auto* copies = field<QSpinBox>(options, QStringLiteral("Copies"));
    QVERIFY(copies->isEnabled());
    QCOMPARE(copies->minimum(), 1);
    QCOMPARE(copies->maximum(), 9999);
    QVERIFY(radio(options, QStringLiteral("Hold until"), QStringLiteral("No hold"))->isChecked());
    QVERIFY(radio(options, QStringLiteral("Orientation"), QStringLiteral("Portrait")));
    QCOMPARE(editorRow(options, QStringLiteral("finishings")) != nullptr, finishings);
}

void TestDestOptions::unknownDestination()
{
    ModalDriver driver;
    DestOptions options;
    QVERIFY(!options.loadOptions(QStringLiteral("nosuch"), false));
    QVERIFY(!options.saveOptions(QStringLiteral("nosuch"), false));
    QCOMPARE(driver.messages, (QStringList{QStringLiteral("Unable to get destination's options."),
                                           QStringLiteral("Unable to set destination's options.")}));
}

void TestDestOptions::paperWithoutPpd_data()
{
    QTest::addColumn<QString>("media");
    QTest::addColumn<QString>("size");
    QTest::addColumn<QString>("source");
    QTest::newRow("sizeAndSlot") << "A4,Upper,Letter" << "ISO A4" << "Upper tray";
    QTest::newRow("anyCase") << "lower,,legal" << "US Legal" << "Lower tray";
    // Nothing known: the boxes keep their first entries.
    QTest::newRow("unknown") << "B5" << "ISO A4" << "Large capacity tray";
}

void TestDestOptions::paperWithoutPpd()
{
    QFETCH(QString, media);
    QFETCH(QString, size);
    QFETCH(QString, source);
    setSaved(alpha, {QStringLiteral("media=") + media});
    DestOptions options;
    QVERIFY(options.loadOptions(alpha, false));
    QCOMPARE(field<QComboBox>(options, QStringLiteral("Page S&ize"))->currentText(), size);
    QCOMPARE(field<QComboBox>(options, QStringLiteral("Paper So&urce"))->currentText(), source);
}

void TestDestOptions::attributeValues()
{
    setSaved(alpha, {QStringLiteral("job-priority=150"), QStringLiteral("copies=3"), QStringLiteral("finishings=3,3"),
                     QStringLiteral("job-sheets=,standard"), QStringLiteral("orientation-requested=4")});
    DestOptions options;
    QVERIFY(options.loadOptions(alpha, false));
    // Above the supported maximum of 100.
    QCOMPARE(field<QSpinBox>(options, QStringLiteral("Priority"))->value(), 100);
    QCOMPARE(field<QSpinBox>(options, QStringLiteral("Copies"))->value(), 3);
    QRadioButton* landscape = radio(options, QStringLiteral("Orientation"), QStringLiteral("Landscape"));
    QVERIFY(landscape && landscape->isChecked());
    // A missing start banner comes from the queue's default.
    QCOMPARE(field<QComboBox>(options, QStringLiteral("Start"))->currentText(), QStringLiteral("none"));
    QCOMPARE(field<QComboBox>(options, QStringLiteral("End"))->currentText(), QStringLiteral("standard"));
    const auto* editor = options.findChild<PropertyEditor*>();
    QTreeWidgetItem* finishings = editorRow(options, QStringLiteral("finishings"));
    QCOMPARE(finishings->text(0), QStringLiteral("Finishings after print"));
    QCOMPARE(editor->values(finishings), (QStringList{QStringLiteral("3"), QStringLiteral("3")}));
    QCOMPARE(qobject_cast<QComboBox*>(editor->itemWidget(finishings->child(0), 1))->currentText(),
             QStringLiteral("None"));
}

void TestDestOptions::otherSavedOptionsSurvive()
{
    setSaved(alpha, {QStringLiteral("fit-to-page=true"), QStringLiteral("page-ranges=1-2"),
                     QStringLiteral("outputorder=reverse"), QStringLiteral("copies=3")});
    setSaved(alpha + QStringLiteral("/draft"), {QStringLiteral("number-up=2")});
    {
        DestOptionsDialog dialog;
        dialog.setDestination(alpha, false);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Options for alpha"));
        field<QSpinBox>(*dialog.options(), QStringLiteral("Copies"))->setValue(5);
        field<QComboBox>(*dialog.options(), QStringLiteral("Page S&ize"))->setCurrentText(QStringLiteral("US Letter"));
        field<QComboBox>(*dialog.options(), QStringLiteral("Paper So&urce"))->setCurrentText(QStringLiteral("Upper tray"));
        dialog.accept();
    }
    const QMap<QString, QString> options = saved(alpha);
    QCOMPARE(options.value(QStringLiteral("copies")), QStringLiteral("5"));
    QCOMPARE(options.value(QStringLiteral("media")), QStringLiteral("Letter,Upper,Normal"));
    QCOMPARE(options.value(QStringLiteral("fit-to-page")), QStringLiteral("true"));
    QCOMPARE(options.value(QStringLiteral("page-ranges")), QStringLiteral("1-2"));
    QCOMPARE(options.value(QStringLiteral("outputorder")), QStringLiteral("reverse"));
    QCOMPARE(saved(alpha + QStringLiteral("/draft")).value(QStringLiteral("number-up")), QStringLiteral("2"));
    // And as lp would print with them.
    QString shown;
    QVERIFY(m_server.runTool(QStringLiteral("lpoptions"), {QStringLiteral("-p"), alpha}, &shown));
    for (const QString& option : {QStringLiteral("copies=5"), QStringLiteral("fit-to-page=true"),
                                  QStringLiteral("page-ranges=1-2")})
        QVERIFY2(shown.split(QLatin1Char(' ')).contains(option), qPrintable(shown));
}

void TestDestOptions::savedOptionsPrint_data()
{
    QTest::addColumn<QString>("queue");
    QTest::newRow("printerWithoutDriver") << alpha;
    QTest::newRow("printerWithDriver") << ppdPrinter;
}

void TestDestOptions::savedOptionsPrint()
{
    QFETCH(QString, queue);
    // What the scheduler does with an attribute without a value: this is why
    // an empty list is never saved.
    QVERIFY(!jobProblem(submit(queue, {{QStringLiteral("finishings"), QString()}})).isEmpty());

    {
        DestOptions options;
        QVERIFY(options.loadOptions(queue, false));
        auto* editor = options.findChild<PropertyEditor*>();
        QTreeWidgetItem* finishings = editorRow(options, QStringLiteral("finishings"));
        while (finishings->childCount() > 0) {
            editor->setCurrentItem(finishings->child(0));
            QTest::keyClick(editor, Qt::Key_Delete);
        }
        for (const auto& choice : {qMakePair(QStringLiteral("Duplex printing"), QStringLiteral("One sided")),
                                   qMakePair(QStringLiteral("Orientation"), QStringLiteral("Reverse landscape")),
                                   qMakePair(QStringLiteral("Hold until"), QStringLiteral("No hold"))}) {
            // A raw queue knows no duplex.
            if (QRadioButton* button = radio(options, choice.first, choice.second))
                button->setChecked(true);
        }
        field<QComboBox>(options, QStringLiteral("Pages per sheet"))->setCurrentText(QStringLiteral("2"));
        field<QComboBox>(options, QStringLiteral("End"))->setCurrentText(QStringLiteral("standard"));
        if (PpdSettings* ppd = options.ppdSettings())
            ppd->setOption(QStringLiteral("Option1"), QStringLiteral("True"));
        QVERIFY(options.saveOptions(queue, false));
    }
    const QMap<QString, QString> options = saved(queue);
    QVERIFY(!options.contains(QStringLiteral("finishings")));
    QCOMPARE(options.value(QStringLiteral("orientation-requested")), QStringLiteral("5"));
    QCOMPARE(options.value(QStringLiteral("job-sheets")), QStringLiteral("none,standard"));
    for (auto it = options.constBegin(); it != options.constEnd(); ++it) {
        QVERIFY2(!it.value().isEmpty(), qPrintable(it.key()));
        const QString problem = jobProblem(submit(queue, {{it.key(), it.value()}}));
        QVERIFY2(problem.isEmpty(), qPrintable(it.key() + QLatin1Char('=') + it.value() + QStringLiteral(": ") + problem));
    }
    const QString problem = jobProblem(submit(queue, options));
    QVERIFY2(problem.isEmpty(), qPrintable(problem));
}

void TestDestOptions::ppdChoicesFollowPaperBoxes()
{
    DestOptions options;
    QVERIFY(options.loadOptions(ppdPrinter, false));
    PpdSettings* ppd = options.ppdSettings();
    QVERIFY(ppd);
    auto* size = field<QComboBox>(options, QStringLiteral("Page S&ize"));
    QCOMPARE(size->currentText(), QStringLiteral("US Letter"));
    size->setCurrentText(QStringLiteral("A4"));
    QCOMPARE(ppd->currentKeywords(QStringLiteral("PageSize")), QStringLiteral("A4"));
    QCOMPARE(ppd->currentKeywords(QStringLiteral("PageRegion")), QStringLiteral("A4"));
    field<QComboBox>(options, QStringLiteral("Paper So&urce"))->setCurrentText(QStringLiteral("Manual Feed"));
    QCOMPARE(ppd->currentKeywords(QStringLiteral("InputSlot")), QStringLiteral("Manual"));

    // The other way round, through the driver tab's own box.
    auto* tree = ppd->findChild<QTreeWidget*>(QStringLiteral("ppdTree_"));
    const QList<QTreeWidgetItem*> found =
        tree->findItems(QStringLiteral("Media Size"), Qt::MatchExactly | Qt::MatchRecursive);
    QVERIFY(!found.isEmpty());
    tree->setCurrentItem(found.first());
    for (QRadioButton* button : ppd->findChildren<QRadioButton*>()) {
        if (button->text() == QLatin1String("US Legal"))
            button->click();
    }
    QCOMPARE(size->currentText(), QStringLiteral("US Legal"));
}

void TestDestOptions::ppdChoicesSavedAndReloaded()
{
    // A paper chosen with lp's media option is what the driver tab starts from.
    setSaved(ppdPrinter, {QStringLiteral("media=A4"), QStringLiteral("Duplex=DuplexNoTumble")});
    {
        DestOptions options;
        QVERIFY(options.loadOptions(ppdPrinter, false));
        QCOMPARE(field<QComboBox>(options, QStringLiteral("Page S&ize"))->currentText(), QStringLiteral("A4"));
        QCOMPARE(options.ppdSettings()->currentKeywords(QStringLiteral("Duplex")), QStringLiteral("DuplexNoTumble"));
        options.ppdSettings()->setOption(QStringLiteral("Duplex"), QStringLiteral("None"));
        field<QComboBox>(options, QStringLiteral("Paper So&urce"))->setCurrentText(QStringLiteral("Cassette"));
        QVERIFY(options.saveOptions(ppdPrinter, false));
    }
    const QMap<QString, QString> saved = this->saved(ppdPrinter);
    QCOMPARE(saved.value(QStringLiteral("media")), QStringLiteral("A4,Upper"));
    QCOMPARE(saved.value(QStringLiteral("PageSize")), QStringLiteral("A4"));
    QCOMPARE(saved.value(QStringLiteral("InputSlot")), QStringLiteral("Upper"));
    // Back at the driver's default: no longer saved at all.
    QVERIFY(!saved.contains(QStringLiteral("Duplex")));

    DestOptions reopened;
    QVERIFY(reopened.loadOptions(ppdPrinter, false));
    QCOMPARE(field<QComboBox>(reopened, QStringLiteral("Page S&ize"))->currentText(), QStringLiteral("A4"));
    QCOMPARE(field<QComboBox>(reopened, QStringLiteral("Paper So&urce"))->currentText(), QStringLiteral("Cassette"));
}

void TestDestOptions::browserOpensDialog()
{
    PrintersWidget widget;
    widget.load();
    const QList<QTreeWidgetItem*> found =
        widget.destinationTree()->findItems(ppdPrinter, Qt::MatchExactly | Qt::MatchRecursive);
    QCOMPARE(found.size(), 1);
    widget.destinationTree()->setCurrentItem(found.first());
    QVERIFY(widget.editAction()->isEnabled());
    QStringList seen;
    ModalDriver driver;
    driver.otherDialog = [&seen](QWidget* dialog) {
        seen << dialog->windowTitle();
        if (auto* options = dialog->findChild<DestOptions*>())
            seen << tabTexts(*options).join(QLatin1Char(','));
        qobject_cast<QDialog*>(dialog)->reject();
    };
    widget.editAction()->trigger();
    QCOMPARE(seen, (QStringList{QStringLiteral("Options for delta"),
                                QStringLiteral("General,Jobs,Queue,Driver Settings")}));
}

QTEST_MAIN(TestDestOptions)
#include "tst_destoptions.moc"
