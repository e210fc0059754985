#include "jwc/JwcLoader.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <string_view>
#include <utility>

#include "input/FileReader.h"
#include "jwc/ByteOrder.h"
#include "jwc/HeaderParser.h"
#include "numeric/Extended.h"

namespace orvik {
namespace {

// Arc angles are stored in 1/65536 degree.
constexpr float kAngleUnit = 1.52587890625E-5f;
// Flatness is stored in ten-thousandths.
const Extended kFlatnessUnit = 10000.0;
// Records are decoded in chunks of this many bytes at most.
constexpr std::size_t kChunkBytes = 1 << 16;

std::string NameField(std::string_view field) { return std::string(field.substr(0, field.find('\0'))); }

// Bytes 19 and 21 of a line, 29..31 of an arc, 23 of a text and 10, 11 of a
// point carry nothing JW_CAD draws; they are not kept.
DrawingLine DecodeLine(const char* p) {
    return DrawingLine{LoadF32(p),     LoadF32(p + 4), LoadF32(p + 8), LoadF32(p + 12),
                       LoadU8(p + 16), LoadU8(p + 17), LoadU8(p + 18), LoadU8(p + 20)};
}

DrawingArc DecodeArc(const char* p) {
    DrawingArc e;
    e.cx = LoadF32(p);
    e.cy = LoadF32(p + 4);
    e.radius = LoadF32(p + 8);
    e.flatness = static_cast<float>(static_cast<Extended>(LoadU16(p + 12)) / kFlatnessUnit);
    // The long is first rounded to a 32-bit real; the scaling by 2^-16 is exact.
    e.startAngle = static_cast<float>(LoadI32(p + 14)) * kAngleUnit;
    e.endAngle = static_cast<float>(LoadI32(p + 18)) * kAngleUnit;
    e.tilt = static_cast<float>(LoadI32(p + 22)) * kAngleUnit;
    e.lineType = LoadU8(p + 26);
    e.pen = LoadU8(p + 27);
    e.layer = LoadU8(p + 28);
    return e;
}

// A text record's string lies in the pool at a linear address.
std::int32_t TextAddress(const char* p) {
    return LoadU16(p + 18) * 16 + LoadU16(p + 16);
}  // segment at 18, offset at 16

DrawingText DecodeText(const char* p) {
    DrawingText m;
    m.x1 = LoadF32(p);
    m.y1 = LoadF32(p + 4);
    m.x2 = LoadF32(p + 8);
    m.y2 = LoadF32(p + 12);
    m.textType = LoadU8(p + 20);
    m.layer = LoadU8(p + 21);
    m.vertical = (LoadU8(p + 22) & kVerticalTextFlag) != 0;
    return m;
}

DrawingPoint DecodePoint(const char* p) {
    return DrawingPoint{LoadF32(p), LoadF32(p + 4), LoadU8(p + 8), LoadU8(p + 9)};
}

// One load: walks the sections in file order and remembers how many records
// of each counted kind it has read, so a failed load can be trimmed to them.
class Loader {
public:
    Loader(FileReader& reader, JwcFile& file) : file_(reader), d_(file) {}

    bool Run() {
        try {
            return ReadAll();
        } catch (const std::bad_alloc&) {
            return Fail(Reason::OutOfMemory, section_);
        }
    }

    // After a failure: every count says how many records its array holds.
    void KeepOnlyWhatWasRead() {
        JwcHeader& h = d_.header;
        h.lineCount = Trim(d_.lines, lines_);
        h.arcCount = Trim(d_.arcs, arcs_);
        h.textCount = Trim(d_.texts, texts_);
        h.pointCount = Trim(d_.points, points_);
        const std::int64_t complete = std::min({virtualX_, virtualY_, virtualLayers_});
        h.virtualPointCount =
            virtualCountValid_ ? static_cast<std::int32_t>(std::min<std::int64_t>(h.virtualPointCount, complete)) : 0;
    }

    // The drawing as the header describes it: its paper, and the virtual
    // points in use (the header's count of the 101 slots).
    void Finish() {
        d_.paper = Paper{d_.header.paperSize, d_.header.paperDivisor};
        d_.virtualPoints.resize(static_cast<std::size_t>(std::max(0, d_.header.virtualPointCount)));
    }

    const Failure& Error() const { return error_; }

private:
    template <class T>
    static std::int32_t Trim(std::vector<T>& records, std::int64_t read) {
        if (records.size() > static_cast<std::size_t>(read)) records.resize(static_cast<std::size_t>(read));
        return static_cast<std::int32_t>(records.size());
    }

    bool Fail(Reason failure, FilePart section, std::int64_t count = 0) {
        error_.reason = failure;
        error_.part = section;
        // A count the header gives is found too large before its section is read: no byte to name.
        error_.offset = failure == Reason::CountTooLarge ? -1 : sectionStart_;
        error_.fileSize = file_.Size();
        error_.count = count;
        return false;
    }

    // Reads `count` records of `size` bytes, handing each complete one to
    // `decode(index, bytes)`. `done` counts the records decoded. False when
    // the file ends first: the records before the cut are kept.
    template <class Decode>
    bool ReadRecords(FilePart section, std::int64_t count, std::size_t size, std::int64_t& done, Decode decode) {
        section_ = section;
        sectionStart_ = file_.Position();
        const std::size_t perChunk = std::max<std::size_t>(1, kChunkBytes / size);
        while (done < count) {
            const auto want =
                static_cast<std::size_t>(std::min<std::int64_t>(count - done, static_cast<std::int64_t>(perChunk)));
            const std::string_view bytes = file_.Read(want * size);
            const std::size_t whole = bytes.size() / size;
            for (std::size_t i = 0; i < whole; ++i) decode(done++, bytes.data() + i * size);
            if (whole < want) return Fail(Reason::Truncated, section);
        }
        return true;
    }

    // The same for a section whose records are not counted by the header.
    template <class Decode>
    bool ReadTable(FilePart section, std::int64_t count, std::size_t size, Decode decode) {
        std::int64_t done = 0;
        return ReadRecords(section, count, size, done, decode);
    }

    // Sizes one counted array, refusing counts the file cannot hold.
    template <class T>
    bool SizeArray(std::vector<T>& records, std::int32_t count, int recordSize, FilePart section) {
        section_ = section;
        if (count < 0) return Fail(Reason::NegativeCount, section, count);
        if (std::int64_t{count} * recordSize > file_.Size() - kHeaderSize)
            return Fail(Reason::CountTooLarge, section, count);
        records.assign(static_cast<std::size_t>(count), T{});
        return true;
    }

    bool ReadAll() { return ReadHeader() && ReadTables() && ReadElements() && ReadNames(); }

    // The header blocks, their fields, and the counts checked against the file.
    bool ReadHeader() {
        section_ = FilePart::HeaderBlocks;
        if (!file_.IsOpen()) return Fail(Reason::Unreadable, section_);

        for (auto& block : d_.headerBlocks) {
            sectionStart_ = file_.Position();
            const std::string_view bytes = file_.Read(kHeaderBlockSize);
            if (bytes.size() < kHeaderBlockSize) return Fail(Reason::Truncated, section_);
            block = std::string(bytes);
        }
        if (!ParseHeader(d_, &error_)) return false;

        JwcHeader& h = d_.header;
        section_ = FilePart::VirtualPoints;
        if (h.virtualPointCount < 0) return Fail(Reason::NegativeCount, section_, h.virtualPointCount);
        if (h.virtualPointCount > kVirtualPointSlots) {
            error_.limit = kVirtualPointSlots;
            return Fail(Reason::TooManyVirtualPoints, section_, h.virtualPointCount);
        }
        virtualCountValid_ = true;
        if (!SizeArray(d_.lines, h.lineCount, kLineRecordSize, FilePart::Lines) ||
            !SizeArray(d_.arcs, h.arcCount, kArcRecordSize, FilePart::Arcs) ||
            !SizeArray(d_.texts, h.textCount, kTextRecordSize, FilePart::Texts) ||
            !SizeArray(d_.points, h.pointCount, kPointRecordSize, FilePart::Points))
            return false;
        addresses_.assign(d_.texts.size(), 0);
        return true;
    }

    // The virtual points, text types, layer-group scales and layer flags.
    bool ReadTables() {
        const JwcHeader& h = d_.header;
        auto& virtualPoints = d_.virtualPoints;
        virtualPoints.assign(kVirtualPointSlots, VirtualPoint{});
        if (!ReadRecords(FilePart::VirtualPoints, kVirtualPointSlots, 4, virtualX_,
                         [&](std::int64_t i, const char* p) { virtualPoints[i].x = LoadF32(p); }) ||
            !ReadRecords(FilePart::VirtualPoints, kVirtualPointSlots, 4, virtualY_,
                         [&](std::int64_t i, const char* p) { virtualPoints[i].y = LoadF32(p); }) ||
            !ReadRecords(FilePart::VirtualPoints, kVirtualPointSlots, 1, virtualLayers_,
                         [&](std::int64_t i, const char* p) { virtualPoints[i].layer = LoadU8(p); }))
            return false;

        // Each text type's attribute, width and height, then a fourth value JW_CAD does not draw with.
        const auto skip = [](std::int64_t, const char*) {};
        auto& types = d_.textTypes;
        for (std::uint16_t TextType::*field : {&TextType::attribute, &TextType::width, &TextType::height})
            if (!ReadTable(FilePart::TextTypes, kFileTextTypes, 2,
                           [&](std::int64_t i, const char* p) { types[i].*field = LoadU16(p); }))
                return false;
        if (!ReadTable(FilePart::TextTypes, kFileTextTypes, 2, skip)) return false;

        auto& groups = d_.layerGroups;
        const bool ok = h.floatScales ? ReadTable(FilePart::GroupScales, kLayerGroupCount, 4,
                                                  [&](std::int64_t i, const char* p) { groups[i].scale = LoadF32(p); })
                                      : ReadTable(FilePart::GroupScales, kLayerGroupCount, 2,
                                                  [&](std::int64_t i, const char* p) { groups[i].scale = LoadU16(p); });
        if (!ok) return false;

        auto& layers = d_.layers;
        // Per group and per layer a first flag byte, their visibility, per group a
        // third flag byte; only the visibility is drawn with.
        return ReadTable(FilePart::LayerFlags, kLayerGroupCount + kLayerCount, 1, skip) &&
               ReadTable(FilePart::LayerFlags, kLayerGroupCount, 1,
                         [&](std::int64_t i, const char* p) { groups[i].visible = LoadU8(p); }) &&
               ReadTable(FilePart::LayerFlags, kLayerCount, 1,
                         [&](std::int64_t i, const char* p) { layers[i].visible = LoadU8(p); }) &&
               ReadTable(FilePart::LayerFlags, kLayerGroupCount, 1, skip);
    }

    // The lines, arcs, texts with their string pool, and real points.
    bool ReadElements() {
        const JwcHeader& h = d_.header;
        return ReadRecords(FilePart::Lines, h.lineCount, kLineRecordSize, lines_,
                           [&](std::int64_t i, const char* p) { d_.lines[i] = DecodeLine(p); }) &&
               ReadRecords(FilePart::Arcs, h.arcCount, kArcRecordSize, arcs_,
                           [&](std::int64_t i, const char* p) { d_.arcs[i] = DecodeArc(p); }) &&
               ReadRecords(FilePart::Texts, h.textCount, kTextRecordSize, texts_,
                           [&](std::int64_t i, const char* p) {
                               d_.texts[i] = DecodeText(p);
                               addresses_[i] = TextAddress(p);
                           }) &&
               ReadPool() &&
               ReadRecords(FilePart::Points, h.pointCount, kPointRecordSize, points_,
                           [&](std::int64_t i, const char* p) { d_.points[i] = DecodePoint(p); });
    }

    bool ReadNames() {
        auto& layers = d_.layers;
        auto& groups = d_.layerGroups;
        return ReadTable(FilePart::LayerNames, kLayerCount, kLayerNameSize,
                         [&](std::int64_t i, const char* p) {
                             layers[i].name = NameField({p, kLayerNameSize});
                         }) &&
               ReadTable(FilePart::GroupNames, kLayerGroupCount, kLayerGroupNameSize,
                         [&](std::int64_t i, const char* p) {
                             groups[i].name = NameField({p, kLayerGroupNameSize});
                         });
    }

    // The NUL-terminated strings of the texts, addressed by linear address.
    bool ReadPool() {
        const JwcHeader& h = d_.header;
        const std::int64_t length = std::int64_t{h.poolEnd} - h.poolStart;
        if (length <= 0) return true;
        section_ = FilePart::TextPool;
        sectionStart_ = file_.Position();
        if (length > file_.Remaining()) return Fail(Reason::Truncated, section_);
        const std::string_view pool = file_.Read(static_cast<std::size_t>(length));
        if (static_cast<std::int64_t>(pool.size()) < length) return Fail(Reason::Truncated, section_);
        for (std::size_t i = 0; i < d_.texts.size(); ++i) {
            const std::int64_t at = std::int64_t{addresses_[i]} - h.poolStart;
            // A text pointing outside the pool has no string.
            if (at >= 0 && at < length) d_.texts[i].text = NameField(pool.substr(static_cast<std::size_t>(at)));
        }
        return true;
    }

    FileReader& file_;
    JwcFile& d_;
    std::vector<std::int32_t> addresses_;  // each text's string in the pool
    Failure error_;
    FilePart section_ = FilePart::HeaderBlocks;
    std::int64_t sectionStart_ = 0;
    std::int64_t lines_ = 0, arcs_ = 0, texts_ = 0, points_ = 0;
    std::int64_t virtualX_ = 0, virtualY_ = 0, virtualLayers_ = 0;
    bool virtualCountValid_ = false;
};

}  // namespace

bool IsJwcStart(std::string_view start) {
    if (start.size() < static_cast<std::size_t>(kJwcSignatureSize)) return false;
    const std::string_view head = start.substr(0, kJwcSignatureSize);
    return head.substr(0, head.find('\0')) == kJwcSignature;
}

bool LoadJwcFile(const std::string& path, JwcFile& file, Failure* error) {
    FileReader reader(path);
    return LoadJwcFile(reader, file, error);
}

bool LoadJwcFile(FileReader& reader, JwcFile& file, Failure* error) {
    file = JwcFile{};
    Loader loader(reader, file);
    const bool ok = loader.Run();
    if (!ok) loader.KeepOnlyWhatWasRead();
    loader.Finish();
    if (error) *error = ok ? Failure{} : loader.Error();
    return ok;
}

}  // namespace orvik
