#pragma once

#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>

// karvenna-cli run as a script would run it, with a configuration folder of its own so that the
// tester's settings never leak in.
struct CliResult {
    int exitCode;
    QByteArray out;
    QByteArray error;

    QString Text() const { return QString::fromUtf8(out); }
    QStringList Lines() const { return Text().split(u'\n', Qt::SkipEmptyParts); }
};

// environment: extra "NAME=value" entries.
inline CliResult RunCli(const QStringList& args, const QStringList& environment = {}) {
    static QTemporaryDir config;
    QProcessEnvironment variables = QProcessEnvironment::systemEnvironment();
    variables.insert("XDG_CONFIG_HOME", config.path());
    for (const QString& entry : environment)
        variables.insert(entry.section(u'=', 0, 0), entry.section(u'=', 1));
    QProcess cli;
    cli.setProcessEnvironment(variables);
    cli.start(qEnvironmentVariable("KARVENNA_CLI"), args);
    cli.waitForFinished(120000);
    return {cli.exitCode(), cli.readAllStandardOutput(), cli.readAllStandardError()};
}

// The environment in which karvenna-cli's system calls fail as tests/support/InjectedFaults.h
// makes them fail: fault is "CALL:ERRNO:PATH-PART" ("fsync:5:/Config/").
inline QStringList InjectedFaultEnvironment(const QString& fault) {
    return {"LD_PRELOAD=" + qEnvironmentVariable("KARVENNA_INJECTED_FAULTS"),
            "KARVENNA_INJECT_FAULT=" + fault};
}
