#pragma once

#include <QList>
#include <QMap>
#include <QVariantMap>
#include <QWidget>

class QGroupBox;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QSplitter;
class QTextEdit;

// The drivers the server offers, by maker, with a filter and the facts of the
// chosen one; or a PPD file of this machine instead.
class DriverWidget : public QWidget
{
    Q_OBJECT

public:
    using DriversByMake = QMap<QString, QList<QVariantMap>>;

    explicit DriverWidget(QWidget* parent = nullptr);

    void setDrivers(const DriversByMake& drivers);
    bool preselect(const QString& make, const QString& makeAndModel);

    QListWidget* modelList() const { return m_models; }
    QString chosenFile() const { return m_chosenFile; }

signals:
    void ppdFileSelected();

public slots:
    virtual void toggled(bool on);
    virtual void textChanged(const QString& text);
    virtual void currentItemChanged(QListWidgetItem* current, QListWidgetItem* previous);
    virtual void modelChanged(QListWidgetItem* current, QListWidgetItem* previous);
    void ppdFromFileButtonPressed();

private:
    QLineEdit* m_filter = nullptr;
    QListWidget* m_makes = nullptr;
    QListWidget* m_models = nullptr;
    QSplitter* m_vertical = nullptr;
    QGroupBox* m_infoBox = nullptr;
    QTextEdit* m_info = nullptr;
    QString m_chosenFile;
};
