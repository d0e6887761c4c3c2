#include "ui/drive_list.h"

#include "state/drives.h"

namespace ui {

DriveList::DriveList(const data::DriveMapping& mapping, QWidget* parent)
    : QComboBox(parent) {
    addItems(state::driveChoices(mapping));
    setCurrentIndex(0);
}

QString DriveList::drive() const {
    return state::driveOfChoice(currentText());
}

void DriveList::setDrive(const QString& drive) {
    for (int i = 0; i < count(); ++i)
        if (state::driveOfChoice(itemText(i)) == drive.left(2).toLower())
            setCurrentIndex(i);
}

} // namespace ui
