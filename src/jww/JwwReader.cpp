#include "jww/JwwReader.h"

#include <zlib.h>
#include <algorithm>
#include <new>
#include <type_traits>

#include "jww/MfcArchive.h"
#include "os/System.h"

namespace orvik {
namespace {

struct Stop {
    Failure error;
};

struct ClassName {
    std::string_view name;
    JwwKind kind;
};
constexpr ClassName kClasses[] = {
    {"CDataSen", JwwKind::Line},         {"CDataEnko", JwwKind::Arc},
    {"CDataTen", JwwKind::Point},        {"CDataMoji", JwwKind::Text},
    {"CDataSolid", JwwKind::Solid},      {"CDataBlock", JwwKind::BlockInsert},
    {"CDataSunpou", JwwKind::Dimension}, {"CDataList", JwwKind::BlockDefinition},
};

// The archive's running index: what each index stands for, one entry per
// class and object of the file (kept to 16 bytes: a drawing has millions).
struct MapEntry {
    const void* element = nullptr;  // an object: where it is kept
    std::uint32_t number = 0;  // a block definition's number
    JwwKind kind = JwwKind::Line;
    bool isClass = false;
    bool complete = false;  // an object: read to its end (a definition is not, while its list is read)
};
static_assert(sizeof(MapEntry) <= 16);

JwwImageFormat FormatOf(std::string_view bytes) {
    const auto starts = [&](std::string_view magic) { return bytes.substr(0, magic.size()) == magic; };
    if (starts("BM")) return JwwImageFormat::Bmp;
    if (starts("\xFF\xD8\xFF")) return JwwImageFormat::Jpeg;
    if (starts("\x89PNG")) return JwwImageFormat::Png;
    if (starts("GIF8")) return JwwImageFormat::Gif;
    if (starts(std::string_view("II*\0", 4)) || starts(std::string_view("MM\0*", 4))) return JwwImageFormat::Tiff;
    return JwwImageFormat::Unknown;
}

enum class Inflated { Whole, Damaged, TooLarge };

// zlib or gzip data inflated, at most `limit` bytes.
Inflated Inflate(std::string_view in, std::string& out, std::int64_t limit) {
    z_stream z{};
    if (inflateInit2(&z, 15 + 32) != Z_OK) return Inflated::Damaged;  // 15 + 32: a zlib or gzip header
    z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(in.data()));
    z.avail_in = static_cast<uInt>(in.size());
    char buffer[1 << 16];
    int status = Z_OK;
    bool tooLarge = false;
    while (status == Z_OK && !tooLarge) {
        z.next_out = reinterpret_cast<Bytef*>(buffer);
        z.avail_out = sizeof buffer;
        status = inflate(&z, Z_NO_FLUSH);
        out.append(buffer, sizeof buffer - z.avail_out);
        tooLarge = static_cast<std::int64_t>(out.size()) > limit;
    }
    inflateEnd(&z);
    return tooLarge ? Inflated::TooLarge : status == Z_STREAM_END ? Inflated::Whole : Inflated::Damaged;
}

// The fewest bytes a new object of the archive takes: its tag and the
// common part of an element (a back-reference takes no index entry).
constexpr std::size_t kSmallestObject = 15;

class Reader {
public:
    Reader(ArchiveReader in, JwwDrawing& drawing, bool forWriting)
        : in_(std::move(in)), d_(drawing), size_(in_.Remaining()), forWriting_(forWriting) {
        if (forWriting_) in_.KeepStrings();
    }

    std::int64_t Size() const { return size_; }

    void Run() {
        if (in_.Remaining() < 12 || in_.Bytes(kJwwSignature.size()) != kJwwSignature) Fail(Reason::NotJwCad, 0);
        d_.header.version = in_.U32();
        v_ = std::min(d_.header.version, kJwwNewestVersion);
        // Room for the index of every object the file can hold (each takes
        // kSmallestObject bytes at least): address space only, touched as
        // the index grows, so that it never moves while it grows.
        map_.reserve(static_cast<std::size_t>(in_.Remaining()) / kSmallestObject + 1);
        part_ = FilePart::Header;
        ReadHeader();
        part_ = FilePart::Elements;
        ReadList(d_.elements, 0);
        part_ = FilePart::Blocks;
        ReadList(blockList_, 0);
        KeepBlocks();
        CheckNoBlockHoldsItself();
        if (v_ >= 700) {
            part_ = FilePart::Images;
            ReadImages();
        }
        part_ = FilePart::End;
        if (in_.Remaining() > 0) Fail(Reason::TrailingBytes, in_.Position(), in_.Remaining());
    }

    [[noreturn]] void Fail(Reason failure, std::int64_t offset, std::int64_t count = 0, std::string name = {}) {
        throw Stop{Failure{failure, part_, offset, size_, count, 0, 0, 0, std::move(name)}};
    }

    // The block definitions read so far join the drawing (where the block
    // list is damaged, those before the damage stay).
    void KeepBlocks() {
        for (auto& b : blockList_.definitions) d_.blocks.push_back(std::move(b));
        blockList_.definitions.clear();
    }

    FilePart Part() const { return part_; }
    std::int64_t RecordStart() const { return recordStart_; }
    std::size_t Replaced() const { return in_.ReplacedCharacters(); }

    // How the strings were written, when they were kept.
    void KeepStringForms() {
        d_.form.utf16Strings = in_.FirstStringWide();
        d_.form.keptStrings = in_.TakeKeptStrings();
    }

private:
    // Fields nothing uses: kept as they are for writing the file back.
    void Skip(std::size_t bytes) {
        const std::string_view fields = in_.Bytes(bytes);
        if (forWriting_) d_.header.otherFields.emplace_back(fields);
    }
    // Reals in the order given.
    void Reals(std::initializer_list<double*> fields) {
        for (double* field : fields) *field = in_.F64();
    }
    void SkipWords(int n) { Skip(4 * static_cast<std::size_t>(n)); }
    void SkipReals(int n) { Skip(8 * static_cast<std::size_t>(n)); }

    void ReadHeader() {
        JwwHeader& h = d_.header;
        recordStart_ = in_.Position();
        h.memo = in_.String();
        h.paperSize = in_.U32();
        h.writeGroup = in_.U32();
        for (JwwLayerGroup& g : h.groups) {
            g.state = in_.U32();
            g.writeLayer = in_.U32();
            g.scale = in_.F64();
            g.protection = in_.U32();
            for (JwwLayer& layer : g.layers) {
                layer.state = in_.U32();
                layer.protection = in_.U32();
            }
        }
        SkipWords(14);
        for (std::uint32_t& d : h.dimensionSettings) d = in_.U32();
        SkipWords(1);
        h.maxDrawWidth = static_cast<std::int32_t>(in_.U32());
        h.printOriginX = in_.F64();
        h.printOriginY = in_.F64();
        h.printScale = in_.F64();
        h.printSettings = in_.U32();
        SkipWords(1);  // scale marks: mode
        SkipReals(5);  // their least spacing, spacing x and y, origin x and y
        for (JwwLayerGroup& g : h.groups)
            for (JwwLayer& layer : g.layers) layer.name = in_.String();
        for (JwwLayerGroup& g : h.groups) g.name = in_.String();
        SkipReals(2), SkipWords(1), SkipReals(1);  // sun shadow: level, latitude, 9-15 o'clock, wall level
        if (v_ >= 300) SkipReals(2);  // sky map: level, radius x 2
        SkipWords(1);  // 2.5D unit
        SkipReals(6);  // the view's zoom and origin, the kept range's
        if (v_ >= 300) {
            for (int n = 0; n < 8; ++n) SkipReals(3), SkipWords(1);  // zoom marks with their group
            SkipReals(3), SkipWords(1), SkipReals(3), SkipWords(1);  // text drawing: placeholders, background
        } else {
            for (int n = 0; n < 4; ++n) SkipReals(3);
        }
        SkipReals(11);  // parallel-line spacings, both-sides end length
        for (JwwPen& pen : h.screenPens) {
            pen.color = in_.U32();
            pen.width = in_.U32();
        }
        for (JwwPrinterPen& pen : h.printerPens) ReadPrinterPen(pen);
        for (JwwLinePattern& p : h.linePatterns) ReadPattern(p, false);
        for (JwwLinePattern& p : h.randomPatterns) ReadPattern(p, true);
        for (JwwLinePattern& p : h.doublePatterns) ReadPattern(p, false);
        SkipWords(10);  // point drawing, draw order, reverse draw and search, colour, layer and pen print order, ...
        h.printOptions = in_.U32();
        if (v_ >= 223) {
            h.drawTime = in_.U32();
            SkipWords(4), SkipReals(5);  // 2.5D eye settings
        }
        if (v_ >= 225) SkipReals(4);  // last line length, box width and height, circle radius
        if (v_ >= 230) {
            h.solidAnyColor = in_.U32();
            h.solidColor = in_.U32();
        }
        if (v_ >= 420) ReadSxf();
        for (JwwTextStyle& s : h.textStyles) {
            s.width = in_.F64();
            s.height = in_.F64();
            s.spacing = in_.F64();
            s.color = in_.U32();
        }
        h.textWidth = in_.F64();
        h.textHeight = in_.F64();
        h.textSpacing = in_.F64();
        h.textColor = in_.U32();
        h.textStyle = in_.U32();
        SkipReals(2), SkipWords(1), SkipReals(6);  // text arranging, base point offsets
    }

    void ReadPrinterPen(JwwPrinterPen& pen) {
        pen.color = in_.U32();
        pen.width = in_.U32();
        pen.pointRadius = in_.F64();
    }

    void ReadPattern(JwwLinePattern& p, bool random) {
        p.pattern = in_.U32();
        p.unitDots = in_.U32();
        p.pitch = in_.U32();
        if (random) p.printerAmplitude = in_.U32();
        p.printerPitch = in_.U32();
    }

    void ReadSxf() {
        JwwHeader& h = d_.header;
        h.sxfScreenPens.resize(257);
        for (JwwPen& pen : h.sxfScreenPens) {
            pen.color = in_.U32();
            pen.width = in_.U32();
        }
        h.sxfColorNames.resize(257);
        h.sxfPrinterPens.resize(257);
        for (std::size_t n = 0; n < 257; ++n) {
            h.sxfColorNames[n] = in_.String();
            ReadPrinterPen(h.sxfPrinterPens[n]);
        }
        h.sxfPatterns.resize(33);
        for (JwwLinePattern& p : h.sxfPatterns) ReadPattern(p, false);
        h.sxfLineTypes.resize(33);
        for (JwwSxfLineType& t : h.sxfLineTypes) {
            t.name = in_.String();
            t.segments = in_.U32();
            for (double& pitch : t.pitches) pitch = in_.F64();
        }
    }

    JwwCommon Common() {
        JwwCommon c;
        c.group = in_.U32();
        c.penStyle = in_.U8();
        c.penColor = in_.U16();
        if (v_ >= 351) c.penWidth = in_.U16();
        c.layer = in_.U16();
        c.layerGroup = in_.U16();
        c.flags = in_.U16();
        return c;
    }

    JwwLine Line() {
        JwwLine l;
        l.common = Common();
        Reals({&l.x1, &l.y1, &l.x2, &l.y2});
        return l;
    }

    JwwArc Arc() {
        JwwArc a;
        a.common = Common();
        Reals({&a.cx, &a.cy, &a.radius, &a.start, &a.sweep, &a.tilt, &a.flatness});
        a.wholeCircle = in_.U32();
        return a;
    }

    JwwPoint Point() {
        JwwPoint p;
        p.common = Common();
        Reals({&p.x, &p.y});
        p.temporary = in_.U32();
        if (p.common.penStyle == kJwwMarkerPointStyle) {
            p.code = in_.U32();
            p.angle = in_.F64();
            p.scale = in_.F64();
        }
        return p;
    }

    JwwText Text() {
        JwwText t;
        t.common = Common();
        Reals({&t.x1, &t.y1, &t.x2, &t.y2});
        t.style = in_.U32();
        Reals({&t.width, &t.height, &t.spacing, &t.angle});
        t.font = in_.String();
        t.text = in_.String();
        return t;
    }

    JwwSolid Solid() {
        JwwSolid s;
        s.common = Common();
        for (std::array<double, 2>* corner : {&s.p1, &s.p2, &s.p3, &s.p4}) {
            (*corner)[0] = in_.F64();
            (*corner)[1] = in_.F64();
        }
        if (s.common.penColor == kJwwRgbSolidColor) s.rgb = in_.U32();
        return s;
    }

    JwwBlockInsert Insert() {
        JwwBlockInsert b;
        b.common = Common();
        Reals({&b.x, &b.y, &b.scaleX, &b.scaleY, &b.rotation});
        b.definition = in_.U32();
        return b;
    }

    JwwDimension Dimension() {
        JwwDimension d;
        d.common = Common();
        d.line = Line();
        d.text = Text();
        if (v_ >= 420) {
            d.sxfMode = in_.U16();
            for (JwwLine& l : d.extensionLines) l = Line();
            for (JwwPoint& p : d.points) p = Point();
        }
        return d;
    }

    JwwLine Read(std::type_identity<JwwLine>) { return Line(); }
    JwwArc Read(std::type_identity<JwwArc>) { return Arc(); }
    JwwPoint Read(std::type_identity<JwwPoint>) { return Point(); }
    JwwText Read(std::type_identity<JwwText>) { return Text(); }
    JwwSolid Read(std::type_identity<JwwSolid>) { return Solid(); }
    JwwBlockInsert Read(std::type_identity<JwwBlockInsert>) { return Insert(); }
    JwwDimension Read(std::type_identity<JwwDimension>) { return Dimension(); }

    // Calls f with the list's elements of the kind (not a block definition).
    template <class F>
    static void ForKind(JwwKind kind, JwwElementList& list, F&& f) {
        switch (kind) {
            case JwwKind::Line: return f(list.lines);
            case JwwKind::Arc: return f(list.arcs);
            case JwwKind::Point: return f(list.points);
            case JwwKind::Text: return f(list.texts);
            case JwwKind::Solid: return f(list.solids);
            case JwwKind::BlockInsert: return f(list.inserts);
            case JwwKind::Dimension: return f(list.dimensions);
            case JwwKind::BlockDefinition: break;
        }
    }

    // A list: its count, then its objects, each into `list`.
    void ReadList(JwwElementList& list, int depth) {
        const std::int64_t at = in_.Position();
        if (part_ == FilePart::Blocks && depth == 0) blockListStart_ = at;
        const std::uint32_t n = in_.Count();
        if (n > in_.Remaining() / 2) Fail(Reason::CountTooLarge, at, n);  // every object takes 2 bytes at least
        list.order.reserve(list.order.size() + n);
        for (std::uint32_t i = 0; i < n; ++i) ReadObject(list, depth);
    }

    void ReadObject(JwwElementList& list, int depth) {
        recordStart_ = in_.Position();
        const std::uint16_t tag = in_.U16();
        std::uint32_t classIndex = 0;
        if (tag == kMfcNullTag) {
            ++d_.form.nulls;
            return;
        }
        if (tag == kMfcNewClassTag) {
            const std::uint16_t schema = in_.U16();
            const std::string name(in_.Bytes(in_.U16()));
            const auto known = std::find_if(std::begin(kClasses), std::end(kClasses),
                                            [&](const ClassName& c) { return c.name == name; });
            if (known == std::end(kClasses)) Fail(Reason::UnknownClass, recordStart_, 0, name);
            d_.form.schemas[static_cast<std::size_t>(known->kind)] = schema;
            map_.push_back({.kind = known->kind, .isClass = true});
            classIndex = static_cast<std::uint32_t>(map_.size() - 1);
        } else if (tag == kMfcBigObjectTag) {
            const std::uint32_t big = in_.U32();
            if (!(big & kMfcBigClassTag)) return Reference(big, list);
            classIndex = big & ~kMfcBigClassTag;
        } else if (tag & kMfcClassTag) {
            classIndex = tag & ~kMfcClassTag;
        } else {
            return Reference(tag, list);
        }
        if (classIndex >= map_.size() || !map_[classIndex].isClass)
            Fail(Reason::BadReference, recordStart_, classIndex);
        ReadNew(map_[classIndex].kind, list, depth);
    }

    // A new object of the class: it takes the next index before its fields are read.
    void ReadNew(JwwKind kind, JwwElementList& list, int depth) {
        RefuseOutsideDefinitions(kind, list);
        const std::size_t self = map_.size();
        map_.push_back({.kind = kind});
        if (kind != JwwKind::BlockDefinition) {
            return ForKind(kind, list, [&](auto& items) {
                using T = typename std::remove_reference_t<decltype(items)>::value_type;
                items.push_back(Read(std::type_identity<T>{}));
                list.order.push_back(kind);  // once read whole: a cut element is not in the list
                map_[self].element = &items.back();
                map_[self].complete = true;
            });
        }
        if (depth >= kJwwNestingLimit) Fail(Reason::NestingTooDeep, recordStart_, kJwwNestingLimit);
        auto definition = std::make_unique<JwwBlockDefinition>();
        definition->common = Common();
        definition->number = in_.U32();
        definition->referenced = in_.U32();
        definition->time = in_.U32();
        definition->name = in_.String();
        map_[self].element = definition.get();
        map_[self].number = definition->number;
        // The definition joins its list before its own list is read, so that
        // what was read stays when that list is damaged.
        list.order.push_back(JwwKind::BlockDefinition);
        JwwBlockDefinition& kept = *list.definitions.emplace_back(std::move(definition));
        ReadList(kept.elements, depth + 1);
        map_[self].complete = true;
    }

    // The block list holds definitions only.
    void RefuseOutsideDefinitions(JwwKind kind, const JwwElementList& list) {
        if (&list == &blockList_ && kind != JwwKind::BlockDefinition)
            Fail(Reason::NotADefinition, recordStart_, 0,
                 std::string(std::find_if(std::begin(kClasses), std::end(kClasses), [&](const ClassName& c) {
                                 return c.kind == kind;
                             })->name));
    }

    // An object already read: it stands in the list once more.
    void Reference(std::uint32_t index, JwwElementList& list) {
        if (index == 0 || index >= map_.size() || map_[index].isClass || !map_[index].element)
            Fail(Reason::BadReference, recordStart_, index);
        const MapEntry& e = map_[index];
        RefuseOutsideDefinitions(e.kind, list);
        if (!e.complete) Fail(Reason::BlockContainsItself, recordStart_, e.number);
        // A definition twice would be one definition under two places: refused like any other knot.
        if (e.kind == JwwKind::BlockDefinition) Fail(Reason::BadReference, recordStart_, index);
        ForKind(e.kind, list, [&](auto& items) {
            using T = typename std::remove_reference_t<decltype(items)>::value_type;
            const T& element = *static_cast<const T*>(e.element);
            // Two bytes repeat a whole element with its strings: what the
            // repeats hold together is limited by the file's size.
            repeatedBytes_ += static_cast<std::int64_t>(HeldBytes(element));
            if (repeatedBytes_ > kJwwRepeatedBytesFloor + size_)
                Fail(Reason::TooManyRepeats, recordStart_, repeatedBytes_);
            list.order.push_back(e.kind);
            items.push_back(element);
        });
        ++d_.form.references;
    }

    // The bytes an element holds, with its strings.
    template <class T>
    static std::size_t HeldBytes(const T& element) {
        if constexpr (std::is_same_v<T, JwwText>) return sizeof element + element.text.size() + element.font.size();
        if constexpr (std::is_same_v<T, JwwDimension>)
            return sizeof element + element.text.text.size() + element.text.font.size();
        return sizeof element;
    }

    // Every definition, nested ones too, by number; then no insertion may
    // lead, through the definitions it names, back to the definition it is in.
    void CheckNoBlockHoldsItself() {
        std::vector<const JwwBlockDefinition*> all;
        std::vector<const JwwBlockDefinition*> pending;
        for (const auto& b : d_.blocks) pending.push_back(b.get());
        for (const auto& b : d_.elements.definitions) pending.push_back(b.get());
        while (!pending.empty()) {
            const JwwBlockDefinition* b = pending.back();
            pending.pop_back();
            all.push_back(b);
            for (const auto& inner : b->elements.definitions) pending.push_back(inner.get());
        }
        std::vector<std::pair<std::uint32_t, const JwwBlockDefinition*>> byNumber;
        for (const JwwBlockDefinition* b : all) byNumber.emplace_back(b->number, b);
        const auto byFirst = [](const auto& a, const auto& b) { return a.first < b.first; };
        std::sort(byNumber.begin(), byNumber.end(), byFirst);
        const auto find = [&](std::uint32_t number) -> const JwwBlockDefinition* {
            const auto it = std::lower_bound(byNumber.begin(), byNumber.end(), std::pair{number, nullptr}, byFirst);
            return it != byNumber.end() && it->first == number ? it->second : nullptr;
        };
        // Depth-first with an explicit stack: 0 unseen, 1 on the path, 2 done.
        std::vector<std::pair<const JwwBlockDefinition*, int>> state;
        for (const JwwBlockDefinition* b : all) state.emplace_back(b, 0);
        std::sort(state.begin(), state.end());
        const auto mark = [&](const JwwBlockDefinition* b) -> int& {
            return std::lower_bound(state.begin(), state.end(), std::pair{b, 0}, byFirst)->second;
        };
        for (const JwwBlockDefinition* root : all) {
            if (mark(root) != 0) continue;
            std::vector<std::pair<const JwwBlockDefinition*, std::size_t>> path{{root, 0}};
            mark(root) = 1;
            while (!path.empty()) {
                auto& [b, next] = path.back();
                if (next == b->elements.inserts.size()) {
                    mark(b) = 2;
                    path.pop_back();
                    continue;
                }
                const JwwBlockDefinition* target = find(b->elements.inserts[next++].definition);
                if (!target) continue;
                if (mark(target) == 1) Fail(Reason::BlockContainsItself, blockListStart_, target->number);
                if (mark(target) == 0) {
                    mark(target) = 1;
                    path.emplace_back(target, 0);
                }
            }
        }
    }

    // The images, each kept while the drawing's budgets allow; one past them
    // is read over and counted.
    void ReadImages() {
        const std::int64_t at = in_.Position();
        recordStart_ = at;
        const std::uint32_t n = in_.U32();
        if (n > in_.Remaining() / 5) Fail(Reason::CountTooLarge, at, n);  // a name's length and a size at least
        std::int64_t budget = kJwwImagesTotalLimit;
        for (std::uint32_t i = 0; i < n; ++i) {
            recordStart_ = in_.Position();
            JwwImage image;
            image.name = in_.String();
            image.storedSize = in_.U32();
            if (image.storedSize > in_.Remaining() || image.storedSize > kJwwImageLimit)
                Fail(Reason::ImageTooLarge, recordStart_, image.storedSize, image.name);
            const std::string_view stored = in_.Bytes(image.storedSize);
            const std::int64_t limit = std::min(budget, kJwwImageLimit);
            const bool counted = static_cast<std::int64_t>(d_.images.size()) < kJwwImageCountLimit;
            if (forWriting_ && counted) image.stored = std::string(stored);
            bool kept = counted;
            if (kept && image.name.size() >= 3 && image.name.compare(image.name.size() - 3, 3, ".gz") == 0) {
                const Inflated inflated = Inflate(stored, image.bytes, limit);
                if (inflated == Inflated::Damaged)
                    Fail(Reason::ImageDamaged, recordStart_, image.storedSize, image.name);
                kept = inflated == Inflated::Whole;
            } else if (kept) {
                kept = static_cast<std::int64_t>(stored.size()) <= limit;
                if (kept) image.bytes = std::string(stored);
            }
            // What was inflated counts, kept or not: a bomb spends the budget once.
            budget = std::max<std::int64_t>(0, budget - static_cast<std::int64_t>(image.bytes.size()));
            if (!kept) {
                ++d_.imagesLeftOut;
                if (!forWriting_ || !counted) continue;
                image.bytes.clear();
                image.leftOut = true;
            }
            image.format = FormatOf(image.bytes);
            d_.images.push_back(std::move(image));
        }
    }

    ArchiveReader in_;
    JwwDrawing& d_;
    std::int64_t size_;
    std::uint32_t v_ = 0;
    FilePart part_ = FilePart::Signature;
    std::int64_t recordStart_ = 0;
    std::int64_t blockListStart_ = 0;
    std::int64_t repeatedBytes_ = 0;  // held by the copies back-references made
    bool forWriting_;  // keep what writing the file back needs
    JwwElementList blockList_;  // the block list, read into the drawing's blocks
    std::vector<MapEntry> map_ = std::vector<MapEntry>(1);  // index 0 stands for null
};

// Reads the archive into the drawing: as far as it goes, with the reason
// it stopped.
bool ReadArchive(ArchiveReader in, JwwDrawing& drawing, Failure* error, bool forWriting) {
    Reader reader(std::move(in), drawing, forWriting);
    Failure failure;
    const auto stopped = [&](Reason why) {
        failure.reason = why;
        failure.part = reader.Part();
        failure.offset = reader.RecordStart();
        failure.fileSize = reader.Size();
    };
    try {
        reader.Run();
    } catch (const Stop& stop) {
        failure = stop.error;
    } catch (const ArchiveReader::End&) {
        stopped(Reason::Truncated);
    } catch (const std::bad_alloc&) {
        stopped(Reason::OutOfMemory);
    }
    reader.KeepBlocks();
    if (forWriting) reader.KeepStringForms();
    drawing.replacedCharacters = static_cast<std::int64_t>(reader.Replaced());
    if (error) *error = failure;
    return failure.reason == Reason::None;
}

}  // namespace

bool IsJwwStart(std::string_view start) { return start.substr(0, kJwwSignature.size()) == kJwwSignature; }

bool ReadJww(std::string_view bytes, JwwDrawing& drawing, Failure* error, bool forWriting) {
    return ReadArchive(ArchiveReader(bytes), drawing, error, forWriting);
}

// The file is read a piece at a time as the archive asks for it.
bool LoadJwwFile(FileReader& reader, JwwDrawing& drawing, Failure* error, bool forWriting) {
    if (!reader.IsOpen()) {
        if (error) {
            *error = Failure{};
            error->reason = Reason::Unreadable;
            error->part = FilePart::Signature;
        }
        return false;
    }
    return ReadArchive(
        ArchiveReader(reader.Remaining(), [&](char* buffer, std::size_t n) { return reader.ReadInto(buffer, n); }),
        drawing, error, forWriting);
}

bool LoadJwwFile(const std::string& path, JwwDrawing& drawing, Failure* error, bool forWriting) {
    FileReader reader(path);
    return LoadJwwFile(reader, drawing, error, forWriting);
}

}  // namespace orvik
