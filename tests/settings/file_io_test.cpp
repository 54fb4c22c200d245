// What a save does to the directory around the file it writes.
#include "data/rate_files.h"
#include "file_bytes.h"
#include "settings/configuration.h"
#include "settings/file_io.h"
#include "temp_dir.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/time.h>

namespace kestrum {
namespace {

IoResult Save(bool rates) {
    if (!rates)
        return SaveConfiguration();
    RateStore store;
    ConfigRecord config = DefaultConfig();
    return SaveRateFile(store, config);
}

int ModeOf(const QString& path) {
    struct stat info {};
    return ::lstat(QFile::encodeName(path).constData(), &info) == 0 ? int(info.st_mode & 07777)
                                                                    : -1;
}

void MakeOlder(const QString& path, int seconds) {
    struct timeval times[2] = {};
    gettimeofday(&times[0], nullptr);
    times[0].tv_sec -= seconds;
    times[1] = times[0];
    ASSERT_EQ(::utimes(QFile::encodeName(path).constData(), times), 0);
}

class FileSafetyTest : public ::testing::Test {
protected:
    void SetUp() override { Configuration() = DefaultConfig(); }
    void TearDown() override { Configuration() = DefaultConfig(); }
};

// A link in the directory is replaced, never written through; a dangling one
// creates nothing where it points.
TEST_F(FileSafetyTest, SavesReplaceLinksInsteadOfFollowingThem) {
    const struct {
        const char* name;
        bool rates;
        bool dangling;
    } cases[] = {
        {"rt.dt", true, false},
        {"rt.dt", true, true},
        {"kestrumconfig", false, false},
        {"kestrumconfig.bak", false, false},
        {"kestrumconfig.bak", false, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.name) + (c.dangling ? " dangling" : ""));
        test::ScopedProgramDir dir;
        QTemporaryDir elsewhere;
        const QString name = QString::fromLatin1(c.name);
        const QString victim = elsewhere.filePath(QStringLiteral("victim"));
        if (!c.dangling)
            test::WriteFile(victim, "victim");
        if (name != QLatin1String("kestrumconfig"))
            dir.Write(QStringLiteral("kestrumconfig"), SerializeConfig(DefaultConfig()));
        ASSERT_TRUE(QFile::link(victim, dir.Path(name)));

        ASSERT_TRUE(Save(c.rates));
        EXPECT_FALSE(QFileInfo(dir.Path(name)).isSymLink());
        EXPECT_TRUE(QFileInfo(dir.Path(name)).isFile());
        if (c.dangling)
            EXPECT_FALSE(QFileInfo::exists(victim));
        else
            EXPECT_EQ(test::ReadFile(victim), QByteArray("victim"));
    }
}

// The record may hold a password: it and its backup are the owner's alone,
// whatever the umask; a stricter mode stays.
TEST_F(FileSafetyTest, RecordAndBackupAreOwnerOnly) {
    const struct {
        int existingMode; // of both files before the save; 0: no files
        int recordMode;
        int backupMode;
    } cases[] = {{0, 0600, -1}, {0644, 0600, 0600}, {0400, 0400, 0400}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.existingMode);
        test::ScopedProgramDir dir;
        for (const char* name : {"kestrumconfig", "kestrumconfig.bak"}) {
            if (c.existingMode == 0)
                break;
            dir.Write(QString::fromLatin1(name), SerializeConfig(DefaultConfig()));
            ASSERT_EQ(::chmod(QFile::encodeName(dir.Path(QString::fromLatin1(name))).constData(),
                              mode_t(c.existingMode)),
                      0);
        }
        ASSERT_TRUE(SaveConfiguration());
        EXPECT_EQ(ModeOf(dir.Path(QStringLiteral("kestrumconfig"))), c.recordMode);
        EXPECT_EQ(ModeOf(dir.Path(QStringLiteral("kestrumconfig.bak"))), c.backupMode);
    }
}

// A save sweeps only its own temporaries, and only those a killed save left
// long ago: never a user's file, never another process's save in progress.
TEST_F(FileSafetyTest, SavesSweepOnlyTheirOwnStaleTemporaries) {
    const struct {
        const char* name;
        int ageSeconds;
        bool removed;
    } cases[] = {
        {"rt.dt.backup", 3600, false},         {"RT.DT.OLDONE", 3600, false},
        {"kestrumconfig.orig.1", 3600, false}, {"kestrumconfig.abcdef", 3600, false},
        {".rt.dt.kestrum-a1B2c3", 3600, true}, {".kestrumconfig.kestrum-a1B2c3", 3600, true},
        {".rt.dt.kestrum-a1B2c3", 5, false},   {".kestrumconfig.kestrum-a1B2c3", 5, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.name) + " " + std::to_string(c.ageSeconds));
        test::ScopedProgramDir dir;
        const QString name = QString::fromLatin1(c.name);
        dir.Write(name, "someone's");
        MakeOlder(dir.Path(name), c.ageSeconds);
        ASSERT_TRUE(Save(true));
        ASSERT_TRUE(Save(false));
        EXPECT_EQ(dir.Exists(name), !c.removed);
    }
}

// A file written in place holds the new bytes alone, whatever it held: a
// stale tail would be read as the page's. Its pieces, some held back and
// some written at once by their size, land in their order.
TEST_F(FileSafetyTest, WritingInPlaceLeavesOnlyTheNewBytes) {
    for (const char* before : {"", "an earlier, longer body"}) {
        SCOPED_TRACE(before);
        test::ScopedProgramDir dir;
        dir.Write(QStringLiteral("page.html"), before);
        FileInProgress file(dir.Path(QStringLiteral("page.html")), FileInProgress::Target::InPlace);
        QByteArray expected;
        for (const int size : {3, 20000, 5, 300000, 7}) {
            const QByteArray piece(size, char('a' + expected.size() % 26));
            ASSERT_TRUE(file.Append(piece.constData(), piece.size()));
            expected += piece;
        }
        ASSERT_TRUE(file.Commit(FileInProgress::Sync::Skip));
        EXPECT_EQ(dir.Read(QStringLiteral("page.html")), expected);
    }
}

} // namespace
} // namespace kestrum
