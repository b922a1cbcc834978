// Linked into a program, ends it at the end of the first paint of a list (the viewport of an item
// view, painted and put on the screen): the process's run time is then its start-up time. Nothing
// of the program is changed; the probe installs itself when the application object is made.
#include <QAbstractItemView>
#include <QCoreApplication>
#include <QEvent>
#include <QTimer>

#include <cstdio>
#include <cstdlib>

namespace {

class FirstPaintProbe : public QObject {
public:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::Paint || m_painted) return false;
        const auto* view = qobject_cast<const QAbstractItemView*>(watched->parent());
        if (!view || view->viewport() != watched) return false;
        m_painted = true;
        // Queued behind the rest of this paint, the flush to the screen included; no teardown.
        QTimer::singleShot(0, [] {
            std::fflush(stdout);
            std::_Exit(0);
        });
        return false;
    }

private:
    bool m_painted = false;
};

void InstallProbe() {
    QCoreApplication::instance()->installEventFilter(new FirstPaintProbe);
}

}  // namespace

Q_COREAPP_STARTUP_FUNCTION(InstallProbe)
