#pragma once

#include <QString>
#include <QUrl>

// Where the map page is and how the program loads it.
namespace MapPage {

// "ja", "ru", "ko" for those user-interface languages, "en" for any other.
QString LanguageCode(quint16 language);

// The installed page: share/karvenna beside the program's bin folder. The build tree lays the
// page out the same way, so the program finds it there too.
QString PageFile();

// The page with the language as its query: MapView.htm?language=xx.
QUrl PageUrl(quint16 language);

} // namespace MapPage
