#include "NOTValidator.h"

namespace {

bool hasControlBlank(const QString& text)
{
    for (const QChar c : text) {
        if (c == QLatin1Char('\t') || c == QLatin1Char('\n') || c == QLatin1Char('\v') || c == QLatin1Char('\f')
            || c == QLatin1Char('\r'))
            return true;
    }
    return false;
}

} // namespace

NOTValidator::NOTValidator(const QRegExp& pattern, QObject* parent)
    : QValidator(parent)
    , m_pattern(pattern)
{
}

QValidator::State NOTValidator::validate(QString& input, int& pos) const
{
    Q_UNUSED(pos)
    if (hasControlBlank(input) || m_pattern.indexIn(input) >= 0)
        return Invalid;
    return Acceptable;
}
