// The per-user key/value store behind the settings: sections of named text values.
#pragma once

#include <QMap>
#include <QSettings>
#include <QString>

namespace tovrel {

// Sections "Setting", "System", "Position" and "SGridColor"; every value is a string.
class SettingsStore {
public:
    virtual ~SettingsStore() = default;
    virtual bool Contains(const QString& section, const QString& name) const = 0;
    virtual QString Value(const QString& section, const QString& name,
                          const QString& defaultValue = QString()) const = 0;
    virtual void SetValue(const QString& section, const QString& name, const QString& value) = 0;
    virtual void Sync() {}
};

// The store of the program: QSettings("Quendra", "Mivra") in the native format, sections as groups.
class QSettingsStore : public SettingsStore {
public:
    QSettingsStore();
    bool Contains(const QString& section, const QString& name) const override;
    QString Value(const QString& section, const QString& name,
                  const QString& defaultValue = QString()) const override;
    void SetValue(const QString& section, const QString& name, const QString& value) override;
    void Sync() override;

private:
    mutable QSettings m_settings;
};

// An in-memory store for tests and headless runs.
class MapSettingsStore : public SettingsStore {
public:
    bool Contains(const QString& section, const QString& name) const override;
    QString Value(const QString& section, const QString& name,
                  const QString& defaultValue = QString()) const override;
    void SetValue(const QString& section, const QString& name, const QString& value) override;

    void Remove(const QString& section, const QString& name);
    void Clear() { m_values.clear(); }
    // Keys are "section/name".
    const QMap<QString, QString>& Values() const { return m_values; }

private:
    QMap<QString, QString> m_values;
};

// Integer reading rule of the store: decimal, or hexadecimal after "0x"/"0X"; a missing value or
// anything else gives the default.
qint64 ReadStoreInt(const SettingsStore& store, const QString& section, const QString& name,
                    qint64 defaultValue);

}  // namespace tovrel
