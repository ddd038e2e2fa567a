#pragma once
// The app tests' store folder is the one the tests and benchmarks share.
#include "support/TempStoreFolder.h"

namespace lindora::test {

using TempRegistryFolder = TempStoreFolder;

}  // namespace lindora::test
