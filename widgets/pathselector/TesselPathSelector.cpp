#include "TesselPathSelector.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QIcon>
#include <QLineEdit>
#include <QPushButton>

namespace {

constexpr int browseButtonSize = 24;

} // namespace

TesselPathSelector::TesselPathSelector(QWidget* parent)
    : QWidget(parent)
    , m_lineEdit(new QLineEdit(this))
    , m_browseButton(new QPushButton(QStringLiteral("..."), this))
{
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_lineEdit);
    m_browseButton->setFixedSize(browseButtonSize, browseButtonSize);
    // The button shows only dots; screen readers and tool tips need words.
    m_browseButton->setAccessibleName(tr("Browse"));
    m_browseButton->setToolTip(m_browseButton->accessibleName());
    layout->addWidget(m_browseButton);
    connect(m_browseButton, SIGNAL(clicked()), this, SLOT(browse_clicked()));
}

QString TesselPathSelector::value() const
{
    return m_lineEdit->text();
}

void TesselPathSelector::setValue(const QString& value)
{
    m_lineEdit->setText(value);
}

void TesselPathSelector::setDirectory(bool directory)
{
    m_directory = directory;
}

void TesselPathSelector::setOverwrite(bool overwrite)
{
    m_overwrite = overwrite;
}

void TesselPathSelector::browse_clicked()
{
    const QFileInfo current(m_lineEdit->text());
    QFileDialog dialog(this, current.absoluteFilePath(), QString(), QString());
    dialog.selectFile(m_lineEdit->text());
    if (m_directory) {
        dialog.setFileMode(QFileDialog::Directory);
        dialog.setOption(QFileDialog::ShowDirsOnly);
    } else if (m_overwrite) {
        dialog.setFileMode(QFileDialog::AnyFile);
        dialog.setAcceptMode(QFileDialog::AcceptSave);
    } else {
        dialog.setFileMode(QFileDialog::ExistingFile);
    }
    if (dialog.exec() != QDialog::Accepted)
        return;
    const QStringList chosen = dialog.selectedFiles();
    m_lineEdit->setText(chosen.isEmpty() ? QString() : chosen.first());
}

QString TesselPathSelector::name() const
{
    return QStringLiteral("TesselPathSelector");
}

QString TesselPathSelector::group() const
{
    return QStringLiteral("Tessel WM widgets");
}

QString TesselPathSelector::toolTip() const
{
    return QString();
}

QString TesselPathSelector::whatsThis() const
{
    return QString();
}

QString TesselPathSelector::includeFile() const
{
    return QStringLiteral("TesselPathSelector.h");
}

QIcon TesselPathSelector::icon() const
{
    return QIcon();
}

bool TesselPathSelector::isContainer() const
{
    return false;
}

QWidget* TesselPathSelector::createWidget(QWidget* parent)
{
    return new TesselPathSelector(parent);
}

bool TesselPathSelector::isInitialized() const
{
    return true;
}

void TesselPathSelector::initialize(QDesignerFormEditorInterface* core)
{
    Q_UNUSED(core)
}

QString TesselPathSelector::domXml() const
{
    return QStringLiteral("<widget class=\"TesselPathSelector\" name=\"pathSelector\">\n"
                          " <property name=\"geometry\">\n"
                          "  <rect>\n"
                          "   <x>0</x>\n"
                          "   <y>0</y>\n"
                          "   <width>128</width>\n"
                          "   <height>24</height>\n"
                          "  </rect>\n"
                          " </property>\n"
                          " <property name=\"toolTip\" >\n"
                          "  <string>Path</string>\n"
                          " </property>\n"
                          " <property name=\"value\" >\n"
                          "  <string>Path</string>\n"
                          " </property>\n"
                          " <property name=\"whatsThis\" >\n"
                          "  <string>Path selector</string>\n"
                          " </property>\n"
                          "</widget>\n");
}
