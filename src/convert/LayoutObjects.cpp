#include "convert/LayoutObjects.h"

#include "convert/FixedGroups.h"

namespace orvik {
namespace {

// CLASS records: the object's DXF name (1), its class (2), the application
// (3), what a proxy of it may do (90), whether it was a proxy (280) and
// whether it is an entity (281).
struct ClassRecord {
    std::string_view dxfName, className;
};
constexpr ClassRecord kLayoutClasses[] = {
    {"ACDBDICTIONARYWDFLT", "AcDbDictionaryWithDefault"},
    {"ACDBPLACEHOLDER", "AcDbPlaceHolder"},
    {"LAYOUT", "AcDbLayout"},
};

// The plot settings of a layout (AcDbPlotSettings): no page setup, no
// printer, margins and offsets 0, 1:1 in millimetres, the layout plotted.
constexpr Group kPlotSettings[] = {
    T(100, "AcDbPlotSettings"),
    T(1, ""),
    T(2, "none_device"),
    T(4, ""),
    T(6, ""),
    T(40, "0.0"),
    T(41, "0.0"),
    T(42, "0.0"),
    T(43, "0.0"),
    T(44, "0.0"),
    T(45, "0.0"),
    T(46, "0.0"),
    T(47, "0.0"),
    T(48, "0.0"),
    T(49, "0.0"),
    T(140, "0.0"),
    T(141, "0.0"),
    T(142, "1.0"),
    T(143, "1.0"),
};
constexpr Group kPlotSettingsEnd[] = {
    I(72, 1), I(73, 0), I(74, 5), T(7, ""), I(75, 16), T(147, "1.0"), T(148, "0.0"), T(149, "0.0"),
};
// The layout's own values (AcDbLayout) after its name, flags and tab order:
// limits, insertion base, empty extents, elevation and the world UCS.
constexpr Group kLayoutValues[] = {
    T(10, "0.0"),    T(20, "0.0"),   T(11, "420.0"), T(21, "297.0"), T(12, "0.0"),    T(22, "0.0"),
    T(32, "0.0"),    T(14, "1e+20"), T(24, "1e+20"), T(34, "1e+20"), T(15, "-1e+20"), T(25, "-1e+20"),
    T(35, "-1e+20"), T(146, "0.0"),  T(13, "0.0"),   T(23, "0.0"),   T(33, "0.0"),    T(16, "1.0"),
    T(26, "0.0"),    T(36, "0.0"),   T(17, "0.0"),   T(27, "1.0"),   T(37, "0.0"),    I(76, 0),
};

void WriteLayout(DxfWriter& w, std::string_view handle, std::string_view name, int flags, int plotFlags, int tab,
                 std::string_view blockRecord) {
    w.WriteGroup(0, "LAYOUT");
    w.WriteGroup(5, handle);
    w.WriteGroup(102, "{ACAD_REACTORS");
    w.WriteGroup(330, "1A");
    w.WriteGroup(102, "}");
    w.WriteGroup(330, "1A");
    Write(w, kPlotSettings);
    w.WriteInt(70, plotFlags);
    Write(w, kPlotSettingsEnd);
    w.WriteGroup(100, "AcDbLayout");
    w.WriteGroup(1, name);
    w.WriteInt(70, flags);
    w.WriteInt(71, tab);
    Write(w, kLayoutValues);
    w.WriteGroup(330, blockRecord);
}

constexpr Group kPlotStyleNames[] = {
    T(0, "ACDBDICTIONARYWDFLT"),
    T(5, kPlotStyleNamesHandle),
    T(102, "{ACAD_REACTORS"),
    T(330, "C"),
    T(102, "}"),
    T(330, "C"),
    T(100, "AcDbDictionary"),
    I(281, 1),
    T(3, "Normal"),
    T(350, kNormalPlotStyleHandle),
    T(100, "AcDbDictionaryWithDefault"),
    T(340, kNormalPlotStyleHandle),
    T(0, "ACDBPLACEHOLDER"),
    T(5, kNormalPlotStyleHandle),
    T(102, "{ACAD_REACTORS"),
    T(330, kPlotStyleNamesHandle),
    T(102, "}"),
    T(330, kPlotStyleNamesHandle),
};

}  // namespace

void WriteClassesSection(DxfWriter& w, OutputFormat format) {
    w.WriteGroup(0, "SECTION");
    w.WriteGroup(2, "CLASSES");
    if (WritesLayouts(format)) {
        const bool counts = TraitsOf(format).release >= DxfRelease::R2007;
        for (const ClassRecord& c : kLayoutClasses) {
            w.WriteGroup(0, "CLASS");
            w.WriteGroup(1, c.dxfName);
            w.WriteGroup(2, c.className);
            w.WriteGroup(3, "ObjectDBX Classes");
            w.WriteInt(90, 0);
            // Instance counts: one dictionary, one placeholder, two layouts.
            if (counts) w.WriteInt(91, c.dxfName == "LAYOUT" ? 2 : 1);
            w.WriteInt(280, 0);
            w.WriteInt(281, 0);
        }
    }
    w.WriteGroup(0, "ENDSEC");
}

void WriteLayoutRootEntries(DxfWriter& w) {
    w.WriteGroup(3, "ACAD_PLOTSTYLENAME");
    w.WriteGroup(350, kPlotStyleNamesHandle);
}

void WriteLayoutEntries(DxfWriter& w) {
    w.WriteGroup(3, "Layout1");
    w.WriteGroup(350, kPaperLayoutHandle);
    w.WriteGroup(3, "Model");
    w.WriteGroup(350, kModelLayoutHandle);
}

void WriteLayoutObjects(DxfWriter& w) {
    // Plot flags: model space 1712, paper space 688 (the values AutoCAD writes
    // for a new drawing's layouts); layout flags: model space 1 (paper space
    // shows no viewport of its own yet), paper space 0.
    WriteLayout(w, kModelLayoutHandle, "Model", 1, 1712, 0, "1F");
    WriteLayout(w, kPaperLayoutHandle, "Layout1", 0, 688, 1, "1B");
    Write(w, kPlotStyleNames);
}

}  // namespace orvik
