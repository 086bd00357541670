#include "base/core/base_order.h"

#include "base/core/capture_buffer.h"
#include "base/core/key_names.h"
#include "hashing/core/number_text.h"

#include <QHash>

#include <algorithm>
#include <numeric>

namespace ravlin {

namespace {

const QString kUnnamed = QStringLiteral("N/A");
const QString kMarked = QStringLiteral("?");

// Records 1..count rearranged by `order` (positions 1..count, each once).
void rearrange(ButtonBase& base, const std::vector<int>& order) {
    std::vector<ButtonRecord> out;
    out.reserve(order.size());
    for (int index : order)
        out.push_back(std::move(base.record(index)));
    for (int i = 0; i < static_cast<int>(out.size()); ++i)
        base.record(i + 1) = std::move(out[i]);
}

} // namespace

std::vector<std::int32_t> durationsOfTimingText(const QString& text) {
    return timingTextValues(text).value_or(std::vector<std::int32_t>());
}

bool IsRepeatRecord(const ButtonRecord& record) {
    for (int t = 1; t < kTimingTextCount; ++t)
        if (record.timings[t].size() > 1) return false;
    const auto d = durationsOfTimingText(record.timings[0]);
    if (d.size() != 3 && d.size() != 5) return false;
    return d.front() >= 200 && d.front() <= 440 && d.back() >= 20 && d.back() <= 35;
}

bool IsRepeatRecord(const ButtonBase& base, int index) {
    return IsRepeatRecord(base.record(index));
}

bool isUnnamed(const QString& buttonName) {
    return buttonName.isEmpty() || buttonName == kUnnamed;
}

void orderByKeyNames(ButtonBase& base) {
    const int count = base.count();
    std::vector<std::vector<int>> groups(KeyNamTab::kCount);
    std::vector<int> others;
    for (int i = 1; i <= count; ++i) {
        const int t = KeyNamTab::indexOf(base.record(i).buttonName);
        if (t >= 1)
            groups[t].push_back(i);
        else
            others.push_back(i);
    }
    std::vector<int> order;
    order.reserve(static_cast<std::size_t>(count));
    // Each named record is brought to the front in turn, last table entry first, which leaves the
    // groups ascending and every group reversed.
    for (int t = 1; t < KeyNamTab::kCount; ++t)
        order.insert(order.end(), groups[t].rbegin(), groups[t].rend());
    order.insert(order.end(), others.begin(), others.end());
    rearrange(base, order);
}

void moveUnnamedToEnd(ButtonBase& base) {
    std::vector<int> order(static_cast<std::size_t>(base.count()));
    std::iota(order.begin(), order.end(), 1);
    const auto firstUnnamed = std::stable_partition(
        order.begin(), order.end(), [&base](int i) { return base.record(i).buttonName != kUnnamed; });
    if (firstUnnamed != order.end()) rearrange(base, order);
}

int removeMarkedRecords(ButtonBase& base) {
    // The passes are played on positions; the records are moved once at the end.
    std::vector<int> rows;
    for (int i = 1; i <= base.count(); ++i)
        rows.push_back(i);
    std::vector<char> marked(rows.size() + 1, 0);
    for (int i = 1; i <= base.count(); ++i)
        marked[i] = base.record(i).hash == kMarked;

    int removed = 0;
    for (bool again = true; again;) {
        again = false;
        for (int k = 1;; ++k) {
            int count = static_cast<int>(rows.size());
            if (k <= count && marked[rows[k - 1]] && count > 1) {
                rows.erase(rows.begin() + (k - 1));
                --count;
                ++removed;
                again = true;
            }
            if (k >= count) break;
        }
    }
    if (removed == 0) return 0;
    rearrange(base, rows);
    for (int i = static_cast<int>(rows.size()) + 1; i <= base.count(); ++i)
        base.record(i) = ButtonRecord();
    base.setCount(static_cast<int>(rows.size()));
    return removed;
}

void markHashDuplicates(ButtonBase& base, const DuplicateOptions& options) {
    // Only records that share a hash text are ever compared, and marking takes a record out of
    // its group, so each group of equal hashes is played on its own, pairs in (i, j) order.
    QHash<QString, std::vector<int>> byHash;
    std::vector<QString> order;
    for (int i = 1; i <= base.count(); ++i) {
        const QString& h = base.record(i).hash;
        if (h == kMarked) continue;
        auto it = byHash.find(h);
        if (it == byHash.end()) {
            order.push_back(h);
            it = byHash.insert(h, {});
        }
        it->push_back(i);
    }
    std::vector<char> marked(static_cast<std::size_t>(base.count()) + 1, 0);
    auto markUnnamed = [&](int index) {
        marked[index] = 1;
        ButtonRecord& r = base.record(index);
        r.hash = kMarked;
        r.remoteName = kUnnamed;
        r.buttonName = kUnnamed;
    };

    for (const QString& h : order) {
        const std::vector<int>& g = byHash[h];
        if (g.size() < 2) continue;
        const std::size_t m = g.size();
        for (std::size_t a = 0; a + 1 < m; ++a) {
            const int i = g[a];
            for (std::size_t b = a + 1; b < m && !marked[i]; ++b) {
                const int j = g[b];
                if (marked[j]) continue;
                if (isUnnamed(base.record(j).buttonName))
                    markUnnamed(j);
                else if (isUnnamed(base.record(i).buttonName))
                    markUnnamed(i);
            }
        }
        for (std::size_t a = 0; a + 1 < m; ++a) {
            const int i = g[a];
            if (marked[i]) continue;
            const ButtonRecord& ri = base.record(i);
            for (std::size_t b = a + 1; b < m; ++b) {
                const int j = g[b];
                if (marked[j]) continue;
                ButtonRecord& rj = base.record(j);
                const bool remotes = options.ignoreRemoteNames || ri.remoteName == rj.remoteName;
                const bool buttons = options.ignoreButtonNames || ri.buttonName == rj.buttonName;
                if (remotes && buttons) {
                    marked[j] = 1;
                    rj.hash = kMarked;
                }
            }
        }
    }
}

} // namespace ravlin
