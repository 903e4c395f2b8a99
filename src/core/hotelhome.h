#pragma once

#include <QString>

// The hotel's folder: databases, settings files, templates, logs.
namespace HotelHome {

// --home DIR, else $HOTEL_HOME, else the executable's folder when it holds kf.ini or mr.db
// (a portable install), else $XDG_DATA_HOME/hotel.
QString resolve(const QString& fromCommandLine);

} // namespace HotelHome
