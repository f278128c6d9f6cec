#include "SecurityPlugins.h"

#include "ISecurityPlugin.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QPluginLoader>
#include <QTranslator>

namespace {

QString& pluginDirectory()
{
    static QString directory = QStringLiteral("/usr/lib/x86_64-linux-gnu/tessel-admin-printer");
    return directory;
}

bool& loaded()
{
    static bool done = false;
    return done;
}

QList<ISecurityPlugin*> loadPlugins()
{
    QList<ISecurityPlugin*> plugins;
    const QDir directory(pluginDirectory());
    for (const QFileInfo& file : directory.entryInfoList(QDir::Files)) {
        // The loader is dropped on purpose: without unload() the library
        // stays in the process, and its root object with it.
        QPluginLoader loader(file.absoluteFilePath());
        auto* plugin = qobject_cast<ISecurityPlugin*>(loader.instance());
        if (!plugin)
            continue;
        auto* translator = new QTranslator(QCoreApplication::instance());
        translator->load(QLocale::system(), file.baseName(), QStringLiteral("_"), directory.absolutePath());
        QCoreApplication::installTranslator(translator);
        plugins << plugin;
    }
    return plugins;
}

} // namespace

QList<ISecurityPlugin*> securityPlugins()
{
    static const QList<ISecurityPlugin*> plugins = [] {
        loaded() = true;
        return loadPlugins();
    }();
    return plugins;
}

QList<ISecurityPrinterPage*> securityPrinterPages()
{
    QList<ISecurityPrinterPage*> pages;
    for (ISecurityPlugin* plugin : securityPlugins()) {
        if (ISecurityPrinterPage* page = plugin->printerPage())
            pages << page;
    }
    return pages;
}

QList<ISecurityServerPage*> securityServerPages()
{
    QList<ISecurityServerPage*> pages;
    for (ISecurityPlugin* plugin : securityPlugins()) {
        if (ISecurityServerPage* page = plugin->serverPage())
            pages << page;
    }
    return pages;
}

bool setSecurityPluginDirectoryForTesting(const QString& directory)
{
    if (loaded())
        return false;
    pluginDirectory() = directory;
    return true;
}
