#pragma once
#include <QString>

// The entry of the sampling-rate box that stands for a rate in seconds: "1.0" below 1.5,
// "2.0" below 2.5, "5.0" below 5.5, "10.0" below 10.5, "20.0" below 20.5, "30.0" below
// 30.5; an empty text beyond, which leaves the box as it is.
QString RateSelectionText(float rate);
