#include <QCoreApplication>
#include <QDebug>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTranslator>
#include <QXmlStreamReader>

namespace {

QStringList placeholders(const QString& text)
{
    static const QRegularExpression pattern(QStringLiteral("%(L?\\d+|n)"));
    QStringList found;
    auto matches = pattern.globalMatch(text);
    while (matches.hasNext())
        found << matches.next().captured();
    found.sort();
    found.removeDuplicates();
    return found;
}

// One line per message a Russian user would see in English or garbled.
QStringList faults(const QByteArray& catalogue)
{
    QStringList found;
    QXmlStreamReader xml(catalogue);
    QString context;
    QString source;
    bool numerus = false;
    bool unfinished = false;
    QStringList forms;
    while (!xml.atEnd()) {
        xml.readNext();
        const QStringRef name = xml.name();
        if (xml.isStartElement()) {
            if (name == QLatin1String("name")) {
                context = xml.readElementText();
            } else if (name == QLatin1String("message")) {
                numerus = xml.attributes().value(QLatin1String("numerus")) == QLatin1String("yes");
                forms.clear();
            } else if (name == QLatin1String("source")) {
                source = xml.readElementText();
            } else if (name == QLatin1String("translation")) {
                unfinished = xml.attributes().value(QLatin1String("type")) == QLatin1String("unfinished");
                if (!numerus)
                    forms << xml.readElementText();
            } else if (name == QLatin1String("numerusform")) {
                forms << xml.readElementText();
            }
        } else if (xml.isEndElement() && name == QLatin1String("message")) {
            const QString where = context + QLatin1String(": \"") + source + QLatin1String("\" ");
            if (unfinished)
                found << where + QLatin1String("is unfinished");
            else if (forms.isEmpty() || std::any_of(forms.cbegin(), forms.cend(),
                                                    [](const QString& f) { return f.trimmed().isEmpty(); }))
                found << where + QLatin1String("is empty");
            else if (std::any_of(forms.cbegin(), forms.cend(), [&source](const QString& f) {
                         return placeholders(f) != placeholders(source);
                     }))
                found << where + QLatin1String("has other placeholders than its source");
        }
    }
    if (xml.hasError())
        found << QLatin1String("unreadable catalogue: ") + xml.errorString();
    return found;
}

} // namespace

class TestTranslations : public QObject
{
    Q_OBJECT

private slots:
    void catalogueComplete();
    void pluralForms_data();
    void pluralForms();
};

// The sources as they are now, merged into a copy of the catalogue the way a
// developer refreshes it: a text added or changed since shows up unfinished.
void TestTranslations::catalogueComplete()
{
    QTemporaryDir scratch;
    QVERIFY(scratch.isValid());
    const QString copy = scratch.filePath(QStringLiteral("catalogue_ru.ts"));
    QVERIFY(QFile::copy(QStringLiteral(TESSEL_CATALOGUE), copy));
    QFile::setPermissions(copy, QFile::ReadOwner | QFile::WriteOwner);

    QProcess lupdate;
    lupdate.setWorkingDirectory(QStringLiteral(TESSEL_SOURCE_DIR));
    lupdate.setProcessChannelMode(QProcess::MergedChannels);
    const QStringList arguments = QStringLiteral(TESSEL_LUPDATE_OPTIONS).split(QLatin1Char(','))
                                  + QStringLiteral(TESSEL_TRANSLATED_FOLDERS).split(QLatin1Char(','))
                                  + QStringList{QStringLiteral("-ts"), copy};
    lupdate.start(QStringLiteral(TESSEL_LUPDATE), arguments);
    QVERIFY2(lupdate.waitForFinished(60000), qPrintable(lupdate.errorString()));
    QVERIFY2(lupdate.exitStatus() == QProcess::NormalExit && lupdate.exitCode() == 0,
             lupdate.readAll().constData());

    QFile merged(copy);
    QVERIFY(merged.open(QIODevice::ReadOnly));
    const QByteArray content = merged.readAll();
    QVERIFY(content.contains("<message"));
    const QStringList found = faults(content);
    // One warning each: a single failure message would be cut short.
    for (const QString& fault : found)
        qWarning().noquote() << fault;
    QVERIFY2(found.isEmpty(), qPrintable(QString::number(found.size()) + QLatin1String(" messages to mend")));
}

void TestTranslations::pluralForms_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("processing");
    QTest::addColumn<QString>("aborted");

    QTest::newRow("one") << 1 << QStringLiteral("1 задание в обработке") << QStringLiteral("1 прерванное задание");
    QTest::newRow("few") << 3 << QStringLiteral("3 задания в обработке") << QStringLiteral("3 прерванных задания");
    QTest::newRow("many") << 5 << QStringLiteral("5 заданий в обработке") << QStringLiteral("5 прерванных заданий");
    QTest::newRow("twentyOne") << 21 << QStringLiteral("21 задание в обработке")
                               << QStringLiteral("21 прерванное задание");
}

// The built catalogue, as the program loads it: Russian has three plural
// forms, chosen by the last digits, which only hold if the catalogue says
// which language it is.
void TestTranslations::pluralForms()
{
    QFETCH(int, count);
    QFETCH(QString, processing);
    QFETCH(QString, aborted);

    QTranslator translator;
    QVERIFY(translator.load(QStringLiteral(TESSEL_COMPILED_CATALOGUE)));
    QVERIFY(QCoreApplication::installTranslator(&translator));
    const QString processingText = QCoreApplication::translate("PrinterManager", "Processing jobs: %n", nullptr, count);
    const QString abortedText = QCoreApplication::translate("PrinterManager", "Aborted jobs: %n", nullptr, count);
    QCoreApplication::removeTranslator(&translator);
    QCOMPARE(processingText, processing);
    QCOMPARE(abortedText, aborted);
}

QTEST_GUILESS_MAIN(TestTranslations)
#include "tst_translations.moc"
