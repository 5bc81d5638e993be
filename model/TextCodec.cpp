#include "model/TextCodec.h"

#include <cerrno>
#include <iconv.h>

namespace {

// One conversion with iconv. On an invalid or unconvertible sequence either
// stops (strict) or emits the replacement and skips one input byte.
std::optional<std::string> convert(const char* to, const char* from, std::string_view in,
                                   const char* replacement)
{
    if (in.empty())
        return std::string();
    const bool fromUtf8 = std::string_view(from) == "UTF-8";
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1))
        return std::nullopt;

    std::string out;
    out.resize(in.size() * 4 + 8);
    char* inPtr = const_cast<char*>(in.data());
    std::size_t inLeft = in.size();
    std::size_t written = 0;
    bool ok = true;
    while (inLeft > 0) {
        char* outPtr = out.data() + written;
        std::size_t outLeft = out.size() - written;
        const std::size_t rc = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
        written = out.size() - outLeft;
        if (rc != static_cast<std::size_t>(-1))
            break;
        if (errno == E2BIG) {
            out.resize(out.size() * 2);
            continue;
        }
        if (!replacement) {
            ok = false;
            break;
        }
        // EILSEQ or EINVAL: replace one character and go on. A UTF-8 source
        // skips the whole sequence, so one unmappable character gives one
        // replacement.
        out.resize(written);
        out += replacement;
        written = out.size();
        out.resize(written + inLeft * 4 + 8);
        std::size_t skip = 1;
        if (fromUtf8) {
            const auto lead = static_cast<unsigned char>(*inPtr);
            skip = utf8SequenceLength(lead);
            if (skip > inLeft)
                skip = inLeft;
        }
        inPtr += skip;
        inLeft -= skip;
    }
    iconv_close(cd);
    if (!ok)
        return std::nullopt;
    out.resize(written);
    return out;
}

}  // namespace

std::string gbkToUtf8(std::string_view gbk)
{
    return convert("UTF-8", "GBK", gbk, "\xEF\xBF\xBD").value_or(std::string());
}

std::string utf8ToGbk(std::string_view utf8)
{
    return convert("GBK", "UTF-8", utf8, "?").value_or(std::string());
}

std::optional<std::string> gbkToUtf8Strict(std::string_view gbk)
{
    return convert("UTF-8", "GBK", gbk, nullptr);
}

std::optional<std::string> utf8ToGbkStrict(std::string_view utf8)
{
    return convert("GBK", "UTF-8", utf8, nullptr);
}
