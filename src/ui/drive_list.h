// The drive list: the entries of the drives the mapping offers, the selected
// one as its drive prefix ("c:").
#pragma once

#include <QComboBox>

namespace data {
class DriveMapping;
}

namespace ui {

class DriveList : public QComboBox {
    Q_OBJECT
public:
    explicit DriveList(const data::DriveMapping& mapping, QWidget* parent = nullptr);
    // The selected drive reduced to its prefix ("c:").
    QString drive() const;
    void setDrive(const QString& drive);
};

} // namespace ui
