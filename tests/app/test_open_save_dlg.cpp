// The open and save dialogs: what reaches the system dialog, the proposed picture name, the
// older system's components and their file-type change.

#include "app/OpenSaveDlg.h"
#include "platform/ui/FileDialogs.h"
#include "settings/PlatformHelpers.h"
#include "settings/Settings.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QFileDialog>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

class OpenSaveDlgTest : public testing::Test {
protected:
    void SetUp() override {
        SettingsDefaultsSet();
        OpenSaveDlgDefaultsSet();
        OSVersion = 60;
        plat::SetFileDialogRunner([this](const plat::FileDialogRequest& request) {
            seen_ = request;
            ++runs_;
            return answer_;
        });
    }
    void TearDown() override {
        plat::SetFileDialogRunner({});
        OpenDlgFree();
        SaveDlgFree();
        OSVersionInit();
        SettingsDefaultsSet();
        OpenSaveDlgDefaultsSet();
    }

    plat::FileDialogRequest seen_;
    int runs_ = 0;
    std::optional<QString> answer_;
};

TEST(SaveFileNameDefault, DateAndTimeStamp) {
    const std::tuple<QDateTime, const char*, const char*> cases[] = {
        {QDateTime(QDate(2010, 5, 7), QTime(12, 13, 46)), "jpg", "20100507_121346.jpg"},
        {QDateTime(QDate(2026, 12, 1), QTime(23, 5, 9)), "png", "20261201_230509.png"},
        {QDateTime(QDate(1999, 1, 2), QTime(0, 0, 0)), "", "19990102_000000."},
    };
    for (const auto& [at, ext, expected] : cases)
        EXPECT_EQ(SaveFileNameDefault(at, QString::fromLatin1(ext)), QString::fromLatin1(expected));
}

TEST(FileNameWithExt, ReplacesOrAppendsAndDropsTheFolder) {
    const std::tuple<const char*, const char*, const char*> cases[] = {
        {"picture.jpg", ".bmp", "picture.bmp"},
        {"picture", ".bmp", "picture.bmp"},
        {"/home/a.b/picture", ".png", "picture.png"},
        {"C:\\pics\\x.tar.gz", ".jpg", "x.tar.jpg"},
        {"picture.jpg", ".", "picture."},
    };
    for (const auto& [name, ext, expected] : cases)
        EXPECT_EQ(FileNameWithExt(QString::fromLatin1(name), QString::fromLatin1(ext)),
                  QString::fromLatin1(expected));
}

TEST_F(OpenSaveDlgTest, SaveDialogProposesTheTimeStampedNameWithAllFormats) {
    const std::pair<int32_t, const char*> types[] = {{0, "jpg"}, {1, "bmp"}, {2, "png"}, {7, ""}};
    for (const auto& [type, ext] : types) {
        SaveFileType = type;
        answer_ = QStringLiteral("/tmp/x.png");
        ASSERT_TRUE(SaveDlgExecute(nullptr));
        EXPECT_FALSE(seen_.isOpen);
        EXPECT_EQ(seen_.filterIndex, 4);
        EXPECT_EQ(seen_.defaultExt, QString::fromLatin1(ext));
        EXPECT_TRUE(seen_.title.isEmpty());
        EXPECT_TRUE(seen_.overwritePrompt);
        EXPECT_FALSE(seen_.fileMustExist);
        const QRegularExpression stamp(QStringLiteral("^\\d{8}_\\d{6}\\.") + ext + "$");
        EXPECT_TRUE(stamp.match(seen_.fileName).hasMatch()) << seen_.fileName.toStdString();
        EXPECT_EQ(seen_.nameFilters.size(), 4);
        EXPECT_EQ(seen_.nameFilters.value(3),
                  QStringLiteral("All Formats (*.jpg *.jpeg *.bmp *.png)"));
        EXPECT_EQ(SaveFileName, QStringLiteral("/tmp/x.png"));
    }
}

TEST_F(OpenSaveDlgTest, CancelledSaveReturnsFalse) {
    answer_.reset();
    EXPECT_FALSE(SaveDlgExecute(nullptr));
    EXPECT_EQ(runs_, 1);
}

TEST_F(OpenSaveDlgTest, OpenDialogForWordFiles) {
    OpenDlgCreate(nullptr);
    EXPECT_EQ(OpenDlg, nullptr); // current systems call the dialog directly
    OpenDefExt = "txt";
    OpenFilter = QStringLiteral("テキストファイル|*.txt");
    OpenFilterIndex = 1;
    answer_ = QStringLiteral("/data/words.txt");
    ASSERT_TRUE(OpenDlgExecute(nullptr));
    EXPECT_TRUE(seen_.isOpen);
    EXPECT_EQ(seen_.title, QStringLiteral("Open Image File"));
    EXPECT_EQ(seen_.nameFilters, QStringList{QStringLiteral("テキストファイル (*.txt)")});
    EXPECT_EQ(seen_.filterIndex, 1);
    EXPECT_EQ(seen_.defaultExt, QStringLiteral("txt"));
    EXPECT_TRUE(seen_.fileMustExist);
    EXPECT_TRUE(seen_.noDereferenceLinks);
    EXPECT_FALSE(seen_.overwritePrompt);
    EXPECT_EQ(OpenFileName, QStringLiteral("/data/words.txt"));
}

TEST_F(OpenSaveDlgTest, OlderSystemsGetDialogComponents) {
    OSVersion = 51;
    OpenDlgCreate(nullptr);
    SaveDlgCreate(nullptr);
    EXPECT_NE(OpenDlg, nullptr);
    EXPECT_NE(SaveDlg, nullptr);
    EXPECT_EQ(OpenFilterIndex, 4);
    OpenDlgFree();
    SaveDlgFree();
    EXPECT_EQ(OpenDlg, nullptr);
    EXPECT_EQ(SaveDlg, nullptr);
    // A system reported as outside the NT family counts as older too.
    OSVersion = 0;
    SaveDlgCreate(nullptr);
    EXPECT_NE(SaveDlg, nullptr);
}

TEST_F(OpenSaveDlgTest, TypeChangeRewritesTheExtensionOfTheTypedName) {
    TSaveDlg dialog(nullptr);
    dialog.Filter = kPictureFilter;
    dialog.FilterIndex = 4;
    dialog.FileName = QStringLiteral("picture.jpg");
    dialog.Prepare();
    ASSERT_EQ(dialog.CurrentFileNameText(), QStringLiteral("picture.jpg"));

    // As the user does it: picking "BMP Format" changes the typed name.
    dialog.CurrentFilterSelect(2);
    EXPECT_EQ(dialog.CurrentFileNameText(), QStringLiteral("picture.bmp"));

    // The handler on its own (the widget dialog adjusts names by itself as well): the file
    // type chosen, then a name typed, then the handler.
    const std::tuple<int32_t, int32_t, const char*, const char*> cases[] = {
        {2, 0, "picture.jpg", "picture.bmp"},
        {3, 0, "picture.jpg", "picture.png"},
        {1, 2, "picture", "picture.jpg"},
        {4, 0, "picture.png", "picture.jpg"}, // "All Formats": the save type's extension
        {4, 1, "picture.png", "picture.bmp"},
        {4, 9, "picture.png", "picture."},
    };
    for (const auto& [index, saveType, typed, expected] : cases) {
        SaveFileType = saveType;
        dialog.OnTypeChange = nullptr;
        dialog.CurrentFilterSelect(index);
        dialog.CurrentFileNameTextSet(QString::fromLatin1(typed));
        dialog.DlgTypeChange();
        EXPECT_EQ(dialog.CurrentFileNameText(), QString::fromLatin1(expected))
            << index << " " << typed;
    }

    // A filter text without the chosen entry leaves the name alone.
    dialog.Filter = QStringLiteral("JPEG Format|*.jpg");
    dialog.CurrentFilterSelect(3);
    dialog.CurrentFileNameTextSet(QStringLiteral("picture.gif"));
    dialog.DlgTypeChange();
    EXPECT_EQ(dialog.CurrentFileNameText(), QStringLiteral("picture.gif"));
}

// Answers the modal dialog that is about to run: reads what it proposes, then confirms it
// with path or cancels it.
void AnswerNextDialog(QString* proposed, const std::optional<QString>& path) {
    QTimer::singleShot(0, [proposed, path] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        *proposed = QFileInfo(dialog->selectedFiles().value(0)).fileName();
        if (!path) {
            dialog->reject();
            return;
        }
        dialog->selectFile(*path);
        static_cast<QDialog*>(dialog)->accept(); // runs the file dialog's own accept
    });
}

TEST_F(OpenSaveDlgTest, OlderSaveDialogRunsAndReturnsTheChosenPath) {
    OSVersion = 51;
    SaveDlgCreate(nullptr);
    ASSERT_NE(SaveDlg, nullptr);
    QTemporaryDir folder;
    const QString path = folder.filePath("picture.png");

    QString proposed;
    AnswerNextDialog(&proposed, path);
    ASSERT_TRUE(SaveDlgExecute(nullptr));
    EXPECT_TRUE(QRegularExpression("^\\d{8}_\\d{6}\\.jpg$").match(proposed).hasMatch())
        << proposed.toStdString();
    EXPECT_EQ(QDir::fromNativeSeparators(SaveFileName), path);
    EXPECT_EQ(runs_, 0); // the component, not the one-call dialog

    AnswerNextDialog(&proposed, std::nullopt);
    EXPECT_FALSE(SaveDlgExecute(nullptr));
}

} // namespace
