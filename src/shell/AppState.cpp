#include "AppState.h"

AppState App;
