#include "base/Exception.h"

#include <gtest/gtest.h>

TEST(Exception, SilentAbortIsAnException) {
    try {
        throw lindora::SilentAbort();
    } catch (const lindora::Exception& e) {
        SUCCEED();
    }
}
