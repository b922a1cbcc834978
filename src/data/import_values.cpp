#include "data/import_values.h"

#include "base/text_utils.h"

#include <QDate>
#include <QRegularExpression>
#include <QVector>

#include <cmath>

namespace tovrel {

namespace {

// Full-width digits and signs become ASCII; plain ASCII is left as it is (the common case).
QString Folded(const QString& text) {
    for (QChar c : text) {
        if (c.unicode() > 0x7F) return text.normalized(QString::NormalizationForm_KC).trimmed();
    }
    return text.trimmed();
}

bool IsDigit(QChar c) {
    return c.unicode() >= '0' && c.unicode() <= '9';
}

// "1", "12", "123" then groups of exactly three digits.
bool ValidGroups(const QStringList& groups) {
    if (groups.isEmpty() || groups[0].isEmpty() || groups[0].size() > 3) return false;
    for (qsizetype i = 1; i < groups.size(); ++i) {
        if (groups[i].size() != 3) return false;
    }
    return true;
}

bool AllDigits(const QString& s) {
    for (QChar c : s) {
        if (!IsDigit(c)) return false;
    }
    return true;
}

// The number with its currency sign, blanks and apostrophes (between digits) taken off.
QString BareNumber(const QString& text, bool* negative) {
    QString s = Folded(text);
    *negative = false;
    static const QString currency = QStringLiteral("$€£¥￥\\");
    while (!s.isEmpty() && currency.contains(s.front()))
        s.remove(0, 1);
    if (s.endsWith(QStringLiteral("円"))) s.chop(1);
    while (!s.isEmpty() && currency.contains(s.back()))
        s.chop(1);
    s = s.trimmed();
    if (!s.isEmpty() && (s.front() == QLatin1Char('-') || s.front() == QLatin1Char('+'))) {
        *negative = s.front() == QLatin1Char('-');
        s.remove(0, 1);
    }
    QString out;
    out.reserve(s.size());
    for (qsizetype i = 0; i < s.size(); ++i) {
        const QChar c = s[i];
        const bool grouping = c == QLatin1Char(' ') || c == QChar(0x00A0) || c == QChar(0x202F) ||
                              c == QLatin1Char('\'') || c == QChar(0x2019);
        if (grouping && i > 0 && i + 1 < s.size() && IsDigit(s[i - 1]) && IsDigit(s[i + 1])) continue;
        out += c;
    }
    return out;
}

struct MonthName {
    const char* name;
    int month;
};

int MonthOfName(const QString& word) {
    static const MonthName names[] = {{"jan", 1}, {"feb", 2},  {"mar", 3},  {"apr", 4},
                                      {"may", 5}, {"jun", 6},  {"jul", 7},  {"aug", 8},
                                      {"sep", 9}, {"oct", 10}, {"nov", 11}, {"dec", 12}};
    const QString w = word.toLower();
    if (w.size() < 3) return 0;
    for (const MonthName& m : names) {
        if (w.startsWith(QLatin1String(m.name))) return m.month;
    }
    return 0;
}

QString TwoDigitTime(int hour, int minute) {
    return TwoDigits(hour) + QLatin1Char(':') + TwoDigits(minute);
}

}  // namespace

// ---- units

QString DistanceUnitCaption(DistanceUnit unit) {
    switch (unit) {
        case DistanceUnit::Km:
            return QStringLiteral("km");
        case DistanceUnit::Mile:
            return QStringLiteral("マイル");
        case DistanceUnit::Auto:
            break;
    }
    return QStringLiteral("自動");
}

QString VolumeUnitCaption(VolumeUnit unit) {
    switch (unit) {
        case VolumeUnit::Litre:
            return QStringLiteral("リットル");
        case VolumeUnit::UsGallon:
            return QStringLiteral("米ガロン");
        case VolumeUnit::ImpGallon:
            return QStringLiteral("英ガロン");
        case VolumeUnit::Auto:
            break;
    }
    return QStringLiteral("自動");
}

DistanceUnit DistanceUnitOfText(const QString& text) {
    QString s = Folded(text).toLower();
    s.remove(QLatin1Char(' '));
    s.remove(QLatin1Char('.'));
    static const QStringList km = {QStringLiteral("km"),          QStringLiteral("kilometer"),
                                   QStringLiteral("kilometers"),  QStringLiteral("kilometre"),
                                   QStringLiteral("kilometres"),  QStringLiteral("キロ"),
                                   QStringLiteral("キロメートル")};
    static const QStringList mi = {QStringLiteral("mi"), QStringLiteral("mile"), QStringLiteral("miles"),
                                   QStringLiteral("mil"), QStringLiteral("マイル")};
    if (km.contains(s)) return DistanceUnit::Km;
    if (mi.contains(s)) return DistanceUnit::Mile;
    return DistanceUnit::Auto;
}

VolumeUnit VolumeUnitOfText(const QString& text) {
    QString s = Folded(text).toLower();
    s.remove(QLatin1Char(' '));
    s.remove(QLatin1Char('.'));
    static const QStringList litre = {QStringLiteral("l"),        QStringLiteral("ℓ"),
                                      QStringLiteral("lt"),       QStringLiteral("ltr"),
                                      QStringLiteral("liter"),    QStringLiteral("liters"),
                                      QStringLiteral("litre"),    QStringLiteral("litres"),
                                      QStringLiteral("リットル"), QStringLiteral("ﾘｯﾄﾙ")};
    static const QStringList us = {QStringLiteral("gal"),      QStringLiteral("gallon"),
                                   QStringLiteral("gallons"),  QStringLiteral("usgal"),
                                   QStringLiteral("usgallon"), QStringLiteral("usgallons"),
                                   QStringLiteral("ガロン"),   QStringLiteral("米ガロン")};
    static const QStringList imp = {QStringLiteral("impgal"),         QStringLiteral("ukgal"),
                                    QStringLiteral("imperialgallon"), QStringLiteral("imperialgallons"),
                                    QStringLiteral("ukgallon"),       QStringLiteral("ukgallons"),
                                    QStringLiteral("英ガロン")};
    if (litre.contains(s)) return VolumeUnit::Litre;
    if (us.contains(s)) return VolumeUnit::UsGallon;
    if (imp.contains(s)) return VolumeUnit::ImpGallon;
    return VolumeUnit::Auto;
}

double KilometresPer(DistanceUnit unit) {
    return unit == DistanceUnit::Mile ? 1.609344 : 1.0;
}

double LitresPer(VolumeUnit unit) {
    switch (unit) {
        case VolumeUnit::UsGallon:
            return 3.785411784;
        case VolumeUnit::ImpGallon:
            return 4.54609;
        default:
            return 1.0;
    }
}

DistanceUnit CarDistanceUnit(int runTani) {
    return runTani == 1 ? DistanceUnit::Mile : DistanceUnit::Km;
}

VolumeUnit CarVolumeUnit(int gasTani) {
    return gasTani == 1 ? VolumeUnit::UsGallon : VolumeUnit::Litre;
}

// ---- numbers

QString DecimalMarkName(DecimalMark mark) {
    return mark == DecimalMark::Comma ? QStringLiteral("カンマ") : QStringLiteral("ピリオド");
}

DecimalMark DetectDecimalMark(const QStringList& cells, QChar separator) {
    int comma = 0;
    int dot = 0;
    for (const QString& cell : cells) {
        bool negative = false;
        const QString s = BareNumber(cell, &negative);
        const qsizetype lastComma = s.lastIndexOf(QLatin1Char(','));
        const qsizetype lastDot = s.lastIndexOf(QLatin1Char('.'));
        if (lastComma < 0 && lastDot < 0) continue;
        const bool commaLast = lastComma > lastDot;
        const qsizetype last = commaLast ? lastComma : lastDot;
        const QString tail = s.mid(last + 1);
        if (!AllDigits(tail) || tail.isEmpty()) continue;
        const bool bothMarks = lastComma >= 0 && lastDot >= 0;
        // Three digits after a single mark may be a group (1,234 or 1.234): no vote.
        if (!bothMarks && tail.size() == 3) continue;
        if (!bothMarks && s.count(commaLast ? QLatin1Char(',') : QLatin1Char('.')) > 1) continue;
        (commaLast ? comma : dot) += 1;
    }
    if (comma != dot) return comma > dot ? DecimalMark::Comma : DecimalMark::Dot;
    return separator == QLatin1Char(',') ? DecimalMark::Dot : DecimalMark::Comma;
}

// Digits with at most one decimal mark, the common cell, read without building texts.
bool ReadPlainNumber(const QString& text, QChar decimal, double* value) {
    qint64 digits = 0;
    int fractionDigits = -1;
    int count = 0;
    for (QChar c : text) {
        if (IsDigit(c)) {
            if (++count > 15) return false;
            digits = digits * 10 + (c.unicode() - '0');
            if (fractionDigits >= 0) ++fractionDigits;
        } else if (c == decimal && fractionDigits < 0) {
            fractionDigits = 0;
        } else {
            return false;
        }
    }
    if (count == 0) return false;
    *value = fractionDigits > 0 ? double(digits) / std::pow(10.0, fractionDigits) : double(digits);
    return true;
}

bool ParseImportNumber(const QString& text, DecimalMark mark, double* value) {
    if (ReadPlainNumber(text, mark == DecimalMark::Comma ? QLatin1Char(',') : QLatin1Char('.'), value))
        return true;
    bool negative = false;
    const QString s = BareNumber(text, &negative);
    if (s.isEmpty()) return false;
    const QChar decimal = mark == DecimalMark::Comma ? QLatin1Char(',') : QLatin1Char('.');
    const QChar group = mark == DecimalMark::Comma ? QLatin1Char('.') : QLatin1Char(',');
    const qsizetype point = s.indexOf(decimal);
    if (point >= 0 && s.indexOf(decimal, point + 1) >= 0) return false;
    const QString intPart = point < 0 ? s : s.left(point);
    const QString fraction = point < 0 ? QString() : s.mid(point + 1);
    if (!AllDigits(fraction) || (intPart.isEmpty() && fraction.isEmpty())) return false;
    QString digits;
    if (intPart.contains(group)) {
        const QStringList groups = intPart.split(group);
        if (!ValidGroups(groups)) return false;
        digits = groups.join(QString());
    } else {
        digits = intPart;
    }
    if (!AllDigits(digits)) return false;
    const QString plain = (digits.isEmpty() ? QStringLiteral("0") : digits) +
                          (fraction.isEmpty() ? QString() : QLatin1Char('.') + fraction);
    bool ok = false;
    const double v = plain.toDouble(&ok);
    if (!ok || !std::isfinite(v)) return false;
    *value = negative ? -v : v;
    return true;
}

// ---- dates and times

QString DateOrderCaption(DateOrder order) {
    switch (order) {
        case DateOrder::Ymd:
            return QStringLiteral("年/月/日");
        case DateOrder::Dmy:
            return QStringLiteral("日/月/年");
        case DateOrder::Mdy:
            return QStringLiteral("月/日/年");
        case DateOrder::Unknown:
            break;
    }
    return QStringLiteral("未定");
}

QString DateOrderOption(DateOrder order) {
    switch (order) {
        case DateOrder::Ymd:
            return QStringLiteral("ymd");
        case DateOrder::Dmy:
            return QStringLiteral("dmy");
        case DateOrder::Mdy:
            return QStringLiteral("mdy");
        case DateOrder::Unknown:
            break;
    }
    return QString();
}

DateOrder DateOrderOfOption(const QString& option) {
    for (DateOrder order : {DateOrder::Ymd, DateOrder::Dmy, DateOrder::Mdy}) {
        if (option == DateOrderOption(order)) return order;
    }
    return DateOrder::Unknown;
}

DateCell ParseDateCell(const QString& text) {
    static const QRegularExpression yearFirst(QStringLiteral(
        "^(\\d{4})\\s*(?:[-/.]|年)\\s*(\\d{1,2})\\s*(?:[-/.]|月)\\s*(\\d{1,2})\\s*日?(?:[ T]+(.*))?$"));
    static const QRegularExpression yearLast(
        QStringLiteral("^(\\d{1,2})\\s*([-/.])\\s*(\\d{1,2})\\s*[-/.]\\s*(\\d{4})(?:[ T]+(.*))?$"));
    static const QRegularExpression monthFirstName(
        QStringLiteral("^([A-Za-z]{3,9})\\.?\\s+(\\d{1,2})(?:st|nd|rd|th)?,?\\s+(\\d{4})(?:,?\\s+(.*))?$"));
    static const QRegularExpression dayFirstName(
        QStringLiteral("^(\\d{1,2})\\.?\\s+([A-Za-z]{3,9})\\.?,?\\s+(\\d{4})(?:,?\\s+(.*))?$"));

    DateCell cell;
    const QString s = Folded(text);
    QString rest;
    QRegularExpressionMatch m;
    if ((m = yearFirst.match(s)).hasMatch()) {
        cell.form = DateCell::YearFirst;
        cell.year = m.captured(1).toInt();
        cell.first = m.captured(2).toInt();
        cell.second = m.captured(3).toInt();
        rest = m.captured(4);
    } else if ((m = yearLast.match(s)).hasMatch()) {
        cell.form = m.captured(2) == QLatin1String(".") ? DateCell::DotDmy : DateCell::YearLast;
        cell.first = m.captured(1).toInt();
        cell.second = m.captured(3).toInt();
        cell.year = m.captured(4).toInt();
        rest = m.captured(5);
    } else if ((m = monthFirstName.match(s)).hasMatch() && MonthOfName(m.captured(1)) > 0) {
        cell.form = DateCell::MonthName;
        cell.first = MonthOfName(m.captured(1));
        cell.second = m.captured(2).toInt();
        cell.year = m.captured(3).toInt();
        rest = m.captured(4);
    } else if ((m = dayFirstName.match(s)).hasMatch() && MonthOfName(m.captured(2)) > 0) {
        cell.form = DateCell::MonthName;
        cell.first = MonthOfName(m.captured(2));
        cell.second = m.captured(1).toInt();
        cell.year = m.captured(3).toInt();
        rest = m.captured(4);
    } else {
        return cell;
    }
    if (!rest.trimmed().isEmpty() && !ParseTimeText(rest, &cell.time)) cell.time = QStringLiteral("?");
    return cell;
}

DateOrder SettleDateOrder(const QVector<DateCell>& cells, bool* conflict) {
    bool dayFirst = false;
    bool monthFirst = false;
    for (const DateCell& c : cells) {
        if (c.form != DateCell::YearLast) continue;
        if (c.first > 12 && c.second <= 12) dayFirst = true;
        if (c.second > 12 && c.first <= 12) monthFirst = true;
    }
    *conflict = dayFirst && monthFirst;
    if (dayFirst == monthFirst) return DateOrder::Unknown;
    return dayFirst ? DateOrder::Dmy : DateOrder::Mdy;
}

QString DateOfCell(const DateCell& cell, DateOrder order, QString* reason) {
    int month = cell.first;
    int day = cell.second;
    switch (cell.form) {
        case DateCell::Invalid:
            *reason = QStringLiteral("日付として読めません");
            return QString();
        case DateCell::DotDmy:
            day = cell.first;
            month = cell.second;
            break;
        case DateCell::YearLast:
            if (order == DateOrder::Unknown) {
                *reason = QStringLiteral("日付の並び（日/月/年か月/日/年か）が決まっていません");
                return QString();
            }
            if (order == DateOrder::Ymd) {
                *reason = QStringLiteral("年が最後にあり、年/月/日の並びではありません");
                return QString();
            }
            if (order == DateOrder::Dmy) {
                day = cell.first;
                month = cell.second;
            }
            break;
        case DateCell::YearFirst:
        case DateCell::MonthName:
            break;
    }
    if (!QDate::isValid(cell.year, month, day) || cell.year < 1000) {
        *reason = order == DateOrder::Unknown || cell.form != DateCell::YearLast
                      ? QStringLiteral("存在しない日付です")
                      : QStringLiteral("%1の並びでは存在しない日付です").arg(DateOrderCaption(order));
        return QString();
    }
    return FormatInt(cell.year, 4, QStringLiteral("0")) + QLatin1Char('/') + TwoDigits(month) +
           QLatin1Char('/') + TwoDigits(day);
}

bool ParseTimeText(const QString& text, QString* time) {
    static const QRegularExpression clock(
        QStringLiteral("^(午前|午後)?\\s*(\\d{1,2})\\s*(?::|時)\\s*(\\d{1,2})\\s*分?(?::(\\d{1,2})(?:\\.\\d+)"
                       "?)?\\s*(am|pm|a\\.m\\.|p\\.m\\.)?"
                       "\\s*(?:z|[+-]\\d{2}:?\\d{2})?$"),
        QRegularExpression::CaseInsensitiveOption);
    const QString s = Folded(text);
    if (s.isEmpty()) {
        time->clear();
        return true;
    }
    const QRegularExpressionMatch m = clock.match(s);
    if (!m.hasMatch()) return false;
    int hour = m.captured(2).toInt();
    const int minute = m.captured(3).toInt();
    const QString half = m.captured(5).toLower();
    const bool pm = m.captured(1) == QStringLiteral("午後") || half.startsWith(QLatin1Char('p'));
    const bool am = m.captured(1) == QStringLiteral("午前") || half.startsWith(QLatin1Char('a'));
    if (pm || am) {
        if (hour < 1 || hour > 12) return false;
        if (hour == 12) hour = 0;
        if (pm) hour += 12;
    }
    if (hour > 24 || minute > 59 || (hour == 24 && minute > 0)) return false;
    *time = TwoDigitTime(hour, minute);
    return true;
}

// ---- flags and record types

bool ParseImportFlag(const QString& text, bool* on) {
    const QString s = Folded(text).toLower();
    static const QStringList yes = {QStringLiteral("1"),    QStringLiteral("y"),    QStringLiteral("yes"),
                                    QStringLiteral("true"), QStringLiteral("x"),    QStringLiteral("○"),
                                    QStringLiteral("◯"),    QStringLiteral("✓"),    QStringLiteral("✔"),
                                    QStringLiteral("on"),   QStringLiteral("はい"), QStringLiteral("満タン")};
    static const QStringList no = {QStringLiteral(""),   QStringLiteral("0"),     QStringLiteral("n"),
                                   QStringLiteral("no"), QStringLiteral("false"), QStringLiteral("-"),
                                   QStringLiteral("×"),  QStringLiteral("off"),   QStringLiteral("いいえ")};
    if (yes.contains(s)) {
        *on = true;
        return true;
    }
    if (no.contains(s)) {
        *on = false;
        return true;
    }
    return false;
}

RowKind RowKindOfText(const QString& text) {
    QString s = Folded(text).toLower();
    s.remove(QLatin1Char(' '));
    s.remove(QLatin1Char('-'));
    if (s.isEmpty()) return RowKind::Unknown;
    static const QStringList fuel = {
        QStringLiteral("fuel"),      QStringLiteral("gas"),        QStringLiteral("gasoline"),
        QStringLiteral("petrol"),    QStringLiteral("diesel"),     QStringLiteral("refuel"),
        QStringLiteral("refueling"), QStringLiteral("refuelling"), QStringLiteral("fill"),
        QStringLiteral("fillup"),    QStringLiteral("fuelup"),     QStringLiteral("給油"),
        QStringLiteral("燃費"),      QStringLiteral("燃費データ")};
    static const QStringList other = {QStringLiteral("trip"), QStringLiteral("report")};
    if (fuel.contains(s)) return RowKind::Fuel;
    if (other.contains(s)) return RowKind::Other;
    return RowKind::Mainte;
}

}  // namespace tovrel
