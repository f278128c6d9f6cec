#pragma once

#include <QLineEdit>
#include <QObject>
#include <QStringList>
#include <QTimer>
#include <QVariant>

#include <functional>

class PasswordDialog;
class QWidget;

// What a test saw of one password prompt.
struct PromptSeen
{
    QWidget* parent = nullptr;
    QString user;
    QString request;
    bool refusedShown = false;
    QLineEdit::EchoMode echoMode = QLineEdit::Normal;
    QVariant authInProgress;
};

// Answers every modal dialog that appears while it lives, for tests that run
// code which opens dialogs of its own: password prompts from a script of
// answers, message boxes by closing them, any other dialog through a handler.
class ModalDriver : public QObject
{
public:
    // An answer that cancels the prompt instead of giving a password.
    static inline const QString cancelPrompt = QStringLiteral("<cancel>");

    explicit ModalDriver(const QStringList& answers = {});

    QList<PromptSeen> prompts;
    QStringList messages;
    // Runs while a prompt is open, before it is answered.
    std::function<void()> duringPrompt;
    // Handles other modal dialogs; it must close the dialog.
    std::function<void(QWidget*)> otherDialog;

private:
    void poll();
    void answer(PasswordDialog* dialog);

    QStringList m_answers;
    QTimer m_timer;
};
