#include "settings/settings_store.h"

#include <QStringList>
#include <QVarLengthArray>

namespace tovrel {

namespace {

// The key "section/name". It is built on the stack: QSettings copies the key it is given, and
// loading the settings looks up some 250 of them.
class Path {
public:
    Path(const QString& section, const QString& name) {
        m_chars.append(section.constData(), section.size());
        m_chars.append(QLatin1Char('/'));
        m_chars.append(name.constData(), name.size());
    }
    QStringView view() const { return QStringView(m_chars.constData(), m_chars.size()); }
    QString text() const { return view().toString(); }

private:
    QVarLengthArray<QChar, 64> m_chars;
};

bool IsHexDigit(QChar c) {
    const char16_t u = c.unicode();
    return (u >= u'0' && u <= u'9') || (u >= u'a' && u <= u'f') || (u >= u'A' && u <= u'F');
}

}  // namespace

QSettingsStore::QSettingsStore() : m_settings(QStringLiteral("Quendra"), QStringLiteral("Mivra")) {}

bool QSettingsStore::Contains(const QString& section, const QString& name) const {
    return m_settings.contains(Path(section, name).view());
}

QString QSettingsStore::Value(const QString& section, const QString& name,
                              const QString& defaultValue) const {
    const QVariant value = m_settings.value(Path(section, name).view());
    if (!value.isValid()) return defaultValue;
    // A hand-edited INI line with unquoted commas comes back as a list.
    if (value.typeId() == QMetaType::QStringList) return value.toStringList().join(QLatin1Char(','));
    return value.toString();
}

void QSettingsStore::SetValue(const QString& section, const QString& name, const QString& value) {
    m_settings.setValue(Path(section, name).view(), value);
}

void QSettingsStore::Sync() {
    m_settings.sync();
}

bool MapSettingsStore::Contains(const QString& section, const QString& name) const {
    return m_values.contains(Path(section, name).text());
}

QString MapSettingsStore::Value(const QString& section, const QString& name,
                                const QString& defaultValue) const {
    return m_values.value(Path(section, name).text(), defaultValue);
}

void MapSettingsStore::SetValue(const QString& section, const QString& name, const QString& value) {
    m_values.insert(Path(section, name).text(), value);
}

void MapSettingsStore::Remove(const QString& section, const QString& name) {
    m_values.remove(Path(section, name).text());
}

qint64 ReadStoreInt(const SettingsStore& store, const QString& section, const QString& name,
                    qint64 defaultValue) {
    // A missing value reads as empty text, which is no number either.
    const QString text = store.Value(section, name).trimmed();
    if (text.size() > 2 && text[0] == QLatin1Char('0') &&
        (text[1] == QLatin1Char('x') || text[1] == QLatin1Char('X'))) {
        const QStringView digits = QStringView(text).mid(2);
        if (digits.size() > 16) return defaultValue;
        for (QChar c : digits)
            if (!IsHexDigit(c)) return defaultValue;
        bool ok = false;
        const qulonglong value = digits.toULongLong(&ok, 16);
        return ok ? static_cast<qint64>(value) : defaultValue;
    }
    bool ok = false;
    const qint64 value = text.toLongLong(&ok, 10);
    return ok ? value : defaultValue;
}

}  // namespace tovrel
