// A comparison of items as JSON, as tamrix-cli --compare --json writes it and
// the page reads it.
#pragma once

#include "app/json.h"
#include "search/compare.h"

namespace tamrix {

// {"numbers":[...],"names":[...],"rows":[{"skill":INDEX,"name":TEXT,
// "values":[...]}],"damage":[...]}: texts in UTF-8, a damage figure such as
// "2d6+2" per item, null for an item without a damage line.
Json comparisonJson(const Comparison& comparison);

// The damage figure of a damage line, in UTF-8 ("2d6+2").
std::string damageText(const Damage& damage);

}  // namespace tamrix
