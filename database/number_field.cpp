#include "database/number_field.h"

namespace tamrix {

bool passesNumberCheck(std::string_view field, int32_t value) {
  return value != 0 || (!field.empty() && field[0] == '0');
}

}  // namespace tamrix
