#pragma once

// Decodes the status reply in the link session, publishes the recording flag and the displayed
// level, and draws the control panel. Without a panel nothing is decoded.
void ShowMeterStatus();
