#include "TesselInit.h"

#include "AcceleratorManager.h"
#include "KeyboardContextMenu.h"

#include <QByteArray>
#include <QFileInfo>
#include <QGuiApplication>
#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>
#include <QStandardPaths>
#include <QString>
#include <QStringList>
#include <QTranslator>

#include <memory>

namespace {

constexpr QLatin1String bundledThemeFolder(":/tessel/themes");
constexpr QLatin1String bundledTheme("tessel");
constexpr QLatin1String translatorNamePrefix("tessel-translator-");

QByteArray& storedDescription()
{
    static QByteArray description;
    return description;
}

// Besides our own theme's folder, the system's: platform plugins without a
// desktop theme (offscreen, minimal, some Wayland sessions) report none, which
// leaves every theme name unresolved even though the themes are installed.
void addIconFolders()
{
    QStringList paths = QIcon::themeSearchPaths();
    const QStringList wanted = QStringList{bundledThemeFolder}
        + QStandardPaths::locateAll(QStandardPaths::GenericDataLocation, QStringLiteral("icons"),
                                    QStandardPaths::LocateDirectory);
    bool changed = false;
    for (const QString& folder : wanted) {
        if (!paths.contains(folder)) {
            paths.append(folder);
            changed = true;
        }
    }
    if (changed)
        QIcon::setThemeSearchPaths(paths);
}

// hicolor only holds application icons, so a desktop reporting it (or nothing)
// would show blank toolbar buttons; a complete theme is a far better default.
void chooseCompleteTheme()
{
    const QString current = QIcon::themeName();
    if (!current.isEmpty() && current != QLatin1String("hicolor"))
        return;
    const QStringList preferred = {QStringLiteral("breeze"), QStringLiteral("Adwaita")};
    const QStringList searchPaths = QIcon::themeSearchPaths();
    for (const QString& theme : preferred) {
        for (const QString& folder : searchPaths) {
            if (QFileInfo::exists(folder + QLatin1Char('/') + theme + QLatin1String("/index.theme"))) {
                QIcon::setThemeName(theme);
                return;
            }
        }
    }
}

void installTranslator(QCoreApplication* app, const QString& catalogue, const QStringList& folders)
{
    const QString name = translatorNamePrefix + catalogue;
    if (app->findChild<QTranslator*>(name, Qt::FindDirectChildrenOnly))
        return;
    auto translator = std::make_unique<QTranslator>();
    for (const QString& folder : folders) {
        if (translator->load(QLocale::system(), catalogue, QStringLiteral("_"), folder, QStringLiteral(".qm"))) {
            translator->setObjectName(name);
            translator->setParent(app);
            QCoreApplication::installTranslator(translator.release());
            return;
        }
    }
}

} // namespace

void tesselInit(const char* version, const char* description)
{
    QCoreApplication::setApplicationName(QStringLiteral("tessel-admin-printer"));
    QCoreApplication::setOrganizationName(QStringLiteral("tessel"));
    QCoreApplication::setApplicationVersion(QString::fromUtf8(version));
    storedDescription() = QByteArray(description);

    // The icon loader needs the GUI application; when called too early the
    // set-up is run by the application's constructor instead.
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
        tesselInstallIconFallbacks();
        AcceleratorManager::install();
        KeyboardContextMenu::install();
    } else if (!QCoreApplication::instance()) {
        qAddPreRoutine(tesselInstallIconFallbacks);
        qAddPreRoutine(AcceleratorManager::install);
        qAddPreRoutine(KeyboardContextMenu::install);
    }
}

QString tesselDescription()
{
    return QCoreApplication::translate("QObject", storedDescription().constData());
}

QString tesselProductName()
{
    return QCoreApplication::translate("QObject", "Tessel Printer Manager");
}

void tesselInstallIconFallbacks()
{
    Q_INIT_RESOURCE(tessel);
    addIconFolders();
    chooseCompleteTheme();
    // Our icons form a small theme consulted after the desktop's. Plain files
    // in QIcon::fallbackSearchPaths() would report no sizes when they are SVG,
    // and QIcon::fromTheme(name, fallback) takes an icon without sizes for a
    // missing one.
    QIcon::setFallbackThemeName(bundledTheme);
}

void tesselTranslatorInstall(const QString& catalogue)
{
    QCoreApplication* app = QCoreApplication::instance();
    if (!app)
        return;
    const QStringList qtFolder = {QLibraryInfo::location(QLibraryInfo::TranslationsPath)};
    installTranslator(app, QStringLiteral("qt"), qtFolder);
    installTranslator(app, QStringLiteral("qtbase"), qtFolder);
    if (catalogue.isEmpty())
        return;
    const QString appDir = QCoreApplication::applicationDirPath();
    installTranslator(app, catalogue,
                      {QStringLiteral(TESSEL_TRANSLATIONS_DIR),
                       appDir + QLatin1String("/../share/tessel-admin-printer/translations"),
                       appDir + QLatin1String("/translations")});
}
