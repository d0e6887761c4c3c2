#include "ui/messages.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

namespace ui {

Message::Answer QtMessages::show(const Message& m, QWidget* parent) {
    QMessageBox box(parent ? parent : QApplication::activeWindow());
    box.setText(m.text);
    box.setWindowTitle(m.title.isEmpty() ? QApplication::applicationDisplayName() : m.title);
    switch (m.icon) {
    case Message::Icon::Information:
        box.setIcon(QMessageBox::Information);
        break;
    case Message::Icon::Critical:
        box.setIcon(QMessageBox::Critical);
        break;
    case Message::Icon::Question:
        box.setIcon(QMessageBox::Question);
        break;
    case Message::Icon::Exclamation:
        box.setIcon(QMessageBox::Warning);
        break;
    case Message::Icon::None:
        box.setIcon(QMessageBox::NoIcon);
        break;
    }
    if (m.buttons == Message::Buttons::YesNo) {
        QPushButton* yes = box.addButton(QStringLiteral("Sì"), QMessageBox::YesRole);
        QPushButton* no = box.addButton(QStringLiteral("No"), QMessageBox::NoRole);
        box.setDefaultButton(m.defaultAnswer == Message::Answer::Yes ? yes : no);
        box.setEscapeButton(no);
        box.exec();
        return box.clickedButton() == yes ? Message::Answer::Yes : Message::Answer::No;
    }
    box.addButton(QMessageBox::Ok);
    box.exec();
    return Message::Answer::Ok;
}

Message::Answer ScriptedMessages::show(const Message& m, QWidget*) {
    shown_.push_back(m);
    if (m.buttons == Message::Buttons::Ok)
        return Message::Answer::Ok;
    if (script_.empty())
        return m.defaultAnswer;
    const Message::Answer a = script_.front();
    script_.pop_front();
    return a;
}

QStringList ScriptedMessages::texts() const {
    QStringList out;
    for (const Message& m : shown_)
        out << m.text;
    return out;
}

} // namespace ui
