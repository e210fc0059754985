// Reading damaged drawings: the load stops at the first fault, says where,
// and leaves a drawing whose counts match what was actually read.
#include <map>

#include <gtest/gtest.h>

#include <filesystem>

#include "jwc/JwcLoader.h"
#include "support/JwcBuilder.h"
#include "support/TempDir.h"

namespace orvik {
namespace {

using testing::TempDir;

// Two of everything, so a cut can fall between records.
JwcBuilder FullDrawing() {
    JwcBuilder b;
    b.HeaderTexts("text one", "text two").Group(0, 100).Layer(0, "A").Layer(255, "Z").Group(15, 1, "G");
    for (int i = 0; i < 2; ++i) {
        const auto f = static_cast<float>(i + 1);
        b.Line(LineRecord{f, f, f, f, 1, 1, 0});
        b.Arc(ArcRecord{f, f, f});
        b.Text(TextRecord{f, f, f + 1, f, std::string(1, static_cast<char>('A' + i))});
        b.Point(DrawingPoint{f, f, 0, 1});
        b.VirtualPoint(f, f, 0);
    }
    return b;
}

// The counts never promise more than the arrays hold.
void ExpectConsistent(const JwcFile& d) {
    EXPECT_EQ(d.header.lineCount, static_cast<std::int32_t>(d.lines.size()));
    EXPECT_EQ(d.header.arcCount, static_cast<std::int32_t>(d.arcs.size()));
    EXPECT_EQ(d.header.textCount, static_cast<std::int32_t>(d.texts.size()));
    EXPECT_EQ(d.header.pointCount, static_cast<std::int32_t>(d.points.size()));
    EXPECT_GE(d.header.virtualPointCount, 0);
    EXPECT_LE(d.header.virtualPointCount, kVirtualPointSlots);
}

class JwcLoaderFailureTest : public ::testing::Test {
protected:
    // Loads bytes that must fail; returns the drawing and the error.
    std::pair<JwcFile, Failure> Fail(const std::string& bytes) {
        JwcFile d;
        Failure e;
        EXPECT_FALSE(LoadJwcFile(dir_.Write("bad.jwc", bytes), d, &e));
        ExpectConsistent(d);
        return {d, e};
    }
    TempDir dir_;
};

TEST_F(JwcLoaderFailureTest, ACutFileKeepsEverythingBeforeTheCut) {
    const JwcBuilder b = FullDrawing();
    const std::string bytes = b.Bytes();
    struct Case {
        FilePart section;
        std::int64_t into;  // bytes into the section where the file ends
        std::array<int, 5> counts;  // lines, arcs, texts, points, virtual points read
        std::vector<std::string> texts;
    };
    const Case cases[] = {
        {FilePart::HeaderBlocks, 700, {0, 0, 0, 0, 0}, {}},
        {FilePart::VirtualPoints, 100, {0, 0, 0, 0, 0}, {}},  // inside the X values
        {FilePart::VirtualPoints, 404 + 404 + 1, {0, 0, 0, 0, 1}, {}},
        {FilePart::TextTypes, 0, {0, 0, 0, 0, 2}, {}},
        {FilePart::GroupScales, 7, {0, 0, 0, 0, 2}, {}},
        {FilePart::LayerFlags, 300, {0, 0, 0, 0, 2}, {}},
        {FilePart::Lines, kLineRecordSize + 3, {1, 0, 0, 0, 2}, {}},
        {FilePart::Arcs, kArcRecordSize, {2, 1, 0, 0, 2}, {}},
        {FilePart::Texts, 0, {2, 2, 0, 0, 2}, {}},
        {FilePart::TextPool, 3, {2, 2, 2, 0, 2}, {"", ""}},  // no pool, no strings
        {FilePart::Points, kPointRecordSize + 11, {2, 2, 2, 1, 2}, {"A", "B"}},
        {FilePart::LayerNames, 8 * 255 + 7, {2, 2, 2, 2, 2}, {"A", "B"}},
        {FilePart::GroupNames, 16 * 15, {2, 2, 2, 2, 2}, {"A", "B"}},
    };
    for (const auto& c : cases) {
        const std::int64_t start = b.SectionOffset(c.section);
        SCOPED_TRACE(::testing::Message() << "section " << static_cast<int>(c.section) << " + " << c.into);
        auto [d, e] = Fail(bytes.substr(0, static_cast<std::size_t>(start + c.into)));
        EXPECT_EQ(e.reason, Reason::Truncated);
        EXPECT_EQ(e.part, c.section);
        EXPECT_EQ(e.fileSize, start + c.into);
        const JwcHeader& h = d.header;
        EXPECT_EQ((std::array<int, 5>{h.lineCount, h.arcCount, h.textCount, h.pointCount, h.virtualPointCount}),
                  c.counts);
        for (std::size_t i = 0; i < c.texts.size(); ++i) EXPECT_EQ(d.texts[i].text, c.texts[i]);
    }
}

TEST_F(JwcLoaderFailureTest, ACutFileFillsTheRecordsItHolds) {
    const JwcBuilder b = FullDrawing();
    const auto cut = b.SectionOffset(FilePart::Points) + kPointRecordSize;
    auto [d, e] = Fail(b.Bytes().substr(0, static_cast<std::size_t>(cut)));
    EXPECT_EQ(e.offset, b.SectionOffset(FilePart::Points));
    EXPECT_EQ(d.header.headerText2, "text two");
    EXPECT_EQ(d.layerGroups[0].scale, 100.0f);
    EXPECT_EQ(d.lines[1].x1, 2.0f);
    EXPECT_EQ(d.arcs[1].radius, 2.0f);
    ASSERT_EQ(d.points.size(), 1u);
    EXPECT_EQ(d.points[0].x, 1.0f);
    EXPECT_EQ(d.layers[0].name, "");  // names come after the cut
}

TEST_F(JwcLoaderFailureTest, AShortFileWithTheSignatureIsJwcButDoesNotLoad) {
    const std::string bytes = FullDrawing().Bytes().substr(0, 700);
    EXPECT_TRUE(IsJwcStart(bytes));
    auto [d, e] = Fail(bytes);
    EXPECT_EQ(e.part, FilePart::HeaderBlocks);
    EXPECT_EQ(e.offset, 600);
    EXPECT_EQ(d.headerBlocks[2].size(), 200u);
    EXPECT_EQ(d.headerBlocks[3], "");
    EXPECT_EQ(d.header.headerText1, "");  // nothing is parsed before all four blocks are in
}

TEST_F(JwcLoaderFailureTest, AnInvalidHeaderFieldStopsTheParseThere) {
    struct Case {
        int block, field;
        std::string text;
        std::int64_t offset;  // of the field in the file
    };
    const Case cases[] = {
        {2, 1, "x", 200},        {2, 12, "3 ", -1},  {2, 10, "", -1},    {2, 32, "1.5", -1}, {3, 1, "abc", 400},
        {3, 5, "1e3", -1},       {3, 28, "+", -1},   {4, 1, "0", 600},  // too short for a segment:offset address
        {4, 2, "6000:00g0", -1}, {4, 3, "1..0", -1}, {4, 22, "--1", -1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << "block " << c.block << " field " << c.field);
        JwcBuilder b = FullDrawing();
        b.SetField(2, 11, "11").SetField(3, 27, "2.75").SetField(c.block, c.field, c.text);
        auto [d, e] = Fail(b.Bytes());
        EXPECT_EQ(e.reason, Reason::InvalidField);
        EXPECT_EQ(std::tie(e.block, e.field), std::tie(c.block, c.field));
        EXPECT_EQ(e.detail, c.text);
        if (c.offset >= 0) {
            EXPECT_EQ(e.offset, c.offset);
        }
        EXPECT_EQ(d.header.headerText1, "text one");  // block 1 is always parsed
        // Fields before the bad one hold file values, later ones their defaults.
        auto before = [&](int block, int field) { return c.block > block || (c.block == block && c.field > field); };
        EXPECT_EQ(d.header.hdr2_11, before(2, 11) ? 11 : 0);
        EXPECT_EQ(d.header.hdr3_27, before(3, 27) ? 2.75f : 0.0f);
        EXPECT_TRUE(d.lines.empty());
        EXPECT_EQ(d.headerBlocks[3].size(), 200u);
    }
}

TEST_F(JwcLoaderFailureTest, AFieldOfNulBytesAfterACommaIsInvalid) {
    JwcBuilder b = FullDrawing();
    b.SetBlock(3, "1,2,");  // the field after the last comma holds only NUL bytes
    auto [d, e] = Fail(b.Bytes());
    EXPECT_EQ(std::tie(e.block, e.field), std::make_tuple(3, 3));
}

TEST_F(JwcLoaderFailureTest, BadCountsFailBeforeAnythingIsAllocatedForThem) {
    struct Case {
        int field;
        const char* value;
        Reason failure;
        FilePart section;
        std::array<int, 4> arraySizes;  // lines, arcs, texts, points left
    };
    const Case cases[] = {
        {1, "-1", Reason::NegativeCount, FilePart::Lines, {0, 0, 0, 0}},
        {2, "-5", Reason::NegativeCount, FilePart::Arcs, {0, 0, 0, 0}},
        {3, "-2147483648", Reason::NegativeCount, FilePart::Texts, {0, 0, 0, 0}},
        {4, "-1", Reason::NegativeCount, FilePart::Points, {0, 0, 0, 0}},
        {5, "-1", Reason::NegativeCount, FilePart::VirtualPoints, {0, 0, 0, 0}},
        {1, "2000000000", Reason::CountTooLarge, FilePart::Lines, {0, 0, 0, 0}},
        {2, "2147483647", Reason::CountTooLarge, FilePart::Arcs, {0, 0, 0, 0}},
        {3, "1000000", Reason::CountTooLarge, FilePart::Texts, {0, 0, 0, 0}},
        {4, "400000", Reason::CountTooLarge, FilePart::Points, {0, 0, 0, 0}},
        {5, "102", Reason::TooManyVirtualPoints, FilePart::VirtualPoints, {0, 0, 0, 0}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.value);
        JwcBuilder b = FullDrawing();
        b.SetField(2, c.field, c.value);
        auto [d, e] = Fail(b.Bytes());
        EXPECT_EQ(e.reason, c.failure);
        EXPECT_EQ(e.part, c.section);
        EXPECT_EQ(e.count, std::stoll(c.value));
        EXPECT_EQ(
            (std::array<int, 4>{int(d.lines.size()), int(d.arcs.size()), int(d.texts.size()), int(d.points.size())}),
            c.arraySizes);
        EXPECT_EQ(d.header.virtualPointCount, 0);
        // No memory was ever taken for the refused count.
        const std::map<FilePart, std::size_t> taken = {{FilePart::Lines, d.lines.capacity()},
                                                       {FilePart::Arcs, d.arcs.capacity()},
                                                       {FilePart::Texts, d.texts.capacity()},
                                                       {FilePart::Points, d.points.capacity()},
                                                       {FilePart::VirtualPoints, d.virtualPoints.capacity()}};
        EXPECT_EQ(taken.at(c.section), 0u);
    }
}

TEST_F(JwcLoaderFailureTest, ACountThatFitsTheFileButOverrunsItFailsAtTheCut) {
    // 120 lines of 22 bytes fit within the file size, but the file ends inside them.
    JwcBuilder b = FullDrawing();
    b.SetField(2, 1, "120");
    auto [d, e] = Fail(b.Bytes());
    EXPECT_EQ(e.reason, Reason::Truncated);
    EXPECT_EQ(e.part, FilePart::Lines);
    EXPECT_LT(d.header.lineCount, 120);
    EXPECT_EQ(d.lines[0].x1, 1.0f);
}

TEST_F(JwcLoaderFailureTest, FilesThatCannotBeOpenedLeaveTheResetState) {
    std::filesystem::create_directory(dir_.File("folder.jwc"));
    for (const std::string& path : {dir_.File("missing.jwc"), dir_.File("folder.jwc")}) {
        JwcFile d;
        Failure e;
        EXPECT_FALSE(LoadJwcFile(path, d, &e));
        EXPECT_EQ(e.reason, Reason::Unreadable);
        EXPECT_EQ(d.headerBlocks[0], "");
        EXPECT_EQ(d.header.paperDivisor, 518);
        ExpectConsistent(d);
    }
}

}  // namespace
}  // namespace orvik
