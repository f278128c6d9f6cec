#pragma once

#include <QRegExp>
#include <QValidator>

// Refuses any text in which the pattern is found, and any text holding a tab,
// line feed or other control blank: the configuration file splits words at
// those just as at a blank, so no configuration value can contain one.
class NOTValidator : public QValidator
{
    Q_OBJECT

public:
    NOTValidator(const QRegExp& pattern, QObject* parent);

    State validate(QString& input, int& pos) const override;

private:
    QRegExp m_pattern;
};
