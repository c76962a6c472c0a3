// The standard item file: its fields, repeated and missing item numbers,
// kinds, grade names and own bonuses.
#pragma once

#include "authoring/warning_context.h"

namespace tamrix {

void checkStdItems(WarningContext& context);

}  // namespace tamrix
