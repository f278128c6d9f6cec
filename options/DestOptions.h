#pragma once

#include "CupsPointers.h"

#include <QList>
#include <QMap>
#include <QPair>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QVariantMap>
#include <QWidget>

class FormLayout;
class PpdSettings;
class PropertyEditor;
class QButtonGroup;
class QComboBox;
class QGroupBox;
class QScrollArea;
class QSpinBox;
class QTabWidget;

// The default job options of one printer or class as the user keeps them in
// the client library's store of saved options (the one lp and lpoptions use):
// paper, duplex, orientation, copies, banners, finishings and, for a printer
// with a driver file, the driver's options.
class DestOptions : public QWidget
{
    Q_OBJECT

public:
    explicit DestOptions(QWidget* parent = nullptr);
    ~DestOptions() override;

    // False when the destination or its attributes could not be obtained.
    bool loadOptions(const QString& name, bool isClass);
    // Replaces the saved options that the widget shows and keeps every other
    // one. False when nothing could be stored.
    bool saveOptions(const QString& name, bool isClass);

    // The driver settings tab, or null without a driver file.
    PpdSettings* ppdSettings() const;

public slots:
    void updatePaperBoxes();
    void updatePpdSettings();

private:
    struct RadioGroup
    {
        QGroupBox* box = nullptr;
        QScrollArea* scroll = nullptr;
        QWidget* area = nullptr;
        QButtonGroup* buttons = nullptr;
    };

    void buildGeneralTab();
    void buildJobsTab();
    RadioGroup createRadioGroup(const QString& title);
    void resetWidgets();
    void loadPpd(const QString& name);
    void applySavedOptions(const QMap<QString, QString>& saved);
    void fillPaperBoxes(const QMap<QString, QString>& saved, const QVariantMap& attributes);
    void enablePaperBoxes();
    void fillAttributes(const QMap<QString, QString>& saved, const QVariantMap& attributes,
                        const QMap<QString, int>& valueTags);
    void fillRadioGroup(const RadioGroup& group, const QVariantList& values, const QString& labelKey,
                        const QString& current);
    void addListRow(const QString& attribute, const QMap<QString, QString>& saved, const QVariantMap& attributes,
                    int valueTag);
    QString valueLabel(const QString& key, const QString& value) const;
    void enableRow(FormLayout* form, QWidget* field, bool enabled);
    // The job options the widget offers (names), and the values it shows
    // for them; an offered option without a value is no longer saved.
    void collectOptions(QStringList* names, QList<QPair<QString, QString>>* values) const;

    QMap<QString, QMap<QString, QString>> m_valueLabels;
    QMap<QString, QString> m_attributeLabels;
    QMap<QString, QString> m_pageSizeNames;
    QMap<QString, QString> m_inputSlotNames;
    QMap<QString, QString> m_mediaTypeNames;

    Cups::PpdPtr m_ppd;
    QPointer<PpdSettings> m_ppdSettings;

    QTabWidget* m_tabs = nullptr;
    FormLayout* m_generalForm = nullptr;
    FormLayout* m_jobsForm = nullptr;
    QComboBox* m_pageSize = nullptr;
    QComboBox* m_paperSource = nullptr;
    QComboBox* m_paperType = nullptr;
    QComboBox* m_pagesPerSheet = nullptr;
    RadioGroup m_duplex;
    RadioGroup m_orientation;
    RadioGroup m_holdUntil;
    QSpinBox* m_priority = nullptr;
    QSpinBox* m_copies = nullptr;
    QGroupBox* m_banners = nullptr;
    QComboBox* m_startBanner = nullptr;
    QComboBox* m_endBanner = nullptr;
    PropertyEditor* m_editor = nullptr;
};
