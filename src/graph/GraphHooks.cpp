#include "GraphHooks.h"

#include "GraphFileCommands.h"

GraphWindowHooks& GraphHooks()
{
    static GraphWindowHooks hooks{
        [](TfrmGraph& window) { return SaveGraph(window); },
        [](bool) {},
        [] {},
        [](bool) {},
    };
    return hooks;
}
