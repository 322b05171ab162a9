#include "TestRegistry.h"

namespace testing {

std::vector<Factory> &registry()
{
    static std::vector<Factory> all;
    return all;
}

} // namespace testing
