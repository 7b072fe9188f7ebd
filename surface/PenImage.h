#pragma once
// TPenImage: the drawing surface. It owns the picture layers, composes them into the
// picture that is shown and saved, turns pointer input into recorded and rendered strokes,
// replays stroke lists and draws stroke-order numbers.
//
// Layers (all sw x sh unless noted):
//   BBitmap  32-bit background (word template or whiteboard), never touched by ink
//   PBitmap  32-bit ink colour per pixel; 0x7F7F7F means "no ink"
//   ABitmap  8-bit ink coverage at twice the resolution, (2sw+2) x (2sh+2), grey palette;
//            picture pixel (x, y) is centred on coverage pixel (2x+1, 2y+1)
//   Bitmap   32-bit composite: background with ink blended in
//
// The implementation is split by concern:
//   surface/PenImageLayers.cpp   layers, composition, view mapping and display
//   surface/PenImageRender.cpp   drawing ink into the layers
//   surface/PenImageInput.cpp    tool modes, pointer gestures, cursors
//   strokes/PenImageOrder.cpp    stroke-order numbers
//   strokes/PenImageReplay.cpp   replay of a stroke list
//   strokes/PenImageExport.cpp   saving the picture to an image file

#include "platform/raster/Bitmap.h"
#include "platform/raster/Geometry.h"
#include "platform/ui/ImageControl.h"
#include "platform/ui/Input.h"

#include <QString>
#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <vector>

class TPenList;
struct TPenType;

// Tool modes of the surface (MMode) and the gesture codes (MouseF) that share their values.
inline constexpr uint8_t kModeNone = 0;
inline constexpr uint8_t kModePen = 2;
inline constexpr uint8_t kModeEraser = 3;
inline constexpr uint8_t kModeLasso = 4;
inline constexpr uint8_t kGestureEraser = kModeEraser;

using TPenEvent =
    std::function<void(plat::MouseButton button, plat::ShiftState shift, int32_t x, int32_t y)>;

// The box a drawing step touched, as ComposeRect returns it: the ink extent
// (x1, y1)-(x2, y2) and the margin w around it.
struct TComposeBox {
    int32_t x1 = 0;
    int32_t y1 = 0;
    int32_t x2 = 0;
    int32_t y2 = 0;
    int32_t w = 0;
};

class TPenImage : public plat::TImage {
    Q_OBJECT
public:
    explicit TPenImage(QWidget* owner = nullptr);
    ~TPenImage() override;

    // --- layers, composition and display ---
    void BitmapSet(int32_t x, int32_t y);
    void BitmapLoad(const plat::Bitmap& pict, bool e);
    void WBrdLoad(int32_t w, int32_t h);
    void BitmapInit();
    void BitmapErase(bool isInit);
    TComposeBox ComposeRect(bool g);
    void ComposeAll();
    void RefreshRect(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t w);
    void RefreshRect(const TComposeBox& box) { RefreshRect(box.x1, box.y1, box.x2, box.y2, box.w); }
    void BitmapDispAll();
    void BitmapDisp();
    void BitmapDisp2();
    void BitmapDispCenter();
    void BitmapToImage();
    plat::Point ScreenToPicture(int32_t x, int32_t y) const;
    void ClearLayers();

    // --- ink ---
    void DPenSet(const TPenType& pen);
    void DEraseSet();
    void SetLayerPens(int32_t w1, int32_t w2, int32_t alpha);
    void DrawSegment(int32_t p);
    void DrawSmoothStroke();
    void FinishSmoothStroke();
    void DrawRainbowLine(plat::Point s, plat::Point e);
    static void DrawPoly(plat::Canvas& canvas, bool curve, std::span<const plat::Point> points);
    static void DrawDashedPath(plat::Canvas& canvas, int32_t width, plat::Color color,
                               std::span<const plat::Point> points, bool curve);

    // --- tool modes and pointer input ---
    void SetMMode(uint8_t m, bool b);
    int PenCursor(int32_t alpha, int32_t color);
    bool IsPenDown() const { return FIsPenDown; }
    void SetOnPenDown(TPenEvent handler) { FOnPenDown = std::move(handler); }
    void SetOnPenUp(TPenEvent handler) { FOnPenUp = std::move(handler); }

    // Pointer handlers, public so that tests and replay tools can drive the surface with
    // exactly the calls the control receives.
    void MouseDown(plat::MouseButton button, plat::ShiftState shift, int32_t x, int32_t y) override;
    void MouseMove(plat::ShiftState shift, int32_t x, int32_t y) override;
    void MouseUp(plat::MouseButton button, plat::ShiftState shift, int32_t x, int32_t y) override;

    // --- stroke-order numbers ---
    void PenOrderAdd(int32_t r);
    TComposeBox DrawOrderNumber(int32_t x, int32_t y, plat::Color fillColor, plat::Color lineColor);
    void ShowOrderNumber(int32_t x, int32_t y, plat::Color fillColor, plat::Color lineColor);

    // --- replay ---
    void PenListPlay(bool b);
    void PlayDown(int32_t x, int32_t y, int32_t p);
    void PlayMove(int32_t x, int32_t y, int32_t p);
    void PlayUp();

    // --- image export ---
    // Writes the composite picture at its own size to FileName; the file type follows the
    // extension (JPEG for anything but .jpg, .bmp, .png, under a ".jpg" name). Returns an
    // empty string on success, otherwise the failure message; shows nothing itself.
    QString BitmapSave(const QString& FileName);

    // Fields, named as the rest of the program knows them.
    plat::Bitmap ABitmap{plat::PixelFormat::Indexed8};
    plat::Bitmap PBitmap{plat::PixelFormat::Rgb32};
    plat::Bitmap Bitmap{plat::PixelFormat::Rgb32};
    plat::Bitmap BBitmap{plat::PixelFormat::Rgb32};
    plat::Point xy0, xy1, xy2;
    std::vector<plat::Point> xy; // points of the smoothing stroke in progress
    bool is256 = false;          // palette display: ink is not antialiased
    bool FIsPenDown = false;
    TPenEvent FOnPenDown, FOnPenUp;
    uint8_t EraseMMode = 0;
    int32_t isErase = 0;
    plat::Point PresPos;
    int32_t LastP = 0;
    int32_t px = 0, py = 0; // screen position of picture pixel (0, 0)
    double bai = 1.0;       // screen pixels per picture pixel
    bool isFixed = false;
    uint8_t MouseF = 0; // gesture in progress
    uint8_t MMode = 0;  // tool mode: 0 none, 2 pen, 3 eraser, 4 lasso
    plat::ShiftState BShift = 0;
    int32_t PenColor = 0, PenWidth = 1, PenAlpha = 255, Pentype = 0;
    int32_t sw = 0, sh = 0;
    plat::Color BackColor = 0;
    TPenList* PenList = nullptr; // list of the page on show; never owned
    int32_t PL_UP = -32767;

private:
    void PointerDown(int32_t x, int32_t y, int32_t p, plat::ShiftState shift);
    void PointerMove(int32_t x, int32_t y, int32_t p, plat::ShiftState shift);
    void PointerUp();

    // Straight preview from xy0 to xy1 on the screen image only, in the given pen mode.
    void PreviewLine(plat::PenMode mode);
    // Shape gestures (MouseF 8..12): the press preview, the preview that follows the
    // pointer, and the commit at the release. The shapes are drawn there.
    void ShapeGestureStart();
    void ShapeGestureMove(int32_t x, int32_t y, plat::ShiftState shift);
    void ShapeGestureEnd();
    // Lasso gesture (mode 4): start, extend and select. The lasso is drawn there.
    void LassoStart(int32_t x, int32_t y);
    void LassoMove(int32_t x, int32_t y);
    void LassoEnd();

    // Bounds of the selected strokes met by a replay, picture coordinates; left at
    // (sw, 0, sh, 0) when there were none.
    struct SelBounds {
        int32_t minX = 0, maxX = 0, minY = 0, maxY = 0;
    };
    // Takes the selection image and bounds built by a replay and shows or hides the
    // selection box; releases the image.
    void SelBoxShow(std::unique_ptr<plat::Bitmap> image, const SelBounds& bounds);
};
