// The picture shown while the program starts.
#pragma once

#include <QLabel>

namespace tovrel {

class StartupPictureWindow : public QLabel {
    Q_OBJECT

public:
    // Borderless and always on top, centred on the screen, its client the size of the picture.
    static StartupPictureWindow* Open(const QString& file);

protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    StartupPictureWindow() = default;
};

}  // namespace tovrel
