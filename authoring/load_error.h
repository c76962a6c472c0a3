// The rule behind a failed load, in words an author of the data files can act on.
#pragma once

#include <string>

#include "database/item_database.h"

namespace tamrix {

// A short English sentence saying which rule of its file `fault` broke.
std::string explainLoadFault(LoadFault fault);

}  // namespace tamrix
