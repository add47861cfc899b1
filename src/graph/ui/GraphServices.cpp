#include "graph/ui/GraphServices.h"

const GraphServices& NoGraphServices()
{
    static const GraphServices none;
    return none;
}
