// The change file: records that never apply and targets outside the skills.
#pragma once

#include "authoring/warning_context.h"

namespace tamrix {

void checkChanges(WarningContext& context);

}  // namespace tamrix
