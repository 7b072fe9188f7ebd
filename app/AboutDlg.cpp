#include "app/AboutDlg.h"

#include "app/HelpPage.h"
#include "app/ProgramIcon.h"
#include "platform/text/FontResolve.h"
#include "settings/PlatformHelpers.h"

#include <QGuiApplication>
#include <QLabel>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>

namespace {

QColor ToQColor(plat::Color color) {
    return QColor(plat::RedOf(color), plat::GreenOf(color), plat::BlueOf(color));
}

const QColor kNavy(0x00, 0x00, 0x80);
const QColor kBlue(0x00, 0x00, 0xFF);
const QColor kGrey(0x60, 0x60, 0x60);

const QString kMaker = QStringLiteral("インクワード 筆順 開発チーム");
const QString kAcknowledgements = QStringLiteral(
    "このプログラムは Qt 6（© The Qt Company Ltd. ほか）を GNU LGPL v3 のもとで使用して"
    "います。\n"
    "手本の文字には IPAフォント（IPA明朝・IPAゴシック、© 独立行政法人 情報処理推進機構 "
    "(IPA)）を IPAフォントライセンス v1.0 のもとで使用しています。");
const QString kNote1 =
    QStringLiteral("インクワード 筆順 のバージョンアップや製品群などの最新情報に");
const QString kNote2 = QStringLiteral("関しては，以下のホームページをご覧ください");
const QString kLink = QStringLiteral("Tolvanexのホームページへ");
const QString kLinkFailed = QStringLiteral("ヘルプページを開けませんでした。");

// A caption of its text's size at (x, y), in the given colour.
QLabel* CaptionCreate(QWidget* parent, const QString& text, int x, int y, const QColor& color) {
    auto* label = new QLabel(text, parent);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, color);
    label->setPalette(palette);
    label->move(x, y);
    label->adjustSize();
    return label;
}

} // namespace

TAboutDlg::TAboutDlg(QWidget* parent) : QDialog(parent) {
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    setWindowTitle(kTitle);
    setWindowIcon(ProgramIcon());
    setFixedSize(kClientWidth, kClientHeight);
    setFont(QFont(plat::ResolveFontFamily(kFontFamily), kFontPoints));
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);
    setAutoFillBackground(true);

    OnLinkOpen = [] { return HelpPageOpen(); };
    FormCreate();
}

void TAboutDlg::FormCreate() {
    const QColor band = ToQColor(kBandColor);

    // The band: a plain filled area without an outline; the parts on it are created after
    // it and so lie above it.
    Shape1 = new QWidget(this);
    Shape1->setGeometry(0, 0, kClientWidth, 85);
    QPalette bandPalette = Shape1->palette();
    bandPalette.setColor(QPalette::Window, band);
    Shape1->setPalette(bandPalette);
    Shape1->setAutoFillBackground(true);

    Image1 = new QLabel(this);
    Image1->setGeometry(17, 15, 48, 48);
    Image1->setPixmap(ProgramIconPixmap(48, devicePixelRatioF()));

    Label1 = CaptionCreate(this, kNameCaption + ExeVersionGet(), 81, 7, Qt::black);
    QFont bold = font();
    bold.setBold(true);
    Label1->setFont(bold);
    Label1->adjustSize();

    Label2 = CaptionCreate(this, kMaker, 81, 27, Qt::black);

    Memo1 = new QPlainTextEdit(this);
    Memo1->setGeometry(81, 44, 324, 37);
    Memo1->setReadOnly(true);
    Memo1->setFrameShape(QFrame::NoFrame);
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Memo1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Memo1->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    QFont small = font();
    small.setPointSizeF(kFontPoints - 1.5);
    Memo1->setFont(small);
    QPalette memoPalette = Memo1->palette();
    memoPalette.setColor(QPalette::Base, band);
    memoPalette.setColor(QPalette::Text, kGrey);
    Memo1->setPalette(memoPalette);
    Memo1->setPlainText(kAcknowledgements);

    Label4 = CaptionCreate(this, kNote1, 28, 108, kNavy);
    Label5 = CaptionCreate(this, kNote2, 28, 124, kNavy);

    Label6 = CaptionCreate(this, kLink, 28, 147, kBlue);
    QFont underlined = font();
    underlined.setUnderline(true);
    Label6->setFont(underlined);
    Label6->adjustSize();
    Label6->setCursor(Qt::PointingHandCursor);
    Label6->installEventFilter(this);

    BitBtn2 = new QPushButton(QStringLiteral("OK"), this);
    BitBtn2->setGeometry(326, 140, 80, 25);
    BitBtn2->setDefault(true);
    connect(BitBtn2, &QPushButton::clicked, this, &QDialog::accept);
}

void TAboutDlg::Label6Click() {
    if (OnLinkOpen && OnLinkOpen()) return;
    auto* box = new QMessageBox(QMessageBox::Warning, kTitle, kLinkFailed, QMessageBox::Ok, this);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open();
}

bool TAboutDlg::eventFilter(QObject* watched, QEvent* event) {
    // A click: the left button let go over the link (the release goes to the widget the
    // press was on, so the press was on the link too).
    if (watched == Label6 && event->type() == QEvent::MouseButtonRelease) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton &&
            Label6->rect().contains(mouse->position().toPoint())) {
            Label6Click();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TAboutDlg::showEvent(QShowEvent* event) {
    ScreenCentre();
    QDialog::showEvent(event);
}

void TAboutDlg::ScreenCentre() {
    QScreen* screen = parentWidget() ? parentWidget()->screen() : nullptr;
    if (!screen) screen = QGuiApplication::primaryScreen();
    if (!screen) return;
    QRect frame = frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    move(frame.topLeft());
}
