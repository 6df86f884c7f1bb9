#include "core/ov_math.h"
