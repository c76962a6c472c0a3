// The type file: its records' lines and amounts, and ids given twice.
#pragma once

#include "authoring/warning_context.h"

namespace tamrix {

void checkTypes(WarningContext& context);

}  // namespace tamrix
