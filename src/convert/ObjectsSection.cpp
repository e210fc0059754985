#include <array>
#include <span>
#include <string_view>

#include "convert/FixedGroups.h"
#include "convert/FixedSections.h"
#include "convert/LayoutObjects.h"

namespace orvik {
namespace {

// How the faithful R13 file writes an object's reactors: none, the group
// pair alone, or with the owner between. The formats that carry owners
// write every object's reactors with its owner, then the owner (330).
enum class R13Reactors { None, Empty, Owner };

struct FixedObject {
    std::string_view type, handle, owner;
    R13Reactors r13Reactors;
    bool r13Owner;  // the faithful file writes the owner (330) too
    std::string_view subclass;
    std::span<const Group> body;
    bool hard;  // ends with the ACAD application's TREAT_AS_HARD data
};

constexpr Group kRootEntries[] = {T(3, "ACAD_GROUP"),        T(350, "D"),  T(3, "ACAD_MLINESTYLE"), T(350, "17"),
                                  T(3, "ACAD_PLOTSETTINGS"), T(350, "19"), T(3, "ACAD_LAYOUT"),     T(350, "1A")};
constexpr Group kModelSelfReference[] = {T(3, "ACAD_LAYOUTSELFREF"), T(350, "37")};
constexpr Group kPaperSelfReference[] = {T(3, "ACAD_LAYOUTSELFREF"), T(350, "35")};
constexpr Group kStyleEntry[] = {T(3, "STANDARD"), T(350, "18")};
constexpr Group kModelRecord[] = {T(340, "1F")};
constexpr Group kPaperRecord[] = {T(340, "1B")};
constexpr Group kStandardStyle[] = {
    T(2, "STANDARD"), I(70, 0),   T(3, ""),        I(62, 256),    T(51, "90.0"), T(52, "90.0"),   I(71, 2),
    T(49, "0.5"),     I(62, 256), T(6, "BYLAYER"), T(49, "-0.5"), I(62, 256),    T(6, "BYLAYER"),
};

// The root dictionary, the two block records' extension dictionaries with
// their XRECORDs, the named dictionaries, and the standard multiline style,
// in the order R13J writes them.
constexpr FixedObject kObjects[] = {
    {"DICTIONARY", "C", "0", R13Reactors::None, true, "AcDbDictionary", kRootEntries, true},
    {"DICTIONARY", "36", "1F", R13Reactors::None, false, "AcDbDictionary", kModelSelfReference, false},
    {"DICTIONARY", "34", "1B", R13Reactors::None, false, "AcDbDictionary", kPaperSelfReference, false},
    {"DICTIONARY", "D", "C", R13Reactors::Owner, false, "AcDbDictionary", {}, true},
    {"DICTIONARY", "17", "C", R13Reactors::Empty, false, "AcDbDictionary", kStyleEntry, true},
    {"DICTIONARY", "19", "C", R13Reactors::Empty, false, "AcDbDictionary", {}, true},
    {"DICTIONARY", "1A", "C", R13Reactors::Empty, false, "AcDbDictionary", {}, true},
    {"XRECORD", "37", "36", R13Reactors::Empty, false, "AcDbXrecord", kModelRecord, false},
    {"XRECORD", "35", "34", R13Reactors::Empty, true, "AcDbXrecord", kPaperRecord, false},
    {"MLINESTYLE", "18", "17", R13Reactors::Owner, false, "AcDbMlineStyle", kStandardStyle, false},
};

constexpr Group kHard[] = {T(1001, "ACAD"), T(1000, "TREAT_AS_HARD"), I(1070, 0)};

// The object's type, handle, reactors and owner as the format writes them.
void WriteObjectHead(DxfWriter& w, const FixedObject& object, bool owners) {
    w.WriteGroup(0, object.type);
    w.WriteGroup(5, object.handle);
    const bool root = object.owner == "0";
    const R13Reactors reactors = root ? R13Reactors::None : owners ? R13Reactors::Owner : object.r13Reactors;
    if (reactors != R13Reactors::None) {
        w.WriteGroup(102, "{ACAD_REACTORS");
        if (reactors == R13Reactors::Owner) w.WriteGroup(330, object.owner);
        w.WriteGroup(102, "}");
    }
    if (object.r13Owner || owners) w.WriteGroup(330, object.owner);
}

}  // namespace

void WriteObjectsSection(DxfWriter& w, OutputFormat format) {
    const bool owners = WritesObjectOwners(format), layouts = WritesLayouts(format);
    w.WriteGroup(0, "SECTION");
    w.WriteGroup(2, "OBJECTS");
    for (const FixedObject& object : kObjects) {
        WriteObjectHead(w, object, owners);
        w.WriteGroup(100, object.subclass);
        Write(w, object.body);
        // The layouts' entries: the plot style dictionary in the root, the
        // two layouts in ACAD_LAYOUT.
        if (layouts && object.handle == "C") WriteLayoutRootEntries(w);
        if (layouts && object.handle == "1A") WriteLayoutEntries(w);
        if (object.hard) Write(w, kHard);
    }
    if (layouts) WriteLayoutObjects(w);
    w.WriteGroup(0, "ENDSEC");
}

}  // namespace orvik
