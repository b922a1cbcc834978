#include "settings/window_state.h"

#include "base/text_utils.h"

#include <limits>

namespace tovrel {

namespace {

const QString kPosition = QStringLiteral("Position");
const QString kGridColor = QStringLiteral("SGridColor");

QString Dotted(const QString& prefix, const QString& name) {
    return prefix + QLatin1Char('.') + name;
}

int ReadInt(const SettingsStore& store, const QString& section, const QString& name, int defaultValue) {
    const qint64 value = ReadStoreInt(store, section, name, defaultValue);
    if (value < std::numeric_limits<int>::min() || value > std::numeric_limits<int>::max())
        return defaultValue;
    return static_cast<int>(value);
}

QString GridColorName(int index, const QString& gridName) {
    return TwoDigits(index) + QLatin1Char('.') + gridName;
}

}  // namespace

QPoint LoadWindowPosition(const SettingsStore& store, const QString& name, QSize windowSize,
                          QSize screenSize) {
    const int defaultTop = (screenSize.height() - windowSize.height()) / 2;
    const int defaultLeft = (screenSize.width() - windowSize.width()) / 2;
    int top = ReadInt(store, kPosition, Dotted(QStringLiteral("Top"), name), defaultTop);
    int left = ReadInt(store, kPosition, Dotted(QStringLiteral("Left"), name), defaultLeft);
    if (top > screenSize.height() - 50) top = defaultTop;
    if (left > screenSize.width() - 50) left = defaultLeft;
    return QPoint(left, top);
}

void SaveWindowPosition(SettingsStore& store, const QString& name, QPoint topLeft) {
    store.SetValue(kPosition, Dotted(QStringLiteral("Top"), name), QString::number(topLeft.y()));
    store.SetValue(kPosition, Dotted(QStringLiteral("Left"), name), QString::number(topLeft.x()));
}

QSize LoadWindowSize(const SettingsStore& store, const QString& name, QSize current) {
    const int height = ReadInt(store, kPosition, Dotted(QStringLiteral("Height"), name), current.height());
    const int width = ReadInt(store, kPosition, Dotted(QStringLiteral("Width"), name), current.width());
    return QSize(width, height);
}

void SaveWindowSize(SettingsStore& store, const QString& name, QSize size) {
    store.SetValue(kPosition, Dotted(QStringLiteral("Height"), name), QString::number(size.height()));
    store.SetValue(kPosition, Dotted(QStringLiteral("Width"), name), QString::number(size.width()));
}

QVector<quint32> LoadGridColors(const SettingsStore& store, const QString& gridName, int lastIndex) {
    QVector<quint32> colors;
    for (int i = 0; i <= lastIndex; ++i) {
        const qint64 value = ReadStoreInt(store, kGridColor, GridColorName(i, gridName), 0);
        const bool fits =
            value >= std::numeric_limits<qint32>::min() && value <= std::numeric_limits<quint32>::max();
        colors.append(fits ? static_cast<quint32>(value) : 0);
    }
    return colors;
}

void SaveGridColors(SettingsStore& store, const QString& gridName, const QVector<quint32>& colors) {
    for (int i = 0; i < colors.size(); ++i)
        store.SetValue(kGridColor, GridColorName(i, gridName), QString::number(colors[i]));
}

int LoadMainteHeight(const SettingsStore& store) {
    return ReadInt(store, kPosition, QStringLiteral("MainteHeight"), 78);
}

void SaveMainteHeight(SettingsStore& store, int height) {
    store.SetValue(kPosition, QStringLiteral("MainteHeight"), QString::number(height));
}

}  // namespace tovrel
