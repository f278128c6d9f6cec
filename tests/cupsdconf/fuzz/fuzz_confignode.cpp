#include "ConfigNode.h"

#include <QByteArray>
#include <QVariant>
#include <QtGlobal>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

void silent(QtMsgType, const QMessageLogContext&, const QString&)
{
}

void fail(const char* what, const QByteArray& text)
{
    std::fprintf(stderr, "%s\n--- written text ---\n%s\n", what, text.constData());
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    // Every malformed line is logged; at fuzzing speed that is only noise.
    qInstallMessageHandler(silent);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray input = QByteArray::fromRawData(reinterpret_cast<const char*>(data), int(size));
    const Cups::ConfigNode first(input);
    const QByteArray written = first.toText();
    const Cups::ConfigNode second(written);
    if (second != first)
        fail("reading the written text gives another tree", written);
    if (second.toText() != written)
        fail("writing the tree read back gives other text", written);
    if (Cups::ConfigNode(first.toVariant()) != first)
        fail("the map form gives another tree", written);
    return 0;
}
