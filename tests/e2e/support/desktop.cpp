#include "e2e/support/desktop.h"
