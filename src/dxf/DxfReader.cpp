#include "dxf/DxfReader.h"

#include <algorithm>
#include <deque>
#include <new>
#include <unordered_map>

#include "dxf/DxfEntities.h"
#include "dxf/DxfGeometry.h"
#include "dxf/DxfSheet.h"
#include "text/Messages.h"

namespace orvik {
namespace {

struct Stop {
    Failure failure;
};

std::string_view Trimmed(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
    return s;
}

// Millimetres of one drawing unit by $INSUNITS (none, or one not known: millimetres).
double MillimetresPerUnit(std::int64_t units) {
    switch (units) {
        case 1: return 25.4;  // inches
        case 2: return 304.8;  // feet
        case 5: return 10;  // centimetres
        case 6: return 1000;  // metres
        case 10: return 914.4;  // yards
        default: return 1;
    }
}

constexpr std::uint32_t kDropped = 0xFFFFFFFF;

class Reader {
public:
    Reader(FileReader& file, DxfFile& out) : in_(file), out_(out), styles_(out.drawing), size_(file.Size()) {}

    void Run() {
        out_.drawing.fonts = {std::string(kJwFont)};
        Advance();
        for (;;) {
            if (g_.code == 999) {
                Advance();
                continue;
            }
            if (Is(0, "EOF")) break;
            if (!Is(0, "SECTION")) Broken(kDxfNoSection);
            Advance();
            const std::string name(g_.code == 2 ? Trimmed(g_.value) : std::string_view());
            Advance();
            Section(name);
        }
        Resolve();
    }

    // What was read stays in the drawing: its blocks resolved as far as they go.
    void Resolve() {
        if (resolved_) return;
        resolved_ = true;
        if (!entities_) Begin();
        for (std::size_t k = 0; k < blocks_.size(); ++k)
            if (bases_[k].x != 0 || bases_[k].y != 0) MoveAndDivide(blocks_[k], bases_[k].x, bases_[k].y, 1);
        PlaceDrawings();
        OrderBlocks();
        out_.leftOut.mergedLayers = styles_.MergedLayers();
        out_.leftOut.linetypes = styles_.LinetypesApproximated();
        out_.leftOut.replacedCharacters = decoder_ ? decoder_->Replaced() : 0;
    }

    FilePart Part() const { return part_; }
    std::int64_t Offset() const { return in_.Offset(); }
    std::int64_t Size() const { return size_; }

private:
    // "ＭＳ ゴシック", the font of every text.
    static constexpr std::string_view kJwFont = "\x82\x6C\x82\x72\x20\x83\x53\x83\x56\x83\x62\x83\x4E";

    [[noreturn]] void Broken(std::string_view how) {
        Failure f{Reason::DxfDamaged, part_, in_.Offset(), size_, in_.Line(), 0, 0, 0, DxfBrokenAt(in_.Line(), how)};
        throw Stop{f};
    }

    void Advance() {
        switch (in_.Next(g_)) {
            case DxfGroupReader::Result::Group: return;
            case DxfGroupReader::Result::End:
                throw Stop{Failure{Reason::Truncated, part_, in_.Offset(), size_, 0, 0, 0, 0, {}}};
            case DxfGroupReader::Result::Broken:
                Broken(in_.Why() == DxfGroupReader::Problem::LongLine ? kDxfLineTooLong : kDxfCodeNotANumber);
        }
    }

    bool Is(int code, std::string_view value) const { return g_.code == code && Trimmed(g_.value) == value; }

    // The groups of the item the current group 0 begins, up to the next group 0.
    std::size_t Collect(std::vector<DxfGroup>& into) {
        std::size_t n = 0;
        for (Advance(); g_.code != 0; Advance()) {
            if (n == into.size()) into.emplace_back();
            into[n].code = g_.code;
            into[n].value.swap(g_.value);
            ++n;
        }
        return n;
    }

    void Section(const std::string& name) {
        if (name == "HEADER") return Header();
        Begin();
        part_ = name == "BLOCKS" ? FilePart::Blocks : name == "ENTITIES" ? FilePart::Elements : FilePart::Header;
        if (name == "TABLES") return Tables();
        if (name == "BLOCKS") return Blocks();
        if (name == "ENTITIES") Entities(out_.drawing, "ENDSEC");
        while (!Is(0, "ENDSEC")) Advance();
        Advance();
    }

    void Header() {
        part_ = FilePart::Header;
        std::string variable;
        std::int64_t units = 0;
        while (!Is(0, "ENDSEC")) {
            if (g_.code == 9)
                variable = Trimmed(g_.value);
            else if (variable == "$ACADVER" && g_.code == 1)
                out_.version = Trimmed(g_.value);
            else if (variable == "$DWGCODEPAGE" && g_.code == 3)
                out_.codePage = Trimmed(g_.value);
            else if (variable == "$INSUNITS" && g_.code == 70)
                DxfInteger(g_.value, units);
            else if (variable == "$LTSCALE" && g_.code == 40)
                DxfReal(g_.value, linetypeScale_);
            else if (variable == "$TEXTSIZE" && g_.code == 40)
                DxfReal(g_.value, textSize_);
            Advance();
        }
        out_.unitMillimetres = MillimetresPerUnit(units);
        Advance();
    }

    // What the tables and entities need of the header, once it is read (or
    // found missing: an R12 file may have none).
    void Begin() {
        if (entities_) return;
        decoder_.emplace(DxfEncodingOf(out_.version, out_.codePage));
        styles_.SetLinetypeScale(linetypeScale_ > 0 ? linetypeScale_ : 1);
        const double unit = out_.unitMillimetres;
        entities_.emplace(styles_, *decoder_, out_.leftOut, unit, (textSize_ > 0 ? textSize_ : 2.5) * unit,
                          [this](const std::string& name) { return BlockId(name); });
    }

    void Tables() {
        std::string table;
        while (!Is(0, "ENDSEC")) {
            if (Is(0, "TABLE")) {
                Advance();
                table = g_.code == 2 ? std::string(Trimmed(g_.value)) : std::string();
                Advance();
                continue;
            }
            if (g_.code != 0 || Is(0, "ENDTAB")) {
                Advance();
                continue;
            }
            const std::size_t n = Collect(groups_);
            TableEntry(table, DxfGroups(groups_.data(), n));
        }
        Advance();
    }

    void TableEntry(const std::string& table, DxfGroups groups) {
        std::string name;
        double real = 0;
        std::int64_t integer = 0;
        if (table == "LAYER") {
            DxfLayerEntry layer;
            for (const DxfGroup& g : groups) {
                if (g.code == 2) layer.name = decoder_->Name(g.value);
                if (g.code == 62 && DxfInteger(g.value, integer)) layer.color = static_cast<int>(integer);
                if (g.code == 420 && DxfInteger(g.value, integer)) layer.trueColor = integer & 0xFFFFFF;
                if (g.code == 6) layer.linetype = UpperName(decoder_->Name(g.value));
                if (g.code == 70 && DxfInteger(g.value, integer)) layer.frozen = (integer & 1) != 0;
            }
            if (!layer.name.empty()) styles_.AddLayer(layer);
        } else if (table == "LTYPE") {
            std::vector<double> pattern;
            for (const DxfGroup& g : groups) {
                if (g.code == 2) name = UpperName(decoder_->Name(g.value));
                if (g.code == 49 && DxfReal(g.value, real)) pattern.push_back(real * out_.unitMillimetres);
            }
            styles_.AddLinetype(name, std::move(pattern));
        } else if (table == "STYLE") {
            bool vertical = false;
            double width = 1;
            for (const DxfGroup& g : groups) {
                if (g.code == 2) name = UpperName(decoder_->Name(g.value));
                if (g.code == 70 && DxfInteger(g.value, integer)) vertical = (integer & 4) != 0;
                if (g.code == 41 && DxfReal(g.value, real) && real > 0) width = real;
            }
            styles_.AddTextStyle(name, vertical, width);
        }
    }

    void Blocks() {
        while (!Is(0, "ENDSEC")) {
            if (!Is(0, "BLOCK")) {
                Advance();
                continue;
            }
            const std::size_t n = Collect(groups_);
            std::string name;
            DxfPoint base;
            for (const DxfGroup& g : DxfGroups(groups_.data(), n)) {
                if (g.code == 2) name = UpperName(decoder_->Name(g.value));
                if (g.code == 10) DxfReal(g.value, base.x);
                if (g.code == 20) DxfReal(g.value, base.y);
            }
            const bool paper = name.rfind("*PAPER_SPACE", 0) == 0 || name.rfind("$PAPER_SPACE", 0) == 0;
            const bool model = name == "*MODEL_SPACE" || name == "$MODEL_SPACE";
            if (paper || model) {
                ElementSet spare;
                Entities(spare, "ENDBLK");
                if (paper) out_.leftOut.paperSpace += Count(spare);
            } else {
                const std::uint32_t id = BlockId(name);
                Block& block = blocks_.emplace_back();
                block.name = Original(DxfGroups(groups_.data(), n));
                bases_.push_back({base.x * out_.unitMillimetres, base.y * out_.unitMillimetres});
                if (defined_[id] == kDropped) defined_[id] = static_cast<std::uint32_t>(blocks_.size() - 1);
                Entities(block, "ENDBLK");
            }
            Collect(groups_);  // ENDBLK's own groups
        }
        Advance();
    }

    std::string Original(DxfGroups groups) {
        for (const DxfGroup& g : groups)
            if (g.code == 2) return decoder_->Name(g.value);
        return {};
    }

    static std::int64_t Count(const ElementSet& s) {
        return static_cast<std::int64_t>(s.lines.size() + s.arcs.size() + s.texts.size() + s.points.size() +
                                         s.solids.size() + s.inserts.size());
    }

    std::uint32_t BlockId(const std::string& name) {
        const auto [at, added] = blockIds_.emplace(name, static_cast<std::uint32_t>(defined_.size()));
        if (added) defined_.push_back(kDropped);
        return at->second;
    }

    // Entities up to the group 0 `end` (left current).
    void Entities(ElementSet& set, std::string_view end) {
        while (!Is(0, end)) {
            if (g_.code != 0) {
                Advance();
                continue;
            }
            DxfEntity entity;
            entity.type = Trimmed(g_.value);
            const std::size_t n = Collect(groups_);
            entity.groups = DxfGroups(groups_.data(), n);
            const bool polyline = entity.type == "POLYLINE";
            const bool attributes = entity.type == "INSERT" &&
                                    std::any_of(entity.groups.begin(), entity.groups.end(), [](const DxfGroup& g) {
                                        std::int64_t v = 0;
                                        return g.code == 66 && DxfInteger(g.value, v) && v == 1;
                                    });
            if (polyline || attributes) {
                // The entity's groups move aside: the followers reuse the buffer.
                held_.assign(groups_.begin(), groups_.begin() + static_cast<std::ptrdiff_t>(n));
                entity.groups = DxfGroups(held_.data(), held_.size());
                const std::string_view follower = polyline ? "VERTEX" : "ATTRIB";
                while (Is(0, follower)) {
                    std::vector<DxfGroup> groups;
                    groups.resize(Collect(groups));
                    if (entity.followers.size() < kMostFollowers) entity.followers.push_back(std::move(groups));
                }
                if (Is(0, "SEQEND")) Collect(groups_);
            }
            if (entity.type == "VERTEX" || entity.type == "SEQEND" || entity.type == "ATTRIB") continue;
            entities_->Add(entity, set);
        }
    }

    // A dimension's or leader's block drawn where it stands: its elements
    // in place of the insertion.
    void PlaceDrawings() {
        std::vector<std::pair<ElementSet*, std::size_t>> drawings = entities_->Drawings();
        std::size_t copied = 0;
        for (const auto& [set, index] : drawings) {
            const std::uint32_t id = set->inserts[index].block;
            set->inserts[index].block = kDropped;
            if (id >= defined_.size() || defined_[id] == kDropped || &blocks_[defined_[id]] == set) continue;
            const Block copy = blocks_[defined_[id]];
            copied += static_cast<std::size_t>(Count(copy));
            if (copied > kMostCopied) {  // past it, what dimensions draw is left out
                ++out_.leftOut.entities["DIMENSION"];
                continue;
            }
            const auto append = [](auto& to, const auto& from) { to.insert(to.end(), from.begin(), from.end()); };
            append(set->lines, copy.lines), append(set->arcs, copy.arcs), append(set->texts, copy.texts);
            append(set->points, copy.points), append(set->solids, copy.solids), append(set->inserts, copy.inserts);
        }
        for (Block& b : blocks_) DropInserts(b, false);
        DropInserts(out_.drawing, false);
    }

    // Removes the insertions marked dropped (counting them when `count`).
    std::int64_t DropInserts(ElementSet& set, bool count) {
        const auto before = set.inserts.size();
        std::erase_if(set.inserts, [](const BlockInsert& i) { return i.block == kDropped; });
        const auto dropped = static_cast<std::int64_t>(before - set.inserts.size());
        if (count) out_.leftOut.inserts += dropped;
        return dropped;
    }

    // The blocks each after those it inserts; an insertion of a block the
    // file lacks, or one that would insert itself, left out.
    void OrderBlocks() {
        std::vector<std::uint32_t> index(blocks_.size(), kDropped);  // by definition: its place in the model
        std::vector<int> state(blocks_.size(), 0);  // 0 unseen, 1 on the path, 2 placed
        std::vector<std::uint32_t> order;
        const auto target = [&](const BlockInsert& i) {
            return i.block < defined_.size() ? defined_[i.block] : kDropped;
        };
        for (std::uint32_t root = 0; root < blocks_.size(); ++root) {
            if (state[root] != 0) continue;
            std::vector<std::pair<std::uint32_t, std::size_t>> path{{root, 0}};
            state[root] = 1;
            while (!path.empty()) {
                auto& [at, next] = path.back();
                std::vector<BlockInsert>& inserts = blocks_[at].inserts;
                if (next == inserts.size()) {
                    state[at] = 2;
                    index[at] = static_cast<std::uint32_t>(order.size());
                    order.push_back(at);
                    path.pop_back();
                    continue;
                }
                BlockInsert& insert = inserts[next++];
                const std::uint32_t to = target(insert);
                if (to == kDropped || state[to] == 1) {
                    insert.block = kDropped;  // missing, or on the path: it would insert itself
                } else if (state[to] == 0) {
                    state[to] = 1;
                    path.emplace_back(to, 0);
                }
            }
        }
        const auto renumber = [&](ElementSet& set) {
            for (BlockInsert& i : set.inserts)
                if (i.block != kDropped) i.block = target(i) == kDropped ? kDropped : index[target(i)];
            DropInserts(set, true);
        };
        for (Block& b : blocks_) renumber(b);
        renumber(out_.drawing);
        out_.drawing.blocks.clear();
        for (const std::uint32_t k : order) out_.drawing.blocks.push_back(std::move(blocks_[k]));
    }

    static constexpr std::size_t kMostFollowers = 1 << 20;
    static constexpr std::size_t kMostCopied = 20'000'000;  // elements dimensions' drawings add

    DxfGroupReader in_;
    DxfFile& out_;
    DxfStyles styles_;
    std::int64_t size_;
    DxfGroup g_;
    std::vector<DxfGroup> groups_, held_;
    FilePart part_ = FilePart::Signature;
    double linetypeScale_ = 1, textSize_ = 2.5;
    std::optional<DxfTextDecoder> decoder_;
    std::optional<DxfEntities> entities_;
    std::deque<Block> blocks_;  // in file order; the elements' sets stay where they are
    std::vector<DxfPoint> bases_;
    std::unordered_map<std::string, std::uint32_t> blockIds_;  // by upper-case name
    std::vector<std::uint32_t> defined_;  // by id: the definition's index in blocks_, or kDropped
    bool resolved_ = false;
};

}  // namespace

std::int64_t DxfLeftOut::Total() const {
    std::int64_t n = paperSpace + inserts + broken;
    for (const auto& [type, count] : entities) n += count;
    return n;
}

bool IsDxfStart(std::string_view start) {
    if (start.rfind(kBinaryDxfSignature, 0) == 0) return true;
    std::size_t i = 0;
    while (i < start.size() && (start[i] == ' ' || start[i] == '\t' || start[i] == '\r' || start[i] == '\n')) ++i;
    const std::string_view rest = start.substr(i);
    const auto line = [&](std::string_view s, std::string_view want) {
        if (s.rfind(want, 0) != 0) return false;
        const std::string_view after = s.substr(want.size());
        return after.empty() || after.front() == '\r' || after.front() == '\n' || after.front() == ' ';
    };
    if (line(rest, "999")) return true;
    if (!line(rest, "0")) return false;
    std::size_t next = rest.find('\n');
    if (next == std::string_view::npos) return false;
    std::string_view value = rest.substr(next + 1);
    while (!value.empty() && value.front() == ' ') value.remove_prefix(1);
    return line(value, "SECTION");
}

bool ReadDxf(FileReader& file, DxfFile& out, Failure* error) {
    Failure failure;
    if (file.Start(kBinaryDxfSignature.size()) == kBinaryDxfSignature) {
        failure = Failure{Reason::DxfDamaged, FilePart::Signature, 0, file.Size(), 0, 0, 0, 0, std::string(kDxfBinary)};
    } else {
        Reader reader(file, out);
        try {
            reader.Run();
        } catch (const Stop& stop) {
            failure = stop.failure;
        } catch (const std::bad_alloc&) {
            failure = Failure{Reason::OutOfMemory, reader.Part(), reader.Offset(), reader.Size(), 0, 0, 0, 0, {}};
        }
        try {
            reader.Resolve();
        } catch (const std::bad_alloc&) {
            failure.reason = Reason::OutOfMemory;
        }
    }
    if (error) *error = failure;
    return failure.reason == Reason::None;
}

}  // namespace orvik
