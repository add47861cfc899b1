#include "print/ui/SharedPrinter.h"

#include <QPrinter>

QPrinter& SharedPrinter()
{
    static QPrinter printer(QPrinter::HighResolution);
    return printer;
}
