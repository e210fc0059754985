// DXF lineweights (group 370, from AutoCAD 2000 on): hundredths of a
// millimetre, one of the widths AutoCAD offers.
#pragma once

namespace orvik {

// The offered lineweight nearest to a width in millimetres (the thinner of
// two as near); widths that are not positive numbers have none (-1).
int NearestLineweight(double millimetres);

}  // namespace orvik
