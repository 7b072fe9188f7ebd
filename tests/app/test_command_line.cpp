// The command-line word-file rule: an existing file whose extension, upper-cased, is .TXT.

#include "app/CommandLine.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

TEST(CommandLine, WordFileRule) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const auto make = [&](const QString& name) {
        QFile f(dir.filePath(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("一\n");
    };
    for (const char* name : {"words.txt", "WORDS2.TXT", "Words3.Txt", "words.text", "words.csv",
                             "words", "words.txt.bak", "archive.tar.txt", "words."})
        make(QString::fromUtf8(name));
    ASSERT_TRUE(QDir(dir.path()).mkdir("folder.txt"));

    struct Case {
        const char* name;
        bool loaded;
    };
    const Case cases[] = {
        {"words.txt", true},       {"WORDS2.TXT", true},     {"Words3.Txt", true},
        {"archive.tar.txt", true}, {"words.text", false},    {"words.csv", false},
        {"words", false},          {"words.txt.bak", false}, {"words.", false},
        {"missing.txt", false},    {"folder.txt", false},
    };
    for (const Case& c : cases) {
        const QString path = dir.filePath(QString::fromUtf8(c.name));
        EXPECT_EQ(IsWordFileArgument(path), c.loaded) << c.name;
        EXPECT_EQ(WordFileFromArguments({path}), c.loaded ? path : QString()) << c.name;
    }
    EXPECT_FALSE(IsWordFileArgument(QString()));
}

TEST(CommandLine, OnlyTheFirstArgumentCounts) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString words = dir.filePath("words.txt");
    QFile f(words);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.close();

    EXPECT_EQ(WordFileFromArguments({}), QString());
    EXPECT_EQ(WordFileFromArguments({words, dir.filePath("other.csv")}), words);
    EXPECT_EQ(WordFileFromArguments({dir.filePath("other.csv"), words}), QString());
}

} // namespace
