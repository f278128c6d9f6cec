#pragma once

#include <QDialog>
#include <QString>

class DestOptions;

// The default job options of one destination in a dialog with OK and Cancel;
// OK saves them. Its size is kept from one use to the next.
class DestOptionsDialog : public QDialog
{
    Q_OBJECT

public:
    explicit DestOptionsDialog(QWidget* parent = nullptr);
    ~DestOptionsDialog() override;

    void setDestination(const QString& name, bool isClass);

    DestOptions* options() const { return m_options; }

public slots:
    virtual void apply();
    void accept() override;

private:
    QString m_name;
    bool m_isClass = false;
    DestOptions* m_options = nullptr;
};
