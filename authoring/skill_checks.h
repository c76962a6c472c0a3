// The skill file's lines: its fields and indices given twice.
#pragma once

#include "authoring/warning_context.h"

namespace tamrix {

void checkSkills(WarningContext& context);

}  // namespace tamrix
