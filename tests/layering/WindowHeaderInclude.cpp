// Built only by the layering test, as a logic library: its build must fail. The header is a
// window library's, though it needs nothing beyond Qt Core to compile.
#include "graph/ui/GraphRole.h"

GraphRole::Kind PlainKind() { return GraphRole::Kind::Graph; }
