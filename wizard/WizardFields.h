#pragma once

#include <QString>

// The add-printer wizard's pages exchange everything through QWizard fields;
// pages living in other folders (device discovery, the details pane that
// presets an edit) use these names and ids so that they cannot drift apart.
namespace WizardPage {

constexpr int PrinterClass = 0;
constexpr int InfoDriver = 1;
constexpr int AutodetectSelection = 2;
constexpr int ClassMembers = 3;
constexpr int SelectBackend = 4;

} // namespace WizardPage

namespace WizardField {

inline const QString isPrinterQueue = QStringLiteral("isPrinterQueue");
inline const QString isClassQueue = QStringLiteral("isClassQueue");
inline const QString queueName = QStringLiteral("queueName");
inline const QString queueLocation = QStringLiteral("queueLocation");
inline const QString queueDescription = QStringLiteral("queueDescription");
inline const QString deviceUri = QStringLiteral("deviceURI");
inline const QString deviceDriver = QStringLiteral("deviceDriver");
inline const QString queueShared = QStringLiteral("queueShared");
inline const QString generalEdit = QStringLiteral("generalEdit");
inline const QString backendEdit = QStringLiteral("backendEdit");
inline const QString driverEdit = QStringLiteral("driverEdit");
inline const QString isAutodetectedPrinterSelected = QStringLiteral("isAutodetectedPrinterSelected");
inline const QString printerMakeAndModel = QStringLiteral("printerMakeAndModel");
inline const QString classMembers = QStringLiteral("classMembers");

} // namespace WizardField
