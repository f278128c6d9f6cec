#pragma once

#include <QCoreApplication>
#include <QString>
#include <QStringList>
#include <QVector>

class QWidget;

// The help of the server configuration dialog, kept in one place so that the
// wording stays consistent: what each directive controls and the scheduler's
// default, shown as a tool tip and as a what's-this text.
class CupsdConfHelp
{
    Q_DECLARE_TR_FUNCTIONS(CupsdConfHelp)

public:
    struct Topic
    {
        QString directive;
        // Object names of the label and the field that show the directive.
        QStringList widgets;
        QString text;
        // Extra HTML for the tool tip only (a table of values).
        QString details;
    };

    static QVector<Topic> topics();

    static QString toolTip(const Topic& topic);
    static QString whatsThis(const Topic& topic);

    // Gives every widget of every topic found below form its two texts.
    static void apply(QWidget* form);
    // The label and field below form that show the directive.
    static QVector<QWidget*> widgets(QWidget* form, const QString& directive);
    // Adds a sentence to the texts the directive's widgets have.
    static void addNote(QWidget* form, const QString& directive, const QString& note);
};
