// SPDX-License-Identifier: GPL-3.0-or-later
#include "results/recalc.h"

#include "engine/calendar.h"
#include "engine/checked.h"
#include "engine/engine.h"
#include "results/numtext.h"

namespace veltrax {

const char* FieldName(FieldId f)
{
    switch (f) {
    case FieldId::Year: return "year";
    case FieldId::Month: return "month";
    case FieldId::Day: return "day";
    case FieldId::Hour: return "hour";
    case FieldId::Minute: return "minute";
    case FieldId::Second: return "second";
    case FieldId::None: break;
    }
    return "moment";
}

Results ComputeMoment(int32_t Y, int32_t M, double F, const GrsSource& grs)
{
    Results r;
    r.CurrentJDE = CalcJD(Y, M, F);
    const CentralMeridian cm = CalcCentralMeridian(r.CurrentJDE);
    r.CM1Whole = cm.cm1;
    r.CM2Whole = cm.cm2;
    r.CM3Whole = cm.cm3;
    r.JupArgJ = cm.JupArgJ;
    r.PhaseCorr = cm.PhaseCorr;

    // Phase correction: its sign follows the half of the circle J lies in.
    // The corrected values are not reduced again.
    r.CM1 = cm.cm1;
    r.CM2 = cm.cm2;
    r.CM3 = cm.cm3;
    if (cm.JupArgJ >= 0 && cm.JupArgJ < 180) {
        r.CM1 = r.CM1 - cm.PhaseCorr;
        r.CM2 = r.CM2 - cm.PhaseCorr;
        r.CM3 = r.CM3 - cm.PhaseCorr;
    } else if (cm.JupArgJ >= 180 && cm.JupArgJ < 360) {
        r.CM1 = r.CM1 + cm.PhaseCorr;
        r.CM2 = r.CM2 + cm.PhaseCorr;
        r.CM3 = r.CM3 + cm.PhaseCorr;
    }
    r.GrsLongitude = grs.Predict(Y, r.CurrentJDE);
    return r;
}

namespace {

struct Ended {
    FieldId field;
    std::string why;
};

int32_t Whole(const std::string& text, FieldId field)
{
    try {
        const auto v = FieldWhole(text);
        if (!v)
            throw Ended{field, text.empty() ? "the field is empty" : "'" + text + "' is not a number"};
        return *v;
    } catch (const Fault&) {
        throw Ended{field, "'" + text + "' is beyond the 32-bit range"};
    }
}

std::string OutOfRange(const std::string& text, const char* range)
{
    return "'" + text + "' is out of range (" + range + ")";
}

// The lines with %1, %2, ... replaced by the numbers, joined by carriage returns.
template <size_t N>
std::string Lines(const std::array<std::string, N>& lines, std::initializer_list<const std::string*> numbers)
{
    std::string out;
    for (size_t i = 0; i < N; ++i) {
        if (i > 0)
            out += '\r';
        const std::string& line = lines[i];
        for (size_t k = 0; k < line.size(); ++k) {
            const size_t n = k + 1 < line.size() ? static_cast<size_t>(line[k + 1] - '0') : 0;
            if (line[k] == '%' && n >= 1 && n <= numbers.size()) {
                out += *numbers.begin()[n - 1];
                ++k;
            } else {
                out += line[k];
            }
        }
    }
    return out;
}

Results Cycle(const FieldTexts& f, const MonthTable& monthDays, const GrsSource& grs, const ResultWords& words)
{
    FieldId at = FieldId::Year;
    try {
        int32_t Y = Whole(f.Nen, FieldId::Year);

        at = FieldId::Month;
        int32_t M = Whole(f.tuki, FieldId::Month);
        if (M > 12 || M < 1)
            throw Ended{at, OutOfRange(f.tuki, "1 to 12")};

        at = FieldId::Day;
        const int32_t day = Whole(f.Hi, FieldId::Day);
        if (day == 0)
            throw Ended{at, OutOfRange(f.Hi, "1 to the month's length")};
        int32_t D = day;
        if (D > monthDays[static_cast<size_t>(M - 1)] || D < 1)
            throw Ended{at, OutOfRange(f.Hi, ("1 to " + std::to_string(monthDays[static_cast<size_t>(M - 1)])).c_str())};

        at = FieldId::Hour;
        int32_t h = Whole(f.Jikoku, FieldId::Hour);
        if (h > 23)
            throw Ended{at, OutOfRange(f.Jikoku, "at most 23")};

        at = FieldId::Minute;
        const int32_t m = Whole(f.Hun, FieldId::Minute);
        if (m > 59)
            throw Ended{at, OutOfRange(f.Hun, "at most 59")};

        // Japan Standard Time to Universal Time, on local copies.
        at = FieldId::Hour;
        h = Sub32(h, kJstOffsetHours);
        if (h < 0) {
            h = Add32(h, 24);
            D = D - 1;
            if (D < 1) {
                at = FieldId::Year;
                if (M > 1) {
                    M = M - 1;
                    D = monthDays[static_cast<size_t>(M - 1)];
                } else {
                    D = 31;
                    M = 12;
                    Y = Sub32(Y, 1);
                }
            }
        }

        at = FieldId::Second;
        const auto sNumber = FieldNumber(f.Byo);
        if (!sNumber)
            throw Ended{at, f.Byo.empty() ? "the field is empty" : "'" + f.Byo + "' is not a number"};
        const double s = Finite(*sNumber, "the second");
        const int32_t sShown = RoundToInt32(s);

        // Day with its fraction.
        at = FieldId::Hour;
        const int32_t hs = Mul32(h, 3600);
        at = FieldId::Minute;
        const int32_t hm = Add32(hs, Mul32(m, 60));
        at = FieldId::Second;
        const double F = Finite((hm + s) / 86400 + D, "the day fraction");

        const auto& part = words.momentParts;
        const std::string utText = FormatInteger(Y, part[0]) + FormatInteger(M, part[1]) + FormatInteger(D, part[2]) +
                                   FormatInteger(h, part[3]) + FormatInteger(m, part[4]) +
                                   FormatInteger(sShown, part[5]);

        at = FieldId::None;
        Results r = ComputeMoment(Y, M, F, grs);
        const std::string jdeText = FormatText15(r.CurrentJDE, "#######0.00000");
        const std::string w1 = FormatText15(r.CM1Whole, "000.00");
        const std::string w2 = FormatText15(r.CM2Whole, "000.00");
        const std::string w3 = FormatText15(r.CM3Whole, "000.00");
        const std::string c1 = FormatText15(r.CM1, "000.00");
        const std::string c2 = FormatText15(r.CM2, "000.00");
        const std::string c3 = FormatText15(r.CM3, "000.00");
        const std::string grsText = FormatNumber(r.GrsLongitude, "000.0");

        r.result = Lines(words.resultLines, {&utText, &jdeText});
        r.Taikei = Lines(words.TaikeiLines, {&w1, &c1, &w2, &c2, &grsText, &w3, &c3});
        return r;
    } catch (const Fault& e) {
        throw Ended{at, e.what()};
    }
}

}  // namespace

RecalcOutcome Recalculate(const FieldTexts& fields, const MonthTable& monthDays, const GrsTable& grs)
{
    GrsSource source;
    source.table = &grs;
    return Recalculate(fields, monthDays, source);
}

const ResultWords& JapaneseResultWords()
{
    static const ResultWords words{
        {"0年 ", "#月 ", "#日　", "00時", "00分", "00秒"},
        {"世界時（ＵＴ） %1", "ﾕﾘｳｽ日(力学時) %2"},
        {"中央経度（陰を含む）    輝面中央経度 ", "CM Ⅰ= %1　        CMⅠcc= %2",
         " CM Ⅱ= %3          CMⅡcc= %4 (GRS予想経度 %5)", " CM Ⅲ= %6          CMⅢcc= %7"}};
    return words;
}

RecalcOutcome Recalculate(const FieldTexts& fields, const MonthTable& monthDays, const GrsSource& grs,
                          const ResultWords& words)
{
    RecalcOutcome out;
    try {
        out.results = Cycle(fields, monthDays, grs, words);
    } catch (const Ended& e) {
        out.endedAt = e.field;
        out.why = e.why;
    } catch (const std::exception& e) {
        out.endedAt = FieldId::None;
        out.why = e.what();
    }
    return out;
}

}  // namespace veltrax
