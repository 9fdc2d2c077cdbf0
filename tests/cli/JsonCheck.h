#pragma once

#include <cctype>
#include <string>

// A strict JSON reader that only says whether the text is one JSON value.
class TJsonCheck {
public:
    explicit TJsonCheck(const std::string& text) : Text_(text) {}
    bool Valid()
    {
        Blanks();
        if (!Value())
            return false;
        Blanks();
        return At_ == Text_.size();
    }

private:
    bool Value()
    {
        if (At_ >= Text_.size())
            return false;
        switch (Text_[At_]) {
        case '{':
            return Sequence('}', true);
        case '[':
            return Sequence(']', false);
        case '"':
            return String();
        case 't':
            return Word("true");
        case 'f':
            return Word("false");
        case 'n':
            return Word("null");
        default:
            return Number();
        }
    }
    bool Sequence(char close, bool members)
    {
        ++At_;
        Blanks();
        if (Peek() == close) {
            ++At_;
            return true;
        }
        for (;;) {
            if (members) {
                if (!String())
                    return false;
                Blanks();
                if (Peek() != ':')
                    return false;
                ++At_;
                Blanks();
            }
            if (!Value())
                return false;
            Blanks();
            if (Peek() == close) {
                ++At_;
                return true;
            }
            if (Peek() != ',')
                return false;
            ++At_;
            Blanks();
        }
    }
    bool String()
    {
        if (Peek() != '"')
            return false;
        for (++At_; At_ < Text_.size(); ++At_) {
            const unsigned char c = static_cast<unsigned char>(Text_[At_]);
            if (c == '"') {
                ++At_;
                return true;
            }
            if (c < 0x20)
                return false;
            if (c == '\\') {
                const char e = At_ + 1 < Text_.size() ? Text_[At_ + 1] : 0;
                if (e == 'u') {
                    for (int i = 2; i < 6; ++i)
                        if (At_ + i >= Text_.size() || !std::isxdigit(Text_[At_ + i]))
                            return false;
                    At_ += 5;
                } else if (std::string("\"\\/bfnrt").find(e) != std::string::npos && e != 0) {
                    ++At_;
                } else {
                    return false;
                }
            }
        }
        return false;
    }
    bool Number()
    {
        const std::size_t start = At_;
        if (Peek() == '-')
            ++At_;
        if (Peek() == '0')
            ++At_;
        else if (!Digits())
            return false;
        if (Peek() == '.') {
            ++At_;
            if (!Digits())
                return false;
        }
        if (Peek() == 'e' || Peek() == 'E') {
            ++At_;
            if (Peek() == '+' || Peek() == '-')
                ++At_;
            if (!Digits())
                return false;
        }
        return At_ > start;
    }
    bool Digits()
    {
        const std::size_t start = At_;
        while (std::isdigit(static_cast<unsigned char>(Peek())))
            ++At_;
        return At_ > start;
    }
    bool Word(const char* word)
    {
        const std::string w(word);
        if (Text_.compare(At_, w.size(), w) != 0)
            return false;
        At_ += w.size();
        return true;
    }
    void Blanks()
    {
        while (At_ < Text_.size() && std::string(" \t\r\n").find(Text_[At_]) != std::string::npos)
            ++At_;
    }
    char Peek() const { return At_ < Text_.size() ? Text_[At_] : '\0'; }

    const std::string& Text_;
    std::size_t At_ = 0;
};
