#include "AcceleratorManager.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDialogButtonBox>
#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QTabBar>
#include <QTextDocument>
#include <QToolButton>
#include <QWidgetAction>

#include <algorithm>

namespace {

const QLatin1String managerName("tessel-accelerator-manager");

// Earlier kinds win a contested letter: menu titles and tabs are what users
// reach for most, labels can do without.
enum Priority { MenuTitle, TabTitle, BoxButton, PushButton, GroupTitle, CheckOrRadio, BuddyLabel };

// Tool buttons show an icon or the stripped text of their action; a label
// without a buddy has nothing to move the focus to, and rich text shows an
// ampersand as it is.
bool takesMnemonic(const QWidget* widget, int* priority)
{
    if (const auto* button = qobject_cast<const QAbstractButton*>(widget)) {
        if (qobject_cast<const QToolButton*>(button))
            return false;
        if (qobject_cast<const QDialogButtonBox*>(button->parentWidget()))
            *priority = BoxButton;
        else if (button->isCheckable() && !button->inherits("QPushButton"))
            *priority = CheckOrRadio;
        else
            *priority = PushButton;
        return true;
    }
    if (qobject_cast<const QGroupBox*>(widget)) {
        *priority = GroupTitle;
        return true;
    }
    if (const auto* label = qobject_cast<const QLabel*>(widget)) {
        *priority = BuddyLabel;
        if (!label->buddy() || label->textFormat() == Qt::RichText || label->textFormat() == Qt::MarkdownText)
            return false;
        return label->textFormat() == Qt::PlainText || !Qt::mightBeRichText(label->text());
    }
    return false;
}

bool isMenuItem(const QAction* action)
{
    return action->isVisible() && !action->isSeparator() && !qobject_cast<const QWidgetAction*>(action)
           && !action->text().isEmpty();
}

QList<QAction*> menuItems(const QWidget* menuOrBar)
{
    QList<QAction*> items;
    for (QAction* action : menuOrBar->actions()) {
        if (isMenuItem(action))
            items << action;
    }
    return items;
}

} // namespace

AcceleratorManager::AcceleratorManager(QObject* parent)
    : QObject(parent)
{
    setObjectName(managerName);
    m_timer.setSingleShot(true);
    m_timer.setInterval(0);
    connect(&m_timer, &QTimer::timeout, this, &AcceleratorManager::processScheduled);
}

void AcceleratorManager::install()
{
    if (instance() || !qobject_cast<QApplication*>(QCoreApplication::instance()))
        return;
    auto* manager = new AcceleratorManager(QCoreApplication::instance());
    QCoreApplication::instance()->installEventFilter(manager);
}

AcceleratorManager* AcceleratorManager::instance()
{
    QCoreApplication* app = QCoreApplication::instance();
    return app ? app->findChild<AcceleratorManager*>(managerName, Qt::FindDirectChildrenOnly) : nullptr;
}

int AcceleratorManager::mnemonicPosition(const QString& text)
{
    for (int i = 0; i + 1 < text.size(); ++i) {
        if (text.at(i) != QLatin1Char('&'))
            continue;
        if (text.at(i + 1) == QLatin1Char('&')) {
            ++i;
            continue;
        }
        return i + 1;
    }
    return -1;
}

QString AcceleratorManager::withoutMnemonic(const QString& text)
{
    const int position = mnemonicPosition(text);
    return position < 0 ? text : QString(text).remove(position - 1, 1);
}

QString AcceleratorManager::withMnemonic(const QString& text, QSet<QChar>* taken)
{
    for (const bool wordStarts : {true, false}) {
        for (int i = 0; i < text.size(); ++i) {
            const QChar c = text.at(i);
            if (!c.isLetterOrNumber())
                continue;
            const QChar before = i > 0 ? text.at(i - 1) : QChar(QLatin1Char(' '));
            // Next to a literal "&&" a new marker would read as a third one.
            if (before == QLatin1Char('&') || before.isLetterOrNumber() == wordStarts)
                continue;
            const QChar key = c.toUpper();
            if (taken->contains(key))
                continue;
            taken->insert(key);
            return text.left(i) + QLatin1Char('&') + text.mid(i);
        }
    }
    return text;
}

void AcceleratorManager::manage(QWidget* windowOrMenu)
{
    if (auto* menu = qobject_cast<QMenu*>(windowOrMenu))
        manageMenu(menu);
    else if (windowOrMenu)
        manageWindow(windowOrMenu);
}

void AcceleratorManager::manageWindow(QWidget* window)
{
    QVector<Target> targets;
    collect(window, &targets);
    assign(targets);
}

void AcceleratorManager::manageMenu(QMenu* menu)
{
    QVector<Target> targets;
    for (QAction* action : menuItems(menu))
        targets.append({action, 0, MenuTitle});
    assign(targets);
}

// Only what is shown counts: a hidden page's widgets cannot be reached by
// their mnemonics, so they may share letters with the page shown now, and
// get theirs when they appear.
void AcceleratorManager::collect(QWidget* widget, QVector<Target>* targets) const
{
    for (QObject* child : widget->children()) {
        if (!child->isWidgetType())
            continue;
        auto* childWidget = static_cast<QWidget*>(child);
        if (childWidget->isWindow() || !childWidget->isVisible())
            continue;
        int priority = 0;
        if (qobject_cast<QMenuBar*>(childWidget)) {
            for (QAction* action : menuItems(childWidget))
                targets->append({action, 0, MenuTitle});
        } else if (auto* tabs = qobject_cast<QTabBar*>(childWidget)) {
            for (int i = 0; i < tabs->count(); ++i) {
                if (tabs->isTabVisible(i) && !tabs->tabText(i).isEmpty())
                    targets->append({tabs, i, TabTitle});
            }
        } else if (takesMnemonic(childWidget, &priority)) {
            targets->append({childWidget, 0, priority});
        }
        collect(childWidget, targets);
    }
}

namespace {

QString textOf(QObject* owner, int index)
{
    if (auto* action = qobject_cast<QAction*>(owner))
        return action->text();
    if (auto* tabs = qobject_cast<QTabBar*>(owner))
        return tabs->tabText(index);
    if (auto* button = qobject_cast<QAbstractButton*>(owner))
        return button->text();
    if (auto* group = qobject_cast<QGroupBox*>(owner))
        return group->title();
    if (auto* label = qobject_cast<QLabel*>(owner))
        return label->text();
    return QString();
}

void setTextOf(QObject* owner, int index, const QString& text)
{
    if (auto* action = qobject_cast<QAction*>(owner))
        action->setText(text);
    else if (auto* tabs = qobject_cast<QTabBar*>(owner))
        tabs->setTabText(index, text);
    else if (auto* button = qobject_cast<QAbstractButton*>(owner))
        button->setText(text);
    else if (auto* group = qobject_cast<QGroupBox*>(owner))
        group->setTitle(text);
    else if (auto* label = qobject_cast<QLabel*>(owner))
        label->setText(text);
}

} // namespace

void AcceleratorManager::assign(QVector<Target> targets)
{
    std::stable_sort(targets.begin(), targets.end(),
                     [](const Target& a, const Target& b) { return a.priority < b.priority; });

    struct Seen
    {
        QString text;
        int position = -1;
        bool byManager = false;
    };
    QVector<Seen> seen;
    seen.reserve(targets.size());
    QSet<QChar> taken;
    for (const Target& target : qAsConst(targets)) {
        const QString text = textOf(target.owner, target.index);
        const int position = mnemonicPosition(text);
        const bool byManager = m_assigned.value(target.owner).value(target.index) == text;
        if (position >= 0 && !byManager)
            taken.insert(text.at(position).toUpper());
        seen.append({text, position, byManager});
    }
    QVector<QPair<Target, QString>> pending;
    for (int i = 0; i < targets.size(); ++i) {
        const Seen& item = seen.at(i);
        if (item.position < 0) {
            pending.append({targets.at(i), item.text});
        } else if (item.byManager) {
            // A choice of ours stays put unless a neighbour shown now holds
            // the letter, so that users find it where it was.
            const QChar key = item.text.at(item.position).toUpper();
            if (taken.contains(key))
                pending.append({targets.at(i), withoutMnemonic(item.text)});
            else
                taken.insert(key);
        }
    }
    for (const auto& entry : qAsConst(pending)) {
        const Target& target = entry.first;
        const QString text = withMnemonic(entry.second, &taken);
        if (text != textOf(target.owner, target.index))
            setTextOf(target.owner, target.index, text);
        remember(target, text);
    }
}

void AcceleratorManager::remember(const Target& target, const QString& text)
{
    auto found = m_assigned.find(target.owner);
    if (found == m_assigned.end()) {
        const QObject* owner = target.owner;
        connect(owner, &QObject::destroyed, this, [this, owner] { m_assigned.remove(owner); });
        found = m_assigned.insert(owner, {});
    }
    found->insert(target.index, text);
}

bool AcceleratorManager::lacksMnemonic(const Target& target) const
{
    const QString text = textOf(target.owner, target.index);
    return !text.isEmpty() && mnemonicPosition(text) < 0
           && m_assigned.value(target.owner).value(target.index) != text;
}

bool AcceleratorManager::needsWork(QObject* owner) const
{
    auto* widget = static_cast<QWidget*>(owner);
    if (qobject_cast<QMenu*>(widget) || qobject_cast<QMenuBar*>(widget)) {
        const QList<QAction*> items = menuItems(widget);
        return std::any_of(items.begin(), items.end(),
                           [this](QAction* action) { return lacksMnemonic({action, 0, 0}); });
    }
    if (auto* tabs = qobject_cast<QTabBar*>(widget)) {
        for (int i = 0; i < tabs->count(); ++i) {
            if (tabs->isTabVisible(i) && lacksMnemonic({tabs, i, 0}))
                return true;
        }
        return false;
    }
    int priority = 0;
    return takesMnemonic(widget, &priority) && lacksMnemonic({widget, 0, 0});
}

void AcceleratorManager::scheduleWindow(QWidget* window)
{
    for (const QPointer<QWidget>& scheduled : qAsConst(m_scheduled)) {
        if (scheduled == window)
            return;
    }
    m_scheduled.append(window);
    m_timer.start();
}

void AcceleratorManager::processScheduled()
{
    const QVector<QPointer<QWidget>> scheduled = std::exchange(m_scheduled, {});
    for (const QPointer<QWidget>& window : scheduled) {
        if (window && window->isVisible())
            manage(window);
    }
}

bool AcceleratorManager::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::Show:
        // Before the first paint, so that the window never shows bare texts.
        if (watched->isWidgetType() && static_cast<QWidget*>(watched)->isWindow())
            manage(static_cast<QWidget*>(watched));
        break;
    case QEvent::Paint:
        // Whatever changes a text while it is shown (code, a new language, a
        // page coming into view) repaints it; the window is handled once the
        // changes of this turn of the event loop are done.
        if (watched->isWidgetType() && needsWork(watched))
            scheduleWindow(static_cast<QWidget*>(watched)->window());
        break;
    default:
        break;
    }
    return false;
}
