#pragma once

#include "base/core/receiver_units.h"

#include <QString>

namespace ravlin {

// Text of the status line for a driver status.
QString statusLineText(int status);

} // namespace ravlin
