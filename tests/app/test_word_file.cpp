// Word files: encodings, line ends, broken input.

#include "app/WordFile.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <random>

namespace {

QByteArray Utf16(const QString& text, bool bigEndian, bool bom) {
    QByteArray out;
    if (bom) out += bigEndian ? QByteArray("\xFE\xFF", 2) : QByteArray("\xFF\xFE", 2);
    for (QChar c : text) {
        const char hi = static_cast<char>(c.unicode() >> 8);
        const char lo = static_cast<char>(c.unicode() & 0xFF);
        if (bigEndian)
            out.append(hi).append(lo);
        else
            out.append(lo).append(hi);
    }
    return out;
}

const QString kWords = QStringLiteral("山\r\n山川\r\n日本語\r\n");
const QStringList kList = {QStringLiteral("山"), QStringLiteral("山川"), QStringLiteral("日本語")};

} // namespace

TEST(WordFile, EncodingsAreRecognised) {
    struct Case {
        const char* what;
        QByteArray bytes;
    } cases[] = {
        {"UTF-8 without BOM", kWords.toUtf8()},
        {"UTF-8 with BOM", QByteArray("\xEF\xBB\xBF") + kWords.toUtf8()},
        {"UTF-16 LE", Utf16(kWords, false, true)},
        {"UTF-16 BE", Utf16(kWords, true, true)},
        // Shift_JIS: 山 = 8E 52, 川 = 90 EC, 日本語 = 93 FA 96 7B 8C EA
        {"Shift_JIS", QByteArray("\x8E\x52\r\n\x8E\x52\x90\xEC\r\n\x93\xFA\x96\x7B\x8C\xEA\r\n")},
    };
    for (const Case& c : cases) EXPECT_EQ(WordFileLines(WordFileDecode(c.bytes)), kList) << c.what;
}

TEST(WordFile, LineEndsAndEmptyLines) {
    struct Case {
        const char* text;
        QStringList lines;
    } cases[] = {
        {"a\rb\rc", {"a", "b", "c"}},   // CR only
        {"a\nb\n", {"a", "b"}},         // a final break adds no word
        {"a\r\n\r\nb", {"a", "", "b"}}, // an empty line is an empty word
        {" a \r\n", {" a "}},           // no trimming
        {"a\n\r\nb\r", {"a", "", "b"}}, // mixed
        {"", {}},                       // empty file: no lines
        {"\n", {""}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(WordFileLines(QString::fromUtf8(c.text)), c.lines) << c.text;
}

TEST(WordFile, BrokenInputDecodesWithoutFailing) {
    // Invalid Shift_JIS lead bytes and a truncated pair become replacement characters.
    const QString text = WordFileDecode(QByteArray("\x8E\x52\xFF\x80\x8E", 5));
    EXPECT_TRUE(text.startsWith(QStringLiteral("山")));
    EXPECT_TRUE(text.contains(QChar(0xFFFD)));
    // An odd byte at the end of UTF-16 is dropped.
    EXPECT_EQ(WordFileDecode(QByteArray("\xFF\xFE\x71\x5C\x00", 5)), QStringLiteral("山"));
    // Random binary data of every byte value: decodes, splits, ends.
    std::mt19937 rng(1);
    QByteArray binary;
    for (int i = 0; i < 200000; ++i) binary.append(static_cast<char>(rng()));
    const QStringList lines = WordFileLines(WordFileDecode(binary));
    EXPECT_GT(lines.size(), 0);
}

TEST(WordFile, ReadingFiles) {
    QTemporaryDir dir;
    const QString path = dir.filePath("words.txt");
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(kWords.toUtf8());
    file.close();
    EXPECT_EQ(WordFileRead(path), kList);
    EXPECT_EQ(WordFileRead(dir.filePath("missing.txt")), std::nullopt);
    EXPECT_EQ(WordFileRead(dir.path()), std::nullopt); // a folder
}
