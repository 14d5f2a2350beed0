#include "framework/CTime.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>
