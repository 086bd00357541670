#pragma once

#include "platform/core/clock.h"
#include "platform/core/url_opener.h"

#include <QStringList>

namespace ravlin::fakes {

class FixedClock : public Clock {
public:
    QDateTime time = QDateTime(QDate(2011, 1, 10), QTime(12, 0, 0));
    QDateTime now() const override { return time; }
};

class RecordingUrlOpener : public UrlOpener {
public:
    QStringList opened;
    void open(const QString& url) override { opened << url; }
};

} // namespace ravlin::fakes
