// A file's text converted into Shift-JIS inside its own buffer.
#include "InPlaceConv.h"

#include "CharSetConv.h"
#include "ConvErrors.h"
#include "JConv.h"
#include "LargeBuffer.h"
#include "SideBySide.h"
#include "XString.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <exception>
#include <string>
#include <vector>

namespace skiff {

namespace {

// Where the second half of a text starts: its first ASCII byte from the middle on; 0 when
// there is none.
std::size_t HalfwayAscii(const char* szText, std::size_t nLength)
{
    for (std::size_t i = nLength / 2; i < nLength; ++i) {
        if (static_cast<unsigned char>(szText[i]) < 0x80) {
            return i;
        }
    }
    return 0;
}

// The bytes [nFrom, nTo) of a text converted into the text itself from nOut on (nOut <= nFrom).
// Each chunk, ending at an ASCII byte, is converted into a small buffer and copied back, where
// it overwrites only source bytes already converted. When a chunk grew so much that it would
// overwrite bytes not yet converted, or no ASCII byte comes soon enough to end one, the rest of
// the range goes into a buffer of its own, the tail.
class InPlaceRange
{
public:
    InPlaceRange(Charset charset, char* pText, std::size_t nFrom, std::size_t nTo, std::size_t nOut,
                 std::size_t nChunk)
        : from(charset), text(pText), start(nFrom), end(nTo), out(nOut), chunk(nChunk)
    {}

    // With bHoldFirst the first chunk's bytes go into the head instead, and the text is written
    // only from the end of that chunk on: the range before this one may still be looking at
    // this one's first byte.
    void Run(bool bHoldFirst) noexcept
    {
        try {
            bool holding = bHoldFirst;
            while (start < end) {
                const std::size_t stop = ChunkEnd();
                if (stop == 0) {
                    ConvertRest();
                    return;
                }
                const std::size_t count = stop - start;
                // Each character or malformed sequence becomes at most two bytes.
                if (scratch.size() < 2 * count) {
                    scratch.resize(2 * count);
                }
                const std::size_t made =
                    Convert(from, Charset::Sjis, text + start, count, scratch.data(), errors);
                start = stop;
                if (holding) {
                    head.assign(scratch.data(), made);
                    out = stop;
                    holding = false;
                } else if (out + written + made > stop) {
                    tail.assign(scratch.data(), made);
                    ConvertRest();
                    return;
                } else {
                    std::memcpy(text + out + written, scratch.data(), made);
                    written += made;
                }
            }
        } catch (...) {
            failure = std::current_exception();
        }
    }

    std::size_t Out() const { return out; }
    std::size_t Written() const { return written; }
    const std::string& Head() const { return head; }
    const std::string& Tail() const { return tail; }
    int Errors() const { return errors; }
    // No memory, caught on the thread that ran the range.
    const std::exception_ptr& Failure() const { return failure; }

private:
    // Where the chunk from start ends: an ASCII byte or the range's end; 0 when neither comes
    // within four chunks.
    std::size_t ChunkEnd() const
    {
        if (end - start <= chunk) {
            return end;
        }
        const std::size_t limit = std::min(end, start + 4 * chunk);
        for (std::size_t i = start + chunk; i < limit; ++i) {
            if (static_cast<unsigned char>(text[i]) < 0x80) {
                return i;
            }
        }
        return limit == end ? end : 0;
    }

    void ConvertRest()
    {
        const std::size_t count = end - start;
        const std::size_t before = tail.size();
        tail.resize(before + ConvertedLength(from, Charset::Sjis, text + start, count));
        Convert(from, Charset::Sjis, text + start, count, tail.data() + before, errors);
        start = end;
    }

    Charset from;
    char* text;
    std::size_t start;
    std::size_t end;
    std::size_t out;
    std::size_t chunk;
    std::size_t written = 0;
    std::vector<char> scratch;
    std::string head;
    std::string tail;
    int errors = 0;
    std::exception_ptr failure;
};

// Puts the two ranges' bytes one after the other at the start of the text.
void Join(XString& text, const InPlaceRange& first, const InPlaceRange& second)
{
    const std::size_t size = first.Written() + first.Tail().size() + second.Head().size() +
                             second.Written() + second.Tail().size();
    // Positions are 32-bit, and the terminator needs its byte too.
    if (size >= static_cast<std::size_t>(INT_MAX)) {
        throw XString::estrOutOfRange;
    }
    char* data = text.Data();
    if (first.Tail().empty() && second.Tail().empty() &&
        first.Written() + second.Head().size() <= second.Out()) {
        // The usual case: only the second range moves, down behind its head.
        std::memmove(data + first.Written() + second.Head().size(), data + second.Out(),
                     second.Written());
        std::memcpy(data + first.Written(), second.Head().data(), second.Head().size());
        text.SetLength(static_cast<int>(size));
        // Shift-JIS is shorter than UTF-8: the bytes past it are not needed again.
        ReleaseBytes(data + size + 1, static_cast<std::size_t>(text.Capacity()) - size - 1);
        return;
    }
    XString joined;
    joined.Reserve(static_cast<int>(size) + 1);
    char* at = joined.Data();
    const auto put = [&at](const char* pBytes, std::size_t nCount) {
        std::memcpy(at, pBytes, nCount);
        at += nCount;
    };
    put(data, first.Written());
    put(first.Tail().data(), first.Tail().size());
    put(second.Head().data(), second.Head().size());
    put(data + second.Out(), second.Written());
    put(second.Tail().data(), second.Tail().size());
    joined.SetLength(static_cast<int>(size));
    text = std::move(joined);
}

} // namespace

void ConvertFileToSjis(int lnCharSet, XString& text, int lnStart, bool bHalves, std::size_t nChunk)
{
    const auto from = static_cast<Charset>(lnCharSet);
    const auto length = static_cast<std::size_t>(text.Length());
    const auto start = static_cast<std::size_t>(lnStart);
    char* data = text.Data();
    if (from == Charset::Jis) {
        // JIS shifts between character sets as it goes: no chunk could start on its own.
        XString converted;
        ConvertInto(ToSjis(lnCharSet), data + start, converted);
        text = std::move(converted);
        return;
    }
    const std::size_t cut = bHalves ? HalfwayAscii(data + start, length - start) : 0;
    const std::size_t middle = cut != 0 ? start + cut : length;
    InPlaceRange first(from, data, start, middle, 0, nChunk);
    InPlaceRange second(from, data, middle, length, middle, nChunk);
    if (cut != 0) {
        SideBySide([&first] { first.Run(false); }, [&second] { second.Run(true); });
    } else {
        first.Run(false);
    }
    for (const InPlaceRange* range : {&first, &second}) {
        if (range->Failure()) {
            std::rethrow_exception(range->Failure());
        }
    }
    Join(text, first, second);
    AddConvErrs(first.Errors());
    AddConvErrs(second.Errors());
}

} // namespace skiff
