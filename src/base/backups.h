// Older copies of the data files, kept in the folder "backup" of the data folder: one file per
// generation, named after the file and the time it was replaced ("Mivra01.dat.20240501-153012-345").
#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QVector>

namespace tovrel {

inline constexpr char kBackupFolderName[] = "backup";

struct BackupGeneration {
    QString file;        // the data file's name, "Mivra01.dat"
    int generation = 0;  // 1 = the newest
    QDateTime time;      // when the file was replaced (local time, from the name)
    qint64 size = 0;
    QString path;
};

// The backup folder of a data folder (which ends in "/"), ending in "/".
QString BackupFolder(const QString& dataFolder);

// Keeps the file at path, as it is now, as the newest generation in the backup folder beside it,
// then removes the generations beyond keep (keep 0: none are removed). Nothing is kept when the file
// already holds next, the bytes about to replace it, or when there is no file. A hard link where the
// file system allows one (the atomic save puts a new file in place, so the link keeps the old bytes),
// else a copy. False with the reason when no copy could be made; the file itself is never touched.
// keptPath, when given, is set to the new copy's path (empty when none was needed).
bool KeepBackup(const QString& path, const QByteArray& next, int keep, QString* error,
                QString* keptPath = nullptr);

// The generations in the backup folder of the data folder, of every file or of one: sorted by file
// name, newest first. Only names of the backup form count; anything else there is left alone.
QVector<BackupGeneration> ListBackups(const QString& dataFolder, const QString& file = QString());

// "2024/05/01 15:30:12"
QString BackupTimeText(const QDateTime& time);

// The link call of KeepBackup, replaceable to test its failures; nullptr restores the system's.
using BackupLinkCall = int (*)(const char* from, const char* to);
void ReplaceBackupLink(BackupLinkCall link);

}  // namespace tovrel
