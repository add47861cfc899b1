#include "shell/FloatExceptions.h"

#include <cfenv>

void MaskFloatExceptions()
{
#if defined(__GLIBC__)
    fedisableexcept(FE_ALL_EXCEPT);
#endif
}

void ClearFloatExceptionFlags() { std::feclearexcept(FE_ALL_EXCEPT); }
