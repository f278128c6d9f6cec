#pragma once

#include <QHash>
#include <QObject>
#include <QPointer>
#include <QSet>
#include <QTimer>
#include <QVector>

class QAction;
class QChar;
class QMenu;
class QString;
class QWidget;

// Gives every menu-bar title, menu item, push button, check and radio box,
// group box title, tab title and label with a buddy a keyboard mnemonic of its
// own within its scope (one menu; one window with its menu bar, tab bars and
// button boxes), the way desktops do it: the texts themselves stay free of
// "&" so that translations and the texts compared elsewhere keep matching.
// Runs as an application event filter: a window or menu is handled as it is
// shown, and again when one of its texts changes while it is shown.
class AcceleratorManager : public QObject
{
    Q_OBJECT

public:
    // Installs the one manager of the application; safe to call again.
    static void install();
    static AcceleratorManager* instance();

    // Assigns the mnemonics of one window or menu now.
    void manage(QWidget* windowOrMenu);

    // The position of the mnemonic character in text, or -1 when it has none.
    // "&&" is a literal ampersand.
    static int mnemonicPosition(const QString& text);
    // The text as shown, without its mnemonic marker ("&&" stays as it is).
    static QString withoutMnemonic(const QString& text);
    // The text with a mnemonic on the first free letter or digit, preferring
    // the first ones of words, and that character (upper case) added to taken;
    // text unchanged when every character is taken or it has no letter.
    static QString withMnemonic(const QString& text, QSet<QChar>* taken);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Target
    {
        QObject* owner = nullptr;
        int index = 0;
        int priority = 0;
    };

    explicit AcceleratorManager(QObject* parent);

    void manageWindow(QWidget* window);
    void manageMenu(QMenu* menu);
    void collect(QWidget* widget, QVector<Target>* targets) const;
    void assign(QVector<Target> targets);
    bool needsWork(QObject* owner) const;
    bool lacksMnemonic(const Target& target) const;
    void remember(const Target& target, const QString& text);
    void scheduleWindow(QWidget* window);
    void processScheduled();

    // What the manager last left in each text, per owner and item index:
    // a text equal to it carries the manager's own choice, which may move to
    // another character when a new neighbour needs it; any other mnemonic was
    // written by hand and is kept.
    QHash<const QObject*, QHash<int, QString>> m_assigned;
    QVector<QPointer<QWidget>> m_scheduled;
    QTimer m_timer;
};
