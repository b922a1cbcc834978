#include "ui/startup_picture_window.h"

#include <QApplication>
#include <QGuiApplication>
#include <QImageReader>
#include <QScreen>

namespace tovrel {

StartupPictureWindow* StartupPictureWindow::Open(const QString& file) {
    QImageReader reader(file);
    const QImage image = reader.read();
    if (image.isNull()) return nullptr;
    auto* window = new StartupPictureWindow;
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->setWindowFlags(Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::Tool);
    window->setWindowTitle(QStringLiteral("画像表示"));
    window->setPixmap(QPixmap::fromImage(image));
    window->setFixedSize(image.size());
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        window->move(screen->geometry().center() - QPoint(image.width() / 2, image.height() / 2));
    }
    window->show();
    QApplication::processEvents();
    return window;
}

void StartupPictureWindow::mouseDoubleClickEvent(QMouseEvent*) { close(); }

}  // namespace tovrel
