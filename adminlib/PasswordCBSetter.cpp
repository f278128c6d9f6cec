#include "PasswordCBSetter.h"

#include "CupsHttp.h"
#include "PasswordDialog.h"

#include <QApplication>
#include <QMessageBox>
#include <QScopeGuard>
#include <QSettings>
#include <QTextDocument>
#include <QWidget>

#include <algorithm>
#include <array>
#include <cstring>
#include <vector>

#include <pwd.h>
#include <unistd.h>

namespace {

const QString authInProgressKey = QStringLiteral("Auth in progress");

const char* refuseWithoutPrompt(const char*, http_t*, const char*, const char*, void*)
{
    return nullptr;
}

struct PromptState
{
    std::vector<PasswordCBSetter*> setters;
    cups_password_cb2_t fallback = refuseWithoutPrompt;
    void* fallbackData = nullptr;
    bool showed = false;
    bool accepted = false;
    bool gaveUp = false;
    bool promptOpen = false;
};

PromptState& promptState()
{
    static PromptState state;
    return state;
}

// libcups copies the password as soon as the callback returns, but only the
// pointer changes hands, so the bytes must outlive the call.
std::array<char, 256>& passwordBuffer()
{
    static std::array<char, 256> buffer{};
    return buffer;
}

void wipe(char* data, std::size_t size)
{
    // Through a volatile pointer, so the compiler cannot drop stores it
    // believes nobody reads.
    volatile char* p = data;
    while (size--)
        *p++ = '\0';
}

void wipePassword()
{
    wipe(passwordBuffer().data(), passwordBuffer().size());
}

QString loginUser()
{
    const passwd* entry = ::getpwuid(::geteuid());
    return entry ? QString::fromLocal8Bit(entry->pw_name) : QString();
}

QString serverName(http_t* http)
{
    char host[256] = "";
    if (http)
        httpGetHostname(http, host, sizeof(host));
    const QString name = QString::fromLocal8Bit(host);
    // A domain socket is named by its path, which means nothing to the user.
    if (name.isEmpty() || name.startsWith(QLatin1Char('/')))
        return QStringLiteral("localhost");
    return name;
}

void setAuthInProgress(bool inProgress)
{
    QSettings settings;
    settings.setValue(authInProgressKey, inProgress);
}

} // namespace

PasswordCBSetter::PasswordCBSetter(QWidget* parent)
    : m_parent(parent)
{
    PromptState& state = promptState();
    state.showed = false;
    state.accepted = false;
    state.gaveUp = false;
    state.setters.push_back(this);
    install();
}

PasswordCBSetter::~PasswordCBSetter()
{
    std::vector<PasswordCBSetter*>& setters = promptState().setters;
    setters.erase(std::remove(setters.begin(), setters.end(), this), setters.end());
    install();
    wipePassword();
}

bool PasswordCBSetter::isShowed()
{
    return promptState().showed;
}

bool PasswordCBSetter::isAccepted()
{
    return promptState().accepted;
}

void PasswordCBSetter::resetPasswordCallback()
{
    PromptState& state = promptState();
    state.showed = false;
    state.accepted = false;
    state.gaveUp = false;
    state.fallback = refuseWithoutPrompt;
    state.fallbackData = nullptr;
    install();
}

void PasswordCBSetter::setFallbackCallback(cups_password_cb2_t callback, void* userData)
{
    PromptState& state = promptState();
    state.fallback = callback ? callback : refuseWithoutPrompt;
    state.fallbackData = callback ? userData : nullptr;
    install();
}

void PasswordCBSetter::install()
{
    const PromptState& state = promptState();
    if (state.setters.empty())
        cupsSetPasswordCB2(state.fallback, state.fallbackData);
    else
        cupsSetPasswordCB2(&PasswordCBSetter::answer, state.setters.back());
}

QWidget* PasswordCBSetter::messageParent()
{
    const std::vector<PasswordCBSetter*>& setters = promptState().setters;
    for (auto it = setters.rbegin(); it != setters.rend(); ++it) {
        if ((*it)->m_parent)
            return (*it)->m_parent;
    }
    return QApplication::activeWindow();
}

bool PasswordCBSetter::handleAuthError()
{
    const ipp_status_t status = cupsLastError();
    QString text;
    switch (status) {
    case IPP_STATUS_ERROR_NOT_AUTHENTICATED:
    case IPP_STATUS_ERROR_NOT_AUTHORIZED:
        text = tr("You are not authorized to do this.");
        break;
    case IPP_STATUS_ERROR_FORBIDDEN:
        text = tr("The server refused the request: this user may not perform it.");
        break;
    case IPP_STATUS_ERROR_CUPS_AUTHENTICATION_CANCELED:
        text = promptState().gaveUp ? tr("The server refused the password too many times.")
                                    : tr("Authentication was cancelled.");
        break;
    default:
        return false;
    }
    // After a cancelled prompt libcups only has the bare HTTP status to add.
    const QString detail = QString::fromUtf8(cupsLastErrorString());
    if (status != IPP_STATUS_ERROR_CUPS_AUTHENTICATION_CANCELED && !detail.isEmpty())
        text += QLatin1Char('\n') + detail;
    // The detail is the server's text: converted so that it cannot turn into markup.
    QMessageBox::critical(messageParent(), tr("Error"), Qt::convertFromPlainText(text, Qt::WhiteSpaceNormal));
    return true;
}

const char* PasswordCBSetter::answer(const char*, http_t* http, const char* method, const char* resource,
                                     void* userData)
{
    // A request started from the open prompt's event loop (a timer, say) must
    // not stack a second prompt on the first.
    if (promptState().promptOpen)
        return nullptr;
    return static_cast<PasswordCBSetter*>(userData)->ask(http, method, resource);
}

void PasswordCBSetter::forgetRequest()
{
    m_http = nullptr;
    m_method.clear();
    m_resource.clear();
    m_refusals = 0;
}

QString PasswordCBSetter::proposedUser() const
{
    if (!m_user.isEmpty())
        return m_user;
    // A name other than the login one was chosen on purpose: by an earlier
    // prompt, the program, or the server's own suggestion.
    const QString current = QString::fromLocal8Bit(cupsUser());
    if (!current.isEmpty() && current != loginUser())
        return current;
    return Cups::HTTP::authUser();
}

const char* PasswordCBSetter::ask(http_t* http, const char* method, const char* resource)
{
    PromptState& state = promptState();
    const QByteArray methodBytes(method ? method : "");
    const QByteArray resourceBytes(resource ? resource : "");
    const bool sameRequest = m_http && http == m_http && methodBytes == m_method && resourceBytes == m_resource;
    if (sameRequest) {
        ++m_refusals;
    } else {
        forgetRequest();
        m_http = http;
        m_method = methodBytes;
        m_resource = resourceBytes;
    }
    if (m_refusals >= maxRefusals) {
        state.gaveUp = true;
        state.accepted = false;
        forgetRequest();
        return nullptr;
    }

    QPointer<PasswordDialog> dialog = new PasswordDialog(m_parent.data());
    // The parent may take the dialog with it while the prompt is open.
    const auto deleteDialog = qScopeGuard([&dialog] { delete dialog.data(); });
    dialog->setRequest(serverName(http), QString::fromUtf8(resourceBytes));
    dialog->setUser(proposedUser());
    dialog->setRefused(m_refusals > 0);

    // A wait cursor set around the request would hide that input is wanted.
    const bool waiting = QApplication::overrideCursor() != nullptr;
    if (waiting)
        QApplication::setOverrideCursor(Qt::ArrowCursor);
    state.showed = true;
    state.promptOpen = true;
    setAuthInProgress(true);
    const int result = dialog->exec();
    setAuthInProgress(false);
    state.promptOpen = false;
    if (waiting)
        QApplication::restoreOverrideCursor();

    if (!dialog || result != QDialog::Accepted) {
        state.accepted = false;
        forgetRequest();
        return nullptr;
    }

    m_user = dialog->user().trimmed();
    QByteArray password = dialog->password().toLocal8Bit();
    dialog->clearPassword();
    const auto wipeCopy = qScopeGuard([&password] { wipe(password.data(), std::size_t(password.size())); });

    std::array<char, 256>& buffer = passwordBuffer();
    wipePassword();
    if (std::size_t(password.size()) >= buffer.size()) {
        // Longer than libcups can send: asking it to would only truncate.
        state.accepted = false;
        forgetRequest();
        return nullptr;
    }
    std::memcpy(buffer.data(), password.constData(), std::size_t(password.size()));
    state.accepted = true;

    const QByteArray user = m_user.toLocal8Bit();
    cupsSetUser(user.constData());
    return buffer.data();
}
