#pragma once

#include <QDialog>

class FormLayout;
class NOTValidator;
class QLineEdit;

// What the one-entry dialogs of the server configuration share: a form above
// OK and Cancel, and line edits that refuse what would split a value in the
// configuration file.
class ConfigEntryDialog : public QDialog
{
    Q_OBJECT

public:
    explicit ConfigEntryDialog(QWidget* parent);

protected:
    QLineEdit* addValueRow(const QString& label);
    FormLayout* form() const { return m_form; }

private:
    FormLayout* m_form = nullptr;
    NOTValidator* m_validator = nullptr;
};
