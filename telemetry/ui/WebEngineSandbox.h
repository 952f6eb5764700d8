#pragma once

// Chromium's sandbox refuses to run as root (containers, CI): there, and only there, the map's
// browser runs without it. Call before the first web page is made.
void AllowWebEngineAsRoot();
