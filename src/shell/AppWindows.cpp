#include "AppWindows.h"

AppWindows Windows;
