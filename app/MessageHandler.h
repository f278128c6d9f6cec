#pragma once

#include <QtGlobal>

class QMessageLogContext;
class QString;

void myMessageOutput(QtMsgType type, const QMessageLogContext& context, const QString& message);
