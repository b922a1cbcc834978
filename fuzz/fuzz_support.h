// What every fuzz target shares: a silent prompter, a scratch folder, and a check that stops the run.
#pragma once

#include "base/prompter.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>

namespace tovrel::fuzz {

// Messages (an invalid date, for one) are part of normal runs; printing them would only slow the run.
class SilentPrompter : public Prompter {
public:
    PromptAnswer Prompt(const QString&, const QString&, PromptIcon, PromptButtons buttons) override {
        return buttons == PromptButtons::Ok ? PromptAnswer::Ok : PromptAnswer::No;
    }
};

inline void SetUp() {
    static SilentPrompter prompter;
    SetCurrentPrompter(&prompter);
}

// A folder for the files of one run, in memory when the system offers it; its path ends in "/".
inline const QString& Scratch() {
    static QTemporaryDir dir(QDir(QStringLiteral("/dev/shm")).exists()
                                 ? QStringLiteral("/dev/shm/tovrel-fuzz-XXXXXX")
                                 : QDir::tempPath() + QStringLiteral("/tovrel-fuzz-XXXXXX"));
    static const QString path = dir.path() + QLatin1Char('/');
    return path;
}

inline QString WriteScratch(const QString& name, const QByteArray& bytes) {
    const QString path = Scratch() + name;
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate)) file.write(bytes);
    return path;
}

inline QByteArray ReadScratch(const QString& name) {
    QFile file(Scratch() + name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A broken promise of the code under test: report it and let libFuzzer keep the input.
#define TOVREL_FUZZ_CHECK(condition)                                                            \
    do {                                                                                        \
        if (!(condition)) {                                                                     \
            std::fprintf(stderr, "check failed: %s (%s:%d)\n", #condition, __FILE__, __LINE__); \
            std::abort();                                                                       \
        }                                                                                       \
    } while (0)

// Two byte strings that must be equal; when not, both are printed before the run stops.
inline void CheckSameBytes(const QByteArray& a, const QByteArray& b, const char* what) {
    if (a == b) return;
    std::fprintf(stderr, "%s differ:\n--- first\n%s\n--- second\n%s\n", what,
                 a.toPercentEncoding(" =,#:/[]").constData(), b.toPercentEncoding(" =,#:/[]").constData());
    std::abort();
}

}  // namespace tovrel::fuzz
