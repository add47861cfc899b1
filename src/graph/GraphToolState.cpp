#include "GraphToolState.h"

GraphToolRecord GraphToolState;
