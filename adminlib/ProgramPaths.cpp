#include "ProgramPaths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

QString ProgramPaths::fromBuildTree(const QString& relativePath)
{
    const QDir buildDir(QStringLiteral(TESSEL_BUILD_DIR));
    const QString here = QFileInfo(QCoreApplication::applicationDirPath()).canonicalFilePath();
    if (here.isEmpty() || here != QFileInfo(buildDir.path()).canonicalFilePath())
        return QString();
    const QString program = buildDir.filePath(relativePath);
    return QFileInfo(program).isExecutable() ? program : QString();
}
