#include "TesselHostAddress.h"

#include <QApplication>
#include <QClipboard>
#include <QHostAddress>
#include <QLineEdit>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QtTest>

namespace {

// Keys go to the field holding the editor's focus, which does not need an
// active window: bare X servers without a window manager never activate one.
bool showFocused(QWidget* widget)
{
    widget->show();
    widget->setFocus();
    return QTest::qWaitForWindowExposed(widget);
}

QHostAddress addressOrNull(const QString& text)
{
    return text.isEmpty() ? QHostAddress() : QHostAddress(text);
}

} // namespace

class TestDesktopHostAddress : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();
    void typing_data();
    void typing();
    void setAddress_data();
    void setAddress();
    void paste_data();
    void paste();
};

void TestDesktopHostAddress::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
}

void TestDesktopHostAddress::cleanup()
{
    QTRY_VERIFY(QApplication::topLevelWidgets().isEmpty());
}

void TestDesktopHostAddress::typing_data()
{
    // "\t" is Tab, "\b" Backspace.
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("address");
    QTest::newRow("private address") << "192.168.1.10" << "192.168.1.10";
    QTest::newRow("all zeros") << "0.0.0.0" << "0.0.0.0";
    QTest::newRow("broadcast") << "255.255.255.255" << "255.255.255.255";
    QTest::newRow("third digit moves on") << "1921681.10" << "192.168.1.10";
    QTest::newRow("letters rejected") << "1a.2.3.4" << "1.2.3.4";
    QTest::newRow("backspace returns to previous octet") << "1.2\b\b3.4.5.6" << "13.4.5.6";
    QTest::newRow("octet above 255") << "256.1.1.1" << QString();
    QTest::newRow("empty octet") << "10\t\t1.1" << QString();
    QTest::newRow("three octets") << "1.2.3" << QString();
}

void TestDesktopHostAddress::typing()
{
    QFETCH(QString, keys);
    QFETCH(QString, address);
    TesselHostAddress editor;
    QVERIFY(showFocused(&editor));
    QSignalSpy changed(&editor, &TesselHostAddress::addressChanged);
    for (const QChar key : qAsConst(keys)) {
        QWidget* focused = editor.focusWidget();
        if (key == QLatin1Char('\t'))
            QTest::keyClick(focused, Qt::Key_Tab);
        else if (key == QLatin1Char('\b'))
            QTest::keyClick(focused, Qt::Key_Backspace);
        else
            QTest::keyClick(focused, key.toLatin1());
    }
    QCOMPARE(editor.isValid(), !address.isEmpty());
    QCOMPARE(editor.address(), addressOrNull(address));
    QVERIFY(!changed.isEmpty());
}

void TestDesktopHostAddress::setAddress_data()
{
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<int>("emitted");
    QTest::newRow("plain address") << "10.0.0.1" << "10.0.0.1" << 1;
    QTest::newRow("same address again") << "1.2.3.4" << "1.2.3.4" << 0;
    QTest::newRow("IPv4 mapped into IPv6") << "::ffff:192.168.0.7" << "192.168.0.7" << 1;
    QTest::newRow("IPv6 clears") << "fe80::1" << QString() << 1;
    QTest::newRow("null clears") << QString() << QString() << 1;
}

void TestDesktopHostAddress::setAddress()
{
    QFETCH(QString, input);
    QFETCH(QString, expected);
    QFETCH(int, emitted);
    TesselHostAddress editor;
    editor.setAddress(QHostAddress(QStringLiteral("1.2.3.4")));
    QSignalSpy changed(&editor, &TesselHostAddress::addressChanged);
    editor.setAddress(addressOrNull(input));
    QCOMPARE(changed.count(), emitted);
    QCOMPARE(editor.isValid(), !expected.isEmpty());
    QCOMPARE(editor.address(), addressOrNull(expected));
    const QList<QLineEdit*> octets = editor.findChildren<QLineEdit*>();
    QCOMPARE(octets.size(), 4);
    QCOMPARE(octets.first()->text().isEmpty(), expected.isEmpty());
}

void TestDesktopHostAddress::paste_data()
{
    QTest::addColumn<QString>("clipboard");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<QString>("firstOctet");
    QTest::newRow("whole address with white space") << " 172.16.5.4\n" << "172.16.5.4" << "172";
    QTest::newRow("single number goes into the octet") << "42" << QString() << "42";
    QTest::newRow("IPv6 address") << "fe80::1" << QString() << QString();
}

void TestDesktopHostAddress::paste()
{
    QFETCH(QString, clipboard);
    QFETCH(QString, expected);
    QFETCH(QString, firstOctet);
    TesselHostAddress editor;
    QVERIFY(showFocused(&editor));
    QApplication::clipboard()->setText(clipboard);
    QTest::keySequence(editor.focusWidget(), QKeySequence::Paste);
    QCOMPARE(editor.address(), addressOrNull(expected));
    QCOMPARE(editor.findChildren<QLineEdit*>().constFirst()->text(), firstOctet);
}

QTEST_MAIN(TestDesktopHostAddress)
#include "tst_desktop_hostaddress.moc"
