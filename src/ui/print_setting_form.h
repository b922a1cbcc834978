// The common print settings dialog: print style, header and footer items, margins, positions and the
// six report fonts, shared by every print form.
#pragma once

#include <QDialog>

#include <array>
#include <functional>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;

namespace tovrel {

struct Settings;
class SettingsStore;

class TPrintSettingForm : public QDialog {
    Q_OBJECT

public:
    TPrintSettingForm(Settings& settings, SettingsStore& store, QWidget* parent = nullptr);
    ~TPrintSettingForm() override;

    // Shows the dialog modally. "確 定" stores into settings (in memory only; the next save of the
    // settings writes them). Returns true when stored.
    static bool Edit(QWidget* parent, Settings& settings, SettingsStore& store);

    // The font dialog; tests replace it. True when a font was chosen.
    std::function<bool(QWidget* parent, QString& name, int& size, int& style)> chooseFont;

    // Font items, tags 1..6.
    enum FontTag { TitleFont = 1, NameFont, MonthFont, ListFont, PageFont, DateFont };

    void FontButtonClick(int tag);
    void OkButtonClick();

protected:
    void showEvent(QShowEvent* event) override;
    void done(int result) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct WorkingFont {
        QString name;
        int size = 0;
        int style = 0;
    };

    void FormShow();
    void ApplyEnabling();
    void ShowFont(int tag);
    QLineEdit* MarginMemo(const QString& name, const QString& hint);
    QComboBox* PositionBox(const QString& name);

    Settings& m_settings;
    SettingsStore& m_store;
    QComboBox* m_printForm;
    QCheckBox* m_printName;
    QCheckBox* m_printDate;
    QCheckBox* m_printPage;
    QCheckBox* m_printVertical;
    QCheckBox* m_printMultiGyo;
    QLineEdit* m_topMargin;
    QLineEdit* m_bottomMargin;
    QLineEdit* m_leftMargin;
    QLineEdit* m_rightMargin;
    QComboBox* m_titlePosition;
    QComboBox* m_namePosition;
    QComboBox* m_monthPosition;
    QComboBox* m_pagePosition;
    QComboBox* m_datePosition;
    std::array<QLineEdit*, 7> m_fontEdits{};      // [1..6]
    std::array<QPushButton*, 7> m_fontButtons{};  // [1..6]
    std::array<WorkingFont, 7> m_fonts;           // the working copy, [1..6]
};

}  // namespace tovrel
