#pragma once

#include "forms/form_value_formats.h"

#include <vector>

// How many instances of a DYNAMIC field from the start are the same case,
// id and flag in both lists: those keep their editors when the field is
// shown again.
size_t KeptInstances(const std::vector<DynamicInstance>& shown,
                     const std::vector<DynamicInstance>& wanted);
