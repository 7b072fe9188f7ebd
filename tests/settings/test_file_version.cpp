// The version text of program files: the record a file carries, files without one, the
// length limit, and the record of this test program itself.

#include "settings/FileVersion.h"
#include "settings/PlatformHelpers.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class FileVersionTest : public ::testing::Test {
protected:
    QTemporaryDir dir_;

    QString Write(const QString& name, const QByteArray& bytes) {
        const QString path = dir_.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        EXPECT_EQ(file.write(bytes), bytes.size());
        return path;
    }
};

// Bytes of a program-like file: filler, a record with the given text, more filler.
QByteArray WithRecord(const QByteArray& text, qsizetype before, qsizetype after) {
    return QByteArray(before, '\x90') + FileVersionMarker() + text + '\0' +
           QByteArray(after, '\x7f');
}

TEST_F(FileVersionTest, MarkerIsPrintableAndDistinctive) {
    const QByteArray marker = FileVersionMarker();
    EXPECT_GE(marker.size(), 12);
    for (const char c : marker) EXPECT_TRUE(c >= 0x20 && c < 0x7f) << int(c);
}

TEST_F(FileVersionTest, RecordAnywhereInTheFileGivesItsText) {
    struct Case {
        const char* name;
        qsizetype before;
        qsizetype after;
    };
    // The file is read in chunks of 64 KiB: records at the start, straddling the first
    // border in the marker and in the text, deep inside, and at the very end.
    const qsizetype chunk = 64 * 1024;
    const qsizetype markerSize = FileVersionMarker().size();
    const Case cases[] = {
        {"at the start", 0, 100},
        {"marker across a chunk border", chunk - markerSize / 2, 100},
        {"text across a chunk border", chunk - markerSize - 2, 100},
        {"text right after a border", chunk - markerSize, 100},
        {"deep inside", 5 * chunk + 17, 3 * chunk},
        {"at the end", 2 * chunk + 5, 0},
    };
    for (const Case& c : cases) {
        const QString path =
            Write(QStringLiteral("program"), WithRecord("1.2.3.4", c.before, c.after));
        EXPECT_EQ(FileVersionGet(path), QStringLiteral("1.2.3.4")) << c.name;
    }
}

TEST_F(FileVersionTest, FirstRecordCounts) {
    const QByteArray bytes = WithRecord("2.0", 10, 10) + WithRecord("3.0", 10, 10);
    EXPECT_EQ(FileVersionGet(Write(QStringLiteral("two"), bytes)), QStringLiteral("2.0"));
}

TEST_F(FileVersionTest, TextIsUtf8) {
    const QString text = QStringLiteral("1.0 ベータ");
    EXPECT_EQ(FileVersionGet(Write(QStringLiteral("utf8"), WithRecord(text.toUtf8(), 3, 3))), text);
}

TEST_F(FileVersionTest, NoRecordGivesEmpty) {
    const QByteArray marker = FileVersionMarker();
    struct Case {
        const char* name;
        QByteArray bytes;
    };
    const Case cases[] = {
        {"empty file", QByteArray()},
        {"filler only", QByteArray(200000, 'x')},
        {"marker without its last byte", QByteArray(50, 'a') + marker.chopped(1) + "1.0"},
        {"marker with a changed byte",
         QByteArray(50, 'a') + marker.left(3) + '?' + marker.mid(4) + "1.0" + '\0'},
    };
    for (const Case& c : cases)
        EXPECT_TRUE(FileVersionGet(Write(QStringLiteral("plain"), c.bytes)).isEmpty()) << c.name;
}

TEST_F(FileVersionTest, EmptyRecordGivesEmpty) {
    EXPECT_TRUE(FileVersionGet(Write(QStringLiteral("blank"), WithRecord("", 5, 5))).isEmpty());
}

TEST_F(FileVersionTest, MissingPathGivesEmpty) {
    EXPECT_TRUE(FileVersionGet(dir_.filePath(QStringLiteral("no-such-file"))).isEmpty());
    EXPECT_TRUE(FileVersionGet(QString()).isEmpty());
    EXPECT_TRUE(FileVersionGet(dir_.path()).isEmpty()); // a folder
}

TEST_F(FileVersionTest, UnreadableFileGivesEmpty) {
    const QString locked = Write(QStringLiteral("locked"), WithRecord("1.0", 5, 5));
    ASSERT_TRUE(QFile::setPermissions(locked, QFileDevice::Permissions()));
    QFile probe(locked);
    if (probe.open(QIODevice::ReadOnly)) GTEST_SKIP() << "running with rights to read anything";
    EXPECT_TRUE(FileVersionGet(locked).isEmpty());
}

TEST_F(FileVersionTest, FileAboveTheSizeLimitIsRefused) {
    // Sparse files: the size is there without the disk space.
    for (const qint64 size : {kFileVersionMaxFileSize, kFileVersionMaxFileSize + 1}) {
        const QString path = Write(QStringLiteral("huge"), WithRecord("9.9", 0, 0));
        ASSERT_TRUE(QFile::resize(path, size));
        const QString got = FileVersionGet(path);
        if (size > kFileVersionMaxFileSize)
            EXPECT_TRUE(got.isEmpty()) << size;
        else
            EXPECT_EQ(got, QStringLiteral("9.9")) << size;
    }
}

TEST_F(FileVersionTest, LongTextIsCutAt256Characters) {
    const QByteArray longText(300, 'v');
    EXPECT_EQ(FileVersionGet(Write(QStringLiteral("long"), WithRecord(longText, 7, 1000))),
              QString(kFileVersionMaxChars, QLatin1Char('v')));

    // The same without a terminating NUL: the text runs to the end of the file.
    const QByteArray open = QByteArray(7, 'z') + FileVersionMarker() + QByteArray(5000, 'w');
    EXPECT_EQ(FileVersionGet(Write(QStringLiteral("open"), open)),
              QString(kFileVersionMaxChars, QLatin1Char('w')));

    const QByteArray exact(kFileVersionMaxChars, 'e');
    EXPECT_EQ(FileVersionGet(Write(QStringLiteral("exact"), WithRecord(exact, 1, 1))),
              QString::fromLatin1(exact));
}

TEST_F(FileVersionTest, RecordJustBelowTheEndOfTheFileIsRead) {
    // The marker ends exactly where the file ends: the text is empty.
    const QByteArray bytes = QByteArray(64 * 1024 - 3, 'q') + FileVersionMarker();
    EXPECT_TRUE(FileVersionGet(Write(QStringLiteral("tail"), bytes)).isEmpty());
}

TEST_F(FileVersionTest, ThisProgramCarriesTheBuildsVersion) {
    const QString self = QCoreApplication::applicationFilePath();
    EXPECT_EQ(FileVersionGet(self), QStringLiteral(INKWARDE_VERSION_TEXT));
    EXPECT_EQ(ExeVersionGet(), QStringLiteral(INKWARDE_VERSION_TEXT));
    EXPECT_FALSE(ExeVersionGet().isEmpty());
}

TEST_F(FileVersionTest, TheMarkerAppearsOnceInThisProgram) {
    // Any other copy of the marker (for instance the search key as a constant) would be
    // found instead of the record.
    QFile self(QCoreApplication::applicationFilePath());
    ASSERT_TRUE(self.open(QIODevice::ReadOnly));
    const QByteArray bytes = self.readAll();
    const QByteArray marker = FileVersionMarker();
    EXPECT_EQ(bytes.count(marker), 1);
}

} // namespace
