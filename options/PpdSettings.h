#pragma once

#include <QHash>
#include <QList>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QWidget>

#include <cups/ppd.h>

#include <memory>

class PpdOptionItem;
class QAbstractButton;
class QButtonGroup;
class QLabel;
class QTreeWidgetItem;

namespace Ui {
class PpdSettings;
}

// Every option of a printer's PPD file as a tree of groups and options, with
// the marked choice beside each option, and a box below in which the user
// picks the choice of the selected option. Works on the PPD's own marks; the
// PPD stays its owner's and must outlive the tree.
class PpdSettings : public QWidget
{
    Q_OBJECT

public:
    explicit PpdSettings(QWidget* parent = nullptr);
    ~PpdSettings() override;

    void loadPpd(ppd_file_t* ppd);

    // Unknown keywords give empty results.
    QStringList choiceTexts(const QString& keyword) const;
    QString currentText(const QString& keyword) const;
    QString currentKeywords(const QString& keyword) const;
    bool hasChoice(const QString& keyword, const QString& choice) const;
    // Every option keyword the tree shows.
    QStringList optionKeywords() const;

    // value: choice keywords (several joined with "," for a multiple-choice
    // option). Unknown keywords are ignored.
    void setOption(const QString& keyword, const QString& value);
    // The same with choice texts.
    void setOptionText(const QString& keyword, const QString& value);

    // Adds the options whose marked choice is not the PPD's default to the
    // array; returns the new count.
    int addChangedOptions(int count, cups_option_t** options) const;

    // Options that take part in a conflict of the current marks.
    QStringList conflictingOptions() const;

signals:
    void paperSettingChanged();

public slots:
    void resizeColumns();
    void selectionChanged();
    void settingChanged(QAbstractButton* button);

private:
    QTreeWidgetItem* buildGroup(ppd_group_t* group);
    PpdOptionItem* selectedOption() const;
    void optionChanged(PpdOptionItem* item);
    void updateConflicts();
    QString conflictText(const PpdOptionItem* item) const;

    std::unique_ptr<Ui::PpdSettings> m_ui;
    ppd_file_t* m_ppd = nullptr;
    QHash<QString, PpdOptionItem*> m_options;
    QList<QAbstractButton*> m_buttons;
    QButtonGroup* m_buttonGroup = nullptr;
    QWidget* m_buttonArea = nullptr;
    QPointer<QLabel> m_conflictLabel;
};
