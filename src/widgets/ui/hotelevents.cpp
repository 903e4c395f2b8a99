#include "hotelevents.h"

HotelEvents& HotelEvents::instance() {
    static HotelEvents events;
    return events;
}
