#include "paint/PicturePainter.h"

#include <gtest/gtest.h>

#include <QImage>

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "convert/ProposedScales.h"
#include "jwc/JwcLoader.h"
#include "paint/QtGlyphOutlines.h"
#include "picture/DisplayListBuilder.h"
#include "picture/PictureFrontend.h"
#include "picture/ShapesPdf.h"
#include "support/JwcBuilder.h"
#include "support/PictureBlocks.h"
#include "support/TempDir.h"

namespace orvik {
namespace {

constexpr int kWidth = 300;

QPoint PixelOf(const DisplayList& list, PicturePoint p) {
    const PicturePoint at = FrameView(FrameFor(list.Bounds(), kWidth)).ToPixels(p);
    return QPointF(at.x, at.y).toPoint();
}

// The brightest colour within two pixels of `at` (black, the background, when
// nothing is drawn there).
QRgb InkNear(const QImage& image, QPoint at) {
    QRgb brightest = qRgb(0, 0, 0);
    for (int dy = -2; dy <= 2; ++dy)
        for (int dx = -2; dx <= 2; ++dx) {
            const QPoint p = at + QPoint(dx, dy);
            if (image.rect().contains(p) && qGray(image.pixel(p)) > qGray(brightest)) brightest = image.pixel(p);
        }
    return brightest;
}

// The same colour, but for the blending of anti-aliased edges.
bool Like(QRgb got, QRgb want) {
    return std::abs(qRed(got) - qRed(want)) < 110 && std::abs(qGreen(got) - qGreen(want)) < 110 &&
           std::abs(qBlue(got) - qBlue(want)) < 110;
}

Shape Make(ShapeKind kind, int color, PicturePoint a) {
    Shape s;
    s.kind = kind;
    s.color = color;
    s.a = a;
    return s;
}

// Shapes drawn alone: where their geometry says there is ink, in their colour,
// and where it says there is none, none.
TEST(PicturePainter, InkLandsWhereTheGeometrySays) {
    Shape line = Make(ShapeKind::Line, 1, {0, 0});
    line.b = {100, 0};
    Shape arc = Make(ShapeKind::Arc, 3, {0, 0});
    arc.radius = 50;
    arc.end = 90;
    Shape vertical = Make(ShapeKind::Text, 7, {0, 0});
    vertical.text = "III";
    vertical.height = 10;
    vertical.vertical = true;
    Shape corner = Make(ShapeKind::Point, 2, {-40, -40});
    Shape other = Make(ShapeKind::Point, 2, {40, 10});
    struct Case {
        const char* name;
        std::vector<Shape> shapes;
        QRgb color;
        std::vector<PicturePoint> ink, blank;
    };
    const Case cases[] = {
        {"a red line", {line}, qRgb(255, 0, 0), {{50, 0}, {5, 0}, {95, 0}}, {{50, 10}, {50, -10}}},
        {"a quarter arc",
         {arc},
         qRgb(0, 255, 0),
         {{50, 0}, {0, 50}, {35.36, 35.36}},
         {{-50, 0}, {0, -50}, {-35.36, -35.36}}},
        {"a vertical text",
         {vertical, corner, other},
         qRgb(255, 255, 255),
         {{0, -5}, {0, -15}, {0, -25}},
         {{20, -5}, {-20, -5}, {0, 15}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        DisplayList list;
        list.shapes = c.shapes;
        const QImage image = RenderPicture(PictureSource(list), {kWidth, false});
        for (PicturePoint p : c.ink) EXPECT_TRUE(Like(InkNear(image, PixelOf(list, p)), c.color)) << p.x << ',' << p.y;
        for (PicturePoint p : c.blank) EXPECT_EQ(InkNear(image, PixelOf(list, p)), qRgb(0, 0, 0)) << p.x << ',' << p.y;
    }
}

// Counts the pixels of about one colour, however faint (anti-aliased).
int Pixels(const QImage& image, QRgb color) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QRgb p = image.pixel(x, y);
            const int top = std::max({qRed(p), qGreen(p), qBlue(p)});
            if (top < 40) continue;
            n += Like(qRgb(qRed(p) * 255 / top, qGreen(p) * 255 / top, qBlue(p) * 255 / top), color);
        }
    return n;
}

// A drawing's layer that is switched off leaves no pixel; the shown one does.
TEST(PicturePainter, ALayerThatIsOffLeavesNoPixel) {
    testing::TempDir dir;
    JwcBuilder b;
    b.Group(0, 100).Layer(0, "A").Layer(1, "B", false);
    b.Line(LineRecord{0, 0, 100, 100, 1, 1, 0});  // pen 1: cyan
    b.Line(LineRecord{0, 100, 100, 0, 1, 3, 1});  // pen 3: green, on the hidden layer
    const std::string path = dir.Write("two.jwc", b.Bytes());
    JwcFile drawing;
    ASSERT_TRUE(LoadJwcFile(path, drawing));
    const Conversion conversion(drawing, {}, ConversionRequest{path, "100"});
    QImage image = RenderPicture(PictureSource(conversion), {kWidth, false});
    image = image.convertToFormat(QImage::Format_RGB32);
    EXPECT_GT(Pixels(image, qRgb(0, 255, 255)), 50);
    EXPECT_EQ(Pixels(image, qRgb(0, 255, 0)), 0);
}

// Pixels whose colours differ clearly (a change of a few pixels from fonts
// and anti-aliasing is below one per cent of a picture).
int DifferingPixels(const QImage& image, const QImage& expected) {
    int differing = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QRgb a = image.pixel(x, y), e = expected.pixel(x, y);
            differing +=
                std::abs(qRed(a) - qRed(e)) + std::abs(qGreen(a) - qGreen(e)) + std::abs(qBlue(a) - qBlue(e)) > 96;
        }
    return differing;
}

// What is wrong with the PDF's cross-reference table, or "": startxref must
// name the table's offset, the table must list every object up to the
// trailer's /Size, and each entry in use must give the offset where its
// object begins ("N 0 obj"). A reader repairs a broken table silently.
std::string CrossReferenceFault(const std::string& pdf) {
    const std::size_t start = pdf.rfind("startxref\n");
    if (start == std::string::npos) return "no startxref";
    const std::size_t table = std::stoul(pdf.substr(start + 10));
    if (pdf.compare(table, 7, "xref\n0 ") != 0) return "startxref names no xref table";
    const std::size_t count = std::stoul(pdf.substr(table + 7));
    if (pdf.find("/Size " + std::to_string(count) + " ", table) == std::string::npos) return "trailer /Size differs";
    const std::size_t entries = pdf.find('\n', table + 7) + 1;
    if (count < 2) return "no objects";
    for (std::size_t i = 1; i < count; ++i) {
        const std::string entry = pdf.substr(entries + 20 * i, 20);
        if (entry.size() != 20 || entry[17] != 'n') return "entry " + std::to_string(i) + " not in use: " + entry;
        const std::string object = std::to_string(i) + " 0 obj";
        if (pdf.compare(std::stoul(entry.substr(0, 10)), object.size(), object) != 0)
            return "entry " + std::to_string(i) + " points elsewhere";
    }
    return "";
}

// The sample's PDF, drawn by a PDF reader (poppler's pdftoppm), looks as its
// PNG does: lines, dashes, fills and the texts' glyphs where they belong.
TEST(PdfPicture, APdfReaderDrawsWhatThePngShows) {
    if (std::system("command -v pdftoppm >/dev/null 2>&1") != 0) GTEST_SKIP() << "pdftoppm is not installed";
    const std::string sample = std::string(ORVIK_SOURCE_DIR) + "/samples/plan.jwc";
    JwcFile drawing;
    ASSERT_TRUE(LoadJwcFile(sample, drawing));
    const ScaleList scales = ListProposedScales(drawing);
    const Conversion conversion(drawing, {}, ConversionRequest{sample, scales.items[scales.selected]});
    const PictureSource source(conversion);
    const QtGlyphOutlines glyphs;
    for (const bool light : {false, true}) {
        const QImage painted = RenderPicture(source, {400, light}).convertToFormat(QImage::Format_RGB32);
        testing::TempDir dir;
        StringSink pdf;
        WriteShapesPdf(source, {400, light}, glyphs, pdf);
        EXPECT_EQ(CrossReferenceFault(pdf.Text()), "");
        std::string shifted = pdf.Text();  // a byte more before the objects: every offset wrong
        shifted.insert(shifted.find("1 0 obj"), " ");
        EXPECT_NE(CrossReferenceFault(shifted), "");
        const std::string file = dir.Write("plan.pdf", pdf.Text());
        ASSERT_EQ(std::system(("pdftoppm -r 72 -png -singlefile " + file + ' ' + dir.File("drawn")).c_str()), 0);
        const QImage drawn =
            QImage(QString::fromStdString(dir.File("drawn.png"))).convertToFormat(QImage::Format_RGB32);
        ASSERT_EQ(drawn.size(), painted.size());
        const testing::BlockDifference d = testing::CompareBlocks(drawn, painted);
        EXPECT_LT(d.differing, d.blocks / 1000)
            << (light ? "light" : "dark") << ": blocks that differ: " << d.differing << " of " << d.blocks;
    }
}

// The sample's picture against the reviewed one, compared loosely: a change
// of a few pixels (fonts, anti-aliasing) passes, a shape moved or lost fails.
TEST(PicturePainter, TheSamplesPictureMatchesTheReviewedOne) {
    const std::string sample = std::string(ORVIK_SOURCE_DIR) + "/samples/plan.jwc";
    const QString reviewed = QString(ORVIK_SOURCE_DIR) + "/tests/gui/golden/plan-400.png";
    JwcFile drawing;
    ASSERT_TRUE(LoadJwcFile(sample, drawing));
    const ScaleList scales = ListProposedScales(drawing);
    const Conversion conversion(drawing, {}, ConversionRequest{sample, scales.items[scales.selected]});
    const QImage image = RenderPicture(PictureSource(conversion), {400, false}).convertToFormat(QImage::Format_RGB32);
    if (std::getenv("ORVIK_UPDATE_GOLDEN")) {
        ASSERT_TRUE(image.save(reviewed));
    }
    const QImage expected = QImage(reviewed).convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(image.size(), expected.size())
        << "set ORVIK_UPDATE_GOLDEN=1 to rewrite " << reviewed.toStdString() << " after review";
    const int differing = DifferingPixels(image, expected);
    EXPECT_LT(differing, image.width() * image.height() / 100) << "pixels that differ: " << differing;
}

}  // namespace
}  // namespace orvik
