#include "acquisition/core/device_answer.h"

#include "base/core/key_names.h"
#include "hashing/core/number_text.h"

#include <algorithm>

namespace ravlin {

namespace {

constexpr std::uint8_t kTypeRemote = 0x00;
constexpr std::uint8_t kTypeKeyboard = 0x01;
constexpr std::uint8_t kTypeError = 0x55;
constexpr std::uint8_t kTypeHash = 0xF8;
constexpr std::uint8_t kKeyTail = 0xFF;

QString answerStart(std::uint8_t type) {
    switch (type) {
    case kTypeRemote:
        return QStringLiteral("Plt_");
    case kTypeKeyboard:
        return QStringLiteral("Key_");
    case kTypeError:
        return QStringLiteral("Это - Ошибка в модуле!!!");
    case kTypeHash:
        return QStringLiteral("Это - Значение ХЭШa");
    default:
        return QStringLiteral("ОТВЕТ НЕ ОПОЗНАННННННН!!!!");
    }
}

// The text of a remote-button answer by its key byte. Key code 0 has no button name proper; it is
// shown with KeyNamTab's name of index 0, "N/A".
QString remoteKeyText(std::uint8_t key) {
    if (key == kKeyTail) return QStringLiteral("Hvost");
    const QString suffix = key <= 0x7F ? QStringLiteral("_1") : QStringLiteral("_2");
    const int code = key & 0x7F;
    const QString name = code < 64 ? KeyNamTab::name(code) : IntToBaseWidth(code, 16, 2);
    return QStringLiteral("Plt_") + name + suffix;
}

} // namespace

int DecodeDeviceAnswer(std::span<const std::uint8_t, 256> block, int count, AnswerBuffer& buffer,
                       std::int32_t& length) {
    Q_UNUSED(count);
    const std::uint8_t type = block[2];
    QString text = type == kTypeRemote ? remoteKeyText(block[4]) : answerStart(type);
    text.truncate(kAnswerBufferLength);
    length = static_cast<std::int32_t>(text.size());
    buffer.text = text + QString(kAnswerBufferLength - text.size(), QLatin1Char(' '));
    return 0;
}

QString deviceAnswerKindText(std::uint8_t type) {
    switch (type) {
    case kTypeRemote:
        return QStringLiteral("Кнопка   ПУЛЬТА       вроде распознанна");
    case kTypeKeyboard:
        return QStringLiteral("Кнопка   Клавиатуры   вроде распознанна");
    case kTypeError:
        return QStringLiteral("Ошибка в модуле!!!");
    case kTypeHash:
        return QStringLiteral("Значение ХЭШa");
    default:
        return QStringLiteral("ОТВЕТ НЕ ОПОЗНАННННННН!!!!");
    }
}

QString deviceAnswerByteList(std::span<const std::uint8_t> block, int count) {
    const int last = std::min(count, static_cast<int>(block.size())); // 1-based index of the last byte
    const bool hash = block.size() > 2 && block[2] == kTypeHash;
    QString list;
    for (int i = 4; i <= last; ++i) {
        list += QStringLiteral("0x") + IntToBaseWidth(block[i - 1], 16, 3);
        if (i == last) break;
        list += (!hash || i == 4) ? QStringLiteral(", ") : QStringLiteral(",");
    }
    return list;
}

} // namespace ravlin
