#include "test_support.h"

#include "base/cp932.h"
#include "base/file_io.h"
#include "data/record_table.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <future>
#include <memory>
#include <thread>

#include <sys/resource.h>
#include <sys/stat.h>

namespace tovrel::test {

QByteArray Sjis(const QString& text) {
    return Cp932Encode(text);
}

QByteArray SjisLines(const QStringList& lines) {
    return EncodeCp932Lines(lines);
}

QString WriteBytes(const QString& dir, const QString& name, const QByteArray& bytes) {
    const QString path = QDir(dir).filePath(name);
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    if (f.open(QIODevice::WriteOnly)) f.write(bytes);
    return path;
}

QByteArray ReadBytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QString FixturePath(const QString& relative) {
    return QStringLiteral(TOVREL_FIXTURES) + QLatin1Char('/') + relative;
}

QByteArray FixtureBytes(const QString& relative) {
    return ReadBytes(FixturePath(relative));
}

QStringList NumberTextsOfEveryShape() {
    using namespace Qt::StringLiterals;
    const QStringList before = {u""_s, u" "_s, u"\u3000"_s, u","_s};
    const QStringList signs = {u""_s, u"-"_s, u"+"_s, u"\uFF0D"_s};
    const QStringList integers = {
        u""_s,    u"0"_s,  u"00"_s, u"7"_s, u"1234"_s, u"\uFF11\uFF12"_s, u"1,234"_s, u"9007199254740993"_s,
        u"12a"_s, u"1 2"_s};
    const QStringList fractions = {u""_s,    u"."_s,       u".5"_s, u".05"_s,    u".005"_s,
                                   u".50"_s, u".\uFF15"_s, u".x"_s, u"\uFF0E5"_s};
    const QStringList exponents = {u""_s, u"e5"_s, u"E-3"_s, u"e"_s, u"e400"_s};
    const QStringList after = {u""_s, u" "_s, u","_s};
    QStringList texts;
    for (const QString& b : before)
        for (const QString& s : signs)
            for (const QString& i : integers)
                for (const QString& f : fractions)
                    for (const QString& e : exponents)
                        for (const QString& a : after)
                            texts.append(b + s + i + f + e + a);
    // And what no pattern foresees.
    const QString pieces = u"0123456789012345.,-+eE \t\u3000\uFF10\uFF19\uFF0C\uFF0E\u2212ax\u0663"_s;
    QRandomGenerator random(20240601);
    for (int k = 0; k < 3000; ++k) {
        QString t;
        for (int n = random.bounded(10); n > 0; --n)
            t += pieces[random.bounded(int(pieces.size()))];
        texts.append(t);
    }
    return texts;
}

TempFolder::TempFolder() = default;

FileSizeLimit::FileSizeLimit(std::uint64_t bytes) {
    rlimit limit{};
    getrlimit(RLIMIT_FSIZE, &limit);
    m_oldCurrent = limit.rlim_cur;
    m_oldMaximum = limit.rlim_max;
    m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    limit.rlim_cur = bytes;
    setrlimit(RLIMIT_FSIZE, &limit);
}

FileSizeLimit::~FileSizeLimit() {
    const rlimit old{m_oldCurrent, m_oldMaximum};
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, m_oldHandler);
}

QStringList OddPathKinds() {
    return {QStringLiteral("folder"),    QStringLiteral("FIFO"),      QStringLiteral("/dev/zero"),
            QStringLiteral("/dev/full"), QStringLiteral("link loop"), QStringLiteral("link to nowhere")};
}

void MakeOddPath(const QString& kind, const QString& path) {
    if (kind == QStringLiteral("folder")) {
        QDir().mkpath(path);
    } else if (kind == QStringLiteral("FIFO")) {
        ::mkfifo(QFile::encodeName(path).constData(), 0600);
    } else if (kind.startsWith(QLatin1Char('/'))) {
        QFile::link(kind, path);
    } else if (kind == QStringLiteral("link loop")) {
        QFile::link(path, path);
    } else {
        QFile::link(path + QStringLiteral(".gone"), path);
    }
}

bool EndsInTime(const std::function<void()>& call) {
    auto task = std::make_shared<std::packaged_task<void()>>(call);
    std::future<void> done = task->get_future();
    std::thread([task] { (*task)(); }).detach();
    if (done.wait_for(std::chrono::seconds(10)) == std::future_status::ready) return true;
    std::fprintf(stderr, "a call did not end within ten seconds\n");
    std::_Exit(1);
}

FuelRecord Record(quint8 kind, QAnyStringView day, QAnyStringView run, QAnyStringView totalRun,
                  QAnyStringView gas, quint8 noneHeikin) {
    FuelRecord r;
    r.kind = kind;
    r.text[ColDay] = day.toString();
    r.text[ColRun] = run.toString();
    r.text[ColTotalRun] = totalRun.toString();
    r.text[ColGas] = gas.toString();
    r.noneHeikin = noneHeikin;
    return r;
}

FuelRecord Refuel(QAnyStringView day, QAnyStringView run, QAnyStringView gas, QAnyStringView economy,
                  QAnyStringView cost, QAnyStringView tanka) {
    FuelRecord r;
    r.kind = KindFuel;
    r.text[ColDay] = day.toString();
    r.text[ColRun] = run.toString();
    r.text[ColGas] = gas.toString();
    r.text[ColEconomy] = economy.toString();
    r.text[ColCost] = cost.toString();
    r.text[ColTanka] = tanka.toString();
    return r;
}

FuelRecord MainteOnly(QAnyStringView day, QAnyStringView mainte) {
    FuelRecord r;
    r.kind = KindMainte;
    r.text[ColDay] = day.toString();
    r.text[ColMainte] = mainte.toString();
    return r;
}

void SetRecords(RecordTable& table, const QVector<FuelRecord>& records) {
    table.SetRecordCount(static_cast<int>(records.size()));
    for (int i = 0; i < records.size(); ++i)
        table.SetRecord(i + 1, records[i]);
}

void AppendRecord(RecordTable& table, const FuelRecord& record) {
    const int n = table.RecordCount() + 1;
    table.SetRecord(n, record);
    table.SetRecordCount(n);
}

MainteSetting MainteItem(const QString& name, int distance, int days, bool warning) {
    MainteSetting s;
    s.name = name;
    s.distanceCheck = distance > 0;
    s.distanceInterval = distance;
    s.dayCheck = days > 0;
    s.dayInterval = days;
    s.warning = warning;
    return s;
}

QString LogLine(int index, const FuelRecord& record) {
    QStringList values{QString::number(record.kind)};
    for (int col = ColDay; col < ColumnCount; ++col)
        values.append(QString(record.text[col]).replace(QStringLiteral("\r\n"), QStringLiteral("#")));
    values << QString::number(record.noneHeikin) << QString::number(record.memoGraph);
    return QStringLiteral("%1=").arg(index, 3, 10, QLatin1Char('0')) + values.join(QLatin1Char(',')) +
           QLatin1Char(',');
}

QString LogFileName(int car) {
    return QStringLiteral("Mivra%1.dat").arg(car, 2, 10, QLatin1Char('0'));
}

QString WriteLogFile(const QString& dir, int car, const QStringList& recordLines) {
    const QStringList heading{QStringLiteral("[MivraData]"),
                              QStringLiteral("DataCount=%1").arg(recordLines.size())};
    return WriteBytes(dir, LogFileName(car), SjisLines(heading + recordLines));
}

RecordingPrompter::RecordingPrompter() : m_previous(&CurrentPrompter()) {
    SetCurrentPrompter(this);
}

RecordingPrompter::~RecordingPrompter() {
    SetCurrentPrompter(m_previous);
}

PromptAnswer RecordingPrompter::Prompt(const QString& caption, const QString& text, PromptIcon icon,
                                       PromptButtons buttons) {
    prompts.append({caption, text, icon, buttons});
    if (buttons == PromptButtons::Ok) return PromptAnswer::Ok;
    return answers.isEmpty() ? answer : answers.takeFirst();
}

LogbookSession::LogbookSession() {
    store.SetValue(QStringLiteral("Setting"), QStringLiteral("DataPath"), folder.path());
    store.SetValue(QStringLiteral("System"), QStringLiteral("Version"), QStringLiteral("2.0.B"));
}

void LogbookSession::WriteCars(const QStringList& entries) const {
    QStringList lines{QStringLiteral("[Car]")};
    for (int k = 0; k < entries.size(); ++k)
        lines << QStringLiteral("%1=").arg(k + 1, 2, 10, QLatin1Char('0')) + entries[k];
    WriteBytes(folder.path(), QStringLiteral("Setting.dat"), SjisLines(lines));
}

QString LogbookSession::LogPath(int car) const {
    return folder.file(LogFileName(car));
}

void LogbookSession::WriteLog(int car, const QStringList& recordLines) const {
    WriteLogFile(folder.path(), car, recordLines);
}

::testing::AssertionResult LogbookSession::StartAndSelect(int car) {
    QString error;
    if (!book.Start({}, &error)) return ::testing::AssertionFailure() << "start: " << error.toStdString();
    if (!book.SelectCar(car, &error))
        return ::testing::AssertionFailure() << "car " << car << ": " << error.toStdString();
    return ::testing::AssertionSuccess();
}

}  // namespace tovrel::test
