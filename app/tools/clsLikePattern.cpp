// Compiling and matching wildcard patterns.
#include "clsLikePattern.h"

#include <algorithm>

clsLikePattern::clsLikePattern(const QString& szPattern)
{
    const qsizetype length = szPattern.size();
    for (qsizetype i = 0; i < length; ++i) {
        Element element;
        const char16_t ch = szPattern.at(i).unicode();
        const qsizetype close = ch == u'[' ? szPattern.indexOf(u']', i + 1) : -1;
        if (ch == u'*') {
            // A run of stars is one star.
            if (!elements.empty() && elements.back().kind == Kind::Star)
                continue;
            element.kind = Kind::Star;
        } else if (ch == u'?') {
            element.kind = Kind::Any;
        } else if (ch == u'#') {
            element.kind = Kind::Digit;
        } else if (close > i) {
            // An opening bracket without its closing one stands for itself.
            element.kind = Kind::List;
            qsizetype k = i + 1;
            if (k < close && szPattern.at(k) == u'!') {
                element.negated = true;
                ++k;
            }
            for (; k < close; ++k) {
                const char16_t first = szPattern.at(k).unicode();
                char16_t last = first;
                if (k + 2 < close && szPattern.at(k + 1) == u'-') {
                    last = szPattern.at(k + 2).unicode();
                    k += 2;
                }
                element.ranges.push_back(std::min(first, last));
                element.ranges.push_back(std::max(first, last));
            }
            i = close;
        } else {
            element.ch = ch;
        }
        elements.push_back(std::move(element));
    }
}

bool clsLikePattern::ElementMatches(const Element& element, char16_t ch) const
{
    switch (element.kind) {
    case Kind::Literal:
        return element.ch == ch;
    case Kind::Any:
        return true;
    case Kind::Digit:
        return ch >= u'0' && ch <= u'9';
    case Kind::List: {
        bool inList = false;
        for (size_t i = 0; i + 1 < element.ranges.size() && !inList; i += 2)
            inList = ch >= element.ranges[i] && ch <= element.ranges[i + 1];
        return inList != element.negated;
    }
    case Kind::Star:
        break;
    }
    return false;
}

bool clsLikePattern::Matches(QStringView text) const
{
    const size_t count = elements.size();
    const qsizetype length = text.size();
    size_t p = 0;
    qsizetype t = 0;
    size_t starElement = count;
    qsizetype starText = 0;
    while (t < length) {
        if (p < count && elements[p].kind == Kind::Star) {
            starElement = p++;
            starText = t;
        } else if (p < count && ElementMatches(elements[p], text.at(t).unicode())) {
            ++p;
            ++t;
        } else if (starElement < count) {
            // Let the latest star take one more character and try again from there.
            p = starElement + 1;
            t = ++starText;
        } else {
            return false;
        }
    }
    while (p < count && elements[p].kind == Kind::Star)
        ++p;
    return p == count;
}
