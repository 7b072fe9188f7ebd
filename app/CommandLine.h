#pragma once
// The program's one command-line argument: a word-list file.

#include <QString>
#include <QStringList>

// True when path names an existing file (not a folder) whose extension, upper-cased,
// is ".TXT".
bool IsWordFileArgument(const QString& path);

// The word file named by the arguments after the program name: the first argument when it
// passes IsWordFileArgument, otherwise an empty string. Further arguments are ignored.
QString WordFileFromArguments(const QStringList& arguments);
