#include "ModalDriver.h"

#include "CupsTestServer.h"
#include "PasswordDialog.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QLabel>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QSettings>

ModalDriver::ModalDriver(const QStringList& answers)
    : m_answers(answers)
{
    connect(&m_timer, &QTimer::timeout, this, &ModalDriver::poll);
    m_timer.start(5);
}

void ModalDriver::poll()
{
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal || modal->property("tst-seen").toBool())
        return;
    modal->setProperty("tst-seen", true);
    if (auto* dialog = qobject_cast<PasswordDialog*>(modal)) {
        answer(dialog);
    } else if (auto* box = qobject_cast<QMessageBox*>(modal)) {
        messages << box->text();
        box->close();
    } else if (otherDialog) {
        otherDialog(modal);
    }
}

void ModalDriver::answer(PasswordDialog* dialog)
{
    PromptSeen seen;
    seen.parent = dialog->parentWidget();
    auto* userEdit = dialog->findChild<QLineEdit*>(QStringLiteral("eUser"));
    auto* passwordEdit = dialog->findChild<QLineEdit*>(QStringLiteral("ePassword"));
    seen.user = userEdit->text();
    seen.request = dialog->findChild<QLabel*>(QStringLiteral("lRequest"))->text();
    seen.refusedShown = !dialog->findChild<QLabel*>(QStringLiteral("lRefused"))->isHidden();
    seen.echoMode = passwordEdit->echoMode();
    seen.authInProgress = QSettings().value(QStringLiteral("Auth in progress"));
    prompts << seen;

    const QPointer<PasswordDialog> guard(dialog);
    if (duringPrompt)
        duringPrompt();
    if (!guard)
        return;
    const QString reply = m_answers.value(prompts.size() - 1, cancelPrompt);
    auto* buttons = dialog->findChild<QDialogButtonBox*>(QStringLiteral("buttonBox"));
    if (reply == cancelPrompt) {
        buttons->button(QDialogButtonBox::Cancel)->click();
        return;
    }
    userEdit->setText(CupsTestServer::adminUser);
    passwordEdit->setText(reply);
    buttons->button(QDialogButtonBox::Ok)->click();
}
