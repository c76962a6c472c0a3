// The random prefix file: its entries, their types and skill indices, and
// the prefixes no entry gives.
#pragma once

#include "authoring/warning_context.h"

namespace tamrix {

void checkRndItems(WarningContext& context);

}  // namespace tamrix
