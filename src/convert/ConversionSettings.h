// The conversion settings record and the work results of the last conversion.
//
// The front ends fill the settings from their controls or options before each
// conversion; ConvertDrawing reads them and writes the work fields.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace orvik {

// How JW_CAD points are written.
enum TenModes : std::uint8_t { kTenFilledCircle = 1, kTenCircle = 2, kTenPoint = 3 };

struct THenkanInfo {
    // Settings.
    bool RoundBase = false;         // round mapped coordinates to absorb single-precision error
    std::uint8_t TenMode = 0;       // TenModes
    float TenHankei = 0;            // radius of a point's circle, mm on paper
    bool SenJW = false;             // true: JW_CAD-like line types; false: AutoCAD-like
    bool MojiSize = false;          // shrink text heights ...
    std::uint8_t MojiS = 0;         // ... to this percentage
    bool HankakuSize = false;       // change the width factor of half-width-only strings ...
    std::uint8_t HankakuH = 0;      // ... to this percentage
    bool LayerNoRenban = false;     // layer names without the group_layer_ prefix
    bool HojosenDefpoints = false;  // auxiliary lines (line type 9) go to DEFPOINTS
    // Work field: a DEFPOINTS layer record is written.
    bool DefpointsUsed = false;
    bool CurvePline = false;        // curve runs become polylines

    // Work fields of the last conversion.
    long double BaseScale = 0;  // the reference scale, the N of 1:N
    long double ExtMinX = 0, ExtMinY = 0, ExtMaxX = 0, ExtMaxY = 0;  // extents, drawing units
    std::string HandSeed;  // text after $HANDSEED
    std::string FileDate;  // text after $TDCREATE and $TDUPDATE

    // Settings: AutoCAD colour 1..7 of JW_CAD pens 1..6 (PenColor[n - 1] is pen n).
    std::array<std::int32_t, 6> PenColor{};
};

// The settings as the main window shows them when it opens.
inline THenkanInfo DefaultHenkanInfo() {
    THenkanInfo info;
    info.RoundBase = true;
    info.TenMode = kTenFilledCircle;
    info.TenHankei = 0.5f;
    info.SenJW = true;
    info.MojiSize = true;
    info.MojiS = 90;
    info.HankakuSize = true;
    info.HankakuH = 70;
    info.LayerNoRenban = true;
    info.HojosenDefpoints = true;
    info.CurvePline = false;
    info.PenColor = {4, 7, 3, 2, 6, 5};
    return info;
}

}  // namespace orvik
