#pragma once
// TAboutDlg: the About box. A fixed white box with a sky-blue band at the top holding the
// program icon, the name with the version of the program file, the maker and the
// acknowledgements; below the band a note and a link to the help page, and an OK button.

#include "platform/raster/Color.h"

#include <QDialog>
#include <QString>
#include <functional>

class QLabel;
class QPlainTextEdit;
class QPushButton;

class TAboutDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr int kClientWidth = 414;
    static constexpr int kClientHeight = 173;
    // The band's colour, 0x00BBGGRR.
    static constexpr plat::Color kBandColor = 0xF0CAA6;
    static inline const QString kFontFamily = QStringLiteral("メイリオ");
    static constexpr int kFontPoints = 9;
    static inline const QString kTitle = QStringLiteral("バージョン情報");
    // Label1's caption before the version text.
    static inline const QString kNameCaption = QStringLiteral("インクワード 筆順 ver");

    explicit TAboutDlg(QWidget* parent = nullptr);

    // The parts of the box, top to bottom.
    QWidget* Shape1 = nullptr;       // the band
    QLabel* Image1 = nullptr;        // the program icon
    QLabel* Label1 = nullptr;        // name and version
    QLabel* Label2 = nullptr;        // the maker
    QPlainTextEdit* Memo1 = nullptr; // acknowledgements
    QLabel* Label4 = nullptr;
    QLabel* Label5 = nullptr;
    QLabel* Label6 = nullptr; // the link
    QPushButton* BitBtn2 = nullptr;

    // What a click on Label6 opens: by default the help page in the default browser.
    // Returns false when nothing could be opened.
    std::function<bool()> OnLinkOpen;

    // The click on Label6: runs OnLinkOpen; when that fails, a message box (not waiting
    // for an answer) says so.
    void Label6Click();

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FormCreate();
    // Puts the box in the middle of the screen its owner is on (the primary screen when
    // it has none).
    void ScreenCentre();
};
