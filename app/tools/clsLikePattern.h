// A wildcard pattern: ? any one character, * any run, # one digit, [list] and [!list].
#pragma once

#include <QString>

#include <vector>

// A compiled wildcard pattern matched against a whole text. Every element but * stands for
// exactly one character, so a match needs to go back only to the latest *.
class clsLikePattern
{
public:
    explicit clsLikePattern(const QString& szPattern);

    bool Matches(QStringView text) const;

private:
    enum class Kind { Literal, Any, Digit, List, Star };
    struct Element
    {
        Kind kind = Kind::Literal;
        char16_t ch = 0;
        bool negated = false;
        // Pairs of first and last character of the list's ranges.
        std::vector<char16_t> ranges;
    };

    bool ElementMatches(const Element& element, char16_t ch) const;

    std::vector<Element> elements;
};
