// libFuzzer target: the compiled matcher, with and without its shortcuts,
// must give the reference's answer for any pattern and text, and never crash
// or hang. Built with clang by run-fuzz.sh.
#include "pattern.h"
#include "referencelike.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace {

// Bytes become characters from a small alphabet so that patterns and texts
// meet often (units on both sides of U+0800, where a compiled list changes
// from its bitmap to its range table, included); bytes from 0xF0 up take the
// next two bytes as a raw code unit.
std::u16string decode(const uint8_t *data, std::size_t size) {
    static const char16_t alphabet[] = {
        u'a',      u'b', u'c', u'*',      u'#',      u'[',      u']',      u'!',
        u'-',      u'?', u'0', u'9',      u' ',      u'\u0628', u'\u0627', u'\0',
        u'\u061F', u'z', u'A', u'\u06CC', u'\u07FF', u'\u0800', u'\u0801', u'\uFFFF'};
    std::u16string out;
    for (std::size_t i = 0; i < size; ++i) {
        if (data[i] >= 0xF0 && i + 2 < size) {
            out.push_back(static_cast<char16_t>(data[i + 1] | (data[i + 2] << 8)));
            i += 2;
        } else {
            out.push_back(alphabet[data[i] % (sizeof(alphabet) / sizeof(alphabet[0]))]);
        }
    }
    return out;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, std::size_t size) {
    if (size < 1) {
        return 0;
    }
    const std::size_t split = data[0] % size;
    const std::u16string pattern = decode(data + 1, split);
    const std::u16string text = decode(data + 1 + split, size - 1 - split);

    const vorlan::Pattern compiled(pattern);
    const auto expected = vorlan::testing::referenceMatch(text, pattern);
    if (compiled.valid() != expected.has_value() ||
        compiled.matches(text) != expected.value_or(false) ||
        compiled.matchesGeneral(text) != expected.value_or(false)) {
        __builtin_trap();
    }
    return 0;
}
