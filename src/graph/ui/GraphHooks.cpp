#include "graph/ui/GraphHooks.h"

GraphWindowHooks& GraphHooks()
{
    static GraphWindowHooks hooks;
    return hooks;
}
