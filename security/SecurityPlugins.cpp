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

namespace {

// The non-null pages of one kind, in plug-in order.
template <typename Page>
QList<Page*> pagesOf(Page* (ISecurityPlugin::*page)())
{
    QList<Page*> pages;
    for (ISecurityPlugin* plugin : securityPlugins()) {
        if (Page* found = (plugin->*page)())
            pages << found;
    }
    return pages;
}

} // namespace

QList<ISecurityPrinterPage*> securityPrinterPages()
{
    return pagesOf(&ISecurityPlugin::printerPage);
}

QList<ISecurityServerPage*> securityServerPages()
{
    return pagesOf(&ISecurityPlugin::serverPage);
}

bool setSecurityPluginDirectoryForTesting(const QString& directory)
{
    if (loaded())
        return false;
    pluginDirectory() = directory;
    return true;
}
