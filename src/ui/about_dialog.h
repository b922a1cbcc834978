// The version box.
#pragma once

#include <QDialog>

namespace tovrel {

class TAboutBox : public QDialog {
    Q_OBJECT

public:
    explicit TAboutBox(QWidget* parent = nullptr);
};

}  // namespace tovrel
