#include "data/car_info.h"

#include "base/cp932.h"
#include "base/file_io.h"
#include "base/rtf_text.h"
#include "base/text_utils.h"

#include <QDir>
#include <QFileInfo>

namespace tovrel {

QString CarNumberOnEnter(const QString& text) {
    return StripGrouping(text);
}

QString CarNumberOnLeave(const QString& text, int decimals) {
    return FormatGrouped(ParseNumber(text, decimals, 0), decimals);
}

bool CarDateAcceptable(const QString& text) {
    QString digits = text;
    digits.remove(QLatin1Char('/'));
    if (digits.trimmed().isEmpty()) return true;
    return !NormalizeDate(text).isEmpty();
}

CarInfo CarInfoForShowing(const CarInfo& stored) {
    CarInfo shown = stored;
    shown.NousyaRun = CarNumberOnLeave(stored.NousyaRun, NousyaRunDecimals);
    shown.MokuhyoMivra = CarNumberOnLeave(stored.MokuhyoMivra, MokuhyoDecimals);
    return shown;
}

CarInfo CarInfoForStorage(const CarInfo& shown) {
    CarInfo stored = shown;
    stored.NousyaRun = StripGrouping(CarNumberOnLeave(shown.NousyaRun, NousyaRunDecimals));
    stored.MokuhyoMivra = CarNumberOnLeave(shown.MokuhyoMivra, MokuhyoDecimals);
    return stored;
}

QString CarMemoText(const QByteArray& bytes) {
    qsizetype lineEnd = bytes.indexOf('\n');
    const qsizetype cr = bytes.indexOf('\r');
    if (lineEnd < 0 || (cr >= 0 && cr < lineEnd)) lineEnd = cr;
    const QByteArray firstLine = lineEnd < 0 ? bytes : bytes.left(lineEnd);
    if (firstLine.contains("{\\rtf")) return RtfPlainText(bytes);
    return SplitTextLines(Cp932Decode(bytes)).join(QLatin1Char('\n'));
}

QByteArray CarMemoBytes(const QString& text) {
    if (text.isEmpty()) return QByteArray();
    QString plain = text;
    plain.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return EncodeCp932Lines(plain.split(QLatin1Char('\n')));
}

CarMemoState LoadCarMemo(const QString& path, QString* text, QString* message) {
    text->clear();
    if (!QFileInfo::exists(path)) return CarMemoState::Loaded;
    QByteArray bytes;
    QString error;
    if (!ReadFileBytes(path, &bytes, &error)) {
        if (message) *message = error + QStringLiteral("\n愛車メモは変更できません。");
        return CarMemoState::Unreadable;
    }
    *text = CarMemoText(bytes);
    if (text->contains(QChar(QChar::ReplacementCharacter)) || text->contains(QChar(0))) {
        if (message) {
            *message = QStringLiteral("ファイル「") + QDir::toNativeSeparators(path) +
                       QStringLiteral(
                           "」には文字として読めないデータがあります。\n"
                           "愛車メモは表示だけで、変更できません。");
        }
        return CarMemoState::NotText;
    }
    return CarMemoState::Loaded;
}

bool SaveCarMemo(const QString& path, const QString& text, QString* error) {
    return WriteFileAtomically(path, CarMemoBytes(text), error);
}

}  // namespace tovrel
