#include "ConfigNode.h"
#include "CupsdConfDialog.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

constexpr int runs = 7;
constexpr int bigFileLines = 10000;
const QString stockFile = QStringLiteral("/usr/share/cups/cupsd.conf.default");

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.at(values.size() / 2);
}

double timeMs(const std::function<void()>& work)
{
    QElapsedTimer timer;
    timer.start();
    work();
    return double(timer.nsecsElapsed()) / 1e6;
}

double medianMs(const std::function<void()>& work)
{
    std::vector<double> times;
    for (int i = 0; i < runs; ++i)
        times.push_back(timeMs(work));
    return median(times);
}

// Directives, comments, blank lines and nested sections in the proportions
// of a real file, repeated up to the wanted number of lines.
QByteArray bigConfiguration(int lineCount)
{
    QByteArray text;
    int lines = 0;
    for (int block = 0; lines < lineCount; ++block) {
        text += "# Block " + QByteArray::number(block) + " of settings, with a comment line\n";
        text += "LogLevel warn # trailing comment\n";
        text += "Listen 192.168.0." + QByteArray::number(block % 250) + ":631\n";
        text += "SetEnv VARIABLE_" + QByteArray::number(block) + " value\n";
        text += "\n";
        text += "<Policy policy" + QByteArray::number(block) + ">\n";
        text += "  JobPrivateAccess default\n";
        text += "  <Limit Create-Job Print-Job Print-URI Validate-Job>\n";
        text += "    Require user @OWNER @SYSTEM\n";
        text += "    Order deny,allow\n";
        text += "  </Limit>\n";
        text += "</Policy>\n";
        lines += 12;
    }
    return text;
}

void report(const char* what, double ms, double aim)
{
    std::printf("%-58s %8.2f ms  (aim: under %.0f ms)\n", what, ms, aim);
}

} // namespace

// Prints how long the server configuration takes where a user waits for it:
// opening the dialog on a stock configuration, and reading and writing a large file.
int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QStandardPaths::setTestModeEnabled(true);

    const QString stock = argc > 1 ? QString::fromLocal8Bit(argv[1]) : stockFile;
    if (!QFile::exists(stock)) {
        std::fprintf(stderr, "%s does not exist; name a cupsd.conf as the argument\n", qPrintable(stock));
        return 1;
    }
    const auto openDialog = [&stock] {
        CupsdConfDialog dialog;
        dialog.setConfig(Cups::ConfigNode(stock));
        const Cups::ConfigNode tree = dialog.config();
        Q_UNUSED(tree);
    };
    report("first dialog on the stock file, setConfig() and config()", timeMs(openDialog), 150);
    report("dialog on the stock file, setConfig() and config(), median", medianMs(openDialog), 150);

    QTemporaryDir dir;
    const QString bigPath = dir.filePath(QStringLiteral("big.conf"));
    const QString writtenPath = dir.filePath(QStringLiteral("written.conf"));
    {
        QFile big(bigPath);
        const QByteArray text = bigConfiguration(bigFileLines);
        if (!big.open(QIODevice::WriteOnly) || big.write(text) != text.size()) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(bigPath));
            return 1;
        }
    }
    bool saved = true;
    report("read and write a 10,000-line file, median", medianMs([&] {
               const Cups::ConfigNode tree(bigPath);
               saved = tree.save(writtenPath) && saved;
           }),
           50);
    report("dialog on the 10,000-line file, setConfig() and config(), median", medianMs([&] {
               CupsdConfDialog dialog;
               dialog.setConfig(Cups::ConfigNode(bigPath));
               const Cups::ConfigNode tree = dialog.config();
               Q_UNUSED(tree);
           }),
           150);
    if (!saved) {
        std::fprintf(stderr, "saving failed: %s\n", qPrintable(Cups::lastError));
        return 1;
    }
    return 0;
}
