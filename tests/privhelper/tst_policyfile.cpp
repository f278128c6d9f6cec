#include "PolKitActionProviderHelper.h"

#include <QFile>
#include <QXmlStreamReader>
#include <QtTest>

class TestPolicyFile : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void oneActionForTheHelper();
    void element_data();
    void element();

private:
    QStringList m_actionIds;
    // "action/defaults/allow_active" and the like to the element's text;
    // annotations under "annotate:KEY".
    QMap<QString, QString> m_values;
};

void TestPolicyFile::initTestCase()
{
    QFile file(QStringLiteral(POLICY_FILE));
    QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(file.errorString()));
    QXmlStreamReader xml(&file);
    QStringList path;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement()) {
            const QString name = xml.name().toString();
            if (name == QLatin1String("action"))
                m_actionIds.append(xml.attributes().value(QLatin1String("id")).toString());
            path.append(name == QLatin1String("annotate")
                            ? QStringLiteral("annotate:") + xml.attributes().value(QLatin1String("key")).toString()
                            : name);
        } else if (xml.isEndElement()) {
            path.removeLast();
        } else if (xml.isCharacters() && !xml.isWhitespace()) {
            m_values.insert(path.mid(1).join(QLatin1Char('/')), xml.text().toString());
        }
    }
    QVERIFY2(!xml.hasError(), qPrintable(QStringLiteral("line %1: %2").arg(xml.lineNumber()).arg(xml.errorString())));
}

void TestPolicyFile::oneActionForTheHelper()
{
    QCOMPARE(m_actionIds, QStringList{QStringLiteral("ru.orvanta.tessel-admin-printer.helper")});
}

void TestPolicyFile::element_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("value");

    QTest::newRow("allow_any") << "action/defaults/allow_any" << "no";
    QTest::newRow("allow_inactive") << "action/defaults/allow_inactive" << "no";
    QTest::newRow("allow_active") << "action/defaults/allow_active" << "auth_admin_keep";
    QTest::newRow("message") << "action/message"
                             << "Authentication is required to change the print server's queues and configuration";
    // pkexec grants the action only to this program, so it has to be the one
    // the library starts.
    QTest::newRow("exec.path") << "action/annotate:org.freedesktop.policykit.exec.path"
                               << PolKitActionProviderHelper::installedHelperPath();
}

void TestPolicyFile::element()
{
    QFETCH(QString, path);
    QFETCH(QString, value);
    QCOMPARE(m_values.value(path), value);
}

QTEST_GUILESS_MAIN(TestPolicyFile)
#include "tst_policyfile.moc"
