#include "ui/about_dialog.h"

#include "base/version.h"
#include "ui/widgets/help.h"
#include "ui/widgets/icons.h"

#include <QDialogButtonBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace tovrel {

TAboutBox::TAboutBox(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("TAboutBox"));
    setWindowTitle(QStringLiteral("ﾊﾞｰｼﾞｮﾝ情報"));
    InstallHelpKey(this, HelpAbout);
    setModal(true);

    auto* icon = new QLabel;
    icon->setPixmap(ProgramIcon().pixmap(48, 48));
    icon->setAlignment(Qt::AlignTop);

    auto* product = new QLabel(QStringLiteral("Tovrel"));
    QFont big = product->font();
    big.setPointSizeF(big.pointSizeF() * 1.6);
    big.setBold(true);
    product->setFont(big);
    auto* version = new QLabel(QStringLiteral("Version ") + ProgramVersion());
    auto* comment = new QLabel(QStringLiteral("燃費・メンテナンス管理ソフトウェア"));

    auto* texts = new QVBoxLayout;
    texts->addWidget(product);
    texts->addWidget(version);
    texts->addSpacing(8);
    texts->addWidget(comment);
    texts->addStretch();

    auto* panel = new QFrame;
    panel->setFrameShape(QFrame::StyledPanel);
    auto* panelLayout = new QHBoxLayout(panel);
    panelLayout->addWidget(icon);
    panelLayout->addSpacing(12);
    panelLayout->addLayout(texts);

    auto* ok = new QPushButton(QStringLiteral("OK"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addStretch();

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(panel);
    layout->addLayout(buttons);
    setFixedSize(sizeHint());
}

}  // namespace tovrel
