#pragma once

// A platform file that reaches up into the library: the layer check must refuse it.
#include "library/HvException.h"
