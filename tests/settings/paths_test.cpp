#include "settings/paths.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace kestrum {
namespace {

QByteArray Read(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void Write(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(path.section('/', 0, -2));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

struct LayoutCase {
    const char* name;
    bool installLayout;   // share/kestrum/rt.dt beside bin/
    const char* userFile; // already in the user's directory, or nullptr
    bool expectUserDir;
    QByteArray expectUserRates; // rt.dt in the user's directory afterwards
};

class DefaultProgramDirTest : public testing::TestWithParam<LayoutCase> {};

TEST_P(DefaultProgramDirTest, ChoosesTheDirectoryAndSeedsTheFirstStart) {
    const LayoutCase& c = GetParam();
    QTemporaryDir root;
    const QString bin = root.filePath(QStringLiteral("usr/bin/"));
    const QString user = root.filePath(QStringLiteral("home/.local/share/kestrum/"));
    QDir().mkpath(bin);
    if (c.installLayout)
        Write(root.filePath(QStringLiteral("usr/share/kestrum/rt.dt")), "starter");
    if (c.userFile)
        Write(user + QLatin1String(c.userFile), "mine");

    const QString dir = DefaultProgramDir(bin.chopped(1), user);
    EXPECT_EQ(dir, c.expectUserDir ? user : bin);
    EXPECT_EQ(Read(user + QStringLiteral("rt.dt")), c.expectUserRates);
    EXPECT_FALSE(QFile::exists(bin + QStringLiteral("rt.dt")));
}

INSTANTIATE_TEST_SUITE_P(
    Layouts, DefaultProgramDirTest,
    testing::Values(LayoutCase{"portable", false, nullptr, false, {}},
                    LayoutCase{"installed_first_start", true, nullptr, true, "starter"},
                    LayoutCase{"installed_with_own_rates", true, "rt.dt", true, "mine"},
                    LayoutCase{"installed_with_settings_only", true, "kestrumconfig", true, {}}),
    [](const testing::TestParamInfo<LayoutCase>& info) { return std::string(info.param.name); });

} // namespace
} // namespace kestrum
