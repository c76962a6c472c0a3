// How a file's bytes are written: its encoding, its line ends, tabs between
// fields.
#pragma once

#include "authoring/warning_context.h"

namespace tamrix {

void checkText(WarningContext& context, DataFile file);

}  // namespace tamrix
