#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

// Small shell scripts stand in for the outside tools; they record what they
// were given in files that the tests read back.
inline bool writeScript(const QString& path, const QByteArray& body)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write("#!/bin/sh\n" + body) > 0 &&
           file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

inline QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
