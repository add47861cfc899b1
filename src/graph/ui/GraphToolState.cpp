#include "graph/ui/GraphToolState.h"

GraphToolRecord GraphToolState;
