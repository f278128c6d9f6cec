#include "TesselHostAddress.h"

#include <QClipboard>
#include <QEvent>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHostAddress>
#include <QIntValidator>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QStyle>
#include <QStyleOptionFrame>

namespace {

constexpr int maxOctet = 255;
constexpr int octetDigits = 3;

// Room for the digits and the frame, and no more: four wide fields would not
// read as one address.
int octetWidth(const QLineEdit* octet)
{
    QStyleOptionFrame option;
    option.initFrom(octet);
    option.lineWidth = octet->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, octet);
    const QFontMetrics metrics = octet->fontMetrics();
    const QSize text(metrics.horizontalAdvance(QString(octetDigits + 1, QLatin1Char('0'))), metrics.height());
    return octet->style()->sizeFromContents(QStyle::CT_LineEdit, &option, text, octet).width();
}

} // namespace

TesselHostAddress::TesselHostAddress(QWidget* parent)
    : QWidget(parent)
{
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    auto* validator = new QIntValidator(0, maxOctet, this);

    for (int i = 0; i < octetCount; ++i) {
        if (i > 0)
            layout->addWidget(new QLabel(QStringLiteral("."), this));
        auto* octet = new QLineEdit(this);
        octet->setValidator(validator);
        octet->setMaxLength(octetDigits);
        octet->setAlignment(Qt::AlignCenter);
        octet->setAccessibleName(tr("Octet %1 of the IPv4 address").arg(i + 1));
        octet->setFixedWidth(octetWidth(octet));
        octet->installEventFilter(this);
        connect(octet, &QLineEdit::textEdited, this, [this, i] { onOctetEdited(i); });
        layout->addWidget(octet);
        m_octets[i] = octet;
    }
    layout->addStretch();
    setFocusProxy(m_octets.front());
}

void TesselHostAddress::setAddress(const QHostAddress& address)
{
    bool isIPv4 = false;
    const quint32 value = address.toIPv4Address(&isIPv4);
    bool changed = false;
    for (int i = 0; i < octetCount; ++i) {
        const int shift = 8 * (octetCount - 1 - i);
        const QString text = isIPv4 ? QString::number((value >> shift) & 0xff) : QString();
        changed = changed || m_octets[i]->text() != text;
        m_octets[i]->setText(text);
    }
    if (changed)
        emit addressChanged();
}

QHostAddress TesselHostAddress::address() const
{
    if (!isValid())
        return QHostAddress();
    quint32 value = 0;
    for (const QLineEdit* octet : m_octets)
        value = (value << 8) | octet->text().toUInt();
    return QHostAddress(value);
}

bool TesselHostAddress::isValid() const
{
    for (const QLineEdit* octet : m_octets) {
        bool ok = false;
        const uint value = octet->text().toUInt(&ok);
        if (!ok || value > maxOctet)
            return false;
    }
    return true;
}

bool TesselHostAddress::eventFilter(QObject* watched, QEvent* event)
{
    const int index = indexOf(watched);
    if (index < 0 || event->type() != QEvent::KeyPress)
        return QWidget::eventFilter(watched, event);

    const auto* key = static_cast<QKeyEvent*>(event);
    QLineEdit* octet = m_octets[index];
    if (key->matches(QKeySequence::Paste))
        return pasteAddress();
    if (key->text() == QLatin1String(".")) {
        // After a third digit has already moved on, the "." the user types
        // next lands in an empty octet and must not skip another one.
        if (!octet->text().isEmpty() && index + 1 < octetCount) {
            m_octets[index + 1]->setFocus();
            m_octets[index + 1]->selectAll();
        }
        return true;
    }
    if (key->key() == Qt::Key_Backspace && octet->cursorPosition() == 0 && !octet->hasSelectedText() && index > 0) {
        QLineEdit* previous = m_octets[index - 1];
        previous->setFocus();
        previous->setCursorPosition(previous->text().size());
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

int TesselHostAddress::indexOf(const QObject* field) const
{
    for (int i = 0; i < octetCount; ++i) {
        if (m_octets[i] == field)
            return i;
    }
    return -1;
}

bool TesselHostAddress::pasteAddress()
{
    // QHostAddress also reads "42" or "10.1" as addresses; only a dotted quad is
    // meant to fill all four octets.
    const QString text = QGuiApplication::clipboard()->text().trimmed();
    const QHostAddress pasted(text);
    if (text.count(QLatin1Char('.')) != octetCount - 1 || pasted.protocol() != QAbstractSocket::IPv4Protocol)
        return false;
    setAddress(pasted);
    m_octets.back()->setFocus();
    return true;
}

void TesselHostAddress::onOctetEdited(int index)
{
    QLineEdit* octet = m_octets[index];
    if (octet->text().size() == octetDigits && octet->cursorPosition() == octetDigits && index + 1 < octetCount) {
        m_octets[index + 1]->setFocus();
        m_octets[index + 1]->selectAll();
    }
    emit addressChanged();
}
