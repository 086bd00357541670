#include "hashing/core/hash_module.h"

#include <QtTest>

#include <vector>

using namespace ravlin;

namespace {

// A long pulse-distance burst (255 durations) with three space lengths.
std::vector<std::int32_t> longBurst() {
    std::vector<std::int32_t> s{422, 211};
    for (int i = 0; s.size() < 255; ++i) {
        s.push_back(26);
        if (s.size() < 255) s.push_back(i % 3 == 0 ? 26 : i % 3 == 1 ? 79 : 130);
    }
    return s;
}

} // namespace

class BenchHashModules : public QObject {
    Q_OBJECT
private slots:
    void hash1bit() {
        const auto s = longBurst();
        DurationHistogram h;
        QBENCHMARK {
            Hash1bit(s, &h);
        }
    }
    void hashXbit() {
        const auto s = longBurst();
        QBENCHMARK {
            HashXbit(s);
        }
    }
    void ver1() {
        const auto s = longBurst();
        QBENCHMARK {
            ver1Text(EncodeVer1(s, 52));
        }
    }
};

QTEST_GUILESS_MAIN(BenchHashModules)
#include "bench_hash_modules.moc"
