// Car switching on the main window: the car menus, the caption and the car picture.
#include "ui/main_window.h"

#include "ui/car_info_form.h"
#include "ui/main_list_model.h"
#include "ui/widgets/file_dialog.h"
#include "ui/widgets/icons.h"
#include "ui/widgets/message_box.h"

#include <QAction>
#include <QActionGroup>
#include <QFileInfo>
#include <QImageReader>
#include <QLabel>

namespace tovrel {

namespace {

const QString kPictureFilter = QStringLiteral("画像(JPG)ﾌｧｲﾙ|*.jpg;*.jpeg|全てのﾌｧｲﾙ|*.*");

}  // namespace

void TMivraMainForm::BuildCarMenus(bool selectCars) {
    const CarMenuPlan plan = m_book.PlanCarMenus();
    for (int k = 1; k <= kListSlots; ++k) {
        for (QAction* a : {m_carItems[k], m_carPopupItems[k]}) {
            a->setText(plan.items[k].caption);
            a->setEnabled(plan.items[k].enabled);
        }
    }
    if (!selectCars) {
        UpdateCaption();
        return;
    }
    for (int car : plan.selectSequence)
        SelectCarAndShow(car);
    const int current = m_book.book().currentCar;
    if (current >= 1 && current <= kListSlots) {
        m_carItems[current]->setChecked(true);
        m_carPopupItems[current]->setChecked(true);
    } else {
        // A data folder without a registered car: nothing is current, the list is empty.
        for (QActionGroup* group : {m_carGroup, m_carPopupGroup}) {
            if (QAction* checked = group->checkedAction()) checked->setChecked(false);
        }
        UpdateCaption();
        ShowCarPicture();
        UpdateStatusPanels();
        m_model->RefreshAll();
    }
    // Without a car there is no car information to edit.
    if (QAction* carInfo = FindAction(QStringLiteral("CarInfoItem")))
        carInfo->setEnabled(current >= 1 && current <= kListSlots);
}

void TMivraMainForm::SelectCarAndShow(int car) {
    QString error;
    if (!m_book.SelectCar(car, &error)) ShowFileError(error);
    if (!m_book.LoadNotice().isEmpty())
        MessageBox::ShowWarning(QStringLiteral("Tovrel"), m_book.LoadNotice());
    UpdateCaption();
    ShowCarPicture();
    UpdateStatusPanels();
    m_model->RefreshAll();
    ShowLastRecord();
}

void TMivraMainForm::CarItemClick(int car) {
    const int current = m_book.book().currentCar;
    if (car == current) {
        // Reloading the current car would drop its unsaved changes without a word.
        if (current >= 1) {
            m_carItems[current]->setChecked(true);
            m_carPopupItems[current]->setChecked(true);
        }
        return;
    }
    if (!m_book.ConfirmSave(ShiftHeld())) {
        if (current >= 1) {
            m_carItems[current]->setChecked(true);
            m_carPopupItems[current]->setChecked(true);
        }
        RecalcStatus();
        return;
    }
    m_carItems[car]->setChecked(true);
    m_carPopupItems[car]->setChecked(true);
    SelectCarAndShow(car);
}

void TMivraMainForm::CarInfoItemClick() {
    if (m_book.book().currentCar < 1) return;
    if (carInfoForm()->exec() == QDialog::Accepted) m_model->RefreshAll();
}

void TMivraMainForm::UpdateCaption() {
    const QString name = m_book.CarName();
    const bool readOnly = m_book.ReadOnly();
    setWindowTitle(
        (m_book.book().currentCar > 0 ? QStringLiteral("Tovrel - ") + name : QStringLiteral("Tovrel")) +
        (readOnly ? QStringLiteral(" （読み取り専用）") : QString()));
    // Another program holds the data folder: nothing can be saved there.
    if (QAction* save = FindAction(QStringLiteral("SaveItem"))) save->setEnabled(!readOnly);
}

void TMivraMainForm::ShowCarPicture() {
    m_carPicture->clear();
    const QString file = m_book.book().carInfo.MyCarJpg;
    QImage image;
    // Only a plain file: a pipe or a device named here would hang or flood the reader.
    if (!file.isEmpty() && QFileInfo(file).isFile()) image = QImageReader(file).read();
    QPixmap pixmap = image.isNull() ? DefaultCarPicture() : QPixmap::fromImage(image);
    const QSize box(30, 30);
    m_carPicture->setPixmap(
        pixmap.scaled(box * pixmap.devicePixelRatio(), Qt::KeepAspectRatio, Qt::SmoothTransformation));
}

void TMivraMainForm::ChooseCarPicture() {
    const QString current = m_book.book().carInfo.MyCarJpg;
    const QString dir = current.isEmpty() ? m_book.book().dataFolder : QFileInfo(current).absolutePath();
    const QString file = FileDialog::GetOpenFileName(this, QStringLiteral("開く"), dir, kPictureFilter);
    if (file.isEmpty()) return;
    m_book.book().carInfo.MyCarJpg = file;
    QString error;
    if (!m_book.book().SaveCarInfo(&error)) ShowFileError(error);
    ShowCarPicture();
}

void TMivraMainForm::ClearCarPicture() {
    if (!MessageBox::AskYesNo(QStringLiteral("表示画像設定解除"),
                              QStringLiteral("現在指定されている表示画像の設定を解除しますか？"))) {
        return;
    }
    m_book.book().carInfo.MyCarJpg.clear();
    QString error;
    if (!m_book.book().SaveCarInfo(&error)) ShowFileError(error);
    ShowCarPicture();
}

}  // namespace tovrel
