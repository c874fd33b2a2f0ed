#pragma once

#include "tests/office/OfficeProcess.h"

// The office the tests of this executable share, started once before the first test.
OfficeProcess &testOffice();
