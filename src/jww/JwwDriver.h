// The JWW format's driver: files starting with "JwwData.", whatever their
// name, read by LoadJwwFile and mapped onto the model (JwwMapping), its
// embedded images kept aside. Asked to keep the source, it hands the file's
// own model with it, read for writing back (JwwWriter.h).
#pragma once

#include "input/DrawingDriver.h"
#include "jww/JwwDrawing.h"

namespace orvik {

struct JwwSource final : DrawingSource {
    JwwDrawing drawing;
};

const DrawingDriver& JwwDriver();

}  // namespace orvik
