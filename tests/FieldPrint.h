#pragma once
#include <ostream>

#include "fields/Field.h"

namespace qv {

// Failures and messages show a field by its role's name.
inline std::ostream& operator<<(std::ostream& os, Field field) { return os << FieldName(field); }

} // namespace qv
