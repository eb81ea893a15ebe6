#pragma once

// Stand-ins for the region editor's outside world in widget tests: a screen that
// returns a known picture, and a host that records what the editor asks of it.
#include "support/fakehost.h"
#include "support/fakescreen.h"
