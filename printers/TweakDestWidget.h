#pragma once

#include <QStringList>
#include <QVariantMap>
#include <QWidget>

class QLabel;
class QPushButton;
class PrinterWizard;

// The "Setup" tab: what the selected queue is, with a "Change..." for its
// general facts, its device, its driver and a class's members.
class TweakDestWidget : public QWidget
{
    Q_OBJECT

public:
    explicit TweakDestWidget(QWidget* parent = nullptr);

    void setDestination(const QString& name, const QVariantMap& attributes);

signals:
    void setClassMembers();
    void updateTimerStopRequest();
    void updateTimerStartRequest();
    // The queue now lives under this name, so the browser can follow it.
    void destinationRenamed(const QString& name);

private slots:
    void changeGeneral();
    void changeBackend();
    void changeDriver();
    void changeMembers();

private:
    enum class Mode { General, Backend, Driver };
    bool runWizard(PrinterWizard* wizard);
    void presetWizard(PrinterWizard* wizard, Mode mode, const QString& driver) const;
    bool finishRename(const QString& newName);

    QString m_name;
    QString m_location;
    QString m_description;
    QString m_deviceUri;
    QString m_makeAndModel;
    bool m_shared = false;
    bool m_isClass = false;
    bool m_isRemote = false;
    QStringList m_memberNames;

    QLabel* m_generalText = nullptr;
    QLabel* m_deviceHeading = nullptr;
    QLabel* m_deviceText = nullptr;
    QLabel* m_driverHeading = nullptr;
    QLabel* m_driverText = nullptr;
    QLabel* m_membersHeading = nullptr;
    QLabel* m_membersText = nullptr;
    QPushButton* m_generalButton = nullptr;
    QPushButton* m_deviceButton = nullptr;
    QPushButton* m_driverButton = nullptr;
    QPushButton* m_membersButton = nullptr;
};
