#include "settings/ToolPictures.h"

#include "platform/raster/Bitmap.h"
#include "platform/raster/Canvas.h"
#include "settings/ToolIcons.h"

#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <array>
#include <cmath>
#include <functional>
#include <numbers>
#include <vector>

namespace {

using plat::Bitmap;
using plat::Color;
using plat::TImageList;

// A picture is drawn once in an 18 x 18 unit space (pixel (x, y) is the square from
// (x, y) to (x + 1, y + 1)) and rendered at any scale.
using TDrawing = std::function<void(QPainter&)>;

constexpr Color kCyan = 0xFFFF00;
// Stripe order of the rainbow pictures (0x00BBGGRR): magenta, red, yellow, green, cyan, blue.
constexpr std::array<Color, 6> kRainbow{0xFF00FF, 0x0000FF, 0x00FFFF, 0x00FF00, 0xFFFF00, 0xFF0000};

QColor Hex(unsigned rgb) {
    return QColor((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
}

QImage Render(const TDrawing& draw, int scale) {
    QImage image(kIconSize * scale, kIconSize * scale, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.scale(scale, scale);
    draw(p);
    p.end();
    return image;
}

// The 1x form of a drawing as list pixels on olive: pixels at least half covered are
// opaque in their own colour, so edges stay hard and never blend into the key colour.
void ToPicture(const QImage& image, Bitmap& picture) {
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    picture.SetSize(argb.width(), argb.height());
    for (int y = 0; y < argb.height(); ++y) {
        const auto* src = reinterpret_cast<const QRgb*>(argb.constScanLine(y));
        uint32_t* dst = picture.Row32(y);
        for (int x = 0; x < argb.width(); ++x) {
            Color c = kOlive;
            if (qAlpha(src[x]) >= 128) {
                c = plat::Rgb(qRed(src[x]), qGreen(src[x]), qBlue(src[x]));
                if (c == kOlive) c = kOlive + 1; // olive itself would turn transparent
            }
            dst[x] = plat::ColorToPixel32(c);
        }
    }
}

void SetPixel(Bitmap& picture, int x, int y, Color c) {
    if (x >= 0 && y >= 0 && x < picture.Width() && y < picture.Height())
        picture.Row32(y)[x] = plat::ColorToPixel32(c);
}

void LoadFixed(TImageList& list, int32_t slot, const TDrawing& draw) {
    Bitmap picture;
    ToPicture(Render(draw, 1), picture);
    list.ReplaceMasked(slot, picture, kOlive);
    list.SetHighDensity(slot, Render(draw, 2));
}

QPen Line(const QColor& c, double width = 1.0) {
    QPen pen(c, width);
    pen.setJoinStyle(Qt::RoundJoin);
    pen.setCapStyle(Qt::RoundCap);
    return pen;
}

const QColor kOutline = Hex(0x2B2B30);

// ---- Base pictures: pen and highlighter -------------------------------------------------

// The pen lies from the upper right to its tip at pixel (1, 15); tip and stroke are set
// pixel by pixel afterwards, where the painters recolour them.
void DrawPenBody(QPainter& p) {
    p.save();
    p.translate(1.3, 15.7);
    p.rotate(-45);
    // Cone (metal) from the nib to the barrel.
    QPainterPath cone;
    cone.moveTo(2.2, -0.9);
    cone.lineTo(6.0, -2.2);
    cone.lineTo(6.0, 2.2);
    cone.lineTo(2.2, 0.9);
    cone.closeSubpath();
    p.setPen(Line(kOutline, 0.8));
    p.setBrush(Hex(0xC9CED6));
    p.drawPath(cone);
    // Barrel with a light edge and a clip.
    QLinearGradient barrel(0, -2.2, 0, 2.2);
    barrel.setColorAt(0, Hex(0x7D8CA8));
    barrel.setColorAt(0.45, Hex(0x3F5378));
    barrel.setColorAt(1, Hex(0x26324A));
    p.setBrush(barrel);
    p.drawRoundedRect(QRectF(6.0, -2.2, 13.0, 4.4), 1.0, 1.0);
    p.setPen(Line(Hex(0xB8BEC8), 0.9));
    p.drawLine(QPointF(13.5, -2.6), QPointF(17.5, -2.6));
    p.restore();
}

void DrawMarkerBody(QPainter& p) {
    p.save();
    p.translate(2.4, 14.3);
    p.rotate(-45);
    p.setPen(Line(kOutline, 0.8));
    // Collar behind the chisel tip.
    p.setBrush(Hex(0x8A8F98));
    p.drawRect(QRectF(1.6, -2.6, 3.0, 5.2));
    // Body.
    QLinearGradient body(0, -3.4, 0, 3.4);
    body.setColorAt(0, Hex(0xFAFAFA));
    body.setColorAt(0.5, Hex(0xDCDFE4));
    body.setColorAt(1, Hex(0xA9AEB8));
    p.setBrush(body);
    p.drawRoundedRect(QRectF(4.6, -3.4, 11.6, 6.8), 1.6, 1.6);
    // Grip band.
    p.setPen(Qt::NoPen);
    p.setBrush(Hex(0x6C7380));
    p.drawRect(QRectF(6.2, -3.0, 1.2, 6.0));
    p.restore();
}

// Colour of stroke pixel x of a rainbow stroke that runs over columns first..last.
Color RainbowAt(int x, int first, int last) {
    const int n = last - first + 1;
    const int i = (x - first) * static_cast<int>(kRainbow.size()) / n;
    return kRainbow[static_cast<size_t>(std::clamp(i, 0, 5))];
}

void PenPicture(bool rainbow, Bitmap& picture) {
    ToPicture(Render(DrawPenBody, 1), picture);
    for (int x = 0; x < kIconSize; ++x) {
        SetPixel(picture, x, 16, kOlive);
        SetPixel(picture, x, 17, kOlive);
    }
    // Tip: (2, 14), (1, 15); stroke: row 16, columns 2..16.
    SetPixel(picture, 2, 14, rainbow ? kRainbow[0] : kCyan);
    SetPixel(picture, 1, 15, rainbow ? kRainbow[1] : kCyan);
    SetPixel(picture, 0, 15, kOlive);
    SetPixel(picture, 0, 16, kOlive);
    for (int x = 2; x <= 16; ++x) SetPixel(picture, x, 16, rainbow ? RainbowAt(x, 2, 16) : kCyan);
}

void MarkerPicture(bool rainbow, Bitmap& picture) {
    ToPicture(Render(DrawMarkerBody, 1), picture);
    for (int y = 15; y < kIconSize; ++y)
        for (int x = 0; x < kIconSize; ++x) SetPixel(picture, x, y, kOlive);
    // The chisel tip: the three short diagonals of the painter.
    struct P {
        int x, y;
    };
    constexpr std::array<P, 7> tip{{{3, 13}, {2, 14}, {1, 15}, {3, 14}, {2, 15}, {4, 14}, {3, 15}}};
    for (size_t i = 0; i < tip.size(); ++i)
        SetPixel(picture, tip[i].x, tip[i].y, rainbow ? kRainbow[i % 2] : kCyan);
    // Stroke: row 15, columns 5..17; row 16, columns 4..17.
    for (int x = 5; x < kIconSize; ++x)
        SetPixel(picture, x, 15, rainbow ? RainbowAt(x, 4, 17) : kCyan);
    for (int x = 4; x < kIconSize; ++x)
        SetPixel(picture, x, 16, rainbow ? RainbowAt(x, 4, 17) : kCyan);
}

// ---- Base pictures: colour balls ---------------------------------------------------------

// The footprint of a ball: the pixels the shaded ball of any other colour covers, so that
// a pre-drawn ball under it never peeks out.
std::vector<bool> BallFootprint() {
    Bitmap probe;
    probe.SetSize(kIconSize, kIconSize);
    TImageList scratch(kIconSize, kIconSize, kBaseListCount);
    probe.GetCanvas().brush = plat::Brush{kOlive, plat::BrushStyle::Solid};
    probe.GetCanvas().FillRect(plat::Rect{0, 0, kIconSize, kIconSize});
    // Painted over an empty (olive) base, the ball's own pixels are what is opaque.
    scratch.ReplaceMasked(kBaseBallCyan, probe, kOlive);
    TImageList out(kIconSize, kIconSize, 1);
    ColorIconPaint(0x123456, 0, out, scratch);
    std::vector<bool> footprint(static_cast<size_t>(kIconSize) * kIconSize);
    for (int y = 0; y < kIconSize; ++y)
        for (int x = 0; x < kIconSize; ++x)
            footprint[static_cast<size_t>(y) * kIconSize + x] = out.Opaque(0, x, y);
    return footprint;
}

// A lit sphere: light from the upper left, a soft highlight, darker towards the lower right.
Color BallShade(Color base, int x, int y) {
    const double cx = 7.5;
    const double cy = 7.5;
    const double r = 7.2;
    const double dx = (x + 0.5 - cx) / r;
    const double dy = (y + 0.5 - cy) / r;
    const double dz = std::sqrt(std::max(0.0, 1.0 - dx * dx - dy * dy));
    const double lx = -0.45, ly = -0.55, lz = 0.70;
    const double diffuse = std::max(0.0, dx * lx + dy * ly + dz * lz);
    const double light = 0.45 + 0.62 * diffuse;
    const double hx = (x + 0.5) - 5.2, hy = (y + 0.5) - 4.8;
    const double specular = std::exp(-(hx * hx + hy * hy) / 3.2) * 0.75;
    const auto part = [&](int v) {
        const double lit = v * light + 255.0 * specular;
        return std::clamp(static_cast<int>(std::lround(lit)), 0, 255);
    };
    return plat::Rgb(part(plat::RedOf(base)), part(plat::GreenOf(base)), part(plat::BlueOf(base)));
}

void BallPicture(const std::vector<bool>& footprint, const std::function<Color(int, int)>& baseAt,
                 Bitmap& picture) {
    picture.SetSize(kIconSize, kIconSize);
    for (int y = 0; y < kIconSize; ++y)
        for (int x = 0; x < kIconSize; ++x) {
            const bool inside = footprint[static_cast<size_t>(y) * kIconSize + x];
            Color c = inside ? BallShade(baseAt(x, y), x, y) : kOlive;
            if (inside && c == kOlive) c = kOlive + 1;
            SetPixel(picture, x, y, c);
        }
}

// Six sectors around the centre, magenta at the top, clockwise.
Color RainbowSector(int x, int y) {
    const double a = std::atan2((x + 0.5) - 7.5, -((y + 0.5) - 7.5)); // 0 at the top
    const double turn = (a < 0 ? a + 2 * std::numbers::pi : a) / (2 * std::numbers::pi);
    return kRainbow[static_cast<size_t>(std::min(5, static_cast<int>(turn * 6)))];
}

// ---- Dialog: the rainbow swatch ----------------------------------------------------------

void RainbowSwatch(Bitmap& picture) {
    // Red, magenta, yellow, green, cyan, blue in diagonal stripes, in a transparent frame.
    constexpr std::array<Color, 6> stripes{0x0000FF, 0xFF00FF, 0x00FFFF,
                                           0x00FF00, 0xFFFF00, 0xFF0000};
    picture.SetSize(kSwatchWidth, kIconSize);
    for (int y = 0; y < kIconSize; ++y)
        for (int x = 0; x < kSwatchWidth; ++x) {
            const bool frame = x == 0 || y == 0 || x == kSwatchWidth - 1 || y == kIconSize - 1;
            const int j = (x + y) / 6;
            SetPixel(picture, x, y, frame ? kOlive : stripes[static_cast<size_t>(j % 6)]);
        }
}

// ---- Fixed pictures ----------------------------------------------------------------------

void DrawPage(QPainter& p, const QRectF& r) {
    const double fold = 3.0;
    QPainterPath page;
    page.moveTo(r.left(), r.top());
    page.lineTo(r.right() - fold, r.top());
    page.lineTo(r.right(), r.top() + fold);
    page.lineTo(r.right(), r.bottom());
    page.lineTo(r.left(), r.bottom());
    page.closeSubpath();
    p.setPen(Line(Hex(0x5A5F66), 1.0));
    p.setBrush(Hex(0xFFFFFF));
    p.drawPath(page);
    QPainterPath corner;
    corner.moveTo(r.right() - fold, r.top());
    corner.lineTo(r.right() - fold, r.top() + fold);
    corner.lineTo(r.right(), r.top() + fold);
    p.setBrush(Hex(0xD5D9DF));
    p.drawPath(corner);
}

void DrawEraseAll(QPainter& p) {
    DrawPage(p, QRectF(3.5, 1.5, 11.0, 15.0));
    p.setPen(Line(Hex(0x7FA7D9), 1.0));
    p.drawLine(QPointF(5.5, 5.5), QPointF(10.5, 5.5));
    p.drawLine(QPointF(5.5, 8.5), QPointF(12.5, 8.5));
    p.drawLine(QPointF(5.5, 11.5), QPointF(11.5, 11.5));
    p.setPen(Line(Hex(0xD62828), 2.2));
    p.drawLine(QPointF(5.0, 5.0), QPointF(13.5, 14.5));
    p.drawLine(QPointF(13.5, 5.0), QPointF(5.0, 14.5));
}

// An eraser block lying diagonally, with a disc at the lower left as large as it erases.
void DrawEraser(QPainter& p, double disc) {
    p.save();
    p.translate(10.6, 7.4);
    p.rotate(-40);
    p.setPen(Line(kOutline, 0.9));
    p.setBrush(Hex(0xFFFFFF));
    p.drawRoundedRect(QRectF(-6.5, -3.0, 13.0, 6.0), 1.2, 1.2);
    p.setBrush(Hex(0x2F6FD0)); // paper sleeve
    p.drawRect(QRectF(-1.0, -3.0, 7.5, 6.0));
    p.setPen(Qt::NoPen);
    p.setBrush(Hex(0xF2F2F2));
    p.drawRect(QRectF(1.0, -1.0, 3.5, 2.0));
    p.restore();
    p.setPen(Line(kOutline, 0.9));
    p.setBrush(Hex(0xE14A6A));
    const QPointF c(4.0, 14.0);
    p.drawEllipse(c, disc / 2, disc / 2);
}

QPainterPath ArrowPath(bool right) {
    // A broad arrow pointing left; mirrored for right.
    QPainterPath path;
    path.moveTo(1.5, 9.0);
    path.lineTo(8.5, 2.5);
    path.lineTo(8.5, 6.0);
    path.lineTo(16.0, 6.0);
    path.lineTo(16.0, 12.0);
    path.lineTo(8.5, 12.0);
    path.lineTo(8.5, 15.5);
    path.closeSubpath();
    if (right) path = QTransform(-1, 0, 0, 1, 18, 0).map(path);
    return path;
}

void DrawArrow(QPainter& p, bool right) {
    QLinearGradient fill(0, 2.5, 0, 15.5);
    fill.setColorAt(0, Hex(0x7ED36B));
    fill.setColorAt(1, Hex(0x2E8B2E));
    p.setPen(Line(Hex(0x1F5E1F), 1.0));
    p.setBrush(fill);
    p.drawPath(ArrowPath(right));
}

void DrawWhiteboard(QPainter& p) {
    p.setPen(Line(Hex(0x6B6F76), 1.2));
    p.drawLine(QPointF(5.0, 13.0), QPointF(3.0, 17.0));
    p.drawLine(QPointF(13.0, 13.0), QPointF(15.0, 17.0));
    p.setPen(Line(Hex(0x6B6F76), 1.0));
    p.setBrush(Hex(0xFFFFFF));
    p.drawRect(QRectF(1.5, 2.5, 15.0, 10.5));
    p.setPen(Line(Hex(0x2F6FD0), 1.0));
    p.setBrush(Qt::NoBrush);
    QPainterPath squiggle;
    squiggle.moveTo(4.0, 9.5);
    squiggle.cubicTo(5.5, 4.5, 7.0, 10.5, 9.0, 6.5);
    squiggle.cubicTo(10.5, 4.0, 12.0, 9.5, 14.0, 6.0);
    p.drawPath(squiggle);
    p.setPen(Line(Hex(0xD62828), 1.0));
    p.drawLine(QPointF(11.5, 11.0), QPointF(14.5, 11.0));
}

// The word page: a sheet with a writing square, its dashed guide cross and a grey
// character over which a red stroke is written.
void DrawWordPage(QPainter& p) {
    DrawPage(p, QRectF(2.5, 1.5, 13.0, 15.0));
    QPen guide(Hex(0xE39A9A), 1.0);
    guide.setDashPattern({1.0, 1.0});
    p.setPen(guide);
    p.drawLine(QPointF(9.0, 4.0), QPointF(9.0, 15.0));
    p.drawLine(QPointF(4.0, 9.5), QPointF(14.0, 9.5));
    p.setPen(Line(Hex(0x9A9EA5), 1.6));
    p.drawLine(QPointF(5.5, 7.0), QPointF(12.5, 7.0));
    p.drawLine(QPointF(5.0, 12.5), QPointF(13.0, 12.5));
    p.drawLine(QPointF(9.0, 4.5), QPointF(9.0, 12.5));
    p.setPen(Line(Hex(0xD62828), 1.6));
    p.drawLine(QPointF(5.5, 7.0), QPointF(12.0, 7.0));
}

// The stroke-order pen: a writing brush and the number disc of a first stroke.
void DrawFude(QPainter& p) {
    p.save();
    p.translate(3.2, 15.2);
    p.rotate(-45);
    p.setPen(Line(kOutline, 0.8));
    QLinearGradient handle(0, -1.6, 0, 1.6);
    handle.setColorAt(0, Hex(0xE2B77A));
    handle.setColorAt(1, Hex(0x9A6A32));
    p.setBrush(handle);
    p.drawRoundedRect(QRectF(5.2, -1.5, 12.5, 3.0), 1.0, 1.0);
    p.setBrush(Hex(0x3A3A3A)); // ferrule
    p.drawRect(QRectF(4.0, -1.8, 1.6, 3.6));
    QPainterPath bristles;
    bristles.moveTo(4.0, -1.9);
    bristles.cubicTo(2.0, -1.9, 0.6, -0.6, -1.0, 0.0);
    bristles.cubicTo(0.6, 0.6, 2.0, 1.9, 4.0, 1.9);
    bristles.closeSubpath();
    p.setBrush(Hex(0x111111));
    p.drawPath(bristles);
    p.restore();
    // Number disc "1".
    p.setPen(Line(Hex(0x8C1010), 0.8));
    p.setBrush(Hex(0xE02424));
    p.drawEllipse(QPointF(5.0, 5.0), 4.3, 4.3);
    p.setPen(Line(Hex(0xFFFFFF), 1.2));
    p.drawLine(QPointF(5.3, 2.6), QPointF(5.3, 7.6));
    p.drawLine(QPointF(5.3, 2.6), QPointF(4.0, 3.8));
}

// A curved arrow turning back to the left (undo); mirrored for redo.
void DrawTurnArrow(QPainter& p, bool redo) {
    p.save();
    if (redo) p.setTransform(QTransform(-1, 0, 0, 1, 18, 0), true);
    QPainterPath arc;
    arc.moveTo(14.5, 15.0);
    arc.cubicTo(16.5, 9.0, 13.5, 5.0, 8.0, 5.0);
    arc.lineTo(6.5, 5.0);
    p.setPen(Line(Hex(0x1F3F7A), 4.0));
    p.setBrush(Qt::NoBrush);
    p.drawPath(arc);
    p.setPen(Line(Hex(0x4E8BE0), 2.2));
    p.drawPath(arc);
    QPainterPath head;
    head.moveTo(1.0, 5.0);
    head.lineTo(7.5, 0.5);
    head.lineTo(7.5, 9.5);
    head.closeSubpath();
    p.setPen(Line(Hex(0x1F3F7A), 0.9));
    p.setBrush(Hex(0x4E8BE0));
    p.drawPath(head);
    p.restore();
}

void DrawLasso(QPainter& p) {
    // The loop: a dashed rope, light under dark so it shows on any background.
    p.setBrush(Qt::NoBrush);
    p.setPen(Line(Hex(0xFFFFFF), 1.6));
    const QRectF loop(2.0, 1.5, 14.0, 9.5);
    p.drawEllipse(loop);
    QPen rope(Hex(0x202024), 1.6);
    rope.setDashPattern({1.6, 1.2});
    p.setPen(rope);
    p.drawEllipse(loop);
    // The knot and the tail.
    p.setPen(Line(Hex(0x7A4A1E), 1.5));
    QPainterPath tail;
    tail.moveTo(5.0, 10.0);
    tail.cubicTo(3.0, 12.5, 7.5, 13.5, 5.5, 15.5);
    tail.cubicTo(4.8, 16.3, 3.5, 16.8, 2.0, 16.8);
    p.drawPath(tail);
    p.setPen(Line(Hex(0x5A3412), 0.9));
    p.setBrush(Hex(0xC48A4E));
    p.drawEllipse(QPointF(5.0, 10.0), 1.6, 1.6);
}

} // namespace

void ToolPicturesLoad(TImageList& mainList, TImageList& baseList, TImageList& dialogList) {
    // Base list.
    Bitmap picture;
    MarkerPicture(false, picture);
    baseList.ReplaceMasked(kBaseMarker, picture, kOlive);
    PenPicture(false, picture);
    baseList.ReplaceMasked(kBasePen, picture, kOlive);
    MarkerPicture(true, picture);
    baseList.ReplaceMasked(kBaseMarkerRainbow, picture, kOlive);
    PenPicture(true, picture);
    baseList.ReplaceMasked(kBasePenRainbow, picture, kOlive);
    const std::vector<bool> footprint = BallFootprint();
    BallPicture(footprint, RainbowSector, picture);
    baseList.ReplaceMasked(kBaseBallRainbow, picture, kOlive);
    // Cyan, blue, black, magenta, green, red, yellow, white; black and white are drawn a
    // little off so that the light and the shade show.
    constexpr std::array<Color, 8> balls{0xFFFF00, 0xFF0000, 0x303030, 0xFF00FF,
                                         0x00D000, 0x0000FF, 0x00FFFF, 0xF4F4F4};
    for (size_t i = 0; i < balls.size(); ++i) {
        BallPicture(
            footprint, [&](int, int) { return balls[i]; }, picture);
        baseList.ReplaceMasked(kBaseBallCyan + static_cast<int32_t>(i), picture, kOlive);
    }

    RainbowSwatch(picture);
    dialogList.ReplaceMasked(kDialogSlotRainbow, picture, kOlive);

    // Main list: fixed pictures.
    LoadFixed(mainList, kSlotEraseAll, DrawEraseAll);
    constexpr std::array<double, 3> discs{3.0, 5.0, 7.0};
    for (int32_t i = 0; i < 3; ++i)
        LoadFixed(mainList, kSlotEraser1 + i,
                  [d = discs[static_cast<size_t>(i)]](QPainter& p) { DrawEraser(p, d); });
    const Bitmap empty;
    for (int32_t slot = 13; slot <= 17; ++slot) mainList.Replace(slot, empty, {});
    LoadFixed(mainList, kSlotPrevWord, [](QPainter& p) { DrawArrow(p, false); });
    LoadFixed(mainList, kSlotNextWord, [](QPainter& p) { DrawArrow(p, true); });
    LoadFixed(mainList, kSlotWhiteboard, DrawWhiteboard);
    LoadFixed(mainList, kSlotWordPage, DrawWordPage);
    LoadFixed(mainList, kSlotFude, DrawFude);
    LoadFixed(mainList, kSlotUndo, [](QPainter& p) { DrawTurnArrow(p, false); });
    LoadFixed(mainList, kSlotRedo, [](QPainter& p) { DrawTurnArrow(p, true); });
    LoadFixed(mainList, kSlotLasso, DrawLasso);
}
