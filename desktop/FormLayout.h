#pragma once

#include <QFormLayout>

class QWidget;

// A QFormLayout that looks the same under every style: labels right-aligned
// next to fields that take the spare width, rows never wrapped.
class FormLayout : public QFormLayout
{
    Q_OBJECT

public:
    explicit FormLayout(QWidget* parent = nullptr);

    using QFormLayout::addRow;
};
