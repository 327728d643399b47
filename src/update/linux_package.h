#pragma once
// The installation package for this machine inside an unpacked software
// update: a Debian package built for the architecture this program runs on.

#include <string>
#include <string_view>

namespace tessaly {

// The Debian architecture this program was built for ("amd64", "arm64"…).
std::string_view PackageArchitecture();

// "tessaly_<version>_<architecture>.deb", as the packaging names it.
std::string PackageFileName(std::string_view version);

// The package in `folder` (its top level): the one of `version` first, then
// any other of this architecture or of "all". Empty when there is none.
std::string FindLinuxPackage(const std::string& folder, std::string_view version);

}  // namespace tessaly
