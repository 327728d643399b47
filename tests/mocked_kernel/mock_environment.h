#pragma once
// Programs that use a umockdev testbed in their own process need its
// preload library in front of everything else. Under AddressSanitizer the
// runtime then no longer comes first, which it refuses unless told not to
// check ("verify_asan_link_order=0").

namespace tessaly::test {

// Runs the program again with the preload in front when it is not there
// yet, as umockdev-wrapper would; returns only once it is.
void EnsureMockedKernelPreload(char** argv);

}  // namespace tessaly::test
