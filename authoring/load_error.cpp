#include "authoring/load_error.h"

#include "authoring/wording.h"

namespace tamrix {

std::string explainLoadFault(LoadFault fault) {
  return loadFaultWording(fault).english;
}

}  // namespace tamrix
