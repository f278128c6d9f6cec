#include "FormLayout.h"

FormLayout::FormLayout(QWidget* parent)
    : QFormLayout(parent)
{
    // Some styles left-align labels and keep line edits at their size hint,
    // which makes the program's many property pages look ragged.
    setLabelAlignment(Qt::AlignRight | Qt::AlignVCenter);
    setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    setRowWrapPolicy(QFormLayout::DontWrapRows);
}
