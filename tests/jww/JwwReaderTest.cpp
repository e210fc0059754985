// The JWW reader against files the builder writes: every version gate and
// both string encodings round-trip, the 32-bit tags of large files, blocks
// nested and shared, and damaged and hostile files refused where they break.
#include "jww/JwwReader.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>

#include "jww/MfcArchive.h"
#include "support/JwwBuilder.h"
#include "support/JwwSamples.h"
#include "support/TempDir.h"
#include "text/Cp932.h"

namespace orvik {
namespace {

JwwCommon Pen(std::uint8_t style, std::uint16_t color, std::uint16_t layer = 0, std::uint16_t group = 0) {
    JwwCommon c;
    c.penStyle = style;
    c.penColor = color;
    c.penWidth = 3;
    c.layer = layer;
    c.layerGroup = group;
    return c;
}

// A drawing with every class, in every form the description names.
JwwDrawing EveryClass(std::uint32_t version) {
    JwwDrawing d = NewJwwDrawing(version);
    d.header.memo = Utf8ToCp932("平面図 1:100");
    d.header.groups[0].scale = 100;
    d.header.groups[0].name = Utf8ToCp932("1階");
    d.header.groups[0].layers[1].name = Utf8ToCp932("壁");
    d.header.groups[15].layers[15].name = "LAST";
    d.header.screenPens[2] = {0xFF0000, 2};
    d.header.linePatterns[7] = {0xF0F0, 8, 1, 2, 0};
    d.header.randomPatterns[0] = {0x1234, 3, 4, 5, 6};
    d.header.textStyles[9] = {5, 6, 0.5, 4};
    d.header.solidColor = 0x00FF00;
    JwwElementList& e = d.elements;
    Append(e, JwwLine{Pen(1, 1, 1), -50.5, 25.25, 49.75, -24});
    Append(e, JwwArc{Pen(2, 3), 1, 2, 3, 0.5, 1.5, 0.25, 0.6, 0});
    Append(e, JwwArc{Pen(1, 2), 0, 0, 10, 0, 6.283185307179586, 0, 1, 1});
    Append(e, JwwPoint{Pen(1, 4), 7, 8, 1});
    Append(e, JwwPoint{Pen(kJwwMarkerPointStyle, 5), 9, 10, 0, 3, 0.75, 2});
    JwwText text{Pen(1, 6, 2, 1),      0, 0, 20, 0, kJwwBoldOffset + 3, 4, 5, 0.5, 30, Utf8ToCp932("ＭＳ ゴシック"),
                 Utf8ToCp932("縦書き")};
    text.common.flags = kJwwVerticalTextFlag;
    Append(e, text);
    Append(e, JwwText{Pen(1, 1), 0, -1000, 1, -1000, 0, 1, 1, 0, 0, "", "Printer_Orientation = 0"});
    Append(e, JwwSolid{Pen(1, 2), {0, 10}, {0, 0}, {4, 0}, {4, 10}, 0});  // a column: round the area from top-left
    Append(e, JwwSolid{Pen(1, kJwwRgbSolidColor), {0, 0}, {1, 0}, {1, 1}, {0, 1}, 0x336699});
    Append(e, JwwSolid{Pen(kJwwRingSolid1, 3), {5, 5}, {3.14, 1}, {2, 0.5}, {0.1, 0}, 0});
    JwwDimension dimension{Pen(1, 1), JwwLine{Pen(1, 1), 0, 0, 100, 0},
                           JwwText{Pen(1, 1), 40, 1, 60, 1, 1, 2, 2, 0, 0, "", "100"}};
    dimension.sxfMode = 1;
    dimension.extensionLines[1] = JwwLine{Pen(1, 2), 0, 0, 0, -5};
    dimension.points[3] = JwwPoint{Pen(kJwwMarkerPointStyle, 1), 100, 0, 0, 7, 1, 1};
    Append(e, dimension);
    Append(e, JwwBlockInsert{Pen(1, 1), 10, 20, 2, 0.5, 0.7854, 2});
    Append(e, JwwBlockInsert{Pen(1, 1), 30, 20, 1, 1, 0, 1});
    // Definition 1 holds a nested definition 3 and an insertion of 2; 2 is shared.
    auto one = std::make_unique<JwwBlockDefinition>();
    one->number = 1;
    one->referenced = 1;
    one->time = 1700000000;
    one->name = Utf8ToCp932("窓@@SfigorgFlag@@4");
    Append(one->elements, JwwLine{Pen(1, 1), 0, 0, 1, 1});
    Append(one->elements, JwwBlockInsert{Pen(1, 1), 0, 0, 1, 1, 0, 2});
    auto three = std::make_unique<JwwBlockDefinition>();
    three->number = 3;
    three->name = "inner";
    Append(three->elements, JwwArc{Pen(1, 1), 0, 0, 1, 0, 1, 0, 1, 0});
    Append(one->elements, std::move(three));
    d.blocks.push_back(std::move(one));
    auto two = std::make_unique<JwwBlockDefinition>();
    two->number = 2;
    two->name = "door";
    Append(two->elements, JwwPoint{Pen(1, 1), 0, 0, 0});
    d.blocks.push_back(std::move(two));
    if (version >= 700) {
        d.images.push_back({"a.bmp", 0, std::string("BM") + std::string(100, 'x')});
        d.images.push_back({"b.png.gz", 0, std::string("\x89PNG") + std::string(5000, 'y')});
    }
    return d;
}

// A file the builder wrote, read back and written again, is the same file:
// every field the version holds survived.
TEST(JwwReader, EveryVersionAndEncodingRoundTrips) {
    for (const std::uint32_t version : {230u, 250u, 252u, 300u, 351u, 420u, 600u, 700u, 701u})
        for (const bool utf16 : {false, true}) {
            JwwDrawing made = EveryClass(version);
            made.form.utf16Strings = utf16;
            const JwwBuilt built = BuildJww(made);
            JwwDrawing read;
            Failure error;
            ASSERT_TRUE(ReadJww(built.bytes, read, &error))
                << version << ' ' << utf16 << " failure " << static_cast<int>(error.reason) << " at " << error.offset;
            read.form.utf16Strings = utf16;
            EXPECT_EQ(BuildJww(read).bytes, built.bytes) << version << ' ' << utf16;
            EXPECT_EQ(read.header.version, version);
            EXPECT_EQ(Cp932ToUtf8(read.header.memo), "平面図 1:100");
            EXPECT_EQ(read.elements.order.size(), 13u);
            ASSERT_EQ(read.blocks.size(), 2u);
            EXPECT_EQ(read.blocks[0]->elements.definitions.at(0)->name, "inner");
            EXPECT_EQ(read.images.size(), version >= 700 ? 2u : 0u);
            EXPECT_EQ(read.elements.texts[1].IsSetting(), true);
            EXPECT_EQ(read.elements.points[1].code, 3u);
            EXPECT_EQ(read.elements.dimensions[0].points[3].code, version >= 420 ? 7u : 0u);
            EXPECT_EQ(read.elements.lines[0].common.penWidth, version >= 351 ? 3 : 0);
        }
}

// What the file says, at the bytes real drawings hold: a solid's corners
// in the order they go round it; an image inflated and recognised.
TEST(JwwReader, FieldsStandWhereTheFilesPutThem) {
    JwwDrawing d = EveryClass(700);
    const std::string bytes = BuildJww(d).bytes;
    const auto real = [](double v) {
        std::string s(8, '\0');
        std::uint64_t bits;
        std::memcpy(&bits, &v, sizeof bits);
        for (int i = 0; i < 8; ++i) s[static_cast<std::size_t>(i)] = static_cast<char>(bits >> (8 * i));
        return s;
    };
    // A solid's corners stand in the file in the order they go round it.
    EXPECT_NE(bytes.find(real(0) + real(10) + real(0) + real(0) + real(4) + real(0) + real(4) + real(10)),
              std::string::npos);
    JwwDrawing read;
    ASSERT_TRUE(ReadJww(bytes, read));
    const JwwSolid& column = read.elements.solids[0];
    EXPECT_EQ((std::array{column.p1, column.p2, column.p3, column.p4}),
              (std::array<std::array<double, 2>, 4>{{{0, 10}, {0, 0}, {4, 0}, {4, 10}}}));
    EXPECT_EQ(read.elements.solids[1].rgb, 0x336699u);
    EXPECT_EQ(read.images[0].format, JwwImageFormat::Bmp);
    EXPECT_EQ(read.images[1].format, JwwImageFormat::Png);
    EXPECT_EQ(read.images[1].bytes.size(), 5004u);
    EXPECT_LT(read.images[1].storedSize, 200u);  // stored deflated
}

// Past 32,766 classes and objects the tags take 32 bits; the index runs on
// through the block list.
TEST(JwwReader, LargeFilesUseTheLongTags) {
    JwwDrawing d = NewJwwDrawing();
    for (int i = 0; i < 40000; ++i) Append(d.elements, JwwLine{Pen(1, 1), static_cast<double>(i), 0, 0, 1});
    for (int i = 0; i < 2; ++i) Append(d.elements, JwwArc{Pen(1, 1), 0, 0, 1, 0, 1, 0, 1, 0});
    auto block = std::make_unique<JwwBlockDefinition>();
    Append(block->elements, JwwLine{Pen(1, 1), 1, 2, 3, 4});
    d.blocks.push_back(std::move(block));
    const std::string bytes = BuildJww(d).bytes;
    // The arcs' class takes index 40,002 (after the lines' class and the lines): its second object's tag has 32 bits.
    EXPECT_NE(bytes.find(std::string("\xFF\x7F\x42\x9C\x00\x80", 6)), std::string::npos);
    JwwDrawing read;
    ASSERT_TRUE(ReadJww(bytes, read));
    EXPECT_EQ(read.elements.lines.size(), 40000u);
    EXPECT_EQ(read.elements.lines[39999].x1, 39999);
    EXPECT_EQ(read.elements.arcs.size(), 2u);
    EXPECT_EQ(read.blocks[0]->elements.lines[0].y2, 4);
}

// A file is read a megabyte at a time: it reads as the same bytes in memory
// do, whole or cut, also where a record or an image (larger than a piece)
// spans pieces.
TEST(JwwReader, AFileReadInPiecesReadsAsInMemory) {
    JwwDrawing d = EveryClass(700);
    for (int i = 0; i < 30000; ++i) Append(d.elements, JwwLine{Pen(1, 1), i * 0.5, 0, 0, 1});
    d.images.push_back(
        {"big.bmp", 0, std::string("BM") + std::string(ArchiveReader::kChunk + ArchiveReader::kChunk / 2, 'z')});
    const std::string bytes = BuildJww(d).bytes;
    const testing::TempDir dir;
    const std::filesystem::path path = dir.File("pieces.jww");
    for (const std::size_t size :
         {bytes.size(), ArchiveReader::kChunk + 1, std::size_t{ArchiveReader::kChunk - 7}, bytes.size() - 10}) {
        const std::string_view part = std::string_view(bytes).substr(0, size);
        {
            std::ofstream out(path, std::ios::binary);
            out.write(part.data(), static_cast<std::streamsize>(part.size()));
        }
        JwwDrawing inMemory, fromFile;
        Failure memoryError, fileError;
        const bool memoryRead = ReadJww(part, inMemory, &memoryError);
        EXPECT_EQ(LoadJwwFile(path.string(), fromFile, &fileError), memoryRead) << size;
        EXPECT_EQ((std::array{static_cast<std::int64_t>(fileError.reason), static_cast<std::int64_t>(fileError.part),
                              fileError.offset, fileError.fileSize}),
                  (std::array{static_cast<std::int64_t>(memoryError.reason),
                              static_cast<std::int64_t>(memoryError.part), memoryError.offset, memoryError.fileSize}))
            << size;
        EXPECT_EQ(fromFile.elements.order.size(), inMemory.elements.order.size()) << size;
        if (memoryRead) {
            EXPECT_TRUE(BuildJww(fromFile).bytes == bytes);
        }
    }
}

// A file cut anywhere is read as far as it goes and refused in the part it
// breaks off in, at the record it breaks off in.
TEST(JwwReader, ACutFileIsRefusedWhereItBreaks) {
    JwwDrawing made = EveryClass(700);
    made.form.utf16Strings = true;
    const JwwBuilt built = BuildJww(made);
    struct Case {
        std::int64_t at;
        FilePart part;
        Reason failure = Reason::Truncated;
    };
    const Case cases[] = {
        {5, FilePart::Signature, Reason::NotJwCad},
        {100, FilePart::Header},
        {built.elementsAt - 1, FilePart::Header},
        {built.elementsAt + 1, FilePart::Elements},
        {built.elementsAt + 90, FilePart::Elements},
        {built.blocksAt + 3, FilePart::Blocks, Reason::CountTooLarge},  // two definitions cannot fit in a byte
        {built.blocksAt + 30, FilePart::Blocks},
        {built.imagesAt - 2, FilePart::Blocks},
        {built.imagesAt + 2, FilePart::Images},
        {static_cast<std::int64_t>(built.bytes.size()) - 1, FilePart::Images, Reason::ImageTooLarge},
    };
    for (const Case& c : cases) {
        JwwDrawing read;
        Failure error;
        EXPECT_FALSE(ReadJww(std::string_view(built.bytes).substr(0, static_cast<std::size_t>(c.at)), read, &error))
            << c.at;
        EXPECT_EQ(error.part, c.part) << c.at;
        EXPECT_EQ(error.reason, c.failure) << c.at;
        EXPECT_LE(error.offset, c.at);
    }
    // What came before the cut is kept.
    JwwDrawing read;
    ReadJww(std::string_view(built.bytes).substr(0, static_cast<std::size_t>(built.blocksAt + 3)), read);
    EXPECT_EQ(read.elements.order.size(), 13u);
    // Damage in the block list keeps the definitions read before it.
    JwwDrawing cutInBlocks;
    ReadJww(std::string_view(built.bytes).substr(0, static_cast<std::size_t>(built.imagesAt - 2)), cutInBlocks);
    ASSERT_EQ(cutInBlocks.blocks.size(), 2u);
    EXPECT_EQ(cutInBlocks.blocks[0]->number, 1u);
    EXPECT_EQ(cutInBlocks.blocks[0]->elements.definitions.size(), 1u);
}

// Patches the bytes at the first place `from` stands.
std::string Patched(std::string bytes, std::string_view from, std::string_view to) {
    const auto at = bytes.find(from);
    return at == std::string::npos ? bytes : bytes.replace(at, from.size(), to);
}

TEST(JwwReader, HostileFilesAreRefusedWithTheirReason) {
    const std::string good = BuildJww(EveryClass(700)).bytes;
    const JwwBuilt twoLines = [] {
        JwwDrawing d = NewJwwDrawing(600);
        Append(d.elements, JwwLine{Pen(1, 1), 1, 1, 2, 2});
        Append(d.elements, JwwLine{Pen(1, 1), 3, 3, 4, 4});
        return BuildJww(d);
    }();
    // The second line (class tag and 47 bytes) replaced by a reference to the first (index 2).
    const auto second =
        static_cast<std::size_t>(twoLines.elementsAt) + 2 + 14 + 47;  // the count, the class, the first line
    const std::string repeated =
        twoLines.bytes.substr(0, second) + std::string("\x02\x00", 2) + twoLines.bytes.substr(second + 49);
    const auto withBlocks = [](std::vector<std::pair<std::uint32_t, std::uint32_t>> definitionInserts, int nesting) {
        JwwDrawing d = NewJwwDrawing();
        for (const auto& [number, inserted] : definitionInserts) {
            auto b = std::make_unique<JwwBlockDefinition>();
            b->number = number;
            Append(b->elements, JwwBlockInsert{Pen(1, 1), 0, 0, 1, 1, 0, inserted});
            JwwBlockDefinition* inner = b.get();
            for (int i = 0; i < nesting; ++i) inner = &Append(inner->elements, std::make_unique<JwwBlockDefinition>());
            d.blocks.push_back(std::move(b));
        }
        return BuildJww(d).bytes;
    };
    // The element list of a drawing with one line, standing where the block list belongs.
    const std::string lineInBlocks = [] {
        JwwDrawing d = NewJwwDrawing();
        Append(d.elements, JwwLine{});
        const JwwBuilt b = BuildJww(d);
        const auto list =
            b.bytes.substr(static_cast<std::size_t>(b.elementsAt), static_cast<std::size_t>(b.blocksAt - b.elementsAt));
        return b.bytes.substr(0, static_cast<std::size_t>(b.elementsAt)) + std::string("\0\0", 2) + list +
               std::string(4, '\0');
    }();
    struct Case {
        const char* what;
        std::string bytes;
        Reason failure;
        std::int64_t count;
    };
    const Case cases[] = {
        {"an unknown class", Patched(good, "CDataSen", "CDataXyz"), Reason::UnknownClass, 0},
        {"a line among the block definitions", lineInBlocks, Reason::NotADefinition, 0},
        {"a count beyond the file",
         Patched(twoLines.bytes, std::string("\x02\x00\xFF\xFF", 4),
                 std::string("\xFF\xFF\xFF\xFF\xFF\x7F\xFF\xFF", 8)),
         Reason::CountTooLarge, 0x7FFFFFFF},
        {"a class that is not there", Patched(twoLines.bytes, std::string("\x01\x80", 2), std::string("\x50\x80", 2)),
         Reason::BadReference, 0x50},
        {"an object not yet read",
         twoLines.bytes.substr(0, second) + std::string("\x09\x00", 2) + twoLines.bytes.substr(second + 49),
         Reason::BadReference, 9},
        {"a block inserted into itself", withBlocks({{5, 5}}, 0), Reason::BlockContainsItself, 5},
        {"blocks inserted into each other", withBlocks({{1, 2}, {2, 3}, {3, 1}}, 0), Reason::BlockContainsItself, 0},
        {"definitions nested too deep", withBlocks({{1, 9}}, kJwwNestingLimit + 1), Reason::NestingTooDeep,
         kJwwNestingLimit},
        {"an image larger than the file",
         Patched(good, std::string("a.bmp\x66\x00\x00\x00", 9), std::string("a.bmp\xFF\xFF\xFF\x0F", 9)),
         Reason::ImageTooLarge, 0x0FFFFFFF},
        {"an image that does not inflate", std::string(good).replace(good.find("b.png.gz") + 8 + 4, 2, "??"),
         Reason::ImageDamaged, 0},  // the zlib header after the name and size
        {"bytes after the end", good + "x", Reason::TrailingBytes, 1},
        {"no signature", "JwcData." + good.substr(8), Reason::NotJwCad, 0},
    };
    for (const Case& c : cases) {
        JwwDrawing read;
        Failure error;
        EXPECT_FALSE(ReadJww(c.bytes, read, &error)) << c.what;
        EXPECT_EQ(error.reason, c.failure) << c.what;
        if (c.count) {
            EXPECT_EQ(error.count, c.count) << c.what;
        }
    }
    JwwDrawing read;
    ASSERT_TRUE(ReadJww(repeated, read));
    ASSERT_EQ(read.elements.lines.size(), 2u);  // the first line, twice
    EXPECT_EQ(read.elements.lines[1].x2, 2);

    // One long text repeated by back-references until the copies would hold
    // far more than the file: stopped there, with what came before kept.
    JwwDrawing longText = NewJwwDrawing(600);
    Append(longText.elements, JwwText{Pen(1, 1), 0, 0, 1, 0, 1, 1, 1, 0, 0, "", std::string(60000, 'x')});
    const JwwBuilt one = BuildJww(longText);
    const auto repeats = static_cast<std::size_t>(kJwwRepeatedBytesFloor / 60000 + 10);
    std::string references;
    for (std::size_t i = 0; i < repeats; ++i) references += std::string("\x02\x00", 2);  // the text, object 2
    std::string bomb = one.bytes.substr(0, static_cast<std::size_t>(one.blocksAt)) + references +
                       one.bytes.substr(static_cast<std::size_t>(one.blocksAt));
    bomb.replace(static_cast<std::size_t>(one.elementsAt), 2,
                 std::string("\xFF\xFF", 2));  // the count, now a 32-bit one
    bomb.insert(static_cast<std::size_t>(one.elementsAt) + 2,
                std::string(reinterpret_cast<const char*>(
                                std::array<std::uint32_t, 1>{static_cast<std::uint32_t>(repeats + 1)}.data()),
                            4));
    JwwDrawing flood;
    Failure error;
    EXPECT_FALSE(ReadJww(bomb, flood, &error));
    EXPECT_EQ(error.reason, Reason::TooManyRepeats);
    EXPECT_LT(flood.elements.texts.size(), repeats);
    EXPECT_GT(flood.elements.texts.size(), 1u);
}

// Images past the drawing's budgets are left out and counted, the rest of
// the file read on: past the count, and after a bomb that inflates past the
// bytes kept for all images (it spends them, so that the next is left out too).
TEST(JwwReader, ImagesPastTheBudgetsAreLeftOutAndCounted) {
    struct Case {
        const char* what;
        std::vector<JwwImage> images;
        std::size_t kept;
        std::int64_t leftOut;
    };
    std::vector<JwwImage> many(static_cast<std::size_t>(kJwwImageCountLimit) + 2, JwwImage{"a.bmp", 0, "BM"});
    const Case cases[] = {
        {"past the count", many, static_cast<std::size_t>(kJwwImageCountLimit), 2},
        {"a bomb, then a small image",
         {{"bomb.bmp.gz", 0, std::string(static_cast<std::size_t>(kJwwImagesTotalLimit) + 1, '\0')},
          {"b.bmp", 0, "BM"}},
         0,
         2},
    };
    for (const Case& c : cases) {
        JwwDrawing d = NewJwwDrawing(700);
        Append(d.elements, JwwLine{Pen(1, 1), 0, 0, 1, 1});
        d.images = c.images;
        JwwDrawing read;
        Failure error;
        EXPECT_TRUE(ReadJww(BuildJww(d).bytes, read, &error)) << c.what << static_cast<int>(error.reason);
        EXPECT_EQ(read.images.size(), c.kept) << c.what;
        EXPECT_EQ(read.imagesLeftOut, c.leftOut) << c.what;
    }
}

TEST(JwwArchive, Utf16TextCp932CannotHoldIsReplacedAndCounted) {
    ArchiveReader in(std::string_view("\xFF\xFE\xFF\x03\x3D\xD8\x00\xDE\x42\x30", 10));  // U+1F600, あ
    EXPECT_EQ(Cp932ToUtf8(in.String()), "?あ");
    EXPECT_EQ(in.ReplacedCharacters(), 1u);
}

// The real drawings beside the project, when they are there: read to their
// last byte, with the counts their notes give.
TEST(JwwReader, TheSampleDrawingsReadCompletely) {
    const std::filesystem::path folder = testing::JwwSamplesFolder();
    if (folder.empty()) GTEST_SKIP() << "no shared samples to read";
    struct Case {
        const char* name;
        std::size_t lines, arcs, texts, points, inserts, blocks;
    };
    const Case cases[] = {
        {"Test2.jww", 38, 4, 23, 6, 0, 0},    {"Test3.jww", 104, 6, 56, 33, 0, 0}, {"2blocks.jww", 0, 0, 6, 0, 2, 2},
        {"copy-block.jww", 0, 0, 6, 0, 1, 1}, {"non_block.jww", 4, 2, 6, 0, 0, 0},
    };
    for (const Case& c : cases) {
        JwwDrawing d;
        Failure error;
        ASSERT_TRUE(LoadJwwFile((folder / c.name).string(), d, &error)) << c.name << static_cast<int>(error.reason);
        const JwwElementList& e = d.elements;
        EXPECT_EQ(e.lines.size(), c.lines) << c.name;
        EXPECT_EQ(e.arcs.size(), c.arcs) << c.name;
        EXPECT_EQ(e.texts.size(), c.texts) << c.name;
        EXPECT_EQ(e.points.size(), c.points) << c.name;
        EXPECT_EQ(e.inserts.size(), c.inserts) << c.name;
        EXPECT_EQ(d.blocks.size(), c.blocks) << c.name;
    }
}

}  // namespace
}  // namespace orvik
