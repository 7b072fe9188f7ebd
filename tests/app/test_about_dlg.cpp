// The About box (layout, texts, link, OK), the program icon, and the help page written out
// for the browser.

#include "app/AboutDlg.h"
#include "app/HelpPage.h"
#include "app/ProgramIcon.h"
#include "platform/text/FontResolve.h"
#include "platform/ui/Browser.h"
#include "support/ScopedEnv.h"

#include <QApplication>
#include <QDateTime>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QStandardPaths>
#include <QStringDecoder>
#include <QTemporaryDir>
#include <QTimer>
#include <QUrl>
#include <gtest/gtest.h>

namespace {

// Receives the addresses the program asks the desktop to open, in place of a browser.
class UrlCatcher : public QObject {
    Q_OBJECT
public:
    QList<QUrl> urls;
public slots:
    void Open(const QUrl& url) { urls.append(url); }
};

// A private home and cache folder for the test, so that the user's own are never touched.
class PrivateHome {
public:
    QString Path() const { return dir_.path(); }

private:
    QTemporaryDir dir_;
    ScopedEnv home_{"HOME", dir_.path().toLocal8Bit()};
    ScopedEnv cache_{"XDG_CACHE_HOME", (dir_.path() + QStringLiteral("/cache")).toLocal8Bit()};
};

// Sends a press and a release of button at pos (the release at releasePos).
void Click(QWidget* widget, QPoint pos, Qt::MouseButton button, QPoint releasePos) {
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(pos), widget->mapToGlobal(QPointF(pos)),
                      button, button, Qt::NoModifier);
    QApplication::sendEvent(widget, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, QPointF(releasePos),
                        widget->mapToGlobal(QPointF(releasePos)), button, Qt::NoButton,
                        Qt::NoModifier);
    QApplication::sendEvent(widget, &release);
}

void Click(QWidget* widget) {
    const QPoint centre = widget->rect().center();
    Click(widget, centre, Qt::LeftButton, centre);
}

QColor ColorAt(const QImage& image, int x, int y) {
    return image.pixelColor(x, y);
}

// ---- The About box ----

class AboutDlgTest : public ::testing::Test {
protected:
    PrivateHome home_;
};

TEST_F(AboutDlgTest, CaptionsAreTheProgramsTexts) {
    TAboutDlg dlg;
    const QString version = QStringLiteral(INKWARDE_VERSION_TEXT);
    ASSERT_FALSE(version.isEmpty());
    EXPECT_EQ(dlg.Label1->text(), QStringLiteral("インクワード 筆順 ver") + version);
    EXPECT_TRUE(dlg.Label1->font().bold());
    EXPECT_EQ(dlg.Label2->text(), QStringLiteral("インクワード 筆順 開発チーム"));
    EXPECT_EQ(dlg.Label4->text(),
              QStringLiteral("インクワード 筆順 のバージョンアップや製品群などの最新情報に"));
    EXPECT_EQ(dlg.Label5->text(), QStringLiteral("関しては，以下のホームページをご覧ください"));
    EXPECT_EQ(dlg.Label6->text(), QStringLiteral("Tolvanexのホームページへ"));
    EXPECT_EQ(dlg.BitBtn2->text(), QStringLiteral("OK"));

    const QString thanks = dlg.Memo1->toPlainText();
    EXPECT_TRUE(thanks.contains(QStringLiteral("Qt 6")));
    EXPECT_TRUE(thanks.contains(QStringLiteral("LGPL")));
    EXPECT_TRUE(thanks.contains(QStringLiteral("IPAフォント")));
}

TEST_F(AboutDlgTest, FixedWhiteBoxOfItsSizeAndFont) {
    TAboutDlg dlg;
    EXPECT_EQ(dlg.size(), QSize(414, 173));
    EXPECT_EQ(dlg.minimumSize(), QSize(414, 173));
    EXPECT_EQ(dlg.maximumSize(), QSize(414, 173));
    EXPECT_TRUE(dlg.windowFlags().testFlag(Qt::MSWindowsFixedSizeDialogHint));
    EXPECT_FALSE(dlg.windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
    EXPECT_FALSE(dlg.windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
    EXPECT_EQ(dlg.font().pointSize(), 9);
    EXPECT_EQ(dlg.font().family(), plat::ResolveFontFamily(QStringLiteral("メイリオ")));
    EXPECT_EQ(dlg.palette().color(QPalette::Window), QColor(Qt::white));
}

TEST_F(AboutDlgTest, PartsSitWhereTheLayoutPutsThem) {
    TAboutDlg dlg;
    struct Part {
        const char* name;
        QWidget* widget;
        QRect rect; // an empty size: only the position is fixed (captions size to their text)
    };
    const Part parts[] = {
        {"Shape1", dlg.Shape1, QRect(0, 0, 414, 85)},
        {"Image1", dlg.Image1, QRect(17, 15, 48, 48)},
        {"Label1", dlg.Label1, QRect(81, 7, 0, 0)},
        {"Label2", dlg.Label2, QRect(81, 27, 0, 0)},
        {"Memo1", dlg.Memo1, QRect(81, 44, 324, 37)},
        {"Label4", dlg.Label4, QRect(28, 108, 0, 0)},
        {"Label5", dlg.Label5, QRect(28, 124, 0, 0)},
        {"Label6", dlg.Label6, QRect(28, 147, 0, 0)},
        {"BitBtn2", dlg.BitBtn2, QRect(326, 140, 80, 25)},
    };
    for (const Part& part : parts) {
        ASSERT_NE(part.widget, nullptr) << part.name;
        EXPECT_EQ(part.widget->parentWidget(), &dlg) << part.name;
        EXPECT_EQ(part.widget->pos(), part.rect.topLeft()) << part.name;
        if (!part.rect.size().isEmpty()) {
            EXPECT_EQ(part.widget->size(), part.rect.size()) << part.name;
        }
    }
    // Captions are as large as their text needs and stay inside the box.
    for (QLabel* label : {dlg.Label1, dlg.Label2, dlg.Label4, dlg.Label5, dlg.Label6}) {
        EXPECT_GE(label->width(), label->sizeHint().width()) << label->text().toStdString();
        EXPECT_LE(label->geometry().right(), 413) << label->text().toStdString();
    }
    // The link does not run into the OK button.
    EXPECT_FALSE(dlg.Label6->geometry().intersects(dlg.BitBtn2->geometry()));
}

TEST_F(AboutDlgTest, BandIsSkyBlueAndTheRestWhite) {
    TAboutDlg dlg;
    const QColor sky(0xA6, 0xCA, 0xF0);
    EXPECT_EQ(dlg.Shape1->palette().color(QPalette::Window), sky);
    const QImage shot = dlg.grab().toImage();
    ASSERT_EQ(shot.size() / shot.devicePixelRatio(), QSize(414, 173));
    const qreal r = shot.devicePixelRatio();
    const auto at = [&](int x, int y) {
        return ColorAt(shot, static_cast<int>(x * r), static_cast<int>(y * r));
    };
    EXPECT_EQ(at(3, 3), sky);
    EXPECT_EQ(at(410, 84), sky);
    EXPECT_EQ(at(3, 86), QColor(Qt::white));
    EXPECT_EQ(at(410, 172), QColor(Qt::white));
    // The acknowledgements sit on the band colour as well.
    EXPECT_EQ(dlg.Memo1->palette().color(QPalette::Base), sky);
    EXPECT_EQ(at(82, 80), sky);
}

TEST_F(AboutDlgTest, TextColoursAndTheLinksLook) {
    TAboutDlg dlg;
    const QColor navy(0x00, 0x00, 0x80);
    EXPECT_EQ(dlg.Label4->palette().color(QPalette::WindowText), navy);
    EXPECT_EQ(dlg.Label5->palette().color(QPalette::WindowText), navy);
    EXPECT_EQ(dlg.Label6->palette().color(QPalette::WindowText), QColor(0x00, 0x00, 0xFF));
    EXPECT_TRUE(dlg.Label6->font().underline());
    EXPECT_EQ(dlg.Label6->cursor().shape(), Qt::PointingHandCursor);

    EXPECT_TRUE(dlg.Memo1->isReadOnly());
    EXPECT_EQ(dlg.Memo1->frameShape(), QFrame::NoFrame);
    EXPECT_EQ(dlg.Memo1->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    EXPECT_LT(dlg.Memo1->font().pointSizeF(), dlg.font().pointSizeF());
    const QColor text = dlg.Memo1->palette().color(QPalette::Text);
    EXPECT_EQ(text.red(), text.green());
    EXPECT_EQ(text.green(), text.blue());
    EXPECT_GT(text.red(), 0x30);
    EXPECT_LT(text.red(), 0xC0);
}

TEST_F(AboutDlgTest, ImageIsTheProgramIconAt48) {
    TAboutDlg dlg;
    const QPixmap shown = dlg.Image1->pixmap();
    ASSERT_FALSE(shown.isNull());
    EXPECT_EQ(shown.deviceIndependentSize().toSize(), QSize(48, 48));
    EXPECT_EQ(shown.toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied),
              ProgramIconImage(48, shown.devicePixelRatio()));
}

TEST_F(AboutDlgTest, LinkClickRunsTheHookOnly) {
    TAboutDlg dlg;
    int calls = 0;
    dlg.OnLinkOpen = [&calls] {
        ++calls;
        return true;
    };
    Click(dlg.Label6);
    EXPECT_EQ(calls, 1);
    // Not clicks: another button, or the button let go outside the link.
    const QPoint inside = dlg.Label6->rect().center();
    Click(dlg.Label6, inside, Qt::RightButton, inside);
    Click(dlg.Label6, inside, Qt::LeftButton, QPoint(dlg.Label6->width() + 5, inside.y()));
    EXPECT_EQ(calls, 1);
    // Clicks elsewhere open nothing.
    Click(dlg.Label5);
    Click(dlg.Shape1);
    EXPECT_EQ(calls, 1);
    EXPECT_TRUE(dlg.findChildren<QMessageBox*>().isEmpty());
}

TEST_F(AboutDlgTest, LinkThatCannotOpenSaysSo) {
    TAboutDlg dlg;
    dlg.show();
    dlg.OnLinkOpen = [] { return false; };
    Click(dlg.Label6);
    const QList<QMessageBox*> boxes = dlg.findChildren<QMessageBox*>();
    ASSERT_EQ(boxes.size(), 1);
    EXPECT_TRUE(boxes.front()->isVisible());
    EXPECT_FALSE(boxes.front()->text().isEmpty());
    boxes.front()->close();

    // No hook at all is the same failure, not a crash.
    dlg.OnLinkOpen = nullptr;
    dlg.Label6Click();
    EXPECT_FALSE(dlg.findChildren<QMessageBox*>().isEmpty());
}

TEST_F(AboutDlgTest, LinkOpensTheHelpPageByDefault) {
    UrlCatcher catcher;
    QDesktopServices::setUrlHandler(QStringLiteral("file"), &catcher, "Open");
    {
        TAboutDlg dlg;
        Click(dlg.Label6);
    }
    QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
    ASSERT_EQ(catcher.urls.size(), 1);
    const QString path = catcher.urls.front().toLocalFile();
    EXPECT_TRUE(path.startsWith(home_.Path())) << path.toStdString();
    EXPECT_TRUE(path.endsWith(QStringLiteral("/help/index.html"))) << path.toStdString();
    EXPECT_TRUE(QFileInfo::exists(path));
}

TEST_F(AboutDlgTest, OkClosesTheModalBox) {
    TAboutDlg dlg;
    bool wasVisible = false;
    QTimer::singleShot(0, &dlg, [&] {
        wasVisible = dlg.isVisible() && dlg.isModal();
        dlg.BitBtn2->click();
    });
    EXPECT_EQ(dlg.exec(), QDialog::Accepted);
    EXPECT_TRUE(wasVisible);
    EXPECT_FALSE(dlg.isVisible());
}

TEST_F(AboutDlgTest, ShownInTheMiddleOfTheScreen) {
    TAboutDlg dlg;
    dlg.show();
    QApplication::processEvents();
    QScreen* screen = dlg.screen();
    ASSERT_NE(screen, nullptr);
    const QPoint want = screen->availableGeometry().center();
    const QPoint got = dlg.frameGeometry().center();
    EXPECT_LE(std::abs(got.x() - want.x()), 1);
    EXPECT_LE(std::abs(got.y() - want.y()), 1);
}

// ---- The program icon ----

struct IconCase {
    int size;
    qreal ratio;
};

TEST(ProgramIcon, EverySizeShowsThePageTheInkAndTheBrush) {
    const IconCase cases[] = {{16, 1}, {32, 1}, {48, 1}, {16, 2}, {32, 2}, {48, 2}};
    for (const IconCase& c : cases) {
        const QImage image = ProgramIconImage(c.size, c.ratio);
        const int px = static_cast<int>(c.size * c.ratio);
        const std::string label = std::to_string(c.size) + "@" + std::to_string(c.ratio);
        ASSERT_EQ(image.size(), QSize(px, px)) << label;
        EXPECT_EQ(image.deviceIndependentSize().toSize(), QSize(c.size, c.size)) << label;

        int red = 0, page = 0, dark = 0, clear = 0;
        for (int y = 0; y < px; ++y) {
            for (int x = 0; x < px; ++x) {
                const QColor colour = image.pixelColor(x, y);
                if (colour.alpha() == 0) {
                    ++clear;
                    continue;
                }
                if (colour.alpha() < 255) continue;
                if (colour.red() > 170 && colour.green() < 60 && colour.blue() < 60) ++red;
                if (colour.red() > 240 && colour.green() > 240 && colour.blue() > 230) ++page;
                if (colour.red() < 60 && colour.green() < 60 && colour.blue() < 60) ++dark;
            }
        }
        const int area = px * px;
        EXPECT_GT(red, area / 40) << label;   // the stroke and its disc
        EXPECT_GT(page, area / 4) << label;   // the light page
        EXPECT_GT(dark, 0) << label;          // the brush tip
        EXPECT_GT(clear, area / 20) << label; // a shaped icon, not a filled square
        EXPECT_EQ(image.pixelColor(0, px - 1).alpha(), 0) << label;
    }
}

TEST(ProgramIcon, PageOutlineIsACrispLine) {
    // Down the middle of the left edge: one opaque outline pixel, the page right beside it,
    // transparent space to its left; no blurred columns between them.
    for (const int px : {16, 32, 48, 96}) {
        const QImage image = ProgramIconImage(px);
        const int y = px * 40 / 48;
        int edge = -1;
        for (int x = 0; x < px / 4 && edge < 0; ++x)
            if (image.pixelColor(x, y).alpha() != 0) edge = x;
        ASSERT_GE(edge, 0) << px;
        const QColor outline = image.pixelColor(edge, y);
        const QColor inside = image.pixelColor(edge + 1, y);
        EXPECT_EQ(outline.alpha(), 255) << px;
        EXPECT_LT(outline.lightness(), 180) << px;
        EXPECT_EQ(inside.alpha(), 255) << px;
        EXPECT_GT(inside.lightness(), 240) << px;
    }
}

TEST(ProgramIcon, IconOffersTheSmallAndDoubleSizes) {
    const QIcon icon = ProgramIcon();
    ASSERT_FALSE(icon.isNull());
    const QList<QSize> sizes = icon.availableSizes();
    for (const int size : {16, 24, 32, 48, 64, 96})
        EXPECT_TRUE(sizes.contains(QSize(size, size))) << size;
    // The 16-pixel picture is drawn for 16 pixels, not scaled down from a larger one.
    EXPECT_EQ(icon.pixmap(QSize(16, 16), 1.0)
                  .toImage()
                  .convertToFormat(QImage::Format_ARGB32_Premultiplied),
              ProgramIconImage(16));
}

// ---- The help page ----

class HelpPageTest : public ::testing::Test {
protected:
    PrivateHome home_;

    void SetUp() override {
        // Everything below must happen inside the private home.
        const QString cache = QStandardPaths::writableLocation(QStandardPaths::CacheLocation);
        ASSERT_TRUE(cache.startsWith(home_.Path())) << cache.toStdString();
    }

    static QByteArray Read(const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    static void Write(const QString& path, const QByteArray& bytes) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        ASSERT_EQ(file.write(bytes), bytes.size());
    }
};

TEST_F(HelpPageTest, PageIsUtf8HtmlOnTheExpressKeys) {
    const QByteArray page = HelpPageContent();
    ASSERT_FALSE(page.isEmpty());
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = utf8(page);
    EXPECT_FALSE(utf8.hasError());
    EXPECT_TRUE(text.contains(QStringLiteral("<meta charset=\"utf-8\">")));
    for (const char* word : {"inkwarde-key", "F1", "F5", "筆順ペン", "ホワイトボード", "JPEG",
                             "PNG", "BMP", "蛍光ペン", "消しゴム", "全部消す"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(word))) << word;
    // A page of its own: no scripts, nothing fetched from elsewhere.
    EXPECT_FALSE(text.contains(QStringLiteral("<script"), Qt::CaseInsensitive));
    EXPECT_FALSE(text.contains(QStringLiteral("src="), Qt::CaseInsensitive));
    EXPECT_FALSE(text.contains(QStringLiteral("<link"), Qt::CaseInsensitive));
    EXPECT_FALSE(text.contains(QStringLiteral("url("), Qt::CaseInsensitive));
}

TEST_F(HelpPageTest, FileIsWrittenInTheUsersCache) {
    const QString path = HelpPageFile();
    ASSERT_FALSE(path.isEmpty());
    EXPECT_EQ(path, QStandardPaths::writableLocation(QStandardPaths::CacheLocation) +
                        QStringLiteral("/help/index.html"));
    EXPECT_TRUE(QFileInfo(path).isAbsolute());
    const QByteArray written = Read(path);
    EXPECT_EQ(written, HelpPageContent());
    EXPECT_TRUE(written.contains("inkwarde-key"));
    EXPECT_TRUE(written.contains("F1"));
}

TEST_F(HelpPageTest, UnchangedFileIsLeftAlone) {
    const QString path = HelpPageFile();
    ASSERT_FALSE(path.isEmpty());
    const QDateTime old = QDateTime::currentDateTimeUtc().addDays(-3);
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        ASSERT_TRUE(file.setFileTime(old, QFileDevice::FileModificationTime));
    }
    EXPECT_EQ(HelpPageFile(), path);
    EXPECT_LE(std::abs(QFileInfo(path).lastModified().secsTo(old)), 1);
}

TEST_F(HelpPageTest, ChangedOrMissingFileIsWrittenAgain) {
    const QString path = HelpPageFile();
    ASSERT_FALSE(path.isEmpty());
    const QByteArray page = HelpPageContent();
    const QByteArray changes[] = {
        QByteArray("<html>old page</html>"), QByteArray(),
        page + "tail",    // the page with more after it
        page.chopped(10), // the page cut short
    };
    for (const QByteArray& change : changes) {
        Write(path, change);
        EXPECT_EQ(HelpPageFile(), path);
        EXPECT_EQ(Read(path), page) << change.size();
    }
    ASSERT_TRUE(QFile::remove(path));
    EXPECT_EQ(HelpPageFile(), path);
    EXPECT_EQ(Read(path), page);
    ASSERT_TRUE(QDir(QFileInfo(path).path()).removeRecursively());
    EXPECT_EQ(HelpPageFile(), path);
    EXPECT_EQ(Read(path), page);
}

TEST_F(HelpPageTest, UnwritableCacheGivesEmptyAndOpensNothing) {
    // The cache folder would lie below a plain file: it cannot be created, not even by root.
    const QString blocker = home_.Path() + QStringLiteral("/blocker");
    Write(blocker, "x");
    qputenv("XDG_CACHE_HOME", (blocker + QStringLiteral("/cache")).toLocal8Bit());
    UrlCatcher catcher;
    QDesktopServices::setUrlHandler(QStringLiteral("file"), &catcher, "Open");
    EXPECT_TRUE(HelpPageFile().isEmpty());
    EXPECT_FALSE(HelpPageOpen());
    QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
    EXPECT_TRUE(catcher.urls.isEmpty());
}

TEST_F(HelpPageTest, OpenHandsThePageToTheBrowser) {
    UrlCatcher catcher;
    QDesktopServices::setUrlHandler(QStringLiteral("file"), &catcher, "Open");
    const bool opened = HelpPageOpen();
    QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
    EXPECT_TRUE(opened);
    ASSERT_EQ(catcher.urls.size(), 1);
    EXPECT_EQ(catcher.urls.front(), QUrl::fromLocalFile(HelpPageFile()));
}

TEST(OpenInBrowser, EmptyOrInvalidAddressIsRefused) {
    UrlCatcher catcher;
    QDesktopServices::setUrlHandler(QStringLiteral("http"), &catcher, "Open");
    EXPECT_FALSE(plat::OpenInBrowser(QUrl()));
    EXPECT_FALSE(plat::OpenInBrowser(QUrl(QStringLiteral("http://[::1"))));
    EXPECT_TRUE(plat::OpenInBrowser(QUrl(QStringLiteral("http://localhost/"))));
    QDesktopServices::unsetUrlHandler(QStringLiteral("http"));
    ASSERT_EQ(catcher.urls.size(), 1);
    EXPECT_EQ(catcher.urls.front(), QUrl(QStringLiteral("http://localhost/")));
}

} // namespace

#include "test_about_dlg.moc"
