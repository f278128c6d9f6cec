#include "CupsCodec.h"

#include <QTextCodec>

namespace Cups {

QTextCodec* codec = QTextCodec::codecForName("UTF-8");

} // namespace Cups
