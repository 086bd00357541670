// The known-remotes base (BazaDannih.baz) and the sources search of the "Источник" window.
#include "base/core/analogue_base.h"
#include "base/core/analogue_lookup.h"
#include "fuzz_check.h"
#include "platform/core/text_file.h"

using namespace ravlin;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size > 64 * 1024) return 0;
    fuzz::Input in(data, size);
    const int pick = in.byte();
    const QStringList lines = TextLines::fromBytes(in.rest()).lines();
    AnalogueBase base;
    base.loadLines(lines);
    FUZZ_CHECK(base.count() >= 0 && base.count() <= AnalogueBase::kCapacity);
    for (int i = 1; i <= base.count(); ++i) {
        const QString e = base.entry(i);
        FUZZ_CHECK(e.size() <= AnalogueBase::kEntryLength && AnalogueBase::isKeyLine(e));
        const int found = base.indexOf(e);
        FUZZ_CHECK(found >= 1 && found <= i && base.entry(found) == e);
    }
    // Search for an entry, a part of a line, or a text that is in no line.
    QString hash = base.count() ? base.entry(1 + pick % base.count()) : QStringLiteral("002F");
    if (pick & 0x80) hash = hash.left(pick % 7);
    const QStringList sources = hashSourcesOf(lines, hash);
    qsizetype pieces = 0;
    for (const QString& line : lines)
        pieces += line.count(u'/') + 1;
    FUZZ_CHECK(sources.size() <= pieces);
    return 0;
}
