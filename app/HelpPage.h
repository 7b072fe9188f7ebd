#pragma once
// The program's help page: an HTML page built into the program, written out to the user's
// cache folder so that the default browser can show it.

#include <QByteArray>
#include <QString>

// The page as built into the program (UTF-8 HTML).
QByteArray HelpPageContent();

// The full path of the help page in the user's cache folder ("help/index.html" there),
// written from the built-in page when it is missing or differs from it. Empty when the page
// cannot be written.
QString HelpPageFile();

// Opens the help page in the default browser. False when the page could not be written or
// no browser could be started.
bool HelpPageOpen();
