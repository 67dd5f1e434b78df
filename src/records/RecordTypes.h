// Inside the record store: the scratch record behind a type code.
#pragma once

#include <string_view>

#include "records/RecordStore.h"

namespace kondra::records_detail {

// The scratch record of a type code without brackets; nullptr when unknown.
TSLDTHead* ScratchHead(std::string_view code);

}  // namespace kondra::records_detail
