// The store handheld back-office: starts on the main menu.
#include "data/database.h"

#include <QApplication>
#include <QLabel>
#include <QVBoxLayout>
#include <QWidget>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("marbo-wifi"));
    data::Databases databases(data::DriveMapping::fromEnvironment());

    QWidget window;
    window.setObjectName(QStringLiteral("tarvom"));
    window.setWindowTitle(QStringLiteral("GESTIONE WI-FI  R.2.0"));
    auto* layout = new QVBoxLayout(&window);
    layout->addWidget(new QLabel(QStringLiteral("GESTIONE WI-FI  R.2.0"), &window));
    layout->addWidget(new QLabel(QStringLiteral("Archivi: %1").arg(databases.mapping().dataRoot()), &window));
    window.resize(400, 600);
    window.show();
    return app.exec();
}
