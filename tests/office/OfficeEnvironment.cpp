// One headless office for all tests of an executable, started before the first test and
// ended by its process id after the last.
#include "tests/office/OfficeTestMain.h"

#include <gtest/gtest.h>

namespace {

class OfficeEnvironment : public ::testing::Environment
{
public:
    void SetUp() override
    {
        if (!office.start())
            FAIL() << "LibreOffice did not start for the tests";
    }
    void TearDown() override { office.stop(); }

    OfficeProcess office;
};

OfficeEnvironment *environment()
{
    static auto *env = static_cast<OfficeEnvironment *>(
        ::testing::AddGlobalTestEnvironment(new OfficeEnvironment));
    return env;
}

// Registered before main runs the tests.
[[maybe_unused]] const OfficeEnvironment *registered = environment();

} // namespace

OfficeProcess &testOffice()
{
    return environment()->office;
}
