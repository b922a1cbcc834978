// Window machinery: message boxes, file dialog filters, colours, single instance, wait window, fonts.
#include "ui/widgets/app_setup.h"
#include "ui/widgets/colors.h"
#include "ui/widgets/file_dialog.h"
#include "ui/widgets/font_text.h"
#include "ui/widgets/icons.h"
#include "ui/widgets/message_box.h"
#include "ui/widgets/single_instance.h"
#include "ui/widgets/wait_window.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QFontInfo>
#include <QKeyEvent>
#include <QLineEdit>
#include <QLocalServer>
#include <QLockFile>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QUuid>

#include <cstring>
#include <memory>

#ifdef Q_OS_UNIX
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>
#endif

namespace tovrel {
namespace {

template <typename Condition>
bool WaitFor(Condition condition, int timeoutMs = 5000) {
    QDeadlineTimer deadline(timeoutMs);
    while (!condition() && !deadline.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    }
    return condition();
}

// ---- message boxes

class MessageBoxTest : public ::testing::Test {
protected:
    void TearDown() override {
        MessageBox::ClearLog();
        SetCurrentPrompter(nullptr);
    }
};

TEST_F(MessageBoxTest, PresetAnswersAreTakenInOrderAndLogged) {
    MessageBox::PresetAnswers({PromptAnswer::Yes, PromptAnswer::Cancel});
    EXPECT_TRUE(MessageBox::AskYesNo(QStringLiteral("削除確認"), QStringLiteral("削除しますか？")));
    EXPECT_EQ(MessageBox::AskYesNoCancel(QStringLiteral("保存確認"), QStringLiteral("保存しますか？")),
              PromptAnswer::Cancel);
    EXPECT_EQ(MessageBox::PendingAnswers(), 0);

    ASSERT_EQ(MessageBox::Log().size(), 2);
    const PromptRecord& first = MessageBox::Log()[0];
    EXPECT_EQ(first.caption, QStringLiteral("削除確認"));
    EXPECT_EQ(first.text, QStringLiteral("削除しますか？"));
    EXPECT_EQ(first.icon, PromptIcon::Question);
    EXPECT_EQ(first.buttons, PromptButtons::YesNo);
    EXPECT_EQ(MessageBox::Log()[1].buttons, PromptButtons::YesNoCancel);
}

TEST_F(MessageBoxTest, InstallRoutesCorePromptsThroughTheBoxes) {
    MessageBox::Install();
    MessageBox::PresetAnswers({PromptAnswer::Ok});
    ShowError(QStringLiteral("日付ｴﾗｰ"), QStringLiteral("正しくない日付を検出しました。"));
    ASSERT_EQ(MessageBox::Log().size(), 1);
    EXPECT_EQ(MessageBox::Log()[0].icon, PromptIcon::Error);
    EXPECT_EQ(MessageBox::Log()[0].buttons, PromptButtons::Ok);
}

// What the box showed before Escape closed it.
struct ShownBox {
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons buttons;
    QString yesText;
};

TEST_F(MessageBoxTest, RealBoxesEscapeToNoOrCancelAndSpeakJapanese) {
    QApplication& app = *qobject_cast<QApplication*>(QCoreApplication::instance());
    SetUpApplication(app);

    auto shown = std::make_shared<ShownBox>();
    // Presses Escape in the box that is about to open and notes what it showed.
    auto escapeNext = [shown] {
        QTimer::singleShot(0, [shown] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box) return;
            shown->title = box->windowTitle();
            shown->text = box->text();
            shown->icon = box->icon();
            shown->buttons = box->standardButtons();
            if (QAbstractButton* yes = box->button(QMessageBox::Yes)) shown->yesText = yes->text();
            QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
            QCoreApplication::sendEvent(box, &escape);
        });
    };

    escapeNext();
    EXPECT_EQ(MessageBox::Ask(QStringLiteral("削除確認"), QStringLiteral("削除しますか？"),
                              PromptIcon::Question, PromptButtons::YesNo),
              PromptAnswer::No);
    EXPECT_EQ(shown->title, QStringLiteral("削除確認"));
    EXPECT_EQ(shown->text, QStringLiteral("削除しますか？"));
    EXPECT_EQ(shown->icon, QMessageBox::Question);
    EXPECT_EQ(shown->buttons, QMessageBox::Yes | QMessageBox::No);
    EXPECT_TRUE(shown->yesText.contains(QStringLiteral("はい"))) << shown->yesText.toStdString();

    escapeNext();
    EXPECT_EQ(MessageBox::AskYesNoCancel(QStringLiteral("保存確認"), QStringLiteral("保存しますか？")),
              PromptAnswer::Cancel);
    EXPECT_EQ(shown->buttons, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);

    escapeNext();
    MessageBox::ShowWarning(QStringLiteral("範囲選択ｴﾗｰ"),
                            QStringLiteral("複数のﾃﾞｰﾀが選択される必要があります。"));
    EXPECT_EQ(shown->icon, QMessageBox::Warning);
    EXPECT_EQ(shown->buttons, QMessageBox::Ok);
    EXPECT_TRUE(MessageBox::Log().isEmpty());
}

// ---- file dialogs

TEST(FileDialogTest, ConvertsWindowsFilters) {
    EXPECT_EQ(FileDialog::ConvertFilter(QStringLiteral("画像(JPG)ﾌｧｲﾙ|*.jpg;*.jpeg|全てのﾌｧｲﾙ|*.*")),
              QStringLiteral("画像(JPG)ﾌｧｲﾙ (*.jpg *.jpeg);;全てのﾌｧｲﾙ (*)"));
    EXPECT_EQ(FileDialog::ConvertFilter(QStringLiteral("CSVﾌｧｲﾙ|*.csv")), QStringLiteral("CSVﾌｧｲﾙ (*.csv)"));
    EXPECT_EQ(FileDialog::ConvertFilter(QString()), QString());
    // A description without patterns after it has nothing to filter by.
    EXPECT_EQ(FileDialog::ConvertFilter(QStringLiteral("CSV|*.csv|壊れた")), QStringLiteral("CSV (*.csv)"));
}

TEST(FileDialogTest, PresetAnswersIncludingCancel) {
    FileDialog::PresetAnswers({QStringLiteral("/tmp/a.csv"), QString(), QStringLiteral("/data/")});
    EXPECT_EQ(FileDialog::GetSaveFileName(nullptr, QStringLiteral("保存"), QStringLiteral("/home"),
                                          QStringLiteral("一覧.csv"), QStringLiteral("CSVﾌｧｲﾙ|*.csv")),
              QStringLiteral("/tmp/a.csv"));
    EXPECT_TRUE(FileDialog::GetOpenFileName(nullptr, QString(), QStringLiteral("/pictures"),
                                            QStringLiteral("画像(JPG)ﾌｧｲﾙ|*.jpg;*.jpeg"))
                    .isEmpty());
    EXPECT_EQ(FileDialog::GetExistingDirectory(nullptr, QString(), QString()), QStringLiteral("/data/"));

    ASSERT_EQ(FileDialog::Log().size(), 3);
    EXPECT_EQ(FileDialog::Log()[0].dir, QStringLiteral("/home"));
    EXPECT_EQ(FileDialog::Log()[0].fileName, QStringLiteral("一覧.csv"));
    EXPECT_EQ(FileDialog::Log()[1].dir, QStringLiteral("/pictures"));
    EXPECT_EQ(FileDialog::PendingAnswers(), 0);
    FileDialog::ClearLog();
}

// ---- colours

TEST(ColorsTest, PlainValuesAreBlueGreenRed) {
    EXPECT_EQ(ColorFromValue(0x0000FFu), QColor(255, 0, 0));
    EXPECT_EQ(ColorFromValue(0xFF0000u), QColor(0, 0, 255));
    EXPECT_EQ(ColorFromValue(0x008000u), QColor(0, 128, 0));
    for (quint32 value : {0x000000u, 0x0000FFu, 0xC0C0C0u, 0xFFFFE0u, 0x800080u, 0x123456u, 0xFFFFFFu}) {
        EXPECT_EQ(ValueFromColor(ColorFromValue(value)), value) << value;
    }
    EXPECT_EQ(ValueFromColor(QColor(0x12, 0x34, 0x56)), 0x563412u);
}

TEST(ColorsTest, SystemColoursComeFromThePalette) {
    QPalette palette;
    palette.setColor(QPalette::Active, QPalette::Text, QColor(1, 2, 3));
    palette.setColor(QPalette::Active, QPalette::Light, QColor(4, 5, 6));
    palette.setColor(QPalette::Active, QPalette::Base, QColor(7, 8, 9));
    palette.setColor(QPalette::Active, QPalette::Button, QColor(10, 11, 12));
    EXPECT_EQ(ColorFromValue(WindowTextColor, palette), QColor(1, 2, 3));
    EXPECT_EQ(ColorFromValue(HighlightColor3D, palette), QColor(4, 5, 6));
    EXPECT_EQ(ColorFromValue(0x80000005u, palette), QColor(7, 8, 9));
    EXPECT_EQ(ColorFromValue(0x8000000Fu, palette), QColor(10, 11, 12));
    // A value read into a signed int arrives negative; an unknown system number still gives text.
    const int stored = int(0x80000008u);
    EXPECT_EQ(ColorFromValue(quint32(stored), palette), QColor(1, 2, 3));
    EXPECT_EQ(ColorFromValue(0x800000FFu, palette), QColor(1, 2, 3));

    EXPECT_TRUE(IsSystemColor(WindowTextColor));
    EXPECT_FALSE(IsSystemColor(0xFFFFFFu));
    // Through the application palette and back: the colour it stands for, as a plain value.
    const QColor text = QGuiApplication::palette().color(QPalette::Active, QPalette::Text);
    EXPECT_EQ(ValueFromColor(ColorFromValue(WindowTextColor)), ValueFromColor(text));
}

TEST(ColorsTest, ZeroIsNoColourOnlyWhereAsked) {
    EXPECT_FALSE(OptionalColor(0).isValid());
    EXPECT_EQ(OptionalColor(0xFF0000u), QColor(0, 0, 255));
    EXPECT_EQ(ColorFromValue(0), QColor(0, 0, 0));
    EXPECT_EQ(ValueFromColor(QColor()), 0u);
}

// ---- single instance

QString UniqueGuardName() {
    return QStringLiteral("TovrelTest-") + QUuid::createUuid().toString(QUuid::Id128).left(12);
}

TEST(SingleInstanceTest, SecondCopyAsksTheFirstToComeForward) {
    const QString name = UniqueGuardName();
    SingleInstanceGuard first(name);
    int activations = 0;
    QObject::connect(&first, &SingleInstanceGuard::activationRequested, [&] { ++activations; });
    ASSERT_TRUE(first.TryBecomePrimary());

    SingleInstanceGuard second(name);
    EXPECT_FALSE(second.TryBecomePrimary());
    EXPECT_TRUE(WaitFor([&] { return activations == 1; }));

    SingleInstanceGuard third(name);
    EXPECT_FALSE(third.TryBecomePrimary());
    EXPECT_TRUE(WaitFor([&] { return activations == 2; }));
}

TEST(SingleInstanceTest, NextCopyIsPrimaryOnceTheFirstHasGone) {
    const QString name = UniqueGuardName();
    {
        SingleInstanceGuard first(name);
        ASSERT_TRUE(first.TryBecomePrimary());
    }
    SingleInstanceGuard next(name);
    EXPECT_TRUE(next.TryBecomePrimary());
}

#ifdef Q_OS_UNIX
// A socket file bound and closed without unlinking, as a killed copy leaves it.
void LeaveStaleSocket(const QString& serverName) {
    const QByteArray path = QFile::encodeName(serverName);
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_GE(fd, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strncpy(address.sun_path, path.constData(), sizeof(address.sun_path) - 1);
    ASSERT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof(address)), 0);
    ::close(fd);
    ASSERT_TRUE(QFile::exists(serverName));
}

TEST(SingleInstanceTest, StaleSocketOfACrashedCopyIsReplaced) {
    const QString name = UniqueGuardName();
    SingleInstanceGuard guard(name);
    LeaveStaleSocket(guard.ServerName());
    EXPECT_TRUE(guard.TryBecomePrimary());
    int activations = 0;
    QObject::connect(&guard, &SingleInstanceGuard::activationRequested, [&] { ++activations; });
    SingleInstanceGuard second(name);
    EXPECT_FALSE(second.TryBecomePrimary());
    EXPECT_TRUE(WaitFor([&] { return activations == 1; }));
}

TEST(SingleInstanceTest, TheSocketLivesInThePrivateRuntimeFolder) {
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    ASSERT_FALSE(runtime.isEmpty());
    EXPECT_EQ(SingleInstanceGuard::PrivateFolder(), runtime);
    EXPECT_EQ(SingleInstanceGuard::DefaultName(), QStringLiteral("TMivraMainForm"));
    SingleInstanceGuard guard;
    EXPECT_EQ(guard.ServerName(), runtime + QStringLiteral("/TMivraMainForm"));
    ASSERT_TRUE(guard.TryBecomePrimary());
    QFileInfo socket(guard.ServerName());
    EXPECT_TRUE(socket.exists());
    EXPECT_EQ(QFileInfo(runtime).permissions() & (QFile::ReadGroup | QFile::WriteGroup | QFile::ExeGroup |
                                                  QFile::ReadOther | QFile::WriteOther | QFile::ExeOther),
              QFile::Permissions());
}

// Another user may take names in the shared temporary folder first; a copy that answers there (as the
// old name did) or a lock file left there cannot stop this program from starting.
TEST(SingleInstanceTest, ASquattedNameElsewhereCannotStopAStart) {
    const QString name = UniqueGuardName();
    const QString shared = QDir(QDir::tempPath()).filePath(name);
    QLocalServer squatter;
    ASSERT_TRUE(squatter.listen(shared));
    int squatterCalls = 0;
    QObject::connect(&squatter, &QLocalServer::newConnection, [&] { ++squatterCalls; });
    QLockFile squattedLock(shared + QStringLiteral(".lock"));
    ASSERT_TRUE(squattedLock.lock());

    SingleInstanceGuard guard(name);
    EXPECT_TRUE(guard.TryBecomePrimary());
    QCoreApplication::processEvents();
    EXPECT_EQ(squatterCalls, 0);
    EXPECT_NE(QFileInfo(guard.ServerName()).absolutePath(), QFileInfo(shared).absolutePath());

    // Without a private folder the program starts without the guard rather than not at all.
    SingleInstanceGuard unguarded(name, QString());
    EXPECT_TRUE(unguarded.TryBecomePrimary());
    EXPECT_TRUE(unguarded.ServerName().isEmpty());
}
#endif

// ---- wait window

TEST(WaitWindowTest, ShowsTextAndCountsStepsUpToTheEnd) {
    QWidget owner;
    owner.setGeometry(100, 100, 800, 600);
    owner.show();

    ShowWaitMessage(&owner, QStringLiteral("集計中"), 100);
    WaitWindow* wait = CurrentWaitWindow();
    ASSERT_NE(wait, nullptr);
    EXPECT_TRUE(wait->isVisible());
    EXPECT_EQ(wait->windowTitle(), QStringLiteral("集計中"));
    EXPECT_EQ(wait->Message(), QStringLiteral("集計中です。しばらくお待ちください。"));
    EXPECT_EQ(wait->Steps(), 100);
    EXPECT_EQ(wait->Progress(), 0);
    EXPECT_LE((wait->frameGeometry().center() - owner.frameGeometry().center()).manhattanLength(), 2);

    for (int i = 0; i < 40; ++i)
        StepWait();
    EXPECT_EQ(wait->Progress(), 40);
    for (int i = 0; i < 100; ++i)
        StepWait();
    EXPECT_EQ(wait->Progress(), 100);

    // Shown again for another run: starts from zero; no steps still gives a plain bar.
    ShowWaitMessage(&owner, QStringLiteral("計算中"), 0);
    EXPECT_EQ(CurrentWaitWindow(), wait);
    EXPECT_EQ(wait->Progress(), 0);
    EXPECT_EQ(wait->Steps(), 1);

    CloseWait();
    EXPECT_FALSE(wait->isVisible());
    StepWait();  // closed: nothing happens
    EXPECT_EQ(wait->Progress(), 0);
}

TEST(WaitWindowTest, ManyStepsStayCheap) {
    ShowWaitMessage(nullptr, QStringLiteral("集計中"), 2000);
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < 2000; ++i)
        StepWait();
    EXPECT_EQ(CurrentWaitWindow()->Progress(), 2000);
    EXPECT_LT(timer.elapsed(), 2000);
    CloseWait();
}

// ---- fonts, hints, pictures

TEST(FontTextTest, EditShowsNameSizeAndStyle) {
    RegisterFontSubstitutes();
    QLineEdit edit;
    ShowFontText(&edit, QStringLiteral("ＭＳ ゴシック"), 9, FontBold | FontUnderline);
    EXPECT_EQ(edit.text(), QStringLiteral("ＭＳ ゴシック  9ﾎﾟｲﾝﾄ"));
    EXPECT_EQ(edit.font().pointSize(), 9);
    EXPECT_TRUE(edit.font().bold());
    EXPECT_FALSE(edit.font().italic());
    EXPECT_TRUE(edit.font().underline());
    EXPECT_EQ(FontStyleBits(edit.font()), FontBold | FontUnderline);
    for (int style = 0; style < 16; ++style) {
        EXPECT_EQ(FontStyleBits(ListFont(QStringLiteral("IPAGothic"), 10, style)), style);
    }
    EXPECT_EQ(QFontInfo(edit.font()).family(), QStringLiteral("IPAGothic"));
    EXPECT_EQ(QFontInfo(ListFont(QStringLiteral("ＭＳ Ｐ明朝"), 9, 0)).family(),
              QStringLiteral("IPAPMincho"));
}

TEST(AppSetupTest, HintsStayTenSecondsOnOneLineBreak) {
    QWidget widget;
    SetHint(&widget,
            QStringLiteral("左ｸﾘｯｸで、車を切り替える事ができます。\r\n右ｸﾘｯｸで、画像を指定します。"));
    EXPECT_EQ(widget.toolTip(),
              QStringLiteral("左ｸﾘｯｸで、車を切り替える事ができます。\n右ｸﾘｯｸで、画像を指定します。"));
    EXPECT_EQ(widget.toolTipDuration(), 10000);
}

TEST(IconsTest, EveryPictureIsDrawn) {
    auto opaquePixels = [](const QImage& image) {
        int count = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                count += qAlpha(image.pixel(x, y)) > 0;
        return count;
    };
    for (int id = int(ToolIconId::NewRecord); id <= int(ToolIconId::Exit); ++id) {
        const QPixmap pixmap = ToolIcon(ToolIconId(id)).pixmap(QSize(24, 24), 2.0);
        EXPECT_EQ(pixmap.deviceIndependentSize(), QSizeF(24, 24)) << id;
        EXPECT_GT(opaquePixels(pixmap.toImage()), 48 * 48 / 5) << id;
    }
    EXPECT_GT(opaquePixels(ProgramIcon().pixmap(32, 32).toImage()), 32 * 32 / 5);
    const QPixmap car = DefaultCarPicture();
    EXPECT_EQ(car.deviceIndependentSize(), QSizeF(32, 32));
    EXPECT_GT(opaquePixels(car.toImage()), 32 * 32 / 5);
}

}  // namespace
}  // namespace tovrel
