#include "temp_dir.h"

#include "settings/paths.h"

#include <QFile>
#include <stdexcept>

namespace kestrum::test {

ScopedProgramDir::ScopedProgramDir() {
    if (!m_dir.isValid())
        throw std::runtime_error("cannot create a temporary directory");
    SetProgramDir(m_dir.path());
}

ScopedProgramDir::~ScopedProgramDir() {
    SetProgramDir(QString());
}

QString ScopedProgramDir::Path(const QString& name) const {
    return m_dir.filePath(name);
}

void ScopedProgramDir::Write(const QString& name, const QByteArray& contents) const {
    QFile file(Path(name));
    if (!file.open(QIODevice::WriteOnly) || file.write(contents) != contents.size())
        throw std::runtime_error("cannot write a test file");
}

QByteArray ScopedProgramDir::Read(const QString& name) const {
    QFile file(Path(name));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

bool ScopedProgramDir::Exists(const QString& name) const {
    return QFile::exists(Path(name));
}

} // namespace kestrum::test
