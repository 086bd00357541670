#pragma once

#include "platform/core/manual_scheduler.h"

namespace ravlin::fakes {

using ManualScheduler = ravlin::ManualScheduler;

} // namespace ravlin::fakes
