#pragma once

#include <QString>

// Text the server passes on from whoever named a queue or submitted a job.
// Shown so that it cannot rearrange itself or what is around it: control
// characters become blanks, and the explicit bidirectional controls
// (overrides, embeddings, isolates, marks) are shown by name, since an
// override before "txt.exe" would otherwise present it as "exe.txt".
class ServerText
{
public:
    static QString forDisplay(const QString& text);
    static QString forDisplay(const char* utf8);
};
