#pragma once

class QString;

// Application-wide set-up, done once right after the QApplication is built and
// before any window exists: keyboard mnemonics for every window and menu, and
// context menus from the keyboard. The description is rich text for the About
// box; it is looked up in the "QObject" translation context whenever it is
// shown, so callers mark it with QT_TRANSLATE_NOOP("QObject", ...).
void tesselInit(const char* version, const char* description);

// The description given to tesselInit(), in the current language.
QString tesselDescription();

// The program's name as users see it.
QString tesselProductName();

// Makes theme icons resolve on desktops that only offer hicolor and provides
// our own icons, as the fallback icon theme, for the names the desktop's theme
// lacks. Safe to call again.
void tesselInstallIconFallbacks();

// Installs Qt's own translations and the given catalogue for the system
// locale. A missing catalogue is skipped; a repeated call installs nothing new.
void tesselTranslatorInstall(const QString& catalogue);
