#pragma once

// Decodes the status reply in the link session, publishes the recording flag and the
// displayed level, and draws the control panel when it is open.
void ShowMeterStatus();
