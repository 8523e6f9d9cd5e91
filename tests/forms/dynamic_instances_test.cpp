#include "forms/dynamic_instances.h"

#include <gtest/gtest.h>

namespace {

// Instances stay from the start while case, id and flag all agree; the
// first difference ends it, even when later instances agree again, and a
// list that grows or shrinks keeps what the shorter one has.
TEST(DynamicInstancesTest, KeptFromTheStartUpToTheFirstDifference)
{
    struct Case
    {
        const char* shown;
        const char* wanted;
        size_t kept;
    };
    const Case cases[] = {
        {"K|1||K|2||K|3||", "K|1||K|2||K|3||", 3},
        {"K|1||K|2||K|3||", "K|1||K|2||K|4||", 2},
        {"K|1||K|2||K|3||", "K|9||K|2||K|3||", 0},
        {"K|1||K|2||", "K|1|U|K|2||", 0},
        {"K|1||L|2||", "K|1||K|2||", 1},
        {"K|1||", "K|1||K|2||", 1},
        {"K|1||K|2||", "K|1||", 1},
        {"", "K|1||", 0},
    };
    for (const Case& c : cases) {
        const auto shown = ParseDynamicInstances(QString::fromUtf8(c.shown));
        const auto wanted = ParseDynamicInstances(QString::fromUtf8(c.wanted));
        EXPECT_EQ(KeptInstances(shown, wanted), c.kept) << c.shown << " -> " << c.wanted;
    }
}

} // namespace
