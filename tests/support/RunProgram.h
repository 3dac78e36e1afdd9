#pragma once

#include <QHash>
#include <QProcess>
#include <QString>
#include <QStringList>

// What a program run as a user would run it said, and how it ended.
struct ProgramResult {
    int exitCode;
    QString out;
    QString err;
};

// Runs the program to its end with the given variables added to the environment; a crash or
// a hang counts as exit code -1.
inline ProgramResult runProgram(const QString& program, const QStringList& arguments,
                                const QHash<QString, QString>& variables) {
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (auto it = variables.cbegin(); it != variables.cend(); ++it)
        environment.insert(it.key(), it.value());
    process.setProcessEnvironment(environment);
    process.start(program, arguments);
    if (!process.waitForFinished(120000) || process.exitStatus() != QProcess::NormalExit)
        return {-1, {}, program + QStringLiteral(" did not end normally")};
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}
