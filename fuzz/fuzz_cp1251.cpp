// cp1251 text: decoding never fails, and encoding gives the bytes back (0x98, which has no
// character, comes back as "?").
#include "fuzz_check.h"
#include "platform/core/cp1251.h"
#include "platform/core/text_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const QString text = ravlin::decodeCp1251(bytes);
    FUZZ_CHECK(text.size() == bytes.size());
    QByteArray expected = bytes;
    expected.replace('\x98', '?');
    FUZZ_CHECK(ravlin::encodeCp1251(text) == expected);
    // Lines split and joined again give the text back when every line end is CR LF.
    const ravlin::TextLines lines = ravlin::TextLines::fromBytes(bytes, ravlin::LineEnds::CrLf);
    for (const QString& line : lines.lines())
        FUZZ_CHECK(!line.contains(u'\n'));
    return 0;
}
