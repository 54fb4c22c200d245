#pragma once

#include <QProcess>
#include <QString>

namespace kestrum::test {

// What a finished program said. The code is -1 when it crashed or did not end
// in time.
struct ProcessRun {
    int code = -1;
    QString out;
    QString err;
};

inline ProcessRun Finish(QProcess& process, int timeoutMs = 60000) {
    ProcessRun run;
    if (!process.waitForFinished(timeoutMs) || process.exitStatus() != QProcess::NormalExit)
        return run;
    run.code = process.exitCode();
    run.out = QString::fromUtf8(process.readAllStandardOutput());
    run.err = QString::fromUtf8(process.readAllStandardError());
    return run;
}

} // namespace kestrum::test
