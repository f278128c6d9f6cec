#include "FocusOrder.h"

#include <QAbstractButton>
#include <QApplication>
#include <QStringList>
#include <QTest>
#include <QWidget>

namespace {

constexpr int maximumSteps = 400;

QString describe(const QWidget* widget)
{
    QString name = QString::fromLatin1(widget->metaObject()->className());
    if (!widget->objectName().isEmpty())
        name += QLatin1Char(' ') + widget->objectName();
    if (const auto* button = qobject_cast<const QAbstractButton*>(widget))
        name += QLatin1String(" \"") + button->text() + QLatin1Char('"');
    return name;
}

// The child of ancestor that holds widget, or widget itself.
const QWidget* childHolding(const QWidget* ancestor, const QWidget* widget)
{
    while (widget->parentWidget() && widget->parentWidget() != ancestor)
        widget = widget->parentWidget();
    return widget;
}

bool isForward(const QWidget* from, const QWidget* to)
{
    if (from->isAncestorOf(to))
        return true;
    if (to->isAncestorOf(from))
        return false;
    const QWidget* ancestor = from->parentWidget();
    while (ancestor && !ancestor->isAncestorOf(to))
        ancestor = ancestor->parentWidget();
    if (!ancestor)
        return false;
    // Containers side by side are read one after the other.
    const QRect a = childHolding(ancestor, from)->geometry();
    const QRect b = childHolding(ancestor, to)->geometry();
    const int overlap = qMin(a.bottom(), b.bottom()) - qMax(a.top(), b.top());
    if (overlap > qMin(a.height(), b.height()) / 2)
        return b.center().x() > a.center().x();
    return b.center().y() > a.center().y();
}

} // namespace

QString focusOrderFault(QWidget* window, QStringList* visited)
{
    QWidget* start = QApplication::focusWidget();
    if (!start || start->window() != window)
        return QStringLiteral("nothing in the window has the focus");
    QList<QWidget*> chain{start};
    for (int step = 0; step < maximumSteps; ++step) {
        QWidget* current = chain.last();
        QTest::keyClick(current, Qt::Key_Tab);
        QWidget* next = QApplication::focusWidget();
        if (!next || next->window() != window)
            return QStringLiteral("Tab leaves the window from ") + describe(current);
        if (next == current)
            return QStringLiteral("Tab stays on ") + describe(current);
        if (chain.contains(next))
            break;
        chain << next;
    }
    if (visited) {
        for (const QWidget* widget : qAsConst(chain))
            *visited << describe(widget);
    }
    QStringList backwards;
    for (int i = 0; i < chain.size(); ++i) {
        const QWidget* from = chain.at(i);
        const QWidget* to = chain.at((i + 1) % chain.size());
        if (!isForward(from, to))
            backwards << describe(from) + QLatin1String(" -> ") + describe(to);
    }
    if (backwards.size() > 1)
        return QStringLiteral("Tab goes back %1 times: %2").arg(backwards.size()).arg(backwards.join(QLatin1String("; ")));
    return QString();
}
