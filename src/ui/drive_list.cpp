#include "ui/drive_list.h"

#include "data/location.h"

namespace ui {

DriveList::DriveList(const data::DriveMapping& mapping, QWidget* parent)
    : QComboBox(parent) {
    for (const QString& d : mapping.drives())
        addItem(d + QStringLiteral(" [") +
                (mapping.isPostgres(d.at(0)) ? QStringLiteral("server") : QStringLiteral("locale")) +
                QLatin1Char(']'));
    setCurrentIndex(0);
}

QString DriveList::drive() const {
    return data::DriveMapping::drivePrefix(currentText());
}

void DriveList::setDrive(const QString& drive) {
    for (int i = 0; i < count(); ++i)
        if (data::DriveMapping::drivePrefix(itemText(i)) == drive.left(2).toLower())
            setCurrentIndex(i);
}

} // namespace ui
