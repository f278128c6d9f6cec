#include "ServerText.h"

namespace {

QLatin1String bidiControlName(char16_t c)
{
    switch (c) {
    case 0x061C:
        return QLatin1String("ALM");
    case 0x200E:
        return QLatin1String("LRM");
    case 0x200F:
        return QLatin1String("RLM");
    case 0x202A:
        return QLatin1String("LRE");
    case 0x202B:
        return QLatin1String("RLE");
    case 0x202C:
        return QLatin1String("PDF");
    case 0x202D:
        return QLatin1String("LRO");
    case 0x202E:
        return QLatin1String("RLO");
    case 0x2066:
        return QLatin1String("LRI");
    case 0x2067:
        return QLatin1String("RLI");
    case 0x2068:
        return QLatin1String("FSI");
    case 0x2069:
        return QLatin1String("PDI");
    default:
        return QLatin1String();
    }
}

} // namespace

QString ServerText::forDisplay(const QString& text)
{
    QString result;
    result.reserve(text.size());
    for (const QChar c : text) {
        if (c.category() == QChar::Other_Control) {
            result += QLatin1Char(' ');
            continue;
        }
        const QLatin1String name = bidiControlName(c.unicode());
        if (name.size())
            result += QLatin1Char('<') + name + QLatin1Char('>');
        else
            result += c;
    }
    return result;
}

QString ServerText::forDisplay(const char* utf8)
{
    // Invalid UTF-8 becomes replacement characters.
    return forDisplay(QString::fromUtf8(utf8 ? utf8 : ""));
}
