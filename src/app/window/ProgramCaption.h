#pragma once
// The program's caption: the main window's title and the title of the
// program's message boxes. Every other window shows its own caption only.

#include <QString>

// "Kelvan MFS380A V" + version + " ".
QString programCaption();
