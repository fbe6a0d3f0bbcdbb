#pragma once

#include "logfiles/LocalTime.h"

class SystemClock : public Clock {
public:
    LocalTime now() override;
};
