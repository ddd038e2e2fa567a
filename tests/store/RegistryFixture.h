#pragma once
// The store tests' fixture: both registry stores in a temporary folder for one test.
#include "support/TempStoreTest.h"

namespace lindora::test {

using RegistryFixture = TempStoreTest;

}  // namespace lindora::test
