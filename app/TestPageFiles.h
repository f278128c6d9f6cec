#pragma once

// The scheduler's own test pages, in the order they are tried.
inline const char* const testPagePostScript = "/usr/share/cups/data/testprint.ps";
inline const char* const testPagePlain = "/usr/share/cups/data/testprint";
// What current schedulers ship instead of the two above.
inline const char* const testPageDefault = "/usr/share/cups/data/default-testpage.pdf";
