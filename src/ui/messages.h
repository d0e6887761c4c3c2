// Modal message boxes with the exact text, title, icon, buttons and default
// button. The program shows Qt message boxes; tests script the answers and read
// what was shown.
#pragma once

#include <QString>
#include <QStringList>
#include <deque>
#include <vector>

class QWidget;

namespace ui {

struct Message {
    enum class Icon { None, Information, Critical, Question, Exclamation };
    enum class Buttons { Ok, YesNo };
    enum class Answer { Ok, Yes, No };

    QString text;
    QString title;
    Icon icon = Icon::None;
    Buttons buttons = Buttons::Ok;
    Answer defaultAnswer = Answer::Ok;
};

class Messages {
public:
    virtual ~Messages() = default;
    virtual Message::Answer show(const Message& m, QWidget* parent = nullptr) = 0;

    // The common shapes.
    void info(const QString& text, QWidget* parent = nullptr) {
        show({text, {}, Message::Icon::Information, Message::Buttons::Ok, Message::Answer::Ok}, parent);
    }
    void plain(const QString& text, QWidget* parent = nullptr) {
        show({text, {}, Message::Icon::None, Message::Buttons::Ok, Message::Answer::Ok}, parent);
    }
    // A question with Yes and No, critical icon, No as the default: true on Yes.
    bool askCritical(const QString& text, const QString& title, QWidget* parent = nullptr) {
        return show({text, title, Message::Icon::Critical, Message::Buttons::YesNo, Message::Answer::No},
                    parent) == Message::Answer::Yes;
    }
};

// Real message boxes.
class QtMessages : public Messages {
public:
    Message::Answer show(const Message& m, QWidget* parent) override;
};

// Records every box and answers from a script (Yes/No), Ok otherwise.
class ScriptedMessages : public Messages {
public:
    Message::Answer show(const Message& m, QWidget* parent) override;
    void answer(Message::Answer a) { script_.push_back(a); }
    const std::vector<Message>& shown() const { return shown_; }
    QStringList texts() const;
    void clear() { shown_.clear(); }

private:
    std::deque<Message::Answer> script_;
    std::vector<Message> shown_;
};

} // namespace ui
