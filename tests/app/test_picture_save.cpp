// The save command from the main window: the save dialog's choice is written as the page's
// picture; a failure shows the message and changes nothing.

#include "AppFixture.h"
#include "app/Commands.h"
#include "app/MainFrm.h"
#include "platform/ui/Action.h"
#include "platform/ui/FileDialogs.h"
#include "strokes/PenList.h"
#include "surface/PenImage.h"

#include <QDir>
#include <QImage>
#include <QImageReader>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

std::vector<uint32_t> Pixels(const plat::Bitmap& bitmap) {
    std::vector<uint32_t> pixels;
    for (int32_t y = 0; y < bitmap.Height(); ++y)
        pixels.insert(pixels.end(), bitmap.Row32(y), bitmap.Row32(y) + bitmap.Width());
    return pixels;
}

class PictureSaveTest : public AppStateTest {
protected:
    void SetUp() override {
        AppStateTest::SetUp();
        ASSERT_TRUE(folder.isValid());
        frm = std::make_unique<TMainFrm>();
        frm->Timer1Timer();
        frm->MessageShow = [this](const QString& text) { messages << text; };
        plat::SetFileDialogRunner([this](const plat::FileDialogRequest& request) {
            ++dialogs;
            proposed = request.fileName;
            return answer;
        });
        TPenImage& surface = *frm->PenImage;
        surface.MouseDown(plat::MouseButton::Left, plat::ssLeft, 30, 40);
        surface.MouseMove(plat::ssLeft, 120, 90);
        surface.MouseUp(plat::MouseButton::Left, 0, 120, 90);
    }
    void TearDown() override {
        plat::SetFileDialogRunner({});
        frm.reset();
        AppStateTest::TearDown();
    }
    void Save() { frm->Commands->ActFileSaveExecute(*frm->Commands->ActFileSave); }

    QTemporaryDir folder;
    std::unique_ptr<TMainFrm> frm;
    std::optional<QString> answer;
    QString proposed;
    QStringList messages;
    int dialogs = 0;
};

TEST_F(PictureSaveTest, WritesThePagePictureUnderTheChosenName) {
    answer = folder.filePath("page.png");
    Save();
    EXPECT_EQ(dialogs, 1);
    EXPECT_TRUE(proposed.endsWith(".jpg")); // the default save type
    EXPECT_TRUE(messages.isEmpty());

    QImageReader reader(*answer);
    EXPECT_EQ(reader.format(), "png");
    const QImage image = reader.read();
    const plat::Bitmap& page = frm->PenImage->Bitmap;
    ASSERT_EQ(image.size(), QSize(page.Width(), page.Height()));
    bool inked = false;
    for (int32_t y = 0; y < page.Height(); ++y)
        for (int32_t x = 0; x < page.Width(); ++x) {
            const uint32_t want = page.Row32(y)[x] & 0xFFFFFF;
            ASSERT_EQ(image.pixel(x, y) & 0xFFFFFF, want) << x << "," << y;
            inked = inked || want != 0xFFFFFF;
        }
    EXPECT_TRUE(inked); // the stroke is in the file
}

TEST_F(PictureSaveTest, AFailedSaveShowsTheMessageAndLosesNothing) {
    const std::vector<uint32_t> before = Pixels(frm->PenImage->Bitmap);
    const int32_t elements = frm->PenImage->PenList->Count();
    answer = folder.filePath("no/such/folder/page.png");
    Save();
    ASSERT_EQ(messages.size(), 1);
    EXPECT_EQ(messages[0], QStringLiteral("Can't Save Image. Capacity is insufficient."));
    EXPECT_EQ(frm->PenImage->PenList->Count(), elements);
    EXPECT_EQ(Pixels(frm->PenImage->Bitmap), before);
}

TEST_F(PictureSaveTest, CancelWritesNothing) {
    answer.reset();
    Save();
    EXPECT_EQ(dialogs, 1);
    EXPECT_TRUE(messages.isEmpty());
    EXPECT_TRUE(QDir(folder.path()).isEmpty());
}

} // namespace
