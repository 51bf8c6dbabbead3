#pragma once

#include "TestSupport.h"

// The program's objects with a log of the test's own: TestHome gives every world one.
using LogWorld = TestWorld;
