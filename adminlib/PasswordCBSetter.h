#pragma once

#include <QByteArray>
#include <QCoreApplication>
#include <QPointer>
#include <QString>

#include <cups/cups.h>

class QWidget;

// While an object of this class lives, the client library's password requests
// are answered by a modal prompt owned by the given widget. Setters nest: the
// innermost living one answers, and destroying one hands the requests back to
// the one below it, or to the fallback callback when none is left.
//
// The fallback starts as (and resetPasswordCallback() returns it to) a
// callback that refuses without prompting: the client library's own one reads
// the controlling terminal, which a desktop program must never do. libcups
// cannot report which callback is installed, so one installed directly with
// cupsSetPasswordCB2() is lost when a setter ends; use setFallbackCallback()
// for a callback of one's own.
//
// Everything here belongs to the GUI thread: libcups keeps its callback per
// thread, and the prompt is a widget.
class PasswordCBSetter
{
    Q_DECLARE_TR_FUNCTIONS(PasswordCBSetter)

public:
    // After this many passwords the server refused for one request the setter
    // stops asking and the request ends as cancelled; libcups alone would ask
    // for as long as passwords keep coming.
    static constexpr int maxRefusals = 3;

    explicit PasswordCBSetter(QWidget* parent);
    ~PasswordCBSetter();

    PasswordCBSetter(const PasswordCBSetter&) = delete;
    PasswordCBSetter& operator=(const PasswordCBSetter&) = delete;

    // Whether a prompt was shown since the last setter was constructed, and
    // whether the user accepted the last one (false too when the setter gave up
    // after refused passwords).
    static bool isShowed();
    static bool isAccepted();

    // Back to the initial state: flags cleared, the refusing fallback installed
    // (living setters keep answering until they end).
    static void resetPasswordCallback();
    static void setFallbackCallback(cups_password_cb2_t callback, void* userData);

    // Tells the user, in a message box, when the last request failed for want
    // of authorization (not authorized, forbidden, authentication cancelled);
    // says nothing about any other outcome. Returns whether it told.
    static bool handleAuthError();

private:
    static const char* answer(const char* prompt, http_t* http, const char* method, const char* resource,
                              void* userData);
    static void install();
    static QWidget* messageParent();

    const char* ask(http_t* http, const char* method, const char* resource);
    QString proposedUser() const;
    void forgetRequest();

    QPointer<QWidget> m_parent;
    // The request the last accepted prompt answered: libcups comes back for
    // the same one only when the server refused the password.
    http_t* m_http = nullptr;
    QByteArray m_method;
    QByteArray m_resource;
    int m_refusals = 0;
    QString m_user;
};
