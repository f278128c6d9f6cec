#pragma once

#include "CupsPointers.h"

#include <QByteArray>
#include <QByteArrayList>
#include <QCoreApplication>
#include <QString>

// One named action of the privileged helper. The action's name is its one
// command-line word, so that the authorization prompt can name it; the
// arguments come on standard input, where no other user can read them (device
// URIs carry passwords), followed by the action's data. Everything is checked
// in full before the local scheduler is asked for anything. The helper runs as
// root on behalf of a user, so nothing it receives is trusted and no file
// named by the caller is ever opened.
class PrivilegedHelper
{
    Q_DECLARE_TR_FUNCTIONS(PrivilegedHelper)

public:
    static constexpr qint64 maxConfigurationSize = 1024 * 1024;
    static constexpr qint64 maxPpdSize = 8 * 1024 * 1024;
    static constexpr int maxNameLength = 127;
    static constexpr int maxTextLength = 1023;
    static constexpr int maxUriLength = 1023;
    static constexpr int maxDriverLength = 255;
    static constexpr int maxPathLength = 4096;
    static inline const QByteArray configurationResource = QByteArrayLiteral("/admin/conf/cupsd.conf");

    enum class Action {
        None,
        PrinterAdd,
        PrinterAddWithPpdFile,
        PrinterSetJobSheets,
        PrinterDelete,
        ClassAddPrinter,
        ClassDelete,
        PrinterSetDefault,
        PrinterSetEnabled,
        PrinterSetAcceptJobs,
        PrinterSetShared,
        PrinterSetLocation,
        PrinterSetInfo,
        FileGet,
        FilePut,
    };

    // The helper reads the data of an action from inputFd and writes the
    // fetched configuration to outputFd; it closes neither.
    PrivilegedHelper(int inputFd, int outputFd);

    // Standard input of an action: each argument ended by a NUL byte, then
    // the action's data.
    static QByteArray encodeInput(const QByteArrayList& arguments, const QByteArray& data = QByteArray());

    // Checks the action name, the arguments and the data on the input;
    // nothing reaches the scheduler.
    bool parse(const QByteArray& actionName);
    // Carries the parsed action out on the local scheduler.
    bool execute();

    Action action() const { return m_action; }
    QString errorString() const { return m_error; }

    static bool isValidQueueName(const QByteArray& name);
    static bool isValidText(const QByteArray& text);
    static bool isValidDeviceUri(const QByteArray& uri);
    static bool isValidDriverName(const QByteArray& driver);
    static bool isValidBannerName(const QByteArray& banner);

private:
    enum class Kind { Missing, Printer, Class };

    bool readInput(qint64 limit);
    bool splitInput(int count, qint64 dataLimit, QByteArrayList* arguments);
    bool checkConfiguration();
    bool checkPpd();
    bool fail(const QString& message);

    bool lookUp(const QByteArray& name, Kind* kind, QByteArrayList* members = nullptr);
    bool lookUpExisting(const QByteArray& name, Kind* kind);
    bool offersDriver(const QByteArray& driver);
    bool offersBanners(const QByteArray& name, const QByteArrayList& banners);
    Cups::IppPtr newRequest(ipp_op_t operation, const QByteArray& name, Kind kind) const;
    Cups::IppPtr newModifyRequest(const QByteArray& name, Kind kind) const;
    bool send(Cups::IppPtr request, int dataFd = -1);

    bool addPrinter(bool withPpdFile);
    bool setJobSheets();
    bool deleteQueue(Kind expected);
    bool classAddPrinter();
    bool setDefault();
    bool setEnabled();
    bool setAcceptJobs();
    bool setShared();
    bool setText(const char* attribute);
    bool getConfiguration();
    bool putConfiguration();

    const int m_inputFd;
    const int m_outputFd;
    Action m_action = Action::None;
    QByteArrayList m_arguments;
    QByteArray m_input;
    Cups::HttpPtr m_http;
    QString m_error;
};
