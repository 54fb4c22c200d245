#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

namespace kestrum::test {

// A fresh program directory for one test: every program file is read from and
// written to it, and it disappears afterwards.
class ScopedProgramDir {
public:
    ScopedProgramDir();
    ~ScopedProgramDir();
    ScopedProgramDir(const ScopedProgramDir&) = delete;
    ScopedProgramDir& operator=(const ScopedProgramDir&) = delete;

    QString Path(const QString& name) const;
    void Write(const QString& name, const QByteArray& contents) const;
    QByteArray Read(const QString& name) const;
    bool Exists(const QString& name) const;

private:
    QTemporaryDir m_dir;
};

} // namespace kestrum::test
