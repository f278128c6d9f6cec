#include "AcceleratorManager.h"
#include "ConfigNode.h"
#include "CupsdConfDialog.h"
#include "MedianTime.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QElapsedTimer>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include <cstdio>
#include <memory>

namespace {

// Tabs of rows, each a label with its field and a check box, in a group box
// per page. On one page all of them are shown at once, and most of them find
// every letter taken: the most a pass can have to do.
std::unique_ptr<QDialog> bigDialog(int pages, int rowsPerPage)
{
    auto dialog = std::make_unique<QDialog>();
    auto* tabs = new QTabWidget(dialog.get());
    for (int page = 0; page < pages; ++page) {
        auto* group = new QGroupBox(QStringLiteral("Settings of part %1").arg(page));
        auto* form = new QFormLayout(group);
        for (int row = 0; row < rowsPerPage; ++row) {
            form->addRow(QStringLiteral("Value number %1:").arg(row), new QLineEdit);
            form->addRow(new QCheckBox(QStringLiteral("Enable option %1").arg(row)));
        }
        tabs->addTab(group, QStringLiteral("Part %1").arg(page));
    }
    auto* layout = new QVBoxLayout(dialog.get());
    layout->addWidget(tabs);
    layout->addWidget(new QPushButton(QStringLiteral("Close")));
    return dialog;
}

int countWidgets(const QWidget* window)
{
    return window->findChildren<QWidget*>().size();
}

// The later passes find the mnemonics in place, as a re-run after a text
// change does.
void report(const char* what, QWidget* window)
{
    AcceleratorManager* manager = AcceleratorManager::instance();
    QElapsedTimer timer;
    timer.start();
    manager->manage(window);
    const double firstMs = double(timer.nsecsElapsed()) / 1e6;
    const double rerunMs = medianMs([&] { manager->manage(window); });
    std::printf("%-28s %5d widgets  first pass %.2f ms  later pass %.3f ms\n", what, countWidgets(window), firstMs,
                rerunMs);
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);

    const std::unique_ptr<QDialog> paged = bigDialog(10, 30);
    const std::unique_ptr<QDialog> flat = bigDialog(1, 200);
    CupsdConfDialog config;
    config.setConfig(Cups::ConfigNode(QByteArray("LogLevel warn\nListen localhost:631\n")));
    // Shown before the manager exists, so that its first pass is timed alone.
    for (QWidget* window : {static_cast<QWidget*>(paged.get()), static_cast<QWidget*>(flat.get()),
                            static_cast<QWidget*>(&config)})
        window->show();
    AcceleratorManager::install();
    report("ten pages of thirty rows", paged.get());
    report("one page of 200 rows", flat.get());
    report("server configuration dialog", &config);
    return 0;
}
