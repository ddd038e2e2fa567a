#include "base/Exception.h"
