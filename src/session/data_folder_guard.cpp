#include "session/data_folder_guard.h"

#include "base/backups.h"
#include "base/prompter.h"
#include "data/car_book.h"
#include "settings/settings.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QSet>

#include <algorithm>

namespace tovrel {

namespace {

DataFolderGuard* g_active = nullptr;

constexpr int kTouchMs = 60 * 1000;
constexpr int kMostGenerations = 999;

const QSet<QString>& DataFileNameSet() {
    static const QSet<QString> names = [] {
        const QStringList list = DataFileNames();
        return QSet<QString>(list.begin(), list.end());
    }();
    return names;
}

// The folder as the file system names it, so that two spellings of one folder compare equal.
QString CanonicalFolder(const QString& folder) {
    const QString canonical = QFileInfo(folder).canonicalFilePath();
    return canonical.isEmpty() ? QDir::cleanPath(QFileInfo(folder).absoluteFilePath()) : canonical;
}

}  // namespace

DataFolderGuard::DataFolderGuard(const Settings& settings, bool holdLock)
    : m_settings(settings), m_holdLock(holdLock) {
    reportBackupFailure = [](const QString& text) {
        ShowWarning(QStringLiteral("バックアップエラー"), text);
    };
    m_touchTimer.setInterval(kTouchMs);
    QObject::connect(&m_touchTimer, &QTimer::timeout, &m_touchTimer, [this] { TouchLock(); });
    g_active = this;
    SetWriteObserver(this);
}

DataFolderGuard::~DataFolderGuard() {
    if (g_active == this) {
        g_active = nullptr;
        SetWriteObserver(nullptr);
    }
}

DataFolderGuard* DataFolderGuard::Active() {
    return g_active;
}

void DataFolderGuard::Open(const QString& folder) {
    if (folder == m_folder) return;
    m_touchTimer.stop();
    m_lock.reset();
    m_folder = folder;
    m_canonicalFolder = CanonicalFolder(folder);
    m_readOnly = false;
    m_holderPid = 0;
    m_holderHost.clear();
    m_holderApp.clear();
    m_lockProblem.clear();
    if (!m_holdLock || folder.isEmpty()) return;

    const QString path = QDir(folder).filePath(QLatin1String(kLockFileName));
    auto lock = std::make_unique<QLockFile>(path);
    // Programs on other computers cannot be asked whether they still run: their lock counts as left
    // behind once it has not been touched for a while. On this computer the process is looked up.
    lock->setStaleLockTime(kLockStaleMinutes * 60 * 1000);
    // The file may vanish between a failed attempt and reading who holds it: try once more then.
    for (int attempt = 0; attempt < 2; ++attempt) {
        if (lock->tryLock(0)) {
            m_lock = std::move(lock);
            m_touchTimer.start();
            return;
        }
        if (lock->error() != QLockFile::LockFailedError) {
            m_lockProblem =
                QStringLiteral("ロックファイル「") + QDir::toNativeSeparators(path) +
                QStringLiteral("」を作れません。ほかのプログラムとの同時使用を確かめられません。");
            return;
        }
        if (lock->getLockInfo(&m_holderPid, &m_holderHost, &m_holderApp)) {
            m_readOnly = true;
            return;
        }
    }
    // Held, but by whom cannot be read (a lock file being written just now).
    m_readOnly = true;
}

QString DataFolderGuard::HolderText() const {
    if (!m_readOnly) return QString();
    const QString app = m_holderApp.isEmpty() ? QStringLiteral("Tovrel") : m_holderApp;
    QString who;
    if (m_holderHost.isEmpty())
        who = QStringLiteral("ほかのプログラム");
    else
        who = QStringLiteral("コンピュータ「") + m_holderHost + QStringLiteral("」の ") + app +
              QStringLiteral("（プロセス番号 ") + QString::number(m_holderPid) + QStringLiteral("）");
    return QStringLiteral("データフォルダ「") + QDir::toNativeSeparators(m_folder) +
           QStringLiteral("」は、") + who + QStringLiteral("が使用中です。");
}

bool DataFolderGuard::IsDataFile(const QString& path) const {
    const QFileInfo info(path);
    if (!DataFileNameSet().contains(info.fileName())) return false;
    return CanonicalFolder(info.absolutePath()) == m_canonicalFolder;
}

int DataFolderGuard::Generations() const {
    return std::clamp(m_settings.BackupGenerations, 0, kMostGenerations);
}

bool DataFolderGuard::MayWrite(const QString& path, QString* reason) {
    if (!m_readOnly || !IsDataFile(path)) return true;
    if (reason) *reason = HolderText() + QStringLiteral("\n読み取り専用で開いているため、保存できません。");
    return false;
}

void DataFolderGuard::BeforeReplace(const QString& path, const QByteArray& bytes) {
    if (m_skipBackup) return;
    const int keep = Generations();
    if (keep == 0 || !IsDataFile(path)) return;
    QString error;
    if (KeepBackup(path, bytes, keep, &error)) {
        m_failureReported = false;
        return;
    }
    if (m_failureReported) return;
    m_failureReported = true;
    if (reportBackupFailure) {
        reportBackupFailure(error +
                            QStringLiteral("\n保存はそのまま行いました。バックアップが作れるようになるまで、"
                                           "このメッセージは表示しません。"));
    }
}

bool DataFolderGuard::Restore(const QString& file, int generation, QString* message, QString* error) {
    const auto fail = [error](const QString& text) {
        if (error) *error = text;
        return false;
    };
    if (m_readOnly) return fail(HolderText() + QStringLiteral("\nバックアップは戻せません。"));
    const QVector<BackupGeneration> generations = ListBackups(m_folder, file);
    if (generations.isEmpty())
        return fail(QStringLiteral("「") + file + QStringLiteral("」のバックアップはありません。"));
    if (generation < 1 || generation > generations.size()) {
        return fail(QStringLiteral("「%1」のバックアップに世代 %2 はありません（世代 1～%3 があります）。")
                        .arg(file)
                        .arg(generation)
                        .arg(generations.size()));
    }
    const BackupGeneration& chosen = generations[generation - 1];
    QByteArray bytes;
    QString e;
    if (!ReadFileBytes(chosen.path, &bytes, &e)) return fail(e);

    const QString target = m_folder + file;
    QString kept;
    // The file about to be replaced is kept even while backups are off; only then is it replaced.
    if (!KeepBackup(target, bytes, Generations(), &e, &kept))
        return fail(e + QStringLiteral("\nバックアップは戻しませんでした。"));
    m_skipBackup = true;
    const bool ok = WriteFileAtomically(target, bytes, &e);
    m_skipBackup = false;
    if (!ok) return fail(e);
    if (message) {
        *message = QStringLiteral("「%1」を世代 %2（%3）のバックアップに戻しました。")
                       .arg(file)
                       .arg(generation)
                       .arg(BackupTimeText(chosen.time));
        if (!kept.isEmpty()) *message += QStringLiteral("置き換えたファイルは世代 1 として残しました。");
    }
    return true;
}

void DataFolderGuard::TouchLock() {
    if (!m_lock || !m_lock->isLocked()) return;
    QFile file(m_lock->fileName());
    if (file.open(QIODevice::Append))
        file.setFileTime(QDateTime::currentDateTimeUtc(), QFileDevice::FileModificationTime);
}

}  // namespace tovrel
