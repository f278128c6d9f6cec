#pragma once

#include <QWidget>

#include <array>

class QHostAddress;
class QLineEdit;

// An IPv4 address typed as four octets. "." moves on to the next octet, a
// third digit does so too, Backspace in an empty octet goes back to the
// previous one, and pasting a whole address fills all four.
class TesselHostAddress : public QWidget
{
    Q_OBJECT

public:
    explicit TesselHostAddress(QWidget* parent = nullptr);

    // Addresses that are not IPv4 (IPv6, null) clear every octet.
    void setAddress(const QHostAddress& address);
    // Null unless isValid().
    QHostAddress address() const;
    // True when all four octets are filled in and each is at most 255.
    bool isValid() const;

signals:
    void addressChanged();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    static constexpr int octetCount = 4;

    int indexOf(const QObject* field) const;
    bool pasteAddress();
    void onOctetEdited(int index);

    std::array<QLineEdit*, octetCount> m_octets = {};
};
