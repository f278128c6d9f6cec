#pragma once

#include <cups/cups.h>
#include <cups/ppd.h>

#include <memory>

namespace Cups {

struct IppDeleter
{
    void operator()(ipp_t* ipp) const { ippDelete(ipp); }
};

struct HttpDeleter
{
    void operator()(http_t* http) const { httpClose(http); }
};

// PPD files are still how the scheduler describes drivers and their options,
// so the deprecated PPD interface is used on purpose.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
struct PpdDeleter
{
    void operator()(ppd_file_t* ppd) const { ppdClose(ppd); }
};
#pragma GCC diagnostic pop

// Arrays from cupsGetDests2/cupsParseOptions/cupsAddOption carry their
// length separately, so the deleter has to remember it.
struct DestsDeleter
{
    int count = 0;
    void operator()(cups_dest_t* dests) const { cupsFreeDests(count, dests); }
};

struct OptionsDeleter
{
    int count = 0;
    void operator()(cups_option_t* options) const { cupsFreeOptions(count, options); }
};

using IppPtr = std::unique_ptr<ipp_t, IppDeleter>;
using HttpPtr = std::unique_ptr<http_t, HttpDeleter>;
using PpdPtr = std::unique_ptr<ppd_file_t, PpdDeleter>;
using DestsPtr = std::unique_ptr<cups_dest_t, DestsDeleter>;
using OptionsPtr = std::unique_ptr<cups_option_t, OptionsDeleter>;

// Takes over an array returned by cupsGetDests2 (or built with cupsAddDest).
inline DestsPtr makeDests(cups_dest_t* dests, int count)
{
    return DestsPtr(dests, DestsDeleter{count});
}

// Takes over an array returned by cupsParseOptions (or built with cupsAddOption).
inline OptionsPtr makeOptions(cups_option_t* options, int count)
{
    return OptionsPtr(options, OptionsDeleter{count});
}

} // namespace Cups
