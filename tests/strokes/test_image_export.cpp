// Saving the surface's picture: the type and the name chosen from the extension, the file
// read back by content (format, size, pixels, 24-bit RGB), the JPEG quality and Huffman
// tables actually written, and failures that report the message and harm nothing.

#include "platform/raster/ImageFile.h"
#include "settings/StringTable.h"
#include "strokes/PenImageExport.h"
#include "surface/SurfaceFixture.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <array>
#include <cstdlib>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#if defined(__unix__)
#include <csignal>
#include <sys/resource.h>
#include <unistd.h>
#endif

using namespace surfacetest;
using plat::ImageFileType;

namespace {

const char* const kMessage = "Can't Save Image. Capacity is insufficient.";

// A page larger than the 200 x 150 control, with odd sizes so that BMP rows need padding.
constexpr int32_t kW = 333;
constexpr int32_t kH = 227;

const char* TypeName(ImageFileType type) {
    switch (type) {
    case ImageFileType::Jpeg:
        return "jpeg";
    case ImageFileType::Bmp:
        return "bmp";
    case ImageFileType::Png:
        return "png";
    }
    return "?";
}

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    return file.readAll();
}

bool WriteAll(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// Names of everything in a folder.
QStringList Entries(const QString& folder) {
    return QDir(folder).entryList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
}

struct Decoded {
    QByteArray format; // as detected from the content
    QImage image;      // Format_RGB32
};

Decoded Decode(const QString& path) {
    QImageReader reader(path);
    reader.setDecideFormatFromContent(true);
    Decoded out;
    out.format = reader.format();
    out.image = reader.read().convertToFormat(QImage::Format_RGB32);
    return out;
}

// --- JPEG markers ---

struct Segment {
    uint8_t marker = 0;
    QByteArray payload;
};

// The marker segments before the scan data.
std::vector<Segment> JpegSegments(const QByteArray& bytes) {
    std::vector<Segment> out;
    if (bytes.size() < 4 || uint8_t(bytes[0]) != 0xFF || uint8_t(bytes[1]) != 0xD8) return out;
    qsizetype i = 2;
    while (i + 4 <= bytes.size() && uint8_t(bytes[i]) == 0xFF) {
        const uint8_t marker = uint8_t(bytes[i + 1]);
        const int len = uint8_t(bytes[i + 2]) << 8 | uint8_t(bytes[i + 3]);
        if (len < 2 || i + 2 + len > bytes.size()) break;
        out.push_back({marker, bytes.mid(i + 4, len - 2)});
        if (marker == 0xDA) break; // start of scan
        i += 2 + len;
    }
    return out;
}

// The 64 entries of quantisation table `id` (8-bit tables), if present.
std::optional<std::vector<int>> QuantTable(const QByteArray& jpeg, int id) {
    for (const Segment& s : JpegSegments(jpeg)) {
        if (s.marker != 0xDB) continue;
        qsizetype i = 0;
        while (i < s.payload.size()) {
            const int pq = uint8_t(s.payload[i]) >> 4;
            const int tq = uint8_t(s.payload[i]) & 15;
            const int entrySize = pq == 0 ? 1 : 2;
            if (i + 1 + 64 * entrySize > s.payload.size()) break;
            if (tq == id && pq == 0) {
                std::vector<int> table;
                for (int k = 0; k < 64; ++k) table.push_back(uint8_t(s.payload[i + 1 + k]));
                return table;
            }
            i += 1 + 64 * entrySize;
        }
    }
    return std::nullopt;
}

// The 16 code-length counts of Huffman table (class, id), if present.
std::optional<std::array<int, 16>> HuffmanCounts(const QByteArray& jpeg, int tableClass, int id) {
    for (const Segment& s : JpegSegments(jpeg)) {
        if (s.marker != 0xC4) continue;
        qsizetype i = 0;
        while (i + 17 <= s.payload.size()) {
            const int tc = uint8_t(s.payload[i]) >> 4;
            const int th = uint8_t(s.payload[i]) & 15;
            std::array<int, 16> counts{};
            int symbols = 0;
            for (int k = 0; k < 16; ++k) symbols += counts[k] = uint8_t(s.payload[i + 1 + k]);
            if (tc == tableClass && th == id) return counts;
            i += 17 + symbols;
        }
    }
    return std::nullopt;
}

// Precision, height, width and component count from the baseline frame header.
std::optional<std::array<int, 4>> JpegFrame(const QByteArray& jpeg) {
    for (const Segment& s : JpegSegments(jpeg))
        if (s.marker == 0xC0 && s.payload.size() >= 6)
            return std::array<int, 4>{
                uint8_t(s.payload[0]), uint8_t(s.payload[1]) << 8 | uint8_t(s.payload[2]),
                uint8_t(s.payload[3]) << 8 | uint8_t(s.payload[4]), uint8_t(s.payload[5])};
    return std::nullopt;
}

int Byte(const QByteArray& bytes, qsizetype i) {
    return i < bytes.size() ? uint8_t(bytes[i]) : -1;
}

// Checks the file's own header for 24-bit RGB at the page size.
void ExpectRgb24Header(const QByteArray& bytes, ImageFileType type, int w, int h) {
    switch (type) {
    case ImageFileType::Jpeg: {
        const auto frame = JpegFrame(bytes);
        ASSERT_TRUE(frame.has_value()) << "no baseline frame header";
        EXPECT_EQ((*frame)[0], 8);
        EXPECT_EQ((*frame)[1], h);
        EXPECT_EQ((*frame)[2], w);
        EXPECT_EQ((*frame)[3], 3) << "three colour components";
        break;
    }
    case ImageFileType::Bmp:
        ASSERT_GE(bytes.size(), 54);
        EXPECT_EQ(bytes.left(2), QByteArray("BM"));
        EXPECT_EQ(Byte(bytes, 28) | Byte(bytes, 29) << 8, 24) << "bits per pixel";
        break;
    case ImageFileType::Png:
        ASSERT_GE(bytes.size(), 33);
        EXPECT_EQ(bytes.mid(12, 4), QByteArray("IHDR"));
        EXPECT_EQ(Byte(bytes, 24), 8) << "bit depth";
        EXPECT_EQ(Byte(bytes, 25), 2) << "colour type RGB";
        break;
    }
}

struct PixelDiff {
    int max = 0;
    double mean = 0;
    int64_t count = 0; // channel values that differ
    int64_t far = 0;   // channel values that differ by more than 24
    int64_t total = 0; // channel values compared
};

PixelDiff Compare(const QImage& image, const plat::Bitmap& bitmap) {
    PixelDiff d;
    int64_t sum = 0;
    for (int32_t y = 0; y < bitmap.Height(); ++y)
        for (int32_t x = 0; x < bitmap.Width(); ++x) {
            const uint32_t a = image.pixel(x, y);
            const uint32_t b = bitmap.Row32(y)[x];
            for (int shift = 0; shift <= 16; shift += 8) {
                const int diff = std::abs(int((a >> shift) & 0xFF) - int((b >> shift) & 0xFF));
                d.max = std::max(d.max, diff);
                sum += diff;
                if (diff != 0) ++d.count;
                if (diff > 24) ++d.far;
                ++d.total;
            }
        }
    d.mean = double(sum) / (3.0 * bitmap.Width() * bitmap.Height());
    return d;
}

// Everything the surface holds as pictures, to prove that saving leaves it alone.
struct AllPictures {
    LayerBytes layers;
    std::vector<uint8_t> background, screen;
    friend bool operator==(const AllPictures&, const AllPictures&) = default;
};

class ExportTest : public SurfaceTest {
protected:
    void SetUp() override {
        SurfaceTest::SetUp();
        ASSERT_TRUE(dir.isValid());
    }

    // A colourful page bigger than the control, shown at half scale, with ink on it.
    void MakeInkedPage() {
        plat::Bitmap page;
        page.SetSize(kW, kH);
        for (int32_t y = 0; y < kH; ++y)
            for (int32_t x = 0; x < kW; ++x)
                page.Row32(y)[x] =
                    uint32_t(x * 255 / (kW - 1)) << 16 | uint32_t(y * 255 / (kH - 1)) << 8 | 0xA0;
        img->BitmapLoad(page, true);
        img->bai = 0.5;
        img->BitmapDisp();
        UsePen({0x0000FF, 4, PEN_KIND_PEN});
        Stroke({{20, 20}, {60, 40}, {120, 30}, {160, 100}});
        UsePen({0x00FF00, 16, PEN_KIND_HIGHLIGHTER});
        Stroke({{30, 120}, {90, 60}, {150, 140}});
        ASSERT_EQ(img->Bitmap.Width(), kW);
        ASSERT_EQ(img->Picture().Width(), kPageW) << "the control stays smaller than the page";
        ASSERT_GT(CountWhere(img->PBitmap, 0x7F7F7F, false), 100) << "ink on the page";
    }

    AllPictures Pictures() const { return {Layers(), Bytes(img->BBitmap), Bytes(img->Picture())}; }

    QString Path(const QString& name) const { return dir.filePath(name); }

    QTemporaryDir dir;
};

// --- the name rule on its own ---

struct RuleCase {
    const char* given;
    const char* separators;
    ImageFileType type;
    const char* written;
};
void PrintTo(const RuleCase& c, std::ostream* os) {
    *os << '"' << c.given << '"';
}

class SaveTargetRule : public ::testing::TestWithParam<RuleCase> {};

TEST_P(SaveTargetRule, TypeAndName) {
    const RuleCase& c = GetParam();
    const TSaveTarget t =
        SaveTargetFor(QString::fromUtf8(c.given), QString::fromUtf8(c.separators));
    EXPECT_EQ(TypeName(t.type), std::string(TypeName(c.type)));
    EXPECT_EQ(t.fileName.toStdString(), std::string(c.written));
}

INSTANTIATE_TEST_SUITE_P(
    Names, SaveTargetRule,
    ::testing::Values(
        RuleCase{"/tmp/a.jpg", "/", ImageFileType::Jpeg, "/tmp/a.jpg"},
        RuleCase{"/tmp/a.JPG", "/", ImageFileType::Jpeg, "/tmp/a.JPG"},
        RuleCase{"/tmp/a.jPg", "/", ImageFileType::Jpeg, "/tmp/a.jPg"},
        RuleCase{"/tmp/a.bmp", "/", ImageFileType::Bmp, "/tmp/a.bmp"},
        RuleCase{"/tmp/a.BmP", "/", ImageFileType::Bmp, "/tmp/a.BmP"},
        RuleCase{"/tmp/a.png", "/", ImageFileType::Png, "/tmp/a.png"},
        RuleCase{"/tmp/a.tar.PNG", "/", ImageFileType::Png, "/tmp/a.tar.PNG"},
        RuleCase{"/tmp/a.jpeg", "/", ImageFileType::Jpeg, "/tmp/a.jpg"},
        RuleCase{"/tmp/a.JPEG", "/", ImageFileType::Jpeg, "/tmp/a.jpg"},
        RuleCase{"/tmp/a.gif", "/", ImageFileType::Jpeg, "/tmp/a.jpg"},
        RuleCase{"/tmp/a.png.gif", "/", ImageFileType::Jpeg, "/tmp/a.png.jpg"},
        RuleCase{"/tmp/a", "/", ImageFileType::Jpeg, "/tmp/a.jpg"},
        RuleCase{"/tmp/a.", "/", ImageFileType::Jpeg, "/tmp/a.jpg"},
        RuleCase{"/tmp/a.png ", "/", ImageFileType::Jpeg, "/tmp/a.jpg"},
        RuleCase{"/tmp/.png", "/", ImageFileType::Png, "/tmp/.png"},
        RuleCase{"/tmp/x.y/picture", "/", ImageFileType::Jpeg, "/tmp/x.y/picture.jpg"},
        RuleCase{"x.y/picture", "/", ImageFileType::Jpeg, "x.y/picture.jpg"},
        RuleCase{"picture.bmp", "/", ImageFileType::Bmp, "picture.bmp"},
        RuleCase{"/tmp/写真.Png", "/", ImageFileType::Png, "/tmp/写真.Png"},
        RuleCase{"/tmp/写真．png", "/", ImageFileType::Jpeg, "/tmp/写真．png.jpg"},
        // A backslash ends a folder name only where it is a separator (Windows).
        RuleCase{"C:\\x.y\\picture", "/\\", ImageFileType::Jpeg, "C:\\x.y\\picture.jpg"},
        RuleCase{"C:\\x.y\\picture", "/", ImageFileType::Jpeg, "C:\\x.jpg"},
        RuleCase{"C:\\x.y\\p.BMP", "/\\", ImageFileType::Bmp, "C:\\x.y\\p.BMP"},
        RuleCase{"C:/x.y\\picture", "/\\", ImageFileType::Jpeg, "C:/x.y\\picture.jpg"}));

TEST(SaveTargetRule, PlatformSeparators) {
    EXPECT_EQ(SaveTargetFor(QStringLiteral("/a.b/c")).fileName, QStringLiteral("/a.b/c.jpg"));
#ifdef _WIN32
    EXPECT_EQ(SaveTargetFor(QStringLiteral("a.b\\c")).fileName, QStringLiteral("a.b\\c.jpg"));
#else
    EXPECT_EQ(SaveTargetFor(QStringLiteral("a.b\\c")).fileName, QStringLiteral("a.jpg"));
#endif
}

TEST(SaveMessage, IsInTheStringTable) {
    EXPECT_EQ(StringGet(TStringId::SaveFailed).toStdString(), std::string(kMessage));
}

// --- files written by the surface ---

struct SaveCase {
    const char* given;
    ImageFileType type;
    const char* written;
};
void PrintTo(const SaveCase& c, std::ostream* os) {
    *os << '"' << c.given << '"';
}

class SaveByName : public ExportTest, public ::testing::WithParamInterface<SaveCase> {};

TEST_P(SaveByName, WritesThePageAsItsType) {
    const SaveCase& c = GetParam();
    MakeInkedPage();
    ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("x.y")));
    const AllPictures before = Pictures();

    EXPECT_EQ(img->BitmapSave(Path(QString::fromUtf8(c.given))), QString());

    EXPECT_TRUE(Pictures() == before) << "saving changed the surface's pictures";
    const QString written = Path(QString::fromUtf8(c.written));
    ASSERT_TRUE(QFileInfo(written).isFile()) << c.written;
    if (std::string(c.given) != c.written) {
        EXPECT_FALSE(QFileInfo::exists(Path(QString::fromUtf8(c.given))));
    }

    const QByteArray bytes = ReadAll(written);
    ExpectRgb24Header(bytes, c.type, kW, kH);
    const Decoded d = Decode(written);
    EXPECT_EQ(d.format.toStdString(), std::string(TypeName(c.type)));
    ASSERT_EQ(d.image.width(), kW);
    ASSERT_EQ(d.image.height(), kH);
    const PixelDiff diff = Compare(d.image, img->Bitmap);
    if (c.type == ImageFileType::Jpeg) {
        // Close on average; only the sharp colour edges of the ink lose more (the colour
        // planes are stored at half resolution).
        EXPECT_LT(diff.mean, 2.0);
        EXPECT_LT(diff.far, diff.total / 100) << "largest difference " << diff.max;
    } else {
        EXPECT_EQ(diff.count, 0) << "largest difference " << diff.max;
    }
}

INSTANTIATE_TEST_SUITE_P(Names, SaveByName,
                         ::testing::Values(SaveCase{"a.jpg", ImageFileType::Jpeg, "a.jpg"},
                                           SaveCase{"b.JPG", ImageFileType::Jpeg, "b.JPG"},
                                           SaveCase{"c.Jpg", ImageFileType::Jpeg, "c.Jpg"},
                                           SaveCase{"d.bmp", ImageFileType::Bmp, "d.bmp"},
                                           SaveCase{"e.BMP", ImageFileType::Bmp, "e.BMP"},
                                           SaveCase{"f.png", ImageFileType::Png, "f.png"},
                                           SaveCase{"g.PnG", ImageFileType::Png, "g.PnG"},
                                           SaveCase{"h.jpeg", ImageFileType::Jpeg, "h.jpg"},
                                           SaveCase{"i.gif", ImageFileType::Jpeg, "i.jpg"},
                                           SaveCase{"j", ImageFileType::Jpeg, "j.jpg"},
                                           SaveCase{"x.y/picture", ImageFileType::Jpeg,
                                                    "x.y/picture.jpg"},
                                           SaveCase{"写真.png", ImageFileType::Png, "写真.png"}));

TEST_F(ExportTest, ReplacesAnExistingFile) {
    MakeInkedPage();
    const QString path = Path(QStringLiteral("over.png"));
    ASSERT_TRUE(WriteAll(path, QByteArray(200000, 'x')));
    EXPECT_EQ(img->BitmapSave(path), QString());
    const Decoded d = Decode(path);
    EXPECT_EQ(d.format, QByteArray("png"));
    EXPECT_EQ(Compare(d.image, img->Bitmap).count, 0);
    EXPECT_EQ(Entries(dir.path()), QStringList{QStringLiteral("over.png")});
}

TEST_F(ExportTest, JpegQualityIsReadAtEverySave) {
    MakeInkedPage();
    const QString path = Path(QStringLiteral("q.jpg"));

    JPEGQuality = 50;
    ASSERT_EQ(img->BitmapSave(path), QString());
    const auto at50 = QuantTable(ReadAll(path), 0);
    ASSERT_TRUE(at50.has_value());
    EXPECT_EQ((*at50)[0], 16) << "quality 50 writes the standard luminance table";

    JPEGQuality = 100;
    ASSERT_EQ(img->BitmapSave(path), QString());
    const auto at100 = QuantTable(ReadAll(path), 0);
    ASSERT_TRUE(at100.has_value());
    EXPECT_EQ(*at100, std::vector<int>(64, 1)) << "quality 100 writes an all-ones table";
}

TEST_F(ExportTest, JpegHuffmanTablesAreOptimised) {
    // The plain white page of the fixture: only a handful of DC differences occur.
    const QString path = Path(QStringLiteral("plain.jpg"));
    ASSERT_EQ(img->BitmapSave(path), QString());
    const auto counts = HuffmanCounts(ReadAll(path), 0, 0);
    ASSERT_TRUE(counts.has_value()) << "no DC luminance table";
    const std::array<int, 16> standard{0, 1, 5, 1, 1, 1, 1, 1, 1, 0, 0, 0, 0, 0, 0, 0};
    EXPECT_NE(*counts, standard);
}

struct QualityCase {
    int32_t setting;
    int firstEntry; // first luminance quantiser of the quality it is clamped to
};
void PrintTo(const QualityCase& c, std::ostream* os) {
    *os << "JPEGQuality " << c.setting;
}

class AbsurdQuality : public ExportTest, public ::testing::WithParamInterface<QualityCase> {};

TEST_P(AbsurdQuality, StillWritesAReadableFileAtTheNearestQuality) {
    MakeInkedPage();
    JPEGQuality = GetParam().setting;
    const QString path = Path(QStringLiteral("absurd.jpg"));
    ASSERT_EQ(img->BitmapSave(path), QString());
    const Decoded d = Decode(path);
    EXPECT_EQ(d.format, QByteArray("jpeg"));
    EXPECT_EQ(d.image.size(), QSize(kW, kH));
    const auto table = QuantTable(ReadAll(path), 0);
    ASSERT_TRUE(table.has_value());
    EXPECT_EQ((*table)[0], GetParam().firstEntry);
}

INSTANTIATE_TEST_SUITE_P(Settings, AbsurdQuality,
                         ::testing::Values(QualityCase{0, 255}, QualityCase{-5, 255},
                                           QualityCase{1000, 1}, QualityCase{101, 1}));

// --- failures ---

enum class Failure { UnwritableFolder, MissingFolder, EmptyName, FolderName, TargetIsFolder };
void PrintTo(Failure f, std::ostream* os) {
    constexpr std::array<const char*, 5> kNames{"unwritable folder", "missing folder", "empty name",
                                                "folder name", "target is a folder"};
    *os << kNames[static_cast<size_t>(f)];
}

class SaveFails : public ExportTest, public ::testing::WithParamInterface<Failure> {};

TEST_P(SaveFails, ReportsTheMessageAndChangesNothing) {
    MakeInkedPage();
    QString name;
    switch (GetParam()) {
    case Failure::UnwritableFolder:
#if defined(__unix__)
        if (geteuid() == 0) GTEST_SKIP() << "root ignores folder permissions";
#endif
        ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("locked")));
        ASSERT_TRUE(QFile::setPermissions(Path(QStringLiteral("locked")),
                                          QFile::ReadOwner | QFile::ExeOwner));
        name = Path(QStringLiteral("locked/picture.png"));
        break;
    case Failure::MissingFolder:
        name = Path(QStringLiteral("missing/folder/picture.bmp"));
        break;
    case Failure::EmptyName:
        name = QString();
        break;
    case Failure::FolderName:
        name = dir.path() + QLatin1Char('/');
        break;
    case Failure::TargetIsFolder:
        ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("taken.png")));
        name = Path(QStringLiteral("taken.png"));
        break;
    }
    const QStringList entriesBefore = Entries(dir.path());
    const AllPictures before = Pictures();

    EXPECT_EQ(img->BitmapSave(name).toStdString(), std::string(kMessage));

    EXPECT_TRUE(Pictures() == before) << "a failed save changed the surface's pictures";
    EXPECT_EQ(Entries(dir.path()), entriesBefore) << "a failed save left something behind";
    if (GetParam() == Failure::UnwritableFolder) {
        EXPECT_TRUE(Entries(Path(QStringLiteral("locked"))).isEmpty());
        QFile::setPermissions(Path(QStringLiteral("locked")),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    if (GetParam() == Failure::TargetIsFolder) {
        EXPECT_TRUE(QFileInfo(Path(QStringLiteral("taken.png"))).isDir());
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, SaveFails,
                         ::testing::Values(Failure::UnwritableFolder, Failure::MissingFolder,
                                           Failure::EmptyName, Failure::FolderName,
                                           Failure::TargetIsFolder));

TEST_F(ExportTest, EmptyPictureFailsAndKeepsAnExistingFile) {
    TPenImage empty; // no page loaded: the composite has no pixels
    const QString path = Path(QStringLiteral("old.png"));
    const QByteArray old("previous picture");
    ASSERT_TRUE(WriteAll(path, old));
    EXPECT_EQ(empty.BitmapSave(path).toStdString(), std::string(kMessage));
    EXPECT_EQ(ReadAll(path), old);
}

#if defined(__unix__)
// A file-size limit stands in for a full disk: writing stops part-way through the file.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        oldHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        ok_ = getrlimit(RLIMIT_FSIZE, &old_) == 0;
        rlimit limit = old_;
        limit.rlim_cur = bytes;
        ok_ = ok_ && setrlimit(RLIMIT_FSIZE, &limit) == 0;
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &old_);
        std::signal(SIGXFSZ, oldHandler_);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;
    bool Ok() const { return ok_; }

private:
    rlimit old_{};
    void (*oldHandler_)(int) = nullptr;
    bool ok_ = false;
};

TEST_F(ExportTest, FullDiskFailsAndKeepsAnExistingFile) {
    MakeInkedPage();
    const AllPictures before = Pictures();
    for (const char* name : {"full.bmp", "full.png", "full.jpg"}) {
        SCOPED_TRACE(name);
        const QString path = Path(QString::fromUtf8(name));
        ASSERT_EQ(img->BitmapSave(path), QString());
        const qint64 size = QFileInfo(path).size();
        ASSERT_GT(size, 200);
        const QByteArray old("previous picture");
        ASSERT_TRUE(WriteAll(path, old));
        QString result;
        {
            FileSizeLimit limit(static_cast<rlim_t>(size / 2)); // the disk fills half-way
            ASSERT_TRUE(limit.Ok());
            result = img->BitmapSave(path);
        }
        EXPECT_EQ(result.toStdString(), std::string(kMessage));
        EXPECT_EQ(ReadAll(path), old) << "the existing file was damaged";
        QFile::remove(path);
        EXPECT_TRUE(Entries(dir.path()).isEmpty()) << "a partial file was left behind";
    }
    EXPECT_TRUE(Pictures() == before);
}
#endif

// --- the platform writer on its own ---

TEST(WriteImageFile, RefusesBitmapsItCannotWriteAsRgb) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    plat::Bitmap grey(plat::PixelFormat::Indexed8);
    grey.SetSize(8, 8);
    EXPECT_FALSE(
        plat::WriteImageFile(grey, dir.filePath(QStringLiteral("g.png")), ImageFileType::Png));
    plat::Bitmap none;
    EXPECT_FALSE(
        plat::WriteImageFile(none, dir.filePath(QStringLiteral("n.png")), ImageFileType::Png));
    EXPECT_TRUE(Entries(dir.path()).isEmpty());
}

TEST(WriteImageFile, DropsTheFourthByte) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    plat::Bitmap bitmap;
    bitmap.SetSize(3, 2);
    const std::array<uint32_t, 6> px{0xFF102030, 0x00A0B0C0, 0x7F000000,
                                     0x01FFFFFF, 0x00123456, 0xAB654321};
    for (int i = 0; i < 6; ++i) bitmap.Row32(i / 3)[i % 3] = px[static_cast<size_t>(i)];
    for (const ImageFileType type : {ImageFileType::Png, ImageFileType::Bmp}) {
        const QString path = dir.filePath(QString::fromUtf8(TypeName(type)));
        ASSERT_TRUE(plat::WriteImageFile(bitmap, path, type));
        const QImage image = Decode(path).image;
        ASSERT_EQ(image.size(), QSize(3, 2));
        for (int i = 0; i < 6; ++i)
            EXPECT_EQ(image.pixel(i % 3, i / 3),
                      0xFF000000 | (px[static_cast<size_t>(i)] & 0xFFFFFF))
                << TypeName(type) << " pixel " << i;
    }
}

} // namespace
