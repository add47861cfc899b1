#pragma once

// Masks all six floating-point exceptions, so that they give inf or NaN instead of a trap.
void MaskFloatExceptions();
// Clears the exception status flags; masks that are set stay set.
void ClearFloatExceptionFlags();
