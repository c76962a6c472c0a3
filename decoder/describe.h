// An item's decoding written as its Hungarian description.
#pragma once

#include <optional>
#include <string>

#include "database/item_database.h"
#include "decoder/decode_item.h"

namespace tamrix {

// Writes into `text`, which it clears first, the Windows-1250 description of
// an item decoded as `decoding`: the empty text for nothing, exactly what
// ItemDatabase::describe gives for the item's number otherwise.
void composeDescription(const ItemDatabase& db, const std::optional<ItemDecoding>& decoding,
                        std::string& text);

}  // namespace tamrix
