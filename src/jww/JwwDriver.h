// The JWW format's driver: files starting with "JwwData.", whatever their
// name, read by LoadJwwFile and mapped onto the model (JwwMapping), its
// embedded images kept aside.
#pragma once

#include "input/DrawingDriver.h"

namespace orvik {

const DrawingDriver& JwwDriver();

}  // namespace orvik
