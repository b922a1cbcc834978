// Small helpers shared by the tests: CP932 fixtures in temporary folders, records, prompts, sessions.
#pragma once

#include "base/prompter.h"
#include "data/car_book.h"
#include "data/fuel_record.h"
#include "session/logbook.h"
#include "settings/settings.h"
#include "settings/settings_store.h"

#include <gtest/gtest.h>

#include <QAnyStringView>
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QVector>

#include <cstdint>
#include <functional>
#include <ostream>

// Readable failure messages for texts.
inline void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}

namespace tovrel {

class RecordTable;

namespace test {

// ---- texts and files

// A text from a UTF-8 or UTF-16 literal: S("軽油"), S(u"軽油").
inline QString S(QAnyStringView text) {
    return text.toString();
}

// The CP932 bytes of a text (the text given in UTF-8 source form).
QByteArray Sjis(const QString& text);

// Lines joined with CR LF (each line followed by it) in CP932.
QByteArray SjisLines(const QStringList& lines);

// Writes bytes to dir/name, creating folders; returns the full path.
QString WriteBytes(const QString& dir, const QString& name, const QByteArray& bytes);

QByteArray ReadBytes(const QString& path);

// The bytes of tests/fixtures/<relative>.
QByteArray FixtureBytes(const QString& relative);
QString FixturePath(const QString& relative);

// Number fields of every shape a user or a damaged file may give: blanks, signs, grouping, full-width
// characters, fractions, exponents, huge values and garbage, alone and combined.
QStringList NumberTextsOfEveryShape();

// A temporary folder whose path ends in "/", as data folders do.
class TempFolder {
public:
    TempFolder();
    QString path() const { return m_dir.path() + QLatin1Char('/'); }
    QString file(const QString& name) const { return path() + name; }

private:
    QTemporaryDir m_dir;
};

// Makes file writes beyond the given size fail while it lives; unlike permissions it holds for root.
class FileSizeLimit {
public:
    explicit FileSizeLimit(std::uint64_t bytes);
    ~FileSizeLimit();
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    std::uint64_t m_oldCurrent = 0;
    std::uint64_t m_oldMaximum = 0;
    void (*m_oldHandler)(int) = nullptr;
};

// Paths that are no plain files, by kind: "folder", "FIFO", "/dev/zero", "/dev/full" (links to those
// devices), "link loop", "link to nowhere".
QStringList OddPathKinds();
void MakeOddPath(const QString& kind, const QString& path);

// Runs the call; one that has not ended after ten seconds ends the test program as failed (a thread
// blocked for ever, on a pipe say, cannot be stopped otherwise).
bool EndsInTime(const std::function<void()>& call);

// ---- records and log files

// A record with the figures that economy and distance read.
FuelRecord Record(quint8 kind, QAnyStringView day, QAnyStringView run, QAnyStringView totalRun,
                  QAnyStringView gas, quint8 noneHeikin = 0);

// A refuelling with the figures that the totals read.
FuelRecord Refuel(QAnyStringView day, QAnyStringView run, QAnyStringView gas, QAnyStringView economy = {},
                  QAnyStringView cost = {}, QAnyStringView tanka = {});

// A maintenance-only record.
FuelRecord MainteOnly(QAnyStringView day, QAnyStringView mainte);

// Makes the table hold exactly these records, from slot 1.
void SetRecords(RecordTable& table, const QVector<FuelRecord>& records);

// Puts the record after the table's last one.
void AppendRecord(RecordTable& table, const FuelRecord& record);

// A maintenance item checked by distance and/or days; 0 leaves that check off.
MainteSetting MainteItem(const QString& name, int distance, int days, bool warning = true);

// A log data line "NNN=kind,texts...,noneHeikin,memoGraph," with line breaks written as "#";
// nothing else is escaped.
QString LogLine(int index, const FuelRecord& record);

// "MivraNN.dat", the log data file of the car.
QString LogFileName(int car);

// Writes dir/MivraNN.dat: "[MivraData]", the count and the record lines, in CP932. Returns its path.
QString WriteLogFile(const QString& dir, int car, const QStringList& recordLines);

// ---- prompts

// Installs itself as the current prompter and records every prompt. Messages are answered Ok,
// questions with the queued answers in order, then with `answer`. Restores the previous prompter.
class RecordingPrompter : public Prompter {
public:
    struct Entry {
        QString caption;
        QString text;
        PromptIcon icon;
        PromptButtons buttons;
    };

    RecordingPrompter();
    ~RecordingPrompter() override;
    RecordingPrompter(const RecordingPrompter&) = delete;
    RecordingPrompter& operator=(const RecordingPrompter&) = delete;

    PromptAnswer Prompt(const QString& caption, const QString& text, PromptIcon icon,
                        PromptButtons buttons) override;

    QVector<Entry> prompts;
    QVector<PromptAnswer> answers;
    PromptAnswer answer = PromptAnswer::No;

private:
    Prompter* m_previous;
};

// ---- a session on a data folder

// A logbook on a temporary data folder: the store points at the folder and holds the current
// version, so no upgrade question is asked. Nothing is written until asked for.
struct LogbookSession {
    LogbookSession();

    // Setting.dat with a [Car] section of the entries as 01=, 02=, ...
    void WriteCars(const QStringList& entries) const;
    QString LogPath(int car) const;
    // The car's MivraNN.dat with these record lines.
    void WriteLog(int car, const QStringList& recordLines) const;
    // Starts the logbook and selects the car.
    ::testing::AssertionResult StartAndSelect(int car);

    TempFolder folder;
    MapSettingsStore store;
    Settings settings;
    Logbook book{settings, store};
};

}  // namespace test
}  // namespace tovrel
