// The main of the test programs that run on the mocked kernel.

#include <gtest/gtest.h>

#include "mocked_kernel/mock_environment.h"

int main(int argc, char** argv) {
    tessaly::test::EnsureMockedKernelPreload(argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
