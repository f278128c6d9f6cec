#include "PpdOptionItem.h"

#include <QApplication>
#include <QBrush>
#include <QStyle>

namespace {

PpdOptionItem::Kind kindOf(const ppd_option_t* option)
{
    switch (option->ui) {
    case PPD_UI_BOOLEAN:
        return PpdOptionItem::Boolean;
    case PPD_UI_PICKMANY:
        return PpdOptionItem::PickMany;
    case PPD_UI_PICKONE:
        break;
    }
    return PpdOptionItem::PickOne;
}

} // namespace

PpdOptionItem::PpdOptionItem(ppd_option_t* option)
    : m_option(option)
    , m_kind(kindOf(option))
{
    for (int i = 0; i < option->num_choices; ++i)
        m_choiceTexts.insert(QString::fromUtf8(option->choices[i].choice), QString::fromUtf8(option->choices[i].text));
}

PpdOptionItem::~PpdOptionItem() = default;

QString PpdOptionItem::keyword() const
{
    return QString::fromUtf8(m_option->keyword);
}

QString PpdOptionItem::text() const
{
    return QString::fromUtf8(m_option->text);
}

QString PpdOptionItem::defaultChoice() const
{
    return QString::fromUtf8(m_option->defchoice);
}

QStringList PpdOptionItem::choiceTexts() const
{
    QStringList texts;
    for (int i = 0; i < m_option->num_choices; ++i) {
        const QString text = m_choiceTexts.value(QString::fromUtf8(m_option->choices[i].choice));
        if (!texts.contains(text))
            texts << text;
    }
    return texts;
}

QStringList PpdOptionItem::choiceKeywords() const
{
    return m_choiceTexts.keys();
}

QStringList PpdOptionItem::currentTexts() const
{
    QStringList texts;
    for (int i = 0; i < m_option->num_choices; ++i) {
        if (!m_option->choices[i].marked)
            continue;
        texts << QString::fromUtf8(m_option->choices[i].text);
        if (m_kind != PickMany)
            break;
    }
    return texts;
}

QString PpdOptionItem::currentText() const
{
    return currentTexts().join(QLatin1Char(','));
}

QString PpdOptionItem::currentKeywords() const
{
    QStringList keywords;
    for (int i = 0; i < m_option->num_choices; ++i) {
        if (!m_option->choices[i].marked)
            continue;
        keywords << QString::fromUtf8(m_option->choices[i].choice);
        if (m_kind != PickMany)
            break;
    }
    return keywords.join(QLatin1Char(','));
}

void PpdOptionItem::markKeywords(const QStringList& keywords)
{
    for (int i = 0; i < m_option->num_choices; ++i)
        m_option->choices[i].marked = keywords.contains(QString::fromUtf8(m_option->choices[i].choice));
}

void PpdOptionItem::markTexts(const QStringList& texts)
{
    for (int i = 0; i < m_option->num_choices; ++i)
        m_option->choices[i].marked = texts.contains(QString::fromUtf8(m_option->choices[i].text));
}

void PpdOptionItem::refresh()
{
    emitDataChanged();
}

QString PpdOptionItem::displayValue() const
{
    const QStringList texts = currentTexts();
    if (!texts.isEmpty())
        return texts.join(QLatin1Char(','));
    return m_kind == PickMany ? defaultChoice() : m_choiceTexts.value(defaultChoice());
}

QVariant PpdOptionItem::data(int column, int role) const
{
    if (role == Qt::DisplayRole) {
        if (column == 0)
            return text();
        if (column == 1)
            return displayValue();
    }
    if (column == 0 && m_option->conflicted) {
        // Marked the way the setting box names it, so the user finds the
        // other side of a conflict in the tree.
        if (role == Qt::ForegroundRole)
            return QBrush(Qt::red);
        if (role == Qt::DecorationRole)
            return QApplication::style()->standardIcon(QStyle::SP_MessageBoxWarning);
        if (role == Qt::ToolTipRole)
            return tr("This setting conflicts with another one.");
    }
    return QTreeWidgetItem::data(column, role);
}
