#pragma once

// A module file that reaches up into the pages: the layer check must refuse it.
#include "pages/Pages.h"
