#include "cli/terminal_text.h"

#include <iconv.h>

#include <cstdio>

namespace sylvanode::cli {
namespace {

class GbkDecoder {
public:
    GbkDecoder() : cd_(iconv_open("UTF-8", "CP936")) {}
    ~GbkDecoder() {
        if (cd_ != reinterpret_cast<iconv_t>(-1)) iconv_close(cd_);
    }
    GbkDecoder(const GbkDecoder&) = delete;
    GbkDecoder& operator=(const GbkDecoder&) = delete;

    // Decodes one double-byte character; false when it is not valid GBK.
    bool decodePair(const char* pair, std::string& out) {
        if (cd_ == reinterpret_cast<iconv_t>(-1)) return false;
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        char in[2] = {pair[0], pair[1]};
        char buf[8];
        char* inp = in;
        size_t inLeft = 2;
        char* outp = buf;
        size_t outLeft = sizeof buf;
        if (iconv(cd_, &inp, &inLeft, &outp, &outLeft) == static_cast<size_t>(-1) || inLeft != 0) return false;
        out.append(buf, static_cast<size_t>(outp - buf));
        return true;
    }

private:
    iconv_t cd_;
};

void appendEscaped(std::string& out, unsigned char c) {
    char buf[8];
    std::snprintf(buf, sizeof buf, "\\x%02X", c);
    out += buf;
}

}  // namespace

std::string gbkForTerminal(std::string_view gbk) {
    static thread_local GbkDecoder decoder;
    std::string out;
    out.reserve(gbk.size() * 3 / 2);
    for (size_t i = 0; i < gbk.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(gbk[i]);
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (c >= 0x81 && c <= 0xFE && i + 1 < gbk.size() && decoder.decodePair(gbk.data() + i, out)) {
            ++i;
        } else {
            appendEscaped(out, c);
        }
    }
    return out;
}

}  // namespace sylvanode::cli
