#pragma once

// Whether the map page may be loaded: false only when the system says it has no network. Where
// no backend can tell, the machine counts as connected (the page works without its tiles).
bool InternetConnected();
