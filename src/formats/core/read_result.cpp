#include "formats/core/read_result.h"

#include <algorithm>
#include <array>

namespace ravlin {

namespace {

struct Wording {
    ProblemKind kind;
    const char* english;
    const char* russian;
};

// Every kind in declaration order, with its two wordings.
constexpr Wording kWordings[] = {
    {ProblemKind::CaptureUnknownKind, "unknown kind", "неизвестный тип приёмника"},
    {ProblemKind::CaptureBadDelay, "bad delay", "неверная задержка"},
    {ProblemKind::CaptureByteCount, "a burst needs 1 to 255 bytes", "в посылке должно быть от 1 до 255 байт"},
    {ProblemKind::CaptureBadByte, "bad byte \"%1\"", "неверный байт \"%1\""},
    {ProblemKind::FileTooLarge, "the file is larger than %1 MiB: read up to here, the rest left out",
     "файл больше %1 МиБ: прочитан до этого места, остальное пропущено"},
    {ProblemKind::ListTooLarge, "%1 is too large (at most %2)", "%1 - слишком много (не больше %2)"},
    {ProblemKind::ListNotMicros, "%1 is not a duration in microseconds",
     "%1 - не длительность в микросекундах"},
    {ProblemKind::ListNotUnits, "%1 is not a whole number of units", "%1 - не целое число единиц"},
    {ProblemKind::ListNoDuration, "the line holds no duration", "в строке нет ни одной длительности"},
    {ProblemKind::Mode2NotSample, "%1 is not a mode2 sample (pulse N, space N, timeout N)",
     "%1 - не отсчёт mode2 (pulse N, space N, timeout N)"},
    {ProblemKind::Mode2Expected, "expected \"%1 N\" with N in microseconds",
     "ожидалось \"%1 N\", где N - микросекунды"},
    {ProblemKind::MicrosTooLarge, "%1 is too large (at most %2 microseconds)",
     "%1 - слишком много (не больше %2 мкс)"},
    {ProblemKind::Mode2NotWhole, "%1 is not a whole number of microseconds",
     "%1 - не целое число микросекунд"},
    {ProblemKind::NotDuration, "%1 is not a duration (a whole number of microseconds above 0)",
     "%1 - не длительность (целое число микросекунд больше 0)"},
    {ProblemKind::NotDurationNegative,
     "%1 is not a duration (a whole number of microseconds above 0): it is negative",
     "%1 - не длительность (целое число микросекунд больше 0): оно отрицательное"},
    {ProblemKind::DurationZero, "%1 is not a duration: it is zero", "%1 - не длительность: она равна нулю"},
    {ProblemKind::FrameCut, "a frame of %1 durations was cut to %2, after its last whole mark",
     "кадр из %1 длительностей обрезан до %2, после последнего целого импульса"},
    {ProblemKind::ZeroDurationBurst, "a burst with a zero duration is left out",
     "посылка с нулевой длительностью пропущена"},
    {ProblemKind::FlipperExpectedKeyValue, "expected \"key: value\", found %1",
     "ожидалось \"ключ: значение\", найдено %1"},
    {ProblemKind::FlipperNotIrFile, "%1 is not a Flipper IR file type (\"IR signals file\")",
     "%1 - не тип файла Flipper IR (\"IR signals file\")"},
    {ProblemKind::FlipperNoFiletype, "the file does not begin with \"Filetype: IR signals file\"",
     "файл не начинается с \"Filetype: IR signals file\""},
    {ProblemKind::FlipperUnknownVersion, "version %1 is not known; read as version 1",
     "версия %1 неизвестна; читается как версия 1"},
    {ProblemKind::FlipperNoVersion, "the \"Version: 1\" line is missing", "нет строки \"Version: 1\""},
    {ProblemKind::FlipperUnknownKey, "unknown key %1", "неизвестный ключ %1"},
    {ProblemKind::FlipperBeforeName, "%1 before the first \"name:\" line", "%1 до первой строки \"name:\""},
    {ProblemKind::FlipperSecondKey, "a second \"%1:\" line in signal %2 is ignored",
     "вторая строка \"%1:\" в сигнале %2 пропущена"},
    {ProblemKind::FlipperMissingKey, "signal %1 has no \"%2:\" line; it is skipped",
     "в сигнале %1 нет строки \"%2:\"; сигнал пропущен"},
    {ProblemKind::FlipperBadType, "signal type %1 is neither \"raw\" nor \"parsed\"",
     "тип сигнала %1 - не \"raw\" и не \"parsed\""},
    {ProblemKind::FlipperBadFrequency, "frequency %1 is not a whole number of hertz",
     "частота %1 - не целое число герц"},
    {ProblemKind::FlipperBadDuty, "duty cycle %1 is not a number", "скважность %1 - не число"},
    {ProblemKind::FlipperNoDurations, "the signal has no durations", "в сигнале нет длительностей"},
    {ProblemKind::FlipperUnknownProtocol, "unknown protocol %1 (known: %2)",
     "неизвестный протокол %1 (известны: %2)"},
    {ProblemKind::FlipperNotFourBytes, "%1 %2 is not four hex bytes such as \"07 00 00 00\"",
     "%1 %2 - не четыре шестнадцатеричных байта вида \"07 00 00 00\""},
    {ProblemKind::FlipperValueTooWide, "%1 0x%2 does not fit the %3 bits of %4",
     "%1 0x%2 не умещается в %3 бит протокола %4"},
    {ProblemKind::SignalSkipped, "the signal is skipped", "сигнал пропущен"},
    {ProblemKind::LircNotEnded, "remote %1 is not ended by \"end remote\"",
     "пульт %1 не закрыт строкой \"end remote\""},
    {ProblemKind::LircOutside, "%1 stands outside a \"begin remote\" block",
     "%1 стоит вне блока \"begin remote\""},
    {ProblemKind::LircEarlyEnd, "\"end remote\" before the end of the codes section",
     "\"end remote\" до конца раздела кодов"},
    {ProblemKind::LircNotSection, "%1 is not a section of a remote", "%1 - не раздел пульта"},
    {ProblemKind::LircInsideCodes, "%1 inside a codes section", "%1 внутри раздела кодов"},
    {ProblemKind::LircToggleIgnored, "%1 is ignored: every code is read with the toggle bits as they stand",
     "%1 не учитывается: каждый код читается с битами переключения как есть"},
    {ProblemKind::LircUnknownParameter, "unknown parameter %1 is ignored",
     "неизвестный параметр %1 пропущен"},
    {ProblemKind::LircParameterNotNumber, "%1 of %2 is not a number; the parameter is ignored",
     "%1 в %2 - не число; параметр пропущен"},
    {ProblemKind::LircFlagNotRead, "flag %1 is not read; the codes of remote %2 are skipped",
     "флаг %1 не читается; коды пульта %2 пропущены"},
    {ProblemKind::LircTwoEncodings, "two encodings in the flags; the codes of remote %1 are skipped",
     "во флагах два способа кодирования; коды пульта %1 пропущены"},
    {ProblemKind::LircExpectedCode, "expected a button name and its code, found %1",
     "ожидались имя кнопки и её код, найдено %1"},
    {ProblemKind::LircCodeNotNumber, "code %1 of %2 is not a number", "код %1 кнопки %2 - не число"},
    {ProblemKind::LircRepeatCodeIgnored,
     "the further code values of %1 are ignored: only its first code is read",
     "следующие коды кнопки %1 пропущены: читается только первый"},
    {ProblemKind::LircDurationsBeforeName, "durations before the first \"name\" line of the raw codes",
     "длительности до первой строки \"name\" сырых кодов"},
    {ProblemKind::RawCodeSkipped, "raw code %1 is skipped", "сырой код %1 пропущен"},
    {ProblemKind::LircMissingLine, "remote %1 has no \"%2\" line; its codes are skipped",
     "у пульта %1 нет строки \"%2\"; его коды пропущены"},
    {ProblemKind::LircNeedsTwo,
     "%1 needs two durations up to %2 microseconds; the codes of remote %3 are skipped",
     "%1: нужны две длительности до %2 мкс; коды пульта %3 пропущены"},
    {ProblemKind::LircNeedsOne, "%1 needs one value up to %2; the codes of remote %3 are skipped",
     "%1: нужно одно значение до %2; коды пульта %3 пропущены"},
    {ProblemKind::LircNoName, "the remote has no \"name\" line", "у пульта нет строки \"name\""},
    {ProblemKind::LircRawNoDurations, "raw code %1 has no durations", "в сыром коде %1 нет длительностей"},
    {ProblemKind::LircBits, "remote %1 needs \"bits\" with at most 64 bits in all; its codes are skipped",
     "пульту %1 нужен \"bits\", всего не больше 64 бит; его коды пропущены"},
    {ProblemKind::LircPrePostWide,
     "pre_data or post_data of remote %1 is wider than its bits; its codes are skipped",
     "pre_data или post_data пульта %1 шире своего числа бит; его коды пропущены"},
    {ProblemKind::LircCodeWide, "code %1 is wider than %2 bits; it is skipped",
     "код %1 шире %2 бит; он пропущен"},
    {ProblemKind::LircNoBurst, "code %1 gives no burst of durations up to %2 microseconds",
     "код %1 не даёт посылки из длительностей до %2 мкс"},
    {ProblemKind::LircIncludeNotFollowed, "%1 is not followed: only the remotes of this file are read",
     "%1 не выполняется: читаются только пульты этого файла"},
    {ProblemKind::ProntoNotCode, "%1 is not a Pronto code", "%1 - не код Pronto"},
    {ProblemKind::ProntoNotWord, "%1 is not a 4-digit hex word; the code is skipped",
     "%1 - не четырёхзначное шестнадцатеричное слово; код пропущен"},
    {ProblemKind::ProntoShort, "a Pronto code needs at least 4 words; the code is skipped",
     "в коде Pronto должно быть не меньше 4 слов; код пропущен"},
    {ProblemKind::ProntoForm,
     "unsupported Pronto form %1 (the learned form 0000 is read); the code is skipped",
     "форма Pronto %1 не поддерживается (читается записанная форма 0000); код пропущен"},
    {ProblemKind::ProntoNoCarrier, "frequency word 0000 gives no carrier period; the code is skipped",
     "слово частоты 0000 не даёт периода несущей; код пропущен"},
    {ProblemKind::ProntoWordCount,
     "the code has %1 words, its pair counts (%2 once, %3 repeat) ask for %4; the code is skipped",
     "в коде %1 слов, а его счётчики пар (%2 разовых, %3 повтора) требуют %4; код пропущен"},
    {ProblemKind::ProntoPairWord,
     "pair word %1 (%2) gives a duration of %3 microseconds; the code is skipped",
     "слово пары %1 (%2) даёт длительность %3 мкс; код пропущен"},
    {ProblemKind::BurstCutWarning, "warning: a burst of %1 durations was cut to %2 after its last whole mark",
     "предупреждение: посылка из %1 длительностей обрезана до %2 после последнего целого импульса"},
    {ProblemKind::TooManyDurations, "a burst holds at most %1 durations, this one has %2",
     "в посылке не больше %1 длительностей, а в этой %2"},
    {ProblemKind::LineTooLong, "the line is longer than %1 characters", "строка длиннее %1 символов"},
};

constexpr bool inOrder() {
    for (std::size_t i = 0; i < std::size(kWordings); ++i)
        if (static_cast<std::size_t>(kWordings[i].kind) != i) return false;
    return static_cast<std::size_t>(ProblemKind::LineTooLong) + 1 == std::size(kWordings);
}
static_assert(inOrder(), "one wording per problem kind, in declaration order");

// `wording` with %1..%9 replaced by `args` in one pass, so that a placeholder inside an argument
// (a token read from the file) stays as it is.
QString filled(const char* wording, const QStringList& args) {
    const QString w = QString::fromUtf8(wording);
    QString out;
    out.reserve(w.size() + 32);
    for (qsizetype i = 0; i < w.size(); ++i) {
        const QChar c = w.at(i);
        if (c == u'%' && i + 1 < w.size() && w.at(i + 1) >= u'1' && w.at(i + 1) <= u'9') {
            const qsizetype n = w.at(i + 1).unicode() - u'1';
            out += args.value(n);
            ++i;
        } else {
            out += c;
        }
    }
    return out;
}

QString worded(const QVector<ProblemPart>& parts, bool english) {
    QStringList out;
    for (const ProblemPart& p : parts) {
        const Wording& w = kWordings[static_cast<std::size_t>(p.kind)];
        out << filled(english ? w.english : w.russian, p.args);
    }
    return out.join(QStringLiteral("; "));
}

} // namespace

Problem Problem::then(ProblemKind kind, QStringList args) const {
    Problem p = *this;
    p.parts.push_back({kind, std::move(args)});
    return p;
}

QString Problem::text() const {
    return worded(parts, true);
}

QString Problem::russian() const {
    return worded(parts, false);
}

QStringList textLines(const QString& text) {
    QString normalised = text;
    normalised.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return normalised.split(QLatin1Char('\n'));
}

QString quotedToken(const QString& token) {
    QString out = QStringLiteral("\"");
    for (QChar c : token) {
        if (c == u'"' || c == u'\\') {
            out += QLatin1Char('\\');
            out += c;
        } else if (c.isPrint())
            out += c;
        else if (c.unicode() < 0x100)
            out += QStringLiteral("\\x") + QString::number(c.unicode(), 16).rightJustified(2, u'0').toUpper();
        else
            out += QStringLiteral("\\u") + QString::number(c.unicode(), 16).rightJustified(4, u'0').toUpper();
    }
    return out + u'"';
}

void sortProblems(QVector<Problem>& problems) {
    std::stable_sort(problems.begin(), problems.end(),
                     [](const Problem& a, const Problem& b) { return a.line < b.line; });
}

} // namespace ravlin
