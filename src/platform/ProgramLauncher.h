#pragma once
// Starts another program: never through a shell, the arguments handed over as
// separate strings, so names with blanks and quotes arrive as they are.

#include <QString>
#include <QStringList>

// Starts program detached, in workingDir (the program's folder when empty).
// On failure returns false with a reason in *error (when given).
bool startProgram(const QString& program, const QStringList& arguments,
                  const QString& workingDir = {}, QString* error = nullptr);
