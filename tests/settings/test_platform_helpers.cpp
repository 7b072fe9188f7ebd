// The system services: generation, text replacement, the file dialog's request, save
// extensions, the documents and data folders, and the whiteboard page.

#include "platform/ui/FileDialogs.h"
#include "settings/PlatformHelpers.h"
#include "settings/Settings.h"
#include "support/ScopedEnv.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <set>

namespace {

TEST(OSVersionGet, ThisSystemCountsAsCurrent) {
    EXPECT_GE(OSVersionGet(), 60);
    OSVersion = 0;
    OSVersionInit();
    EXPECT_EQ(OSVersion, OSVersionGet());
}

TEST(ReplaceAll, ReplacesEveryOccurrenceOnce) {
    const QString nul(QChar(0));
    struct Case {
        QString text, search, replacement, expected;
    } cases[] = {
        {"a|b|c", "|", nul, "a" + nul + "b" + nul + "c"},
        {"||", "|", "x", "xx"},
        {"abc", "|", "x", "abc"},
        // A replacement that holds the search text is not searched again.
        {"a|b", "|", "||", "a||b"},
        {"aaa", "a", "aa", "aaaaaa"},
        // An empty search text changes nothing (and does not loop).
        {"abc", "", "x", "abc"},
        {"", "|", "x", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ReplaceAll(c.text, c.search, c.replacement), c.expected) << c.text.toStdString();
}

TEST(SaveExtGet, ThreeTypesAndNothingElse) {
    const std::pair<int32_t, const char*> cases[] = {
        {0, "jpg"}, {1, "bmp"}, {2, "png"}, {3, ""}, {-1, ""}, {1000, ""}};
    for (const auto& [type, ext] : cases)
        EXPECT_EQ(SaveExtGet(type), QString::fromLatin1(ext)) << type;
}

// Captures what FileDialogExecute hands to the dialog, and answers it.
class FileDialogExecuteTest : public testing::Test {
protected:
    void SetUp() override {
        plat::SetFileDialogRunner([this](const plat::FileDialogRequest& request) {
            seen_ = request;
            ++runs_;
            return answer_;
        });
    }
    void TearDown() override { plat::SetFileDialogRunner({}); }

    plat::FileDialogRequest seen_;
    int runs_ = 0;
    std::optional<QString> answer_;
};

TEST_F(FileDialogExecuteTest, FilterPartsReachTheDialogAsPairs) {
    QString name = QStringLiteral("x.jpg");
    answer_ = QStringLiteral("/tmp/chosen.bmp");
    ASSERT_TRUE(FileDialogExecute(nullptr, 2, "jpg", "JPEG Format|*.jpg|BMP Format|*.bmp", "",
                                  "", name, false, true, false, false, false));
    EXPECT_EQ(seen_.nameFilters,
              QStringList({QStringLiteral("JPEG Format (*.jpg)"), QStringLiteral("BMP Format (*.bmp)")}));
    EXPECT_EQ(seen_.filterIndex, 2);
    EXPECT_EQ(seen_.fileName, QStringLiteral("x.jpg"));
    EXPECT_EQ(name, QStringLiteral("/tmp/chosen.bmp"));
}

TEST_F(FileDialogExecuteTest, PatternListsAndOddPartsAndEmptyFilter) {
    QString name;
    FileDialogExecute(nullptr, 1, "", "All Formats|*.jpg;*.jpeg;*.bmp;*.png|Lonely", "", "", name,
                      false, false, false, false, true);
    EXPECT_EQ(seen_.nameFilters,
              QStringList({QStringLiteral("All Formats (*.jpg *.jpeg *.bmp *.png)")}));
    FileDialogExecute(nullptr, 1, "", "", "", "", name, false, false, false, false, true);
    EXPECT_TRUE(seen_.nameFilters.isEmpty());
}

TEST_F(FileDialogExecuteTest, OptionsAndTextsArePassedThrough) {
    QString name = QStringLiteral("words.txt");
    FileDialogExecute(nullptr, 1, "txt", "テキストファイル|*.txt", "/data", "Open Image File", name,
                      true, false, true, true, true);
    EXPECT_TRUE(seen_.isOpen);
    EXPECT_TRUE(seen_.fileMustExist);
    EXPECT_FALSE(seen_.overwritePrompt);
    EXPECT_TRUE(seen_.noDereferenceLinks);
    EXPECT_EQ(seen_.defaultExt, QStringLiteral("txt"));
    EXPECT_EQ(seen_.initialDir, QStringLiteral("/data"));
    EXPECT_EQ(seen_.title, QStringLiteral("Open Image File"));

    FileDialogExecute(nullptr, 4, "png", "a|*.a", "", "", name, false, true, false, false, false);
    EXPECT_FALSE(seen_.isOpen);
    EXPECT_FALSE(seen_.fileMustExist);
    EXPECT_TRUE(seen_.overwritePrompt);
    EXPECT_FALSE(seen_.noDereferenceLinks);
    EXPECT_TRUE(seen_.title.isEmpty());
}

TEST_F(FileDialogExecuteTest, CancelLeavesTheFileName) {
    QString name = QStringLiteral("keep.png");
    answer_.reset();
    EXPECT_FALSE(FileDialogExecute(nullptr, 1, "", "a|*.a", "", "", name, false, false, false,
                                   false, false));
    EXPECT_EQ(name, QStringLiteral("keep.png"));
    EXPECT_EQ(runs_, 1);
}

// A private home, so the user's real documents folder is never touched.
class FolderTest : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(home_.isValid()); }
    QTemporaryDir home_;
    ScopedEnv homeEnv_{"HOME", home_.path().toUtf8()};
    ScopedEnv configEnv_{"XDG_CONFIG_HOME", (home_.path() + "/config").toUtf8()};
};

TEST_F(FolderTest, DataFolderIsCreatedInsideTheDocumentsFolder) {
    const QString personal = PersonalFolderGet();
    EXPECT_TRUE(personal.endsWith(QDir::separator()));
    EXPECT_TRUE(QDir::fromNativeSeparators(personal).startsWith(home_.path()));

    const QString data = DataFolderGet();
    EXPECT_EQ(data, personal + "Inkwarde");
    EXPECT_TRUE(QFileInfo(data).isDir()); // with its missing parent, the documents folder
    EXPECT_EQ(DataFolderGet(), data);     // and again once it exists
}

TEST_F(FolderTest, DataFolderIsReturnedWhenItCannotBeCreated) {
    // A file where the documents folder should be makes creation fail.
    QFile blocker(QDir::fromNativeSeparators(PersonalFolderGet()).chopped(1));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    const QString data = DataFolderGet();
    EXPECT_TRUE(data.endsWith("Inkwarde"));
    EXPECT_FALSE(QFileInfo(data).isDir());
}

// Rows (or columns) that hold grid pixels.
std::set<int32_t> GridRows(const plat::Bitmap& bitmap, uint32_t grid) {
    std::set<int32_t> rows;
    for (int32_t y = 0; y < bitmap.Height(); ++y)
        if ((bitmap.Row32(y)[0] & 0xFFFFFF) == grid) rows.insert(y);
    return rows;
}
std::set<int32_t> GridColumns(const plat::Bitmap& bitmap, uint32_t grid) {
    std::set<int32_t> columns;
    for (int32_t x = 0; x < bitmap.Width(); ++x)
        if ((bitmap.Row32(0)[x] & 0xFFFFFF) == grid) columns.insert(x);
    return columns;
}

class BoardPaintTest : public testing::Test {
protected:
    void SetUp() override {
        SettingsDefaultsSet();
        WBBrushColor = 0xFFFFFF;
        WBPenColor = 0x808080;
        bitmap_.SetSize(1024, 768);
    }
    void TearDown() override { SettingsDefaultsSet(); }
    plat::Bitmap bitmap_{plat::PixelFormat::Rgb32};
};

TEST_F(BoardPaintTest, HorizontalLinesOneSpacingApart) {
    WBHorizontalLine = true;
    WBVerticalLine = false;
    WBHWidth = 50;
    BoardPaint(bitmap_, 1024, 768);
    std::set<int32_t> expected;
    for (int32_t y = 50; y <= 750; y += 50) expected.insert(y);
    EXPECT_EQ(GridRows(bitmap_, 0x808080), expected);
    // Every line spans the whole width, the rest is board.
    for (int32_t x : {0, 511, 1023}) EXPECT_EQ(bitmap_.Row32(100)[x] & 0xFFFFFF, 0x808080u);
    EXPECT_EQ(bitmap_.Row32(99)[1023] & 0xFFFFFF, 0xFFFFFFu);
}

TEST_F(BoardPaintTest, VerticalLinesAndBothDirections) {
    WBHorizontalLine = true;
    WBVerticalLine = true;
    WBHWidth = 300;
    WBVWidth = 256;
    BoardPaint(bitmap_, 1024, 768);
    EXPECT_EQ(GridColumns(bitmap_, 0x808080), (std::set<int32_t>{256, 512, 768}));
    EXPECT_EQ(GridRows(bitmap_, 0x808080), (std::set<int32_t>{300, 600}));
}

TEST_F(BoardPaintTest, NoGridOrASpacingBelowOneGivesAPlainBoard) {
    const std::tuple<bool, bool, int32_t> cases[] = {
        {false, false, 50}, {true, true, 0}, {true, true, -7}};
    for (const auto& [horizontal, vertical, spacing] : cases) {
        WBHorizontalLine = horizontal;
        WBVerticalLine = vertical;
        WBHWidth = WBVWidth = spacing;
        bitmap_.SetSize(0, 0);
        bitmap_.SetSize(64, 48);
        BoardPaint(bitmap_, 64, 48);
        for (int32_t y = 0; y < 48; ++y)
            for (int32_t x = 0; x < 64; ++x)
                ASSERT_EQ(bitmap_.Row32(y)[x] & 0xFFFFFF, 0xFFFFFFu) << spacing << " " << x << "," << y;
    }
}

} // namespace
