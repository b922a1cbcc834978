// The small editor of the four warning level names, opened from the settings dialog.
#pragma once

#include <QDialog>
#include <QString>

#include <array>

class QLineEdit;

namespace tovrel {

class TWarningTextForm : public QDialog {
    Q_OBJECT

public:
    explicit TWarningTextForm(QWidget* parent = nullptr);

    // names and colors [1..4]: the working names and the stored level colours.
    void SetNames(const std::array<QString, 5>& names, const std::array<quint32, 5>& colors);
    // The four edit texts [1..4], whichever way the window was closed.
    std::array<QString, 5> Names() const;

    void DefButtonClick();

protected:
    void showEvent(QShowEvent* event) override;

private:
    std::array<QLineEdit*, 5> m_edits{};  // [1..4]
};

}  // namespace tovrel
