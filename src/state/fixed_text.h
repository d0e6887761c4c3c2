// A text of exactly N characters: storing pads with blanks on the right or cuts
// to the first N; reading always gives all N characters, blanks included.
#pragma once

#include <QString>

namespace state {

template <int N> class FixedText {
public:
    FixedText()
        : text_(N, QLatin1Char(' ')) {}
    FixedText(const QString& s) { assign(s); } // NOLINT: stored like an assignment
    FixedText& operator=(const QString& s) {
        assign(s);
        return *this;
    }

    const QString& text() const { return text_; }
    operator const QString&() const { return text_; } // NOLINT: reads as its text
    static constexpr int width() { return N; }

    // True when the first `count` characters are blanks: the test the screens
    // use to know whether the value holds a code.
    bool blankPrefix(int count) const {
        for (int i = 0; i < count && i < N; ++i)
            if (text_.at(i) != QLatin1Char(' '))
                return false;
        return true;
    }
    QString trimmed() const { return text_.trimmed(); }
    bool operator==(const FixedText& o) const { return text_ == o.text_; }

private:
    void assign(const QString& s) {
        text_ = s.left(N);
        if (text_.size() < N)
            text_ += QString(N - text_.size(), QLatin1Char(' '));
    }
    QString text_;
};

} // namespace state
