// How `orqcarta db` shows items: one line per item, either an aligned table
// for people or tab-separated fields without a heading for programs.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

#include "orqcarta/Orq_GeoDB.h"

namespace orq::cli {

// The shortest text that reads back as the same single-precision value
// ("47.1", not "47.099998474121094"), as the database stores bounds.
std::string FormatFloat(float Value);

// "Town", "Border" ...; kinds beyond the known ones (from files written
// elsewhere) show as "Undefined", which is how the database treats them.
std::string KindName(TgdbItem Kind);

enum TItemLayout { ilTable, ilTabSeparated };

// Writes the items at Positions (1-based), in that order, with the columns
//   POS ITEMID KIND CLASS LATLOW LATHIGH LONGLOW LONGHIGH NAME
// The table has a heading row and right-aligned numbers; the name comes last
// so that names with blanks need no quoting. Nothing is written for no items.
void WriteItems(std::ostream& Out, const TGeoDB& Db, const std::vector<int>& Positions, TItemLayout Layout);

// The meta information of a BLOB, one "Field: value" line each.
void WriteMetaInfo(std::ostream& Out, const TMetaInfo& Meta);

}  // namespace orq::cli
