#pragma once

#include <QWidget>
#include <QtUiPlugin/QDesignerCustomWidgetInterface>

class QLineEdit;
class QPushButton;

// A path field with a "..." button that opens a file dialog. The class is its
// own Designer factory, so that forms can place it.
class TesselPathSelector : public QWidget, public QDesignerCustomWidgetInterface
{
    Q_OBJECT
    // Only the loadable plug-in is a plug-in; linked into the program the
    // class must not export the plug-in entry points.
#ifdef TESSEL_DESIGNER_PLUGIN
    Q_PLUGIN_METADATA(IID "org.qt-project.Qt.QDesignerCustomWidgetInterface")
#endif
    Q_INTERFACES(QDesignerCustomWidgetInterface)
    Q_PROPERTY(QString value READ value WRITE setValue)
    Q_PROPERTY(bool directory READ isDirectory WRITE setDirectory)
    Q_PROPERTY(bool overwrite READ isOverwrite WRITE setOverwrite)

public:
    explicit TesselPathSelector(QWidget* parent = nullptr);

    QString value() const;
    void setValue(const QString& value);
    bool isDirectory() const { return m_directory; }
    void setDirectory(bool directory);
    bool isOverwrite() const { return m_overwrite; }
    void setOverwrite(bool overwrite);

    QLineEdit* lineEdit() const { return m_lineEdit; }

    QString name() const override;
    QString group() const override;
    QString toolTip() const override;
    QString whatsThis() const override;
    QString includeFile() const override;
    QIcon icon() const override;
    bool isContainer() const override;
    QWidget* createWidget(QWidget* parent) override;
    bool isInitialized() const override;
    void initialize(QDesignerFormEditorInterface* core) override;
    QString domXml() const override;

private slots:
    void browse_clicked();

private:
    QLineEdit* m_lineEdit = nullptr;
    QPushButton* m_browseButton = nullptr;
    bool m_directory = false;
    bool m_overwrite = false;
};
