// The list font chooser: only families whose half-width characters share one width, as the lists'
// columns need. Most Japanese gothic fonts on Linux are such fonts without being flagged fixed-pitch.
#pragma once

#include <QDialog>
#include <QFont>
#include <QList>
#include <QStringList>

#include <optional>

class QCheckBox;
class QComboBox;
class QLabel;
class QListWidget;

namespace tovrel {

class TFixedFontDialog : public QDialog {
    Q_OBJECT

public:
    explicit TFixedFontDialog(QWidget* parent = nullptr);

    // Selects the family the font resolves to (the first offered one when it is not offered).
    void SetSelectedFont(const QFont& font);
    QFont SelectedFont() const;

    // The installed families the chooser offers, sorted; computed once per run.
    static const QStringList& FixedPitchFamilies();
    // Flagged fixed-pitch, or its half-width letters, digits and signs all have one advance.
    static bool IsHalfWidthFixed(const QString& family);

    // Opens the chooser on the stored font; on OK stores the choice and returns true. The stored
    // name is kept when the chosen family is the one it already resolves to ("ＭＳ ゴシック").
    static bool Choose(QWidget* parent, QString& name, int& size, int& style);

    // While answers are queued no chooser is shown: each call takes the next one (none meaning
    // cancelled).
    static void PresetAnswers(const QList<std::optional<QFont>>& answers);
    static int PendingAnswers();

private:
    void UpdateSample();

    QListWidget* m_families;
    QComboBox* m_style;
    QComboBox* m_size;
    QCheckBox* m_strikeOut;
    QCheckBox* m_underline;
    QLabel* m_sample;
};

}  // namespace tovrel
