#pragma once
// mfs380a-cli as the tests run it: the real program in a process of its own,
// with its preferences in a folder of the test's own, never the user's.

#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

struct TCliRun {
    int exitCode = -1; // -1: it did not end in time and was killed; -2: it crashed
    QString out;
    QString err;
    QStringList lines() const { return out.split('\n', Qt::SkipEmptyParts); }
};

// The test's own environment with the preferences under DATA_HOME.
QProcessEnvironment cliEnvironment(const QString& dataHome);

// Runs the program with ARGS and no standard input. The caller's event loop
// keeps turning meanwhile, so a server or message channel of the test answers.
TCliRun runCli(const QStringList& args, const QProcessEnvironment& env, int timeoutMs = 60000);
