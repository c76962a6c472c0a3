// The item record as JSON: the one shape in which every front end that
// speaks JSON answers for an item number. docs/item-record.schema.json
// describes it.
#pragma once

#include <cstdint>
#include <string_view>

#include "app/json.h"
#include "database/item_database.h"

namespace tamrix {

// The record of `number`: "number", "name" and "description" as the dialog
// shows them (UTF-8), then "item" and, for an item, the parts behind them.
Json itemRecordJson(const ItemDatabase& db, int32_t number);

// The record for a number field's text: as above for the number it reads
// as, with "input" (the text as given) before "item" when the text holds no
// number.
Json itemFieldJson(const ItemDatabase& db, std::string_view field);

}  // namespace tamrix
