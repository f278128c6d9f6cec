#pragma once

#include <QString>

// Where the programs that the manager starts are found. A manager run from
// its build tree starts the helpers built beside it, so that trying a build
// needs no installation.
class ProgramPaths
{
public:
    // The program at relativePath below the build tree when this process
    // runs from that tree; empty otherwise.
    static QString fromBuildTree(const QString& relativePath);
};
