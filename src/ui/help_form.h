// The help window: the bundled pages, with links, back and forward, the contents and the menu index.
#pragma once

#include <QUrl>
#include <QWidget>

class QTextBrowser;
class QToolButton;

namespace tovrel {

class SettingsStore;

class THelpForm : public QWidget {
    Q_OBJECT

public:
    THelpForm(SettingsStore* store, QWidget* parent);
    ~THelpForm() override;

    void ShowPage(const QUrl& url);
    QTextBrowser* browser() const { return m_browser; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void UpdateCaption();
    void SavePlacement();

    SettingsStore* m_store;
    QTextBrowser* m_browser = nullptr;
    QToolButton* m_backButton = nullptr;
    QToolButton* m_forwardButton = nullptr;
};

}  // namespace tovrel
