#include "forms/dynamic_instances.h"

size_t KeptInstances(const std::vector<DynamicInstance>& shown,
                     const std::vector<DynamicInstance>& wanted)
{
    size_t kept = 0;
    while (kept < shown.size() && kept < wanted.size() &&
           shown[kept].caseValue == wanted[kept].caseValue && shown[kept].id == wanted[kept].id &&
           shown[kept].flag == wanted[kept].flag)
        ++kept;
    return kept;
}
