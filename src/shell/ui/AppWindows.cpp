#include "shell/ui/AppWindows.h"

AppWindows Windows;
