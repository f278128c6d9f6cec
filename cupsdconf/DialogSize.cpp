#include "DialogSize.h"

#include <QSettings>
#include <QString>
#include <QWidget>

namespace {

QString key(const QString& name, const char* dimension)
{
    return QStringLiteral("Dialog/%1/%2").arg(name, QLatin1String(dimension));
}

} // namespace

void restoreDialogSize(QWidget* dialog, const QString& name)
{
    const QSettings settings;
    const QString width = key(name, "Width");
    const QString height = key(name, "Height");
    if (settings.contains(width) && settings.contains(height))
        dialog->resize(settings.value(width).toInt(), settings.value(height).toInt());
}

void saveDialogSize(const QWidget* dialog, const QString& name)
{
    QSettings settings;
    settings.setValue(key(name, "Width"), dialog->width());
    settings.setValue(key(name, "Height"), dialog->height());
}
