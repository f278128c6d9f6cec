#pragma once

class QTextCodec;

namespace Cups {

// Encoding of every string sent in an IPP request; set once at start-up.
extern QTextCodec* codec;

} // namespace Cups
