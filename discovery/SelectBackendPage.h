#pragma once

#include <QString>
#include <QWizardPage>

#include <memory>

class QTreeWidgetItem;

namespace Ui {
class SelectBackendWidget;
}

// The wizard page on which the user picks how the printer is connected and
// ends up with its device URI, written into the wizard field "deviceURI".
class SelectBackendPage : public QWizardPage
{
    Q_OBJECT

public:
    static inline const QString defaultUdevadm = QStringLiteral("/sbin/udevadm");
    static inline const QString defaultPrinterClassDirectory = QStringLiteral("/sys/class/printer");

    explicit SelectBackendPage(QWidget* parent = nullptr);
    ~SelectBackendPage() override;

    // Where the parallel ports are looked up; the next initializePage() uses them.
    void setUdevadmProgram(const QString& program);
    void setPrinterClassDirectory(const QString& directory);

    bool validatePage() override;
    bool isComplete() const override;

public slots:
    void initializePage() override;
    bool updateUri();
    void currentItemChanged(QTreeWidgetItem* current, QTreeWidgetItem* previous);
    void resizeColumns();
    void scanSlot();
    void updateUri(const QString& text);
    void itemDoubleClicked(QTreeWidgetItem* item);

private:
    void addParallelPorts(QTreeWidgetItem* parent);
    void addSerialPorts(QTreeWidgetItem* parent);
    QString parallelDeviceName(const QString& sysPath) const;
    // An empty address means the scan was cancelled.
    QString scanForAddress(const QString& backend);
    QString askIppQueue(const QString& address);
    QString askLpdQueue(const QString& address);
    bool probeLpd(const QString& address, const QString& queue);

    std::unique_ptr<Ui::SelectBackendWidget> m_ui;
    QString m_udevadm = defaultUdevadm;
    QString m_printerClassDirectory = defaultPrinterClassDirectory;
};
