#pragma once

#include <QCoreApplication>
#include <QHash>
#include <QStringList>
#include <QTreeWidgetItem>

#include <cups/ppd.h>

// One option of a PPD file in the settings tree: its text, and beside it the
// choice that is marked in the PPD. The PPD must outlive the item.
class PpdOptionItem : public QTreeWidgetItem
{
    Q_DECLARE_TR_FUNCTIONS(PpdOptionItem)

public:
    enum Kind { Boolean = 0, PickOne = 1, PickMany = 2 };

    explicit PpdOptionItem(ppd_option_t* option);
    ~PpdOptionItem() override;

    QVariant data(int column, int role) const override;

    ppd_option_t* option() const { return m_option; }
    Kind kind() const { return m_kind; }
    QString keyword() const;
    QString text() const;
    // The option's choices in PPD order, each text once.
    QStringList choiceTexts() const;
    QStringList choiceKeywords() const;
    // Texts of the marked choices: at most one for the single-choice kinds.
    QStringList currentTexts() const;
    // The marked choices as one text: for several, joined with ",".
    QString currentText() const;
    QString currentKeywords() const;
    QString defaultChoice() const;

    // Unmarks every choice, then marks those whose keyword (or text) is
    // among the given ones. No constraint is looked at.
    void markKeywords(const QStringList& keywords);
    void markTexts(const QStringList& texts);

    // Lets the views show a changed mark or conflict.
    void refresh();

private:
    QString displayValue() const;

    ppd_option_t* m_option;
    Kind m_kind;
    QHash<QString, QString> m_choiceTexts;
};
